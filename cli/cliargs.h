// Command line of korvan-cli: the job, its file, the port and the options.
#pragma once

#include "core/resetsequence.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace korvan::cli {

enum class Job { Check, Download, Configure, Ports, Monitor, Help, Version, Record };

// --reset "COMMAND;SETTINGS": the soft-start command (a data text) and the port settings it
// is sent with.
struct ResetSpec {
    QString command;
    QString settings;  // canonical "9600,N,8,1"
};

// --inc ADDR:FORMAT:N: the increment bytes (a data text) written at ADDR, with the serial
// number N of the first download.
struct IncSpec {
    quint16 address = 0;
    QString format;
    qint64 next = 1;
};

// What the monitor shows: the port's rate (8 data bits, no parity, 1 stop bit), hexadecimal
// or text in an encoding, and for how long (unset: until Ctrl-C or Ctrl-]).
struct MonitorSpec {
    int baud = 9600;
    bool hex = false;
    QString encoding = QStringLiteral("utf-8");
    std::optional<int> seconds;
};

// The port argument that asks for the one USB serial adapter present.
inline const QString kAutoPort = QStringLiteral("auto");

// korvan-cli record: which rows of the production record to print, and how.
struct RecordQuery {
    std::optional<QDateTime> since;
    QString task;
    QString result;  // "ok", "failed" or "" for both
    bool csv = false;
};

struct Options {
    Job job = Job::Help;
    QString file;  // download: the code file
    // Device paths or COMn (-p, --ports), in order; more than one runs a gang download.
    QStringList ports;
    // --sim MODEL[xN]: jobs served by in-process virtual chips, one entry per chip.
    QStringList simModels;
    int maxBaud = 115200;  // the highest rate offered
    int waitSeconds = 30;  // the start countdown
    // The selected series index; unset = the series follows the chip that answers.
    std::optional<int> series;
    bool autoSeries = false;  // adopt a differing series in a download
    QString dbFile;           // --db: another zel.db
    bool json = false;
    bool quiet = false;
    bool verbose = false;
    std::optional<ResetSpec> reset;
    ResetSequence resetSequence;  // --reset-seq: DTR/RTS steps while the start flag is sent
    std::optional<IncSpec> inc;
    int repeat = 1;
    bool allowRun = false;  // run the program a .mcu or .mcp names after a download
    // Download a HEX file with damaged records, or without its end record, all the same.
    bool ignoreHexErrors = false;
    QStringList optionSettings;  // configure: --option NAME=VALUE, in order
    QString optionsFrom;         // configure: --options-from FILE.mcu
    MonitorSpec monitor;         // monitor, and download --monitor
    bool monitorAfter = false;   // download --monitor [RATE]: the monitor after a success
    QString recordDb;            // --record-db URL: the production record's database
    RecordQuery record;
};

// The number of ports (real or virtual) the run drives; more than one is a gang download.
inline qsizetype PortCount(const Options& o) {
    return o.ports.size() + o.simModels.size();
}

struct ParseResult {
    std::optional<Options> options;
    QString error;  // set when options is empty
};

ParseResult ParseArguments(const QStringList& args);  // args without the program name
QString HelpText();

}  // namespace korvan::cli
