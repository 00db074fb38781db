// A save that fails (a full disk) leaves the old file byte for byte, leaves no temporary file,
// and says which file and why, for Config.ini, a .mcu and a .mcp alike. The serial number goes
// back into its file alone, into the file as it is on disk now.
#include "atomicsave.h"
#include "core/codeworkspace.h"
#include "core/serialwriteback.h"
#include "core/taskfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <functional>

namespace korvan {
namespace {

ssize_t NoSpace(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}
const ktext::SaveSystemCalls kFullDisk{NoSpace, nullptr};

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

IniDocument TaskSettings(qint64 next) {
    IniDocument doc;
    doc.write("UserSet", "MCU", "2");
    doc.write("AddData", "Open", "1");
    doc.write("AddData", "Data", QString::number(next));
    doc.write("Customer", "Order", "\"A-17\"");
    return doc;
}

// The saves of one kind of file. `open` runs before the disk fills up, `save` after.
struct SaveCase {
    const char* name;
    const char* file;
    void (*open)(CodeWorkspace& workspace, const QString& path);
    bool (*save)(CodeWorkspace& workspace, const QString& path);
};

void OpenNothing(CodeWorkspace&, const QString&) {}
void OpenWithIncrement(CodeWorkspace& w, const QString& path) {
    w.OpenCodeFile(path, false);
    w.updateSettings([](UserSettings& s) { s.IncOpen = true; });
}
bool SaveSettings(CodeWorkspace& w, const QString& path) {
    return w.SaveUserSettings(path);
}
bool SaveFile(CodeWorkspace& w, const QString& path) {
    return w.SaveSettingsFile(path);
}
bool SaveSerial(CodeWorkspace& w, const QString&) {
    // A task takes its number at exit, anything else at once.
    return w.AdvanceSerialNumber() && w.SaveOnExit();
}

const SaveCase kSaveCases[] = {
    {"ConfigIni", "Config.ini", OpenNothing, SaveSettings},
    {"Mcu", "job.mcu", OpenNothing, SaveFile},
    {"Mcp", "job.mcp", OpenNothing, SaveFile},
    {"SerialIntoMcu", "job.mcu", OpenWithIncrement, SaveSerial},
    {"SerialIntoMcp", "job.mcp", OpenWithIncrement, SaveSerial},
};

// Puts an old file in place, lets `breakDisk` make every write fail, saves, and checks what is
// left: the old bytes, no temporary file in the folder or the scratch folder, and the message.
void CheckFailedSave(const SaveCase& c, const QString& folder, const QString& scratch,
                     const std::function<void()>& breakDisk) {
    AppPaths paths;
    paths.AppPath = folder + '/';
    paths.TempPath = scratch + '/';
    paths.RegistryFile = folder + "/registry.ini";
    const QString path = folder + '/' + c.file;
    if (QString(c.file).endsWith(".mcp")) {
        ASSERT_TRUE(WriteTaskFile(path, TaskSettings(41), CodeBuffer(300, 0x5A), scratch + '/'));
    } else {
        ASSERT_TRUE(TaskSettings(41).save(path));
    }
    CodeWorkspace workspace(paths);
    c.open(workspace, path);
    const QByteArray before = test::TempHome::read(path);
    const QStringList entries = Entries(folder);

    breakDisk();
    const bool saved = c.save(workspace, path);
    ktext::SetSaveSystemCallsForTest(nullptr);

    EXPECT_FALSE(saved);
    EXPECT_EQ(test::TempHome::read(path), before);
    EXPECT_EQ(Entries(folder), entries);
    EXPECT_TRUE(Entries(scratch).isEmpty()) << Entries(scratch).join(' ').toStdString();
    const auto failure = workspace.saveFailure();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Style, 12);
    EXPECT_TRUE(failure->Text.startsWith(msg::kSaveFailed)) << failure->Text.toStdString();
    EXPECT_TRUE(failure->Text.contains(path)) << failure->Text.toStdString();
    EXPECT_TRUE(failure->Text.contains(QString::fromLocal8Bit(strerror(ENOSPC))))
        << failure->Text.toStdString();
}

class FailedSaves : public ::testing::TestWithParam<SaveCase> {};

TEST_P(FailedSaves, KeepTheOldFileAndSaySo) {
    test::TempHome home;
    CheckFailedSave(GetParam(), home.paths().AppPath.chopped(1), home.paths().TempPath.chopped(1),
                    [] { ktext::SetSaveSystemCallsForTest(&kFullDisk); });
}

INSTANTIATE_TEST_SUITE_P(Files, FailedSaves, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The same on a real full disk: a small tmpfs, mounted in a mount namespace of its own so that
// nothing outside the test sees it. It needs root; elsewhere the injected failure covers it.
const char* const kFullDiskFolder = "KORVAN_TEST_FULL_DISK";

TEST(FullDisk, SavesFailCleanlyOnARealFullTmpfs) {
    if (::getuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty()) GTEST_SKIP() << "no unshare";
    // A container may forbid new mount namespaces even to root: nothing to test there.
    if (QProcess::execute(unshare, {"-m", "true"}) != 0) GTEST_SKIP() << "no mount namespace";
    test::TempHome home;
    const QString mountPoint = home.path("disk");
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=512k tmpfs \"$1\" || exit 77; "
        "exec \"$2\" --gtest_filter=FullDiskInside.*");
    QProcess inner;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kFullDiskFolder, mountPoint);
    inner.setProcessEnvironment(env);
    inner.setProcessChannelMode(QProcess::MergedChannels);
    inner.start(unshare, {"-m", "sh", "-c", script, "sh", mountPoint,
                          QFileInfo("/proc/self/exe").symLinkTarget()});
    ASSERT_TRUE(inner.waitForFinished(120000));
    const QByteArray output = inner.readAll();
    if (inner.exitCode() == 77) GTEST_SKIP() << "no tmpfs here: " << output.toStdString();
    EXPECT_EQ(inner.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

// Runs only inside the namespace that SavesFailCleanlyOnARealFullTmpfs makes.
TEST(FullDiskInside, EverySaveFailsCleanly) {
    const QString disk = qEnvironmentVariable(kFullDiskFolder);
    if (disk.isEmpty()) GTEST_SKIP() << "run by FullDisk.SavesFailCleanlyOnARealFullTmpfs";
    for (const SaveCase& c : kSaveCases) {
        SCOPED_TRACE(c.name);
        const QString folder = disk + '/' + c.name;
        const QString scratch = folder + "-tmp";
        const QString filler = folder + "-fill";
        ASSERT_TRUE(QDir().mkpath(folder) && QDir().mkpath(scratch));
        CheckFailedSave(c, folder, scratch, [&filler] {
            QFile file(filler);
            if (!file.open(QIODevice::WriteOnly)) return;
            const QByteArray block(4096, 'f');
            while (file.write(block) == block.size() && file.flush()) {
            }
        });
        QFile::remove(filler);
    }
}

TEST(SerialWriteBack, ChangesOnlyTheNumberInTheFileAsItIsNow) {
    test::TempHome home;
    const CodeBuffer oldCode(200, 0x11), newCode(260, 0x22);
    // A task replaced on disk after it was read keeps its new code and its own sections.
    const QString task = home.path("job.mcp");
    ASSERT_TRUE(WriteTaskFile(task, TaskSettings(41), newCode, home.paths().TempPath));
    ASSERT_TRUE(WriteBackSerialNumber(task, 42, home.paths().TempPath));
    const auto unpacked = UnpackTask(task, home.paths().TempPath);
    ASSERT_TRUE(unpacked);
    QFile::remove(unpacked->TempFile);
    EXPECT_EQ(unpacked->Task.Code, newCode);
    const IniDocument& got = unpacked->Task.Settings;
    EXPECT_EQ(got.sectionNames(), (QStringList{"UserSet", "AddData", "Customer", "DATA"}));
    EXPECT_EQ(got.keys("UserSet"), QStringList{"MCU"});
    EXPECT_EQ(got.read("AddData", "Data", ""), "42");
    EXPECT_EQ(got.read("Customer", "Order", ""), "A-17");

    const QString mcu = home.write("job.mcu", "; kept\n[Customer]\nOrder=7\n[AddData]\nData=5\n");
    ASSERT_TRUE(WriteBackSerialNumber(mcu, 6, home.paths().TempPath));
    EXPECT_EQ(test::TempHome::read(mcu), "; kept\n[Customer]\nOrder=7\n[AddData]\nData=6\n");
    EXPECT_TRUE(QDir(home.paths().TempPath).isEmpty());
}

}  // namespace
}  // namespace korvan
