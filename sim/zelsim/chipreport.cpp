#include "zelsim/chipreport.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace zelsim {
namespace {

QString hexByte(uint8_t b) {
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

std::string sha256Hex(const std::vector<uint8_t>& bytes) {
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex().toStdString();
}

std::string runReport(const ChipCore& chip) {
    const ChipModel& m = chip.model();
    const SessionStats& s = chip.session();
    QJsonObject options;
    for (const auto& [index, value] : optionBytesOf(m, chip.statusPayload()))
        options.insert(QString::number(index), hexByte(value));
    QJsonObject r;
    r.insert("model", QString::fromStdString(m.name));
    r.insert("id", QString::fromStdString(m.idText));
    r.insert("reportedId", QStringLiteral("%1")
                               .arg(chip.config().status.reportedId, 4, 16, QLatin1Char('0'))
                               .toUpper());
    r.insert("frequency", static_cast<qint64>(chip.config().status.frequency));
    if (s.hostClock) r.insert("hostFrequency", static_cast<qint64>(*s.hostClock));
    r.insert("baud", static_cast<qint64>(std::lround(s.finalRate)));
    r.insert("erases", static_cast<qint64>(s.erases));
    r.insert("blocks", static_cast<qint64>(s.blocksWritten));
    r.insert("blockRetries", static_cast<qint64>(s.blockRetries));
    r.insert("repeatedCommands", static_cast<qint64>(s.repeatedCommands));
    r.insert("retries", static_cast<qint64>(s.blockRetries + s.repeatedCommands));
    r.insert("optionWrites", static_cast<qint64>(s.optionWrites));
    r.insert("options", options);
    r.insert("lastEndCommand", s.lastEndCommand ? hexByte(s.lastEndCommand) : QString());
    r.insert("runs", static_cast<qint64>(chip.counters().programRuns));
    r.insert("imageSize", static_cast<qint64>(chip.flash().size()));
    r.insert("imageSha256", QString::fromStdString(sha256Hex(chip.flash().bytes())));
    return QJsonDocument(r).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace zelsim
