#include "benchsetup.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <random>

#include "zeldb.h"

bool ParseBenchArguments(const QStringList& args, const char* benchName, BenchSetup& setup) {
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--cli" && i + 1 < args.size()) {
            setup.cli = args[++i];
        } else if (args[i] == "--runs" && i + 1 < args.size()) {
            setup.runs = std::max(1, args[++i].toInt());
        } else {
            std::fprintf(stderr, "usage: %s [--cli PATH] [--runs N]\n", benchName);
            return false;
        }
    }
    return true;
}

bool WriteBenchFiles(BenchSetup& setup, std::size_t size, unsigned seed) {
    setup.db = setup.dir.path() + "/zel.db";
    setup.image = setup.dir.path() + "/image.bin";
    std::mt19937 random(seed);
    setup.bytes.resize(size);
    for (uint8_t& b : setup.bytes) b = static_cast<uint8_t>(random());
    QFile db(setup.db), image(setup.image);
    return db.open(QIODevice::WriteOnly) && db.write(zel::EmbeddedDbImage()) >= 0 &&
           image.open(QIODevice::WriteOnly) &&
           image.write(reinterpret_cast<const char*>(setup.bytes.data()),
                       static_cast<qint64>(setup.bytes.size())) >= 0;
}

zelsim::ChipOptions PacedChip(const BenchSetup& setup, const char* model) {
    zelsim::ChipOptions o;
    o.model = model;
    o.dbPath = setup.db.toStdString();
    o.pace = true;
    o.eraseMs = 0;
    o.bootDelayMs = 50;
    return o;
}

CliOutcome RunCli(const BenchSetup& setup, const QStringList& args, int timeoutMs) {
    CliOutcome outcome;
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZEL_DB", setup.db);
    cli.setProcessEnvironment(env);
    cli.start(setup.cli, args);
    const bool finished = cli.waitForFinished(timeoutMs);
    outcome.standardError = QString::fromUtf8(cli.readAllStandardError());
    if (!finished || cli.exitCode() != 0) {
        outcome.why = QStringLiteral("korvan-cli failed (exit %1): %2")
                          .arg(cli.exitCode())
                          .arg(outcome.standardError.left(400));
        return outcome;
    }
    for (const QByteArray& line : cli.readAllStandardOutput().split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.value("event").toString() == "summary") outcome.summary = o;
    }
    outcome.ok = true;
    return outcome;
}
