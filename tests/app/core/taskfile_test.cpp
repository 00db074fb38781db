#include "core/taskfile.h"
#include "core/gzipfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace korvan {
namespace {

IniDocument SomeSettings() {
    IniDocument doc;
    doc.write("UserSet", "MCU", "2");
    doc.write("Comm", "Send", "\"序列 AT\"");
    return doc;
}

CodeBuffer SomeCode(size_t n) {
    CodeBuffer code(n);
    for (size_t i = 0; i < n; ++i) code[i] = static_cast<uint8_t>(i * 31 + 7);
    return code;
}

TEST(TaskImage, PlainImageLayout) {
    const CodeBuffer code = SomeCode(300);
    const auto image = BuildTaskImage(SomeSettings(), code);
    ASSERT_TRUE(image);
    const IniDocument text = IniDocument::fromBytes(image->left(image->indexOf('\0')));
    EXPECT_EQ(text.read("DATA", "END", ""), "299");
    const qint64 add = text.read("DATA", "ADD", "").toLongLong();
    // ADD is the text's length right after END was written, plus 15.
    const qsizetype endLineEnd = image->indexOf("END=299\n") + 8;
    EXPECT_EQ(add, endLineEnd + 15);
    EXPECT_EQ(image->size(), add - 1 + 300);
    EXPECT_EQ(image->mid(add - 1), QByteArray(reinterpret_cast<const char*>(code.data()), 300));
    EXPECT_TRUE(
        image->mid(image->indexOf("ADD="), add - 1 - image->indexOf("ADD=")).endsWith('\0'));
}

TEST(TaskImage, EmptyBufferIsEndMinusOne) {
    const auto image = BuildTaskImage(SomeSettings(), {});
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->contains("END=-1\n"));
    const auto task = ParseTaskImage(*image);
    ASSERT_TRUE(task);
    EXPECT_TRUE(task->Code.empty());
}

TEST(TaskImage, RoundTripKeepsCodeAndSettings) {
    const CodeBuffer code = SomeCode(65536);
    const auto task = ParseTaskImage(*BuildTaskImage(SomeSettings(), code));
    ASSERT_TRUE(task);
    EXPECT_EQ(task->Code, code);
    EXPECT_EQ(task->Settings.read("Comm", "Send", ""), "序列 AT");
    EXPECT_EQ(task->Settings.read("UserSet", "MCU", ""), "2");
}

// A literal with its embedded zero bytes.
template <size_t N>
QByteArray Raw(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

struct BadImage {
    const char* name;
    QByteArray image;
};

class RefusedImages : public testing::TestWithParam<BadImage> {};

TEST_P(RefusedImages, AreRefused) {
    EXPECT_FALSE(ParseTaskImage(GetParam().image));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedImages,
    testing::Values(BadImage{"NoDataSection", "[UserSet]\nMCU=1\n"},
                    BadImage{"NoAdd", Raw("[DATA]\nEND=3\n\0\0\0\0")},
                    BadImage{"EndNotANumber", Raw("[DATA]\nEND=abc\nADD=20\n\0\0\0\0x")},
                    BadImage{"EndBeyondTheData", Raw("[DATA]\nEND=5\nADD=22\n\0\0ABC")},
                    BadImage{"EndHuge", Raw("[DATA]\nEND=9223372036854775807\nADD=9\n\0")},
                    BadImage{"EndBelowMinusOne", Raw("[DATA]\nEND=-2\nADD=1\n\0")},
                    BadImage{"AddZero", Raw("[DATA]\nEND=0\nADD=0\n\0")},
                    BadImage{"AddBeyondTheEnd", Raw("[DATA]\nEND=-1\nADD=999\n\0")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TaskImage, CodeThatOverlapsItsOwnTextIsRefused) {
    // ADD points into the text: the settings would be read from the code bytes.
    EXPECT_FALSE(ParseTaskImage(Raw("[DATA]\nEND=3\nADD=2\n\0")));
}

TEST(Gzip, StrictAboutWhatItUnpacks) {
    QByteArray plain;
    for (int i = 0; i < 100000; ++i) plain.append(static_cast<char>((i * 7919) >> 3));
    const QByteArray packed = *GzipCompress(plain, 5);
    EXPECT_EQ(*GzipDecompress(packed, 200000), plain);
    EXPECT_EQ(*GzipDecompress(packed + packed, 200000), plain + plain);    // two members
    EXPECT_FALSE(GzipDecompress(packed, 99999));                           // beyond the limit
    EXPECT_FALSE(GzipDecompress(packed.left(packed.size() - 1), 200000));  // cut short
    EXPECT_FALSE(GzipDecompress(packed + "junk", 200000));
    EXPECT_FALSE(GzipDecompress("[UserSet]\nMCU=1\n", 200000));  // not packed at all
    QByteArray damaged = packed;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    EXPECT_FALSE(GzipDecompress(damaged, 200000));
    EXPECT_FALSE(GzipDecompress({}, 10));
}

TEST(TaskFile, WrittenTaskUnpacksAndIsStandardGzip) {
    test::TempHome home;
    const QString path = home.path("job.mcp");
    const CodeBuffer code = SomeCode(4096);
    ASSERT_TRUE(WriteTaskFile(path, SomeSettings(), code, home.paths().TempPath));
    const auto task = UnpackTask(path, home.paths().TempPath);
    ASSERT_TRUE(task);
    EXPECT_TRUE(task->TempFile.startsWith(home.paths().TempPath));
    EXPECT_TRUE(task->TempFile.endsWith(".mcup"));
    EXPECT_EQ(task->Task.Code, code);
    QFile::remove(task->TempFile);
    EXPECT_TRUE(QDir(home.paths().TempPath).isEmpty());  // the plain image did not stay

    const QString gzip = QStandardPaths::findExecutable("gzip");
    if (gzip.isEmpty()) return;
    QProcess tool;
    tool.start(gzip, {"-dc", path});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_TRUE(tool.readAllStandardOutput().startsWith("[UserSet]"));
}

TEST(TaskFile, UnpackingRefusesForeignFilesWithoutLeavingScratchFiles) {
    test::TempHome home;
    const QString plain = home.write("plain.mcp", "[UserSet]\nMCU=1\n[DATA]\nEND=-1\nADD=40\n");
    EXPECT_FALSE(UnpackTask(plain, home.paths().TempPath));
    const QString foreign = home.write("foreign.mcp", *GzipCompress("hello world", 5));
    EXPECT_FALSE(UnpackTask(foreign, home.paths().TempPath));
    const QString packed = home.path("ok.mcp");
    ASSERT_TRUE(WriteTaskFile(packed, SomeSettings(), SomeCode(10), home.paths().TempPath));
    const QByteArray bytes = test::TempHome::read(packed);
    const QString truncated = home.write("cut.mcp", bytes.left(bytes.size() - 8));
    EXPECT_FALSE(UnpackTask(truncated, home.paths().TempPath));
    EXPECT_FALSE(UnpackTask(home.path("absent.mcp"), home.paths().TempPath));
    EXPECT_TRUE(QDir(home.paths().TempPath).isEmpty());
}

TEST(TaskFile, SpecialFilesAreRefusedAtOnceWithoutScratchFiles) {
    test::TempHome home;
    const QString fifo = home.path("fifo.mcp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = home.path("zero.mcp");
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(zero).constData()), 0);
    for (const QString& path : {fifo, zero}) {
        ktext::FileError error;
        EXPECT_FALSE(UnpackTask(path, home.paths().TempPath, &error));
        EXPECT_EQ(error.kind, ktext::FileError::NotRegular);
        EXPECT_FALSE(WriteTaskFile(path, SomeSettings(), SomeCode(10), home.paths().TempPath));
    }
    EXPECT_TRUE(QDir(home.paths().TempPath).isEmpty());
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

TEST(TaskFile, FailedPackingLeavesTheOldTask) {
    test::TempHome home;
    const QString path = home.path("job.mcp");
    ASSERT_TRUE(WriteTaskFile(path, SomeSettings(), SomeCode(10), home.paths().TempPath));
    const QByteArray before = test::TempHome::read(path);
    // No scratch folder to write the plain image into.
    EXPECT_FALSE(WriteTaskFile(path, SomeSettings(), SomeCode(20), home.path("no/such/")));
    EXPECT_EQ(test::TempHome::read(path), before);
}

}  // namespace
}  // namespace korvan
