#include "jsonoutput.h"

#include "timestamp.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace korvan::cli {

namespace {

QString RoleName(LineRole role) {
    switch (role) {
        case LineRole::Step:
            return QStringLiteral("step");
        case LineRole::Result:
            return QStringLiteral("result");
        case LineRole::Problem:
            return QStringLiteral("problem");
    }
    return {};
}

}  // namespace

JsonOutput::JsonOutput(std::FILE* out, std::FILE* err) : m_out(out), m_err(err) {}

std::unique_ptr<JsonOutput> JsonOutput::forPort(const QString& port) const {
    auto output = std::make_unique<JsonOutput>(m_out, m_err);
    output->m_port = port;
    output->m_failed = m_failed;
    return output;
}

void JsonOutput::emitObject(const QJsonObject& object) {
    QJsonObject tagged = object;
    if (!m_port.isEmpty()) tagged.insert("port", m_port);
    const QByteArray line = QJsonDocument(tagged).toJson(QJsonDocument::Compact) + '\n';
    const size_t size = static_cast<size_t>(line.size());
    if (std::fwrite(line.constData(), 1, size, m_out) != size || std::fflush(m_out) != 0)
        *m_failed = true;
}

void JsonOutput::logLine(const LogEntry& entry) {
    emitObject({{"event", "log"},
                {"time", ClockStamp()},
                {"index", entry.index},
                {"role", RoleName(entry.role)},
                {"text", entry.text}});
}

void JsonOutput::countdown(int seconds) {
    emitObject({{"event", "wait"}, {"seconds", seconds}});
}

void JsonOutput::progress(int percent) {
    emitObject({{"event", "progress"}, {"percent", percent}});
}

void JsonOutput::chipInfo(const jobs::ChipRecord& chip) {
    emitObject({{"event", "chip"},
                {"model", chip.model},
                {"id", chip.id},
                {"version", chip.version},
                {"cpu", static_cast<qint64>(chip.cpu)},
                {"flash", static_cast<qint64>(chip.flash)},
                {"memory", static_cast<qint64>(chip.memory)},
                {"eeprom", static_cast<qint64>(chip.eeprom)},
                {"sn", chip.sn},
                {"options", QJsonArray::fromStringList(chip.options)},
                {"lines", QJsonArray::fromStringList(ChipInfoLines(chip))}});
}

void JsonOutput::options(const std::vector<OptionLine>& lines) {
    QJsonArray array;
    for (const OptionLine& line : lines)
        array.append(QJsonObject{{"index", line.number},
                                 {"caption", line.caption},
                                 {"choices", QJsonArray::fromStringList(line.choices)},
                                 {"current", line.current}});
    emitObject({{"event", "options"}, {"options", array}});
}

void JsonOutput::warning(const QString& text) {
    emitObject({{"event", "warning"}, {"text", text}});
}

void JsonOutput::error(const QString& text) {
    emitObject({{"event", "error"}, {"text", text}});
}

void JsonOutput::trace(const QString& line) {
    const QString prefix = m_port.isEmpty() ? QString() : m_port + QStringLiteral("  ");
    std::fputs((prefix + line + '\n').toUtf8().constData(), m_err);
    std::fflush(m_err);
}

void JsonOutput::summary(const JobSummary& s) {
    QJsonObject o{
        {"event", "summary"},
        {"job", s.job},
        {"result", s.result},
        {"exit", s.exitCode},
        {"message", s.message},
        {"reason", s.reason},
        {"bytes", s.bytes},
        {"completed", s.completed},
        {"attempted", s.attempted},
        {"timings",
         QJsonObject{{"wait_ms", s.waitMs}, {"job_ms", s.jobMs}, {"total_ms", s.totalMs}}}};
    if (s.nextSerial) o.insert("next_serial", *s.nextSerial);
    // Only what is known: a chip's model and ID together, a rate once the job switched to it.
    if (!s.id.isEmpty()) {
        o.insert("model", s.model);
        o.insert("id", s.id);
    }
    if (s.baud > 0) o.insert("baud", s.baud);
    if (!s.ports.empty()) {
        QJsonArray ports;
        for (const PortSummary& p : s.ports) {
            QJsonArray serials;
            for (const qint64 n : p.serials) serials.append(n);
            QJsonObject port{{"port", p.port},       {"result", p.result},
                             {"message", p.message}, {"completed", p.completed},
                             {"wanted", p.wanted},   {"time_ms", p.timeMs}};
            if (!p.id.isEmpty()) {
                port.insert("model", p.model);
                port.insert("id", p.id);
            }
            if (!p.serials.isEmpty()) port.insert("serials", serials);
            ports.append(port);
        }
        o.insert("ports", ports);
        QJsonArray unused;
        for (const qint64 n : s.unusedSerials) unused.append(n);
        if (!unused.isEmpty()) o.insert("unused_serials", unused);
    }
    emitObject(o);
}

}  // namespace korvan::cli
