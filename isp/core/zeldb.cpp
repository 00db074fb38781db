#include "zeldb.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstdint>

#include "zeldbimage.h"
#include "zeldbtext.h"

namespace zel {
namespace {

QString EnvPath(const char* name) {
    return QFile::decodeName(qgetenv(name));
}

// Value of a hex digit; -1 for any other character.
int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

// The leading hex digits of `text` as a number, 0 when it starts with none (sizes in a
// damaged record read as 0 rather than failing).
int64_t LeadingHex(QStringView text) {
    int64_t value = 0;
    for (QChar c : text) {
        const int d = HexDigit(c);
        if (d < 0) break;
        value = value * 16 + d;
    }
    return value;
}

// The leading decimal number of `text` (after blanks), 0 when there is none.
int64_t LeadingDecimal(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int64_t value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') break;
        value = std::min<int64_t>(value * 10 + (c.unicode() - u'0'), INT32_MAX);
    }
    return negative ? -value : value;
}

QStringList SplitList(const QString& value) {
    if (value.isEmpty()) return {};
    QStringList items = value.split(u',');
    for (QString& item : items) item = item.trimmed();
    return items;
}

QString StepSection(JobType job) {
    switch (job) {
        case JobType::Check:
            return QStringLiteral("CPROC");
        case JobType::Download:
            return QStringLiteral("DPROC");
        case JobType::Configure:
            return QStringLiteral("SPROC");
    }
    return {};
}

QString ContextDbPath() {
    const QString& path = ZelContext::processWide().DbPath;
    return path.isEmpty() ? DbPath() : path;
}

}  // namespace

QString ResolveDbPath() {
    QString path = EnvPath("ZEL_DB");
    if (path.isEmpty()) {
        QString base = EnvPath("XDG_DATA_HOME");
        if (base.isEmpty() || QDir::isRelativePath(base))
            base = QDir::homePath() + QStringLiteral("/.local/share");
        path = base + QStringLiteral("/zel/zel.db");
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

QString DbPath() {
    static const QString path = ResolveDbPath();
    return path;
}

QString ReadDb(const QString& dbPath, const QString& section, const QString& key) {
    return LoadDbText(dbPath)->value(section, key);
}

QString ReadDb(const QString& section, const QString& key) {
    return ReadDb(ContextDbPath(), section, key);
}

int DbVersion(const QString& dbPath) {
    return static_cast<int>(LeadingDecimal(ReadDb(dbPath, QStringLiteral("ZEL"), "version")));
}

QString SeriesKey(uint8_t seriesByte) {
    return QStringLiteral("%1").arg(seriesByte, 2, 16, QLatin1Char('0')).toUpper();
}

QString ReadDbByModel(const QString& dbPath, const QString& section, const QString& modelId,
                      uint8_t seriesByte) {
    const auto db = LoadDbText(dbPath);
    QString value;
    if (!modelId.trimmed().isEmpty()) value = db->value(section, modelId);
    if (value.isEmpty()) value = db->value(section, SeriesKey(seriesByte));
    return value;
}

QByteArray EmbeddedDbImage() {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(detail::kZelDbImage),
                                   static_cast<qsizetype>(detail::kZelDbImageSize));
}

bool InstallDb(const QString& dbPath) {
    if (dbPath.isEmpty()) return false;
    if (DbVersion(dbPath) >= kEmbeddedDbVersion) return true;
    QSaveFile file(dbPath);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray image = EmbeddedDbImage();
    if (file.write(image) != image.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QStringList LoadTypeList(const QString& dbPath) {
    return SplitList(ReadDb(dbPath, QStringLiteral("TYPE"), QStringLiteral("type")));
}

QString LoadSeriesNames(const QString& dbPath, const QStringList& typeList) {
    const auto db = LoadDbText(dbPath);
    QStringList names;
    for (const QString& code : typeList) names << db->value(u"TYPE", code).section(u':', 0, 0);
    return names.join(QStringLiteral("\r\n"));
}

QStringList LoadSeriesParameters(const QString& dbPath, const QStringList& typeList, int index) {
    if (index < 0 || index >= typeList.size()) return {};
    const QString row = ReadDb(dbPath, QStringLiteral("TYPE"), typeList.at(index));
    const qsizetype colon = row.indexOf(u':');
    return colon < 0 ? QStringList() : SplitList(row.mid(colon + 1));
}

void InitDatabase(ZelContext& ctx, const QString& dbPath) {
    InstallDb(dbPath);  // a failed write leaves whatever file is there in use
    ctx.DbPath = dbPath;
    ctx.TypeList = LoadTypeList(dbPath);
    ctx.SeriesNames = LoadSeriesNames(dbPath, ctx.TypeList);
}

void InitDatabase(ZelContext& ctx) {
    InitDatabase(ctx, DbPath());
}

ModelRecord DecodeModelRecord(const QString& record, const QStringList& typeList) {
    ModelRecord rec;
    if (record.isEmpty()) return rec;
    rec.TypeCode = HexDigit(record.front());
    if (rec.TypeCode >= 0) {
        for (qsizetype i = 0; i < typeList.size(); ++i) {
            if (LeadingDecimal(typeList.at(i)) == rec.TypeCode && !typeList.at(i).isEmpty()) {
                rec.SeriesIndex = static_cast<int>(i);
                break;
            }
        }
    }
    if (record.size() < 6) return rec;
    rec.Model = record.mid(1, record.size() - 6);
    const QStringView sizes = QStringView(record).right(5);
    rec.Flash = LeadingHex(sizes.mid(0, 2)) * 256;
    if (rec.Flash == 0) rec.Flash = 65536;
    rec.Memory = LeadingHex(sizes.mid(2, 1)) * 256;
    rec.Eeprom = LeadingHex(sizes.mid(3, 2)) * 256;
    return rec;
}

QString LookupModelRecord(const QString& dbPath, const QString& modelId) {
    if (modelId.trimmed().isEmpty()) return {};
    return ReadDb(dbPath, QStringLiteral("ID"), modelId);
}

void ApplyModelRecord(ZelContext& ctx, const QString& record) {
    const ModelRecord rec = DecodeModelRecord(record, ctx.TypeList);
    if (rec.SeriesIndex >= 0) ctx.SeriesIndex = rec.SeriesIndex;
    ctx.Model = rec.Model;
    ctx.Flash = rec.Flash;
    ctx.Memory = rec.Memory;
    ctx.Eeprom = rec.Eeprom;
}

QStringList LoadStepList(const QString& dbPath, JobType job, const QString& modelId,
                         uint8_t seriesByte) {
    const QString section = StepSection(job);
    if (section.isEmpty()) return {};
    return SplitList(ReadDbByModel(dbPath, section, modelId, seriesByte));
}

QStringList LoadStepList(const ZelContext& ctx, JobType job) {
    return LoadStepList(ctx.DbPath, job, ctx.ModelId, ctx.SeriesByte);
}

QStringList LoadOptionDescriptors(const QString& dbPath, const QString& modelId,
                                  uint8_t seriesByte) {
    const QString value = ReadDbByModel(dbPath, QStringLiteral("OPTION"), modelId, seriesByte);
    return value == u"0" ? QStringList() : SplitList(value);
}

void LoadOptionDescriptors(ZelContext& ctx) {
    ctx.OptionDescriptors = LoadOptionDescriptors(ctx.DbPath, ctx.ModelId, ctx.SeriesByte);
}

QString LoadOptionFormat(const QString& dbPath, const QString& modelId, uint8_t seriesByte) {
    return ReadDbByModel(dbPath, QStringLiteral("FORMAT"), modelId, seriesByte);
}

}  // namespace zel
