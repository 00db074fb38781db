// Random zel.db contents must never crash the reader, the lookups, the installer or the
// decoders; the parse of a file must also agree with the parse of its text.
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gbk.h"
#include "zeldb.h"
#include "zelinfo.h"
#include "zelisp.h"

namespace {

QString ScratchPath() {
    static const QString path = [] {
        QByteArray tmpl = QByteArray(qgetenv("TMPDIR").isEmpty() ? "/tmp" : qgetenv("TMPDIR")) +
                          "/fuzz_zeldb.XXXXXX";
        const int fd = mkstemp(tmpl.data());
        if (fd >= 0) close(fd);
        return QFile::decodeName(tmpl);
    }();
    // Registered after `path` exists, so it runs before `path` is destroyed.
    static const bool cleanup = std::atexit([] { QFile::remove(ScratchPath()); }) == 0;
    (void)cleanup;
    return path;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = ScratchPath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        file.write(bytes);
    }

    // Keys taken from the input itself reach real rows as well as missing ones.
    const QString text = zel::DecodeGbk(bytes);
    const zel::DbText parsed = zel::DbText::fromText(text);
    const QString key = text.left(8).section(u'=', 0, 0);
    for (const char* section : {"ZEL", "TYPE", "ID", "OPTION", "PAR"}) {
        Check(zel::ReadDb(path, section, key) == parsed.read(QString::fromLatin1(section), key));
    }

    // The file as a job reads it, and the same bytes read through the reuse of unchanged files.
    const zel::FileChipDatabase database(path);
    zel::ZelContext ctx;
    ctx.Db = database.load();
    const zel::DbText& db = *ctx.Db;
    Check(zel::LoadDbFileReusing(path)->sectionNames() == db.sectionNames());
    const zel::SeriesCatalog catalog = zel::SeriesCatalog::of(db);
    for (int i = -1; i <= catalog.TypeList.size(); ++i)
        zel::LoadSeriesParameters(db, catalog.TypeList, i);

    const uint8_t series = size > 0 ? data[0] : 0;
    ctx.Chip.ModelId = zel::SeriesKey(series) + zel::SeriesKey(size > 1 ? data[1] : 0);
    ctx.Chip.SeriesByte = series;
    zel::ApplyModelRecord(ctx.Chip, zel::LookupModelRecord(db, ctx.Chip.ModelId), catalog.TypeList);
    zel::ApplyModelRecord(ctx.Chip, text.left(40), catalog.TypeList);  // the input as a record too
    for (zel::JobType job : {zel::JobType::Check, zel::JobType::Download, zel::JobType::Configure})
        zel::LoadStepList(db, job, ctx.Chip.ModelId, series);
    zel::LoadOptionFormat(db, ctx.Chip.ModelId, series);
    ctx.Chip.OptionDescriptors = zel::LoadOptionDescriptors(db, ctx.Chip.ModelId, series);

    ctx.Chip.StatusBytes.assign(data, data + std::min<size_t>(size, 64));
    const zel::cZelInfo info(ctx);
    for (int16_t i = -1; i <= info.OptCount() && i < 64; ++i) info.OptList(i);
    // Every row of the input as an option row, with the input's first line as a descriptor.
    zel::DecodeOptionText(text.section(u'\n', 0, 0), text.section(u'\n', 1, 1),
                          ctx.Chip.StatusBytes);

    // The installer decides on any contents (and replaces what is not a current database).
    if (zel::DbVersion(path) < zel::kEmbeddedDbVersion) Check(zel::InstallDb(path));
    return 0;
}
