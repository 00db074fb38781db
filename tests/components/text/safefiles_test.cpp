// Reading only regular files with a bound, and replacing files so that a failed save leaves
// the old file as it was and nothing beside it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "atomicsave.h"
#include "regularfile.h"

namespace {

using ktext::FileError;

QByteArray ReadBack(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// What a save may leave in a folder: the files the test put there, nothing else.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

struct ReadCase {
    const char* name;
    FileError::Kind expected;
    // Makes the file at `path` (in a fresh folder); nothing for a missing file.
    void (*make)(const QString& path);
};

class RegularFileReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RegularFileReads, RefuseAnythingButABoundedRegularFileWithoutBlocking) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Config.ini");
    if (GetParam().make) GetParam().make(path);
    FileError error;
    const auto bytes = ktext::ReadRegularFile(path, 64, &error);
    if (GetParam().expected == FileError::None) {
        ASSERT_TRUE(bytes) << error.kind;
        EXPECT_EQ(*bytes, QByteArray(64, 'x'));
    } else {
        EXPECT_FALSE(bytes);
        EXPECT_EQ(error.kind, GetParam().expected);
        EXPECT_EQ(error.path, path);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RegularFileReads,
    ::testing::Values(ReadCase{"AtTheBound", FileError::None,
                               [](const QString& p) { Write(p, QByteArray(64, 'x')); }},
                      ReadCase{"LinkToAFile", FileError::None,
                               [](const QString& p) {
                                   Write(p + ".real", QByteArray(64, 'x'));
                                   ASSERT_EQ(::symlink(QFile::encodeName(p + ".real").constData(),
                                                       QFile::encodeName(p).constData()),
                                             0);
                               }},
                      ReadCase{"Missing", FileError::Missing, nullptr},
                      ReadCase{"OneByteTooMany", FileError::TooLarge,
                               [](const QString& p) { Write(p, QByteArray(65, 'x')); }},
                      // Without a writer, opening a FIFO for reading blocks for ever.
                      ReadCase{"Fifo", FileError::NotRegular,
                               [](const QString& p) {
                                   ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
                               }},
                      ReadCase{"LinkToDevZero", FileError::NotRegular,
                               [](const QString& p) {
                                   ASSERT_EQ(
                                       ::symlink("/dev/zero", QFile::encodeName(p).constData()), 0);
                               }},
                      ReadCase{"Folder", FileError::NotRegular,
                               [](const QString& p) { ASSERT_TRUE(QDir().mkpath(p)); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Injected system calls: the failures a full disk or a failing device produce.
int g_writes = 0;
ssize_t NoSpace(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}
ssize_t ShortThenNoSpace(int fd, const void* data, size_t size) {
    if (g_writes++ == 0) return ::write(fd, data, size / 2);
    errno = ENOSPC;
    return -1;
}
ssize_t TakesNothing(int, const void*, size_t) {
    return 0;
}
int FsyncFails(int) {
    errno = EIO;
    return -1;
}

struct FaultCase {
    const char* name;
    ktext::SaveSystemCalls calls;
    int errorNumber;
};

class SaveFaults : public ::testing::TestWithParam<FaultCase> {
  protected:
    void TearDown() override { ktext::SetSaveSystemCallsForTest(nullptr); }
};

TEST_P(SaveFaults, LeaveTheOldFileAndNoTemporaryFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("job.mcu");
    const QByteArray old = "[AddData]\nData=41\n";
    Write(path, old);
    g_writes = 0;
    ktext::SetSaveSystemCallsForTest(&GetParam().calls);
    FileError error;
    EXPECT_FALSE(ktext::SaveFileAtomically(path, QByteArray(10000, 'n'), &error));
    ktext::SetSaveSystemCallsForTest(nullptr);
    EXPECT_EQ(error.kind, FileError::WriteFailed);
    EXPECT_EQ(error.errorNumber, GetParam().errorNumber);
    EXPECT_EQ(error.path, path);
    EXPECT_FALSE(error.systemText().isEmpty());
    EXPECT_EQ(ReadBack(path), old);
    EXPECT_EQ(Entries(dir.path()), QStringList{"job.mcu"});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveFaults,
    ::testing::Values(FaultCase{"WriteNoSpace", {NoSpace, nullptr}, ENOSPC},
                      FaultCase{"ShortWriteThenNoSpace", {ShortThenNoSpace, nullptr}, ENOSPC},
                      FaultCase{"WriteTakesNothing", {TakesNothing, nullptr}, ENOSPC},
                      FaultCase{"FsyncFails", {nullptr, FsyncFails}, EIO}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicSave, ReplacesKeepingPermissionsAndWritesThroughALink) {
    QTemporaryDir dir;
    const QString real = dir.filePath("real.ini");
    Write(real, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    const QString link = dir.filePath("Config.ini");
    ASSERT_EQ(::symlink("real.ini", QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(ktext::SaveFileAtomically(link, "new"));
    EXPECT_EQ(ReadBack(real), "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(dir.path()), (QStringList{"Config.ini", "real.ini"}));
}

TEST(AtomicSave, CreatesTheFolderAndRefusesToReplaceAFifo) {
    QTemporaryDir dir;
    const QString fresh = dir.filePath("new/folder/registry.ini");
    EXPECT_TRUE(ktext::SaveFileAtomically(fresh, "x"));
    EXPECT_EQ(ReadBack(fresh), "x");
    const QString fifo = dir.filePath("LCK");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FileError error;
    EXPECT_FALSE(ktext::SaveFileAtomically(fifo, "x", &error));
    EXPECT_EQ(error.kind, FileError::NotRegular);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

}  // namespace
