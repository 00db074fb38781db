#include "zelsim/chipmodel.h"

#include <algorithm>
#include <set>

#include "zeldb.h"

namespace zelsim {
namespace {

QString idKey(uint16_t id) {
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
}

std::optional<uint16_t> parseId(const std::string& text) {
    if (text.size() != 4) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                      : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                                                                  : -1;
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return static_cast<uint16_t>(value);
}

// Every listed model of a series, in ID order.
std::vector<uint16_t> listedIds(const zel::DbText& db, uint8_t series) {
    std::vector<uint16_t> ids;
    for (int low = 0; low < 256; ++low) {
        const auto id = static_cast<uint16_t>((series << 8) | low);
        if (!zel::LookupModelRecord(db, idKey(id)).isEmpty()) ids.push_back(id);
    }
    return ids;
}

std::optional<uint16_t> idByName(const zel::DbText& db, const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    const QStringList types = zel::LoadTypeList(db);
    for (uint8_t series : knownSeries()) {
        for (uint16_t id : listedIds(db, series)) {
            const auto record =
                zel::DecodeModelRecord(zel::LookupModelRecord(db, idKey(id)), types);
            if (record.Model.compare(wanted, Qt::CaseInsensitive) == 0) return id;
        }
    }
    return std::nullopt;
}

// Status indices the host reads for other things: the reply code, the clock counts, the
// version and the model ID.
bool reserved(const ChipModel& m, int index) {
    if (index < kShortStatusIdIndex) return true;
    if (m.bootloader.series == 0xFF) return true;
    if (index == kLongStatusIdIndex || index == kLongStatusIdIndex + 1) return true;
    return m.serialIndex >= 0 && index >= m.serialIndex && index < m.serialIndex + kSerialLength;
}

void collectOptionBytes(ChipModel& m, const zel::DbText& db, const QString& key) {
    std::set<int> indices;
    for (const QString& d : zel::LoadOptionDescriptors(db, key, m.series())) {
        const QStringList parts = d.split(u'-');
        bool ok = false;
        const int index = parts.size() >= 3 ? parts[1].toInt(&ok) : -1;
        if (ok) indices.insert(index);
    }
    const QString format = zel::LoadOptionFormat(db, key, m.series());
    if (!format.isEmpty()) {
        for (const QString& item : format.split(u',')) {
            const QString t = item.trimmed();
            m.optionFormat.push_back(t.toStdString());
            bool ok = false;
            const int index = t.startsWith(u'%') ? t.mid(1).toInt(&ok) : -1;
            if (ok) indices.insert(index);
        }
    }
    for (int index : indices)
        if (index >= 0 && index < 256 && !reserved(m, index)) m.optionBytes.push_back(index);
}

void collectEndCommands(ChipModel& m, const zel::DbText& db, const QString& key) {
    std::set<QString> lastSteps;
    for (auto job : {zel::JobType::Check, zel::JobType::Download, zel::JobType::Configure}) {
        const QStringList steps = zel::LoadStepList(db, job, key, m.series());
        if (!steps.isEmpty()) lastSteps.insert(steps.last().trimmed());
    }
    m.sessionEndsWithSecondEnd = lastSteps.count(QStringLiteral("9")) > 0;
}

}  // namespace

const std::vector<uint8_t>& knownSeries() {
    static const std::vector<uint8_t> series = {0xD1, 0xD2, 0xD3, 0xE0, 0xE1, 0xE2,
                                                0xE6, 0xF0, 0xF1, 0xF2, 0xF3, 0xFF};
    return series;
}

std::optional<ChipModel> findChipModel(const QString& dbPath, const std::string& wanted,
                                       std::string* error) {
    // Read once: every lookup below would otherwise read and parse the whole file again.
    const zel::DbSnapshot snapshot = zel::LoadDbFile(dbPath);
    const zel::DbText& db = *snapshot;
    std::optional<uint16_t> id = parseId(wanted);
    if (id && zel::LookupModelRecord(db, idKey(*id)).isEmpty()) id.reset();
    if (!id) id = idByName(db, wanted);
    if (!id) {
        if (error)
            *error = "no model '" + wanted + "' in " + dbPath.toStdString() +
                     " (give a four-digit model ID such as D103, or a model name)";
        return std::nullopt;
    }
    ChipModel m;
    m.id = *id;
    const QString key = idKey(*id);
    m.idText = key.toStdString();
    const auto bootloader = bootloaderFor(m.series());
    if (!bootloader) {
        if (error) *error = "model " + m.idText + " belongs to a series without a bootloader";
        return std::nullopt;
    }
    m.bootloader = *bootloader;
    const auto record =
        zel::DecodeModelRecord(zel::LookupModelRecord(db, key), zel::LoadTypeList(db));
    m.name = record.Model.toStdString();
    m.flashSize = record.Flash;
    m.ramSize = record.Memory;
    m.eepromSize = record.Eeprom;
    if (m.name.empty() || m.flashSize <= 0) {
        if (error) *error = "the record of model " + m.idText + " is damaged";
        return std::nullopt;
    }
    if (m.series() == 0xD1) m.serialIndex = 31;
    if (m.series() == 0xD3) m.serialIndex = 33;
    collectOptionBytes(m, db, key);
    collectEndCommands(m, db, key);
    if (m.series() == 0xFF) {
        m.statusLength = kShortStatusLength;
    } else {
        size_t length = kLongStatusIdIndex + 2;
        if (!m.optionBytes.empty())
            length = std::max(length, static_cast<size_t>(m.optionBytes.back() + 1));
        if (m.serialIndex >= 0)
            length = std::max(length, static_cast<size_t>(m.serialIndex + kSerialLength));
        m.statusLength = length;
    }
    return m;
}

std::optional<uint16_t> unlistedIdOfSeries(const QString& dbPath, uint8_t series) {
    // Read once: every lookup below would otherwise read and parse the whole file again.
    const zel::DbSnapshot snapshot = zel::LoadDbFile(dbPath);
    const zel::DbText& db = *snapshot;
    for (int low = 255; low >= 0; --low) {
        const auto id = static_cast<uint16_t>((series << 8) | low);
        if (zel::LookupModelRecord(db, idKey(id)).isEmpty()) return id;
    }
    return std::nullopt;
}

std::optional<uint16_t> idOfAnotherSeries(const QString& dbPath, uint8_t series) {
    // Read once: every lookup below would otherwise read and parse the whole file again.
    const zel::DbSnapshot snapshot = zel::LoadDbFile(dbPath);
    const zel::DbText& db = *snapshot;
    for (uint8_t other : knownSeries()) {
        if (other == series) continue;
        const auto ids = listedIds(db, other);
        if (!ids.empty()) return ids.front();
    }
    return std::nullopt;
}

}  // namespace zelsim
