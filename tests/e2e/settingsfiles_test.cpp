// What a .mcu or .mcp brings to korvan-cli besides the code: the increment and its next
// number, the soft start, the program after a download (only with --allow-run); and the
// options that configure writes and check reads back.
#include "core/inidocument.h"
#include "core/taskfile.h"
#include "e2eenv.h"
#include "zeldb.h"
#include "zelsim/virtualchip.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

namespace e2e {
namespace {

zelsim::ChipOptions chipOptions() {
    zelsim::ChipOptions o;
    o.model = "D103";
    o.dbPath = databasePath().toStdString();
    o.bootDelayMs = 30;
    o.eraseMs = 0;
    o.rebootMs = -1;
    return o;
}

struct Chip {
    explicit Chip(zelsim::ChipOptions o = chipOptions()) : chip(std::move(o)) {
        std::string error;
        EXPECT_TRUE(chip.start(&error)) << error;
    }
    QString path() const { return QString::fromStdString(chip.slavePath()); }
    bool holds(const Bytes& bytes, size_t at) const {
        const Bytes flash = chip.image();
        return flash.size() >= at + bytes.size() &&
               std::equal(bytes.begin(), bytes.end(), flash.begin() + static_cast<long>(at));
    }
    zelsim::VirtualChip chip;
};

TEST(TaskFile, IncrementGoesToItsAddressAndTheNextRunGetsTheNextNumber) {
    const Bytes image = sampleImage(400, 21);
    const QString task = newFolder() + "/serial.mcp";
    ASSERT_TRUE(korvan::WriteTaskFile(task, incrementSettings(41),
                                      korvan::CodeBuffer(image.begin(), image.end()),
                                      newFolder() + "/"));
    for (const uint8_t serial : {41, 42}) {
        Chip chip;
        const CliResult r = runCli({"download", task, "-p", chip.path(), "--json"});
        ASSERT_EQ(r.exitCode, 0) << r.dump();
        EXPECT_TRUE(chip.holds(image, 0));
        EXPECT_TRUE(chip.holds(Bytes{0, 0, 0, serial}, 0xFFF0)) << int(serial);
        EXPECT_EQ(r.summary().value("next_serial").toInteger(), serial + 1);
    }
}

TEST(ConfigurationFile, IncrementNumberIsKeptInTheFile) {
    const Bytes image = sampleImage(300, 22);
    const QString folder = newFolder();
    ASSERT_TRUE(writeFile(folder + "/code.bin", asBytes(image)));
    korvan::IniDocument doc = incrementSettings(7);
    doc.write("UserSet", "UserFile", "\"%AppPath%code.bin\"");
    const QString mcu = folder + "/job.mcu";
    ASSERT_TRUE(doc.save(mcu));
    Chip chip;
    const CliResult r = runCli({"download", mcu, "-p", chip.path()});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(chip.holds(Bytes{0, 0, 0, 7}, 0xFFF0));
    EXPECT_EQ(korvan::IniDocument::load(mcu).read("AddData", "Data", ""), "8");
}

// A number beyond the increment's range would reach the chip cut to 32 bits: the file is
// refused before any chip is touched, and left as it was.
TEST(ConfigurationFile, IncrementNumberBeyondItsRangeIsRefused) {
    const QString folder = newFolder();
    ASSERT_TRUE(writeFile(folder + "/code.bin", asBytes(sampleImage(300, 24))));
    for (const char* number : {"1000000000", "4294967298", "-1"}) {
        korvan::IniDocument doc = incrementSettings(1);
        doc.write("AddData", "Data", QString::fromLatin1(number));
        doc.write("UserSet", "UserFile", "\"%AppPath%code.bin\"");
        const QString mcu = folder + "/job.mcu";
        ASSERT_TRUE(doc.save(mcu));
        QFile file(mcu);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        Chip chip;
        const CliResult r = runCli({"download", mcu, "-p", chip.path()});
        EXPECT_EQ(r.exitCode, 2) << r.dump();
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(number)) && r.err.contains(mcu)) << r.dump();
        EXPECT_EQ(chip.chip.snapshot().counters.erases, 0u);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before) << number;
    }
    // Given on the command line instead, the number decides.
    Chip chip;
    const CliResult r =
        runCli({"download", folder + "/job.mcu", "-p", chip.path(), "--inc", "FFF0:%NL4:5"});
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(chip.holds(Bytes{0, 0, 0, 5}, 0xFFF0));
}

TEST(ConfigurationFile, SoftStartComesWithTheFile) {
    zelsim::ChipOptions o = chipOptions();
    o.softStart = zelsim::SoftStart{{0x55, 0xAA}, 9600, 'N', 8, 1};
    Chip chip(o);
    const Bytes image = sampleImage(300, 23);
    const QString folder = newFolder();
    ASSERT_TRUE(writeFile(folder + "/code.bin", asBytes(image)));
    ASSERT_TRUE(writeFile(folder + "/job.mcu",
                          "[UserSet]\nUserFile=\"%AppPath%code.bin\"\nUserDown=1\n"
                          "[UserDown]\nRest=\"55 AA;9600,N,8,1\"\n"));
    const CliResult r = runCli({"download", folder + "/job.mcu", "-p", chip.path(), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.logged(QStringLiteral("发送用户自定软启指令")));
    EXPECT_GE(chip.chip.snapshot().counters.softStarts, 1u);
    EXPECT_TRUE(chip.holds(image, 0));
}

struct ConsentCase {
    const char* name;
    bool allow;
};

class ProgramFromTheFile : public ::testing::TestWithParam<ConsentCase> {};

TEST_P(ProgramFromTheFile, RunsOnlyWithAllowRun) {
    const QString folder = newFolder();
    ASSERT_TRUE(writeFile(folder + "/code.bin", asBytes(sampleImage(200, 24))));
    const QString marker = folder + "/ran";
    ASSERT_TRUE(writeFile(folder + "/job.mcu",
                          QStringLiteral("[UserSet]\nUserFile=\"%AppPath%code.bin\"\n"
                                         "[UserDown]\nRun=1\nExe=touch\nCmd=\"%1\"\nTimer=0\n")
                              .arg(marker)
                              .toUtf8()));
    Chip chip;
    QStringList args{"download", folder + "/job.mcu", "-p", chip.path()};
    if (GetParam().allow) args << "--allow-run";
    const CliResult r = runCli(args);
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_EQ(QFileInfo::exists(marker), GetParam().allow) << r.dump();
    if (!GetParam().allow) {
        EXPECT_TRUE(r.err.contains("--allow-run")) << r.dump();
    }
}

INSTANTIATE_TEST_SUITE_P(Consent, ProgramFromTheFile,
                         ::testing::Values(ConsentCase{"Refused", false},
                                           ConsentCase{"Allowed", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A task with a section KORVAN does not know and without the keys a full rewrite would add.
korvan::IniDocument customerTask(qint64 next, const QString& order) {
    korvan::IniDocument doc = incrementSettings(next);
    doc.write("Customer", "Order", order);
    return doc;
}

TEST(TaskFile, ReplacedDuringTheRunKeepsItsNewContentAndGetsOnlyTheNumber) {
    const QString folder = newFolder();
    const QString task = folder + "/serial.mcp";
    const Bytes first = sampleImage(300, 31), second = sampleImage(420, 32);
    ASSERT_TRUE(korvan::WriteTaskFile(task, customerTask(41, "A-1"),
                                      korvan::CodeBuffer(first.begin(), first.end()),
                                      folder + "/"));
    zelsim::ChipOptions o = chipOptions();
    o.bootDelayMs = 1500;  // time to replace the task while korvan-cli waits for the chip
    Chip chip(o);
    CliProcess cli({"download", task, "-p", chip.path()});
    ASSERT_TRUE(cli.waitForOutput(QStringLiteral("等待启动标志..."), 30000));
    ASSERT_TRUE(korvan::WriteTaskFile(task, customerTask(500, "B-2"),
                                      korvan::CodeBuffer(second.begin(), second.end()),
                                      folder + "/"));
    const CliResult r = cli.finish(60000);
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(chip.holds(first, 0));
    const auto now = korvan::UnpackTask(task, folder + "/");
    ASSERT_TRUE(now);
    QFile::remove(now->TempFile);
    EXPECT_EQ(now->Task.Code, korvan::CodeBuffer(second.begin(), second.end()));
    const korvan::IniDocument& settings = now->Task.Settings;
    EXPECT_EQ(settings.read("AddData", "Data", ""), "42");
    EXPECT_EQ(settings.read("Customer", "Order", ""), "B-2");
    EXPECT_FALSE(settings.hasSection("UserSet")) << settings.sectionNames().join(',').toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"serial.mcp"});
}

// Special files given as the task or configuration are refused at once, never read.
TEST(TaskFile, FifoOrDeviceIsRefusedAndABadTaskIsNamed) {
    const QString folder = newFolder();
    const QString fifo = folder + "/fifo.mcp";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = folder + "/zero.mcu";
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(zero).constData()), 0);
    const QString bad = folder + "/bad.mcp";
    ASSERT_TRUE(writeFile(bad, "not a task at all"));
    const QString scratch = newFolder();
    QProcessEnvironment env = programEnvironment();
    env.insert("TMPDIR", scratch);
    for (const QString& file : {fifo, zero, bad}) {
        const CliResult r = runCli({"download", file, "-p", "/dev/null"}, 30000, env);
        EXPECT_EQ(r.exitCode, 2) << r.dump();
        EXPECT_TRUE(r.err.contains(file)) << r.dump();
        if (file == bad) {
            EXPECT_TRUE(r.err.contains(QStringLiteral("文件无法正常打开：") + bad)) << r.dump();
        }
    }
    EXPECT_TRUE(QDir(scratch).isEmpty());
}

// A full disk: the download reaches the chip, but its next serial number cannot be kept. The
// file stays byte for byte, no temporary file is left, and the run fails with a line that says
// so (the number would otherwise be given again). A small tmpfs in a mount namespace of its
// own holds the file; that needs root.
class FullDisk : public ::testing::TestWithParam<const char*> {};

TEST_P(FullDisk, SerialNumberThatCannotBeKeptFailsTheRun) {
    if (::getuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty()) GTEST_SKIP() << "no unshare";
    // A container may forbid new mount namespaces even to root: nothing to test there.
    if (QProcess::execute(unshare, {"-m", "true"}) != 0) GTEST_SKIP() << "no mount namespace";
    const QString staged = newFolder(), disk = newFolder(), scratch = newFolder();
    const QString name = QString::fromLatin1(GetParam());
    const Bytes image = sampleImage(300, 33);
    korvan::IniDocument settings = customerTask(7, "C-3");
    if (name.endsWith(".mcu")) {
        ASSERT_TRUE(writeFile(staged + "/code.bin", asBytes(image)));
        settings.write("UserSet", "UserFile", "\"%AppPath%code.bin\"");
        ASSERT_TRUE(settings.save(staged + '/' + name));
    } else {
        ASSERT_TRUE(korvan::WriteTaskFile(staged + '/' + name, settings,
                                          korvan::CodeBuffer(image.begin(), image.end()),
                                          scratch + "/"));
    }
    Chip chip;
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=256k tmpfs \"$1\" || exit 77\n"
        "cp \"$2\"/* \"$1\"/ && dd if=/dev/zero of=\"$1/fill\" bs=4k 2>/dev/null\n"
        "\"$3\" download \"$1/$4\" -p \"$5\"\n"
        "echo \"rc=$?\"\n"
        "cmp -s \"$1/$4\" \"$2/$4\" && echo intact\n"
        "echo \"files: $(ls -A \"$1\" | tr '\\n' ' ')\"\n");
    QProcessEnvironment env = programEnvironment();
    env.insert("TMPDIR", scratch);
    const CliResult r =
        runCli({"-m", "sh", "-c", script, "sh", disk, staged, KORVAN_CLI_PATH, name, chip.path()},
               60000, env, unshare);
    if (r.exitCode == 77) GTEST_SKIP() << "no tmpfs here: " << r.dump();
    EXPECT_TRUE(chip.holds(image, 0)) << r.dump();
    EXPECT_TRUE(r.out.contains("rc=1")) << r.dump();
    EXPECT_TRUE(r.out.contains("intact")) << r.dump();
    const QString files = name.endsWith(".mcu") ? "code.bin fill " + name : "fill " + name;
    EXPECT_TRUE(r.out.contains("files: " + files + " \n")) << r.dump();
    const QString line = QStringLiteral("文件保存失败：") + disk + '/' + name;
    EXPECT_TRUE(r.err.contains(line)) << r.dump();
    EXPECT_TRUE(r.err.contains(QString::fromLocal8Bit(strerror(ENOSPC)))) << r.dump();
    EXPECT_TRUE(QDir(scratch).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << QDir(scratch).entryList().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(SettingsFiles, FullDisk, ::testing::Values("job.mcu", "job.mcp"),
                         [](const auto& info) {
                             return QString(info.param).replace('.', '_').toStdString();
                         });

// A database whose D1 series has a configure step list (the built-in one has none).
QString configurableDatabase() {
    QByteArray db = zel::EmbeddedDbImage();
    db.replace("[SPROC]\r\n", "[SPROC]\r\nD1=0,3,1,2,7,6,8\r\n");
    db.replace("[SPROC]\n", "[SPROC]\nD1=0,3,1,2,7,6,8\n");
    const QString file = newFolder() + "/zel.db";
    writeFile(file, db);
    return file;
}

// The chip's choice of option `number` as check reports it; -2 when it is not listed.
int checkedChoice(const CliResult& r, int number) {
    for (const QJsonObject& e : r.events) {
        if (e.value("event").toString() != "options") continue;
        for (const QJsonValue& v : e.value("options").toArray())
            if (v.toObject().value("index").toInt() == number)
                return v.toObject().value("current").toInt();
    }
    return -2;
}

// A chip that starts again after each job, so that one chip serves several runs.
zelsim::ChipOptions rebootingChip() {
    zelsim::ChipOptions o = chipOptions();
    o.rebootMs = 100;
    return o;
}

TEST(Configure, OptionWrittenByCaptionAndNumberIsReadBackByCheck) {
    const QString db = configurableDatabase();
    Chip chip(rebootingChip());
    const CliResult before = runCli({"check", "-p", chip.path(), "--db", db, "--json"});
    ASSERT_EQ(before.exitCode, 0) << before.dump();
    EXPECT_EQ(checkedChoice(before, 1), 0);
    EXPECT_EQ(checkedChoice(before, 10), 7);

    const CliResult r =
        runCli({"configure", "-p", chip.path(), "--db", db, "--option",
                QStringLiteral("MCU 时钟源=内部RC振荡器"), "--option=10=3", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_EQ(chip.chip.snapshot().counters.optionWrites, 1u);

    const CliResult after = runCli({"check", "-p", chip.path(), "--db", db, "--json"});
    ASSERT_EQ(after.exitCode, 0) << after.dump();
    EXPECT_EQ(checkedChoice(after, 1), 1);
    EXPECT_EQ(checkedChoice(after, 10), 3);
    EXPECT_EQ(checkedChoice(after, 4), checkedChoice(before, 4)) << "other options unchanged";
}

TEST(Configure, OptionsFromASettingsFile) {
    const QString db = configurableDatabase();
    const QString mcu = newFolder() + "/options.mcu";
    // The series of ZELH64AD is 7; the editor's values: two choices 1 = first, 0 = second.
    ASSERT_TRUE(writeFile(mcu, "[Option]\n7=0,,,,,,,,,2\n"));
    Chip chip(rebootingChip());
    const CliResult r =
        runCli({"configure", "-p", chip.path(), "--db", db, "--options-from", mcu, "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.dump();
    const CliResult after = runCli({"check", "-p", chip.path(), "--db", db, "--json"});
    EXPECT_EQ(checkedChoice(after, 1), 1);
    EXPECT_EQ(checkedChoice(after, 10), 2);
}

TEST(Configure, UnknownOptionIsAnInputErrorThatWritesNothing) {
    const QString db = configurableDatabase();
    Chip chip;
    const CliResult r =
        runCli({"configure", "-p", chip.path(), "--db", db, "--option", "晶振=1", "--json"});
    EXPECT_EQ(r.exitCode, 2) << r.dump();
    EXPECT_EQ(chip.chip.snapshot().counters.optionWrites, 0u);
    bool listed = false;
    for (const QString& text : r.logTexts())
        listed |= text.contains(QStringLiteral("1 MCU 时钟源"));
    EXPECT_TRUE(listed) << r.dump();
}

}  // namespace
}  // namespace e2e
