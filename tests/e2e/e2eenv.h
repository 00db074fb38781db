// What the end-to-end tests share: a scratch folder holding the built-in zel.db, the
// environment the programs run in (ZEL_DB, KORVAN_HOME, HOME and the XDG folders all point
// into the scratch folder, so nothing touches the real home), the two programs as real
// processes, and test images.
#pragma once

#include "core/inidocument.h"

#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

namespace e2e {

using Bytes = std::vector<uint8_t>;

// How long a test waits for a program or a chip to do something. A passing test goes on as
// soon as it happens; the bound only ends a test whose program never does it, and leaves room
// for a machine so busy that a second's work takes a minute.
inline constexpr int kPatienceMs = 120000;

// The scratch folder and the database in it; made once per test program.
const QString& scratchDir();
const QString& databasePath();
// A new empty folder inside the scratch folder.
QString newFolder();
QProcessEnvironment programEnvironment();

// Deterministic bytes that look like code.
Bytes sampleImage(size_t size, uint32_t seed);
// The bytes as Intel HEX: 16-byte data records from address 0, then the end record.
QByteArray intelHex(const Bytes& bytes);
bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray asBytes(const Bytes& bytes);
// Settings with the increment on: the number `next` as four bytes at FFF0.
korvan::IniDocument incrementSettings(qint64 next);

// One finished run of korvan-cli.
struct CliResult {
    bool finished = false;
    int exitCode = -1;
    QString out, err;
    std::vector<QJsonObject> events;  // the lines of --json output

    QJsonObject summary() const;   // the "summary" event ({} when none)
    QStringList logTexts() const;  // the texts of the "log" events
    bool logged(const QString& text) const { return logTexts().contains(text); }
    // The whole output, for failure messages.
    std::string dump() const;
};

// Runs korvan-cli (or `program`, such as a shell around it) with `args` and waits for it.
CliResult runCli(const QStringList& args, int timeoutMs = kPatienceMs,
                 const QProcessEnvironment& env = programEnvironment(),
                 const QString& program = QStringLiteral(KORVAN_CLI_PATH));

// korvan-cli running in the background, for tests that act while it runs.
class CliProcess {
  public:
    explicit CliProcess(const QStringList& args);
    ~CliProcess();
    // Waits until standard output holds `text`.
    bool waitForOutput(const QString& text, int timeoutMs);
    void signal(int number);
    CliResult finish(int timeoutMs);

  private:
    QProcess m_process;
    QByteArray m_out;
};

// zel-sim as a separate program, serving on a pseudo-terminal.
class SimProcess {
  public:
    // `args` besides --model and --db.
    SimProcess(const QString& model, const QStringList& args);
    ~SimProcess();
    // Starts it and waits for the terminal's path on its standard output.
    bool start();
    const QString& path() const { return m_path; }
    bool waitForExit(int timeoutMs);
    // Ends it at once: its terminal goes away as an unplugged adapter's does.
    void kill();
    QString errorOutput();

  private:
    QProcess m_process;
    QString m_path;
};

}  // namespace e2e
