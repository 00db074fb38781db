// What the korvan-cli benchmarks share: their command line and the files of a run (a chip
// database and a random image) in a scratch folder.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <vector>

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
