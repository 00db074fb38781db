#include "e2eenv.h"

#include "zeldb.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <csignal>
#include <random>

namespace e2e {

namespace {

// QProcess needs an application object for its notifications.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "cli_e2e_test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) static QCoreApplication app(argc, argv);
}

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

}  // namespace

const QString& scratchDir() {
    static const QString path = scratch().path();
    return path;
}

const QString& databasePath() {
    static const QString path = [] {
        const QString file = scratchDir() + "/zel.db";
        writeFile(file, zel::EmbeddedDbImage());
        return file;
    }();
    return path;
}

QString newFolder() {
    static int count = 0;
    const QString path = scratchDir() + QStringLiteral("/f%1").arg(++count);
    QDir().mkpath(path);
    return path;
}

QProcessEnvironment programEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString home = scratchDir() + "/home";
    QDir().mkpath(home);
    env.insert("ZEL_DB", databasePath());
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("KORVAN_HOME", home + "/korvan");
    env.insert("KORVAN_REGISTRY", home + "/registry.ini");
    // The tests pin the Chinese output; a developer's own choice of language must not leak in.
    env.remove("KORVAN_LANG");
    return env;
}

Bytes sampleImage(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

QByteArray intelHex(const Bytes& bytes) {
    QByteArray text;
    for (size_t at = 0; at < bytes.size(); at += 16) {
        const size_t n = std::min<size_t>(16, bytes.size() - at);
        uint8_t sum = static_cast<uint8_t>(n + (at >> 8) + (at & 0xFF));
        QByteArray line =
            QByteArray(":") + QByteArray::number(static_cast<int>(n), 16).rightJustified(2, '0') +
            QByteArray::number(static_cast<int>(at), 16).rightJustified(4, '0') + "00";
        for (size_t i = 0; i < n; ++i) {
            line += QByteArray::number(bytes[at + i], 16).rightJustified(2, '0');
            sum = static_cast<uint8_t>(sum + bytes[at + i]);
        }
        line += QByteArray::number(static_cast<uint8_t>(-sum), 16).rightJustified(2, '0');
        text += line.toUpper() + "\r\n";
    }
    return text + ":00000001FF\r\n";
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray asBytes(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

korvan::IniDocument incrementSettings(qint64 next) {
    korvan::IniDocument doc;
    doc.write("AddData", "Open", "1");
    doc.write("AddData", "Add", "FFF0");
    doc.write("AddData", "Format", "\"%NL4\"");
    doc.write("AddData", "Data", QString::number(next));
    return doc;
}

QJsonObject CliResult::summary() const {
    for (const QJsonObject& e : events)
        if (e.value("event").toString() == "summary") return e;
    return {};
}

QStringList CliResult::logTexts() const {
    QStringList texts;
    for (const QJsonObject& e : events)
        if (e.value("event").toString() == "log") texts << e.value("text").toString();
    return texts;
}

std::string CliResult::dump() const {
    return QStringLiteral("exit %1\n--- stdout\n%2--- stderr\n%3")
        .arg(exitCode)
        .arg(out, err)
        .toStdString();
}

namespace {

void parseEvents(CliResult& r) {
    for (const QString& line : r.out.split('\n', Qt::SkipEmptyParts)) {
        const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8());
        if (doc.isObject()) r.events.push_back(doc.object());
    }
}

}  // namespace

CliResult runCli(const QStringList& args, int timeoutMs, const QProcessEnvironment& env,
                 const QString& program) {
    ensureApplication();
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    CliResult r;
    r.finished = process.waitForFinished(timeoutMs);
    if (!r.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    parseEvents(r);
    return r;
}

CliProcess::CliProcess(const QStringList& args) {
    ensureApplication();
    m_process.setProcessEnvironment(programEnvironment());
    m_process.start(QStringLiteral(KORVAN_CLI_PATH), args);
}

CliProcess::~CliProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool CliProcess::waitForOutput(const QString& text, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!QString::fromUtf8(m_out).contains(text)) {
        if (clock.elapsed() > timeoutMs || m_process.state() == QProcess::NotRunning) return false;
        m_process.waitForReadyRead(100);
        m_out += m_process.readAllStandardOutput();
    }
    return true;
}

void CliProcess::signal(int number) {
    ::kill(static_cast<pid_t>(m_process.processId()), number);
}

CliResult CliProcess::finish(int timeoutMs) {
    CliResult r;
    // waitForReadyRead in waitForOutput may already have seen the process end, and then
    // waitForFinished answers false.
    r.finished = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    if (!r.finished) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    r.exitCode = m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    r.out = QString::fromUtf8(m_out + m_process.readAllStandardOutput());
    r.err = QString::fromUtf8(m_process.readAllStandardError());
    parseEvents(r);
    return r;
}

SimProcess::SimProcess(const QString& model, const QStringList& args) {
    ensureApplication();
    m_process.setProcessEnvironment(programEnvironment());
    m_process.setProgram(QStringLiteral(ZEL_SIM_PATH));
    m_process.setArguments(QStringList{"--model", model, "--db", databasePath()} + args);
}

SimProcess::~SimProcess() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool SimProcess::start() {
    m_process.start();
    if (!m_process.waitForStarted(kPatienceMs)) return false;
    QByteArray out;
    while (!out.contains('\n')) {
        if (!m_process.waitForReadyRead(kPatienceMs)) return false;
        out += m_process.readAllStandardOutput();
    }
    m_path = QString::fromUtf8(out.left(out.indexOf('\n'))).trimmed();
    return !m_path.isEmpty();
}

bool SimProcess::waitForExit(int timeoutMs) {
    const bool ended =
        m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    return ended && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

void SimProcess::kill() {
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString SimProcess::errorOutput() {
    return QString::fromUtf8(m_process.readAllStandardError());
}

}  // namespace e2e
