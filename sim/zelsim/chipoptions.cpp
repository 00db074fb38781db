#include "zelsim/chipoptions.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>

#include "zeldb.h"
#include "zelsim/clockmath.h"
#include "zelsim/programrunner.h"
#include "zelsim/settingtext.h"

namespace zelsim {
namespace {

// Reads a whole regular file; `why` tells what is wrong otherwise. (A stream opened on a
// folder throws at its first read.)
bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string* why) {
    const QFileInfo info(QString::fromStdString(path));
    if (info.isDir()) {
        *why = path + " is a folder, not a file";
        return false;
    }
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        *why = "cannot read " + path + ": " + file.errorString().toStdString();
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *why = "cannot read " + path + ": " + file.errorString().toStdString();
        return false;
    }
    bytes.assign(data.begin(), data.end());
    return true;
}

// An output file goes into a folder that must exist; found out at start, not after the run.
bool canWriteInto(const std::string& option, const std::string& path, std::string* why) {
    const QFileInfo info(QString::fromStdString(path));
    if (info.isDir()) {
        *why = option + " " + path + " is a folder, not a file";
        return false;
    }
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir()) {
        *why = option + " " + path + ": the folder " + folder.filePath().toStdString() +
               " does not exist";
        return false;
    }
    if (!folder.isWritable()) {
        *why = option + " " + path + ": the folder " + folder.filePath().toStdString() +
               " cannot be written";
        return false;
    }
    return true;
}

QString databasePath(const ChipOptions& options, std::unique_ptr<QTemporaryFile>& privateDb,
                     std::string* error) {
    if (!options.dbPath.empty()) {
        const QString path = QString::fromStdString(options.dbPath);
        if (!QFile::exists(path)) {
            if (error) *error = "cannot read the database " + options.dbPath;
            return {};
        }
        return path;
    }
    // The same file the control uses, installed the same way; without a writable place for
    // it the built-in copy is read from a private file.
    const QString path = zel::ResolveDbPath();
    if (zel::InstallDb(path)) return path;
    privateDb = std::make_unique<QTemporaryFile>();
    const QByteArray image = zel::EmbeddedDbImage();
    if (!privateDb->open() || privateDb->write(image) != image.size() || !privateDb->flush()) {
        if (error) *error = "cannot install zel.db at " + path.toStdString();
        return {};
    }
    return privateDb->fileName();
}

// The chip's patience with a slow host, from the environment: test suites set it so that a
// host starved of CPU is not taken for one that went away. Unset means none.
bool hostSlackFromEnvironment(int* ms, std::string* why) {
    *ms = 0;
    const char* text = std::getenv(kHostSlackVariable);
    if (!text || !*text) return true;
    long value = 0;
    if (!parseInt(text, 0, kMaxHostSlackMs, &value)) {
        *why = std::string(kHostSlackVariable) + "=" + text +
               ": must be a number of milliseconds (0-" + std::to_string(kMaxHostSlackMs) + ")";
        return false;
    }
    *ms = static_cast<int>(value);
    return true;
}

}  // namespace

std::optional<ChipSetup> setUpChip(const ChipOptions& options, std::string* error) {
    auto fail = [&](const std::string& why) -> std::optional<ChipSetup> {
        if (error) *error = why;
        return std::nullopt;
    };
    ChipSetup setup;
    if (options.model.empty()) return fail("no model given (for example --model D103)");
    if (options.frequency < kMinFrequency || options.frequency > kMaxFrequency)
        return fail("the clock must be between 1 and 100 MHz");
    const QString db = databasePath(options, setup.privateDb, error);
    if (db.isEmpty()) return std::nullopt;
    const auto model = findChipModel(db, options.model, error);
    if (!model) return std::nullopt;

    ChipConfig& config = setup.config;
    config.model = *model;
    config.faults = options.faults;
    config.bootDelayMs = options.bootDelayMs;
    config.eraseMs = options.eraseMs;
    config.softStart = options.softStart;
    config.rebootMs = options.rebootMs.value_or(options.softStart ? -1 : 1000);
    config.seed = options.seed;
    config.externalPower = !options.powerChannel.empty();
    if (std::string why; !hostSlackFromEnvironment(&config.hostSlackMs, &why)) return fail(why);
    config.status.frequency = options.frequency;
    config.status.version = options.bootVersion;
    config.status.versionLetter = options.bootLetter;
    config.status.serial = options.serial;
    config.status.reportedId = model->id;
    if (options.faults.unknownId && options.faults.otherSeries)
        return fail("the faults unknown-id and other-series exclude each other");
    if (options.faults.unknownId) {
        const auto id = unlistedIdOfSeries(db, model->series());
        if (!id) return fail("every ID of this series is listed; cannot report an unknown one");
        config.status.reportedId = *id;
    }
    if (options.faults.otherSeries) {
        const auto id = idOfAnotherSeries(db, model->series());
        if (!id) return fail("the database lists no other series");
        config.status.reportedId = *id;
    }
    for (const auto& [index, value] : options.options) {
        if (std::find(model->optionBytes.begin(), model->optionBytes.end(), index) ==
            model->optionBytes.end()) {
            std::string known;
            for (int i : model->optionBytes)
                known += (known.empty() ? "" : ", ") + std::to_string(i);
            return fail("status byte " + std::to_string(index) + " is not an option byte of " +
                        model->idText + " (option bytes: " + (known.empty() ? "none" : known) +
                        ")");
        }
        config.status.options[index] = value;
    }
    std::vector<uint8_t>& initial = setup.initialFlash;
    if (!options.imageIn.empty()) {
        std::string why;
        if (!readFile(options.imageIn, initial, &why)) return fail("--image-in " + why);
        if (initial.size() > static_cast<size_t>(model->flashSize))
            return fail(options.imageIn + " is larger than the flash of " + model->name + " (" +
                        std::to_string(model->flashSize) + " bytes)");
    }
    for (const auto& [option, path] :
         {std::pair<std::string, const std::string&>{"--image-out", options.imageOut},
          {"--report", options.reportPath}}) {
        std::string why;
        if (!path.empty() && !canWriteInto(option, path, &why)) return fail(why);
    }
    if (options.run && !ProgramRunner::available())
        return fail("--run needs s51 (Debian package sdcc-ucsim)");
    return setup;
}

}  // namespace zelsim
