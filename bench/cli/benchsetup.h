// What the korvan-cli benchmarks share: their command line and the files of a run (a chip
// database and a random image) in a scratch folder.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "zelsim/virtualchip.h"

struct BenchSetup {
    QString cli;  // the korvan-cli to time
    int runs = 3;
    QTemporaryDir dir;
    QString db;
    QString image;
    std::vector<uint8_t> bytes;
};

// Reads --cli PATH and --runs N; false (after the usage line) for anything else.
bool ParseBenchArguments(const QStringList& args, const char* benchName, BenchSetup& setup);

// Writes the built-in chip database and `size` random bytes from `seed` as the image.
bool WriteBenchFiles(BenchSetup& setup, std::size_t size, unsigned seed);

// A line-paced virtual chip of `model` over the setup's database, whose erase takes no time
// (the chip's erase time is not the line's).
zelsim::ChipOptions PacedChip(const BenchSetup& setup, const char* model);

// One korvan-cli run with --json: its summary object, or why it failed.
struct CliOutcome {
    bool ok = false;
    QString why;
    QJsonObject summary;
    QString standardError;
};
CliOutcome RunCli(const BenchSetup& setup, const QStringList& args, int timeoutMs);
