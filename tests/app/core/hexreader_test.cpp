#include "core/hexreader.h"
#include "core/binreader.h"
#include "core/codeimage.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <random>

namespace korvan {
namespace {

CodeBuffer Bytes(std::initializer_list<int> values) {
    CodeBuffer out;
    for (const int v : values) out.push_back(static_cast<uint8_t>(v));
    return out;
}

TEST(IntelHex, SingleRecordAtAnOffset) {
    const CodeImage image = ReadIntelHex(":0400100001020304E2\n:00000001FF\n");
    CodeBuffer expected(16, 0);
    for (const int b : {1, 2, 3, 4}) expected.push_back(static_cast<uint8_t>(b));
    EXPECT_EQ(image.Bytes, expected);
    EXPECT_EQ(SumText(image.Sum), "0000000A");
    EXPECT_EQ(image.BadRecords, 0);
}

struct HexCase {
    const char* name;
    const char* text;
    CodeBuffer bytes;
    uint32_t sum;
    qsizetype bad;
};

class IntelHexRules : public testing::TestWithParam<HexCase> {};

TEST_P(IntelHexRules, ReadsAsTheToolChainsExpect) {
    const CodeImage image = ReadIntelHex(GetParam().text);
    EXPECT_EQ(image.Bytes, GetParam().bytes);
    EXPECT_EQ(image.Sum, GetParam().sum);
    EXPECT_EQ(image.BadRecords, GetParam().bad);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntelHexRules,
    testing::Values(
        HexCase{"BlanksAnywhere", ": 02 0000 00 AB CD 86\r\n", Bytes({0xAB, 0xCD}), 0x178, 0},
        HexCase{"EndRecordAddsNothing", ":02000000ABCD86\n:00000001FF\n", Bytes({0xAB, 0xCD}),
                0x178, 0},
        HexCase{"LaterRecordsOverwriteAndSumTwice", ":020000001122CB\n:0100010033CB\n",
                Bytes({0x11, 0x33}), 0x11 + 0x22 + 0x33, 0},
        HexCase{"NoGrowthForARecordInside", ":0400000001020304F2\n:0100010099 65\n",
                Bytes({1, 0x99, 3, 4}), 1 + 2 + 3 + 4 + 0x99, 0},
        HexCase{"ShortLineGivesZeros", ":04000000AB\n", Bytes({0xAB, 0, 0, 0}), 0xAB, 1},
        HexCase{"FieldsReadAsFarAsHex", ":02000000A G7\n", Bytes({0x0A, 0x07}), 0x11, 1},
        HexCase{"ChecksumIsNotAReasonToSkip", ":020000001122FF\n", Bytes({0x11, 0x22}), 0x33, 1},
        HexCase{"TypeIgnoredForData", ":020000071122C4\n", Bytes({0x11, 0x22}), 0x33, 0},
        HexCase{"StartAddressRecordsCarryNoCode",
                ":0400000300001234B3\n:04000005000012 34B1\n:0100000055AA\n", Bytes({0x55}), 0x55,
                0},
        HexCase{"MissingColonStillReads", "X0100000055AA\n", Bytes({0x55}), 0x55, 1},
        HexCase{"ControlOnlyLinesAreNoRecords", "\t\n\x1A\n\n\r\r", CodeBuffer{}, 0, 0},
        HexCase{"LoneCarriageReturnsSplitLines", ":0100000055AA\r:0100010066 98\r",
                Bytes({0x55, 0x66}), 0xBB, 0},
        // What many tool chains put before the code: an upper address of 0 stores nothing.
        HexCase{"LinearAddressZeroKeepsTheResetVector", ":03000000020100FA\n:020000040000FA\n",
                Bytes({0x02, 0x01, 0x00}), 0x03, 0},
        HexCase{"AddressRecordsOfOnlyZeroStoreNothing",
                ":020000040000FA\n:020000020000FC\n:00000001FF\n", CodeBuffer{}, 0, 0},
        HexCase{"LinearAddressBackToZero",
                ":020000040000FA\n:0100100011DE\n:020000040000FA\n:0100000022DD\n",
                Bytes({0x22, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x11}), 0x33, 0}));

// `bytes` at `address` with zeros before them.
CodeBuffer At(size_t address, std::initializer_list<int> bytes) {
    CodeBuffer out(address, 0);
    for (const int b : bytes) out.push_back(static_cast<uint8_t>(b));
    return out;
}

TEST(IntelHex, ExtendedAddressesMoveTheRecordsAfterThem) {
    struct Case {
        const char* name;
        const char* text;
        CodeBuffer bytes;
    };
    const Case cases[] = {
        {"linear 0001: data at 0x10000", ":020000040001F9\n:0100000055AA\n", At(0x10000, {0x55})},
        {"segment 1000: data at 0x10000", ":020000021000EC\n:0100000055AA\n", At(0x10000, {0x55})},
        {"segment 0001: data at 0x10", ":020000020001FB\n:0100000055AA\n", At(0x10, {0x55})},
        {"address plus base", ":020000040001F9\n:0100200055 8A\n", At(0x10020, {0x55})},
        {"blanks in the address record", ": 02 0000 04 0001 F9\n:0100000055AA\n",
         At(0x10000, {0x55})},
    };
    for (const Case& c : cases) {
        const CodeImage image = ReadIntelHex(c.text);
        EXPECT_EQ(image.Bytes, c.bytes) << c.name;
        EXPECT_EQ(image.Sum, 0x55u) << c.name;
        EXPECT_EQ(image.BadRecords, 0) << c.name;
    }
}

TEST(IntelHex, PiecesSplitAnywhereReadAsTheWhole) {
    const QByteArray text =
        ":0400100001020304E2\r\n: 01 0001 00 33 CB\r:04000000AB\n\n:0100000055AA";
    const CodeImage whole = ReadIntelHex(text);
    for (qsizetype a = 0; a <= text.size(); ++a) {
        for (qsizetype b = a; b <= text.size(); b += 3) {
            IntelHexReader reader;
            reader.feed(QByteArrayView(text).first(a));
            reader.feed(QByteArrayView(text).sliced(a, b - a));
            reader.feed(QByteArrayView(text).sliced(b));
            const CodeImage pieces = reader.finish();
            ASSERT_EQ(pieces.Bytes, whole.Bytes) << a << " " << b;
            ASSERT_EQ(pieces.Sum, whole.Sum);
            ASSERT_EQ(pieces.BadRecords, whole.BadRecords);
            ASSERT_EQ(pieces.FirstBadLine, whole.FirstBadLine) << a << " " << b;
        }
    }
}

// What the user is told about a damaged file: where the first bad record is, and whether the
// file ends as a HEX file must.
TEST(IntelHex, FirstBadLineAndEndRecord) {
    struct Case {
        const char* name;
        const char* text;
        qsizetype firstBadLine;
        bool endSeen;
    };
    const Case cases[] = {
        {"whole file", ":0100000055AA\n:00000001FF\n", 0, true},
        {"cut short", ":0100000055AA\n:0100010066 98\n", 0, false},
        {"bad checksum on line 3", ":0100000055AA\n\n:0100010066FF\n:00000001FF\n", 3, true},
        {"CRLF counts once", ":0100000055AA\r\n:0100010066FF\r\n:00000001FF\r\n", 2, true},
        {"lone CR splits lines", ":0100000055AA\r:0100010066FF\r", 2, false},
        {"end record with a bad checksum is still an end", ":00000001FE\n", 1, true},
        {"blanks in the end record", ": 00 0000 01 FF\n", 0, true},
        {"text with 01 at the type field is no end", "x0000000101\n", 1, false},
    };
    for (const Case& c : cases) {
        const CodeImage image = ReadIntelHex(c.text);
        EXPECT_EQ(image.FirstBadLine, c.firstBadLine) << c.name;
        EXPECT_EQ(image.EndRecordSeen, c.endSeen) << c.name;
    }
}

TEST(IntelHex, AHugeLineIsCutNotHeld) {
    IntelHexReader reader;
    reader.feed(":0100000055AA");
    for (int i = 0; i < 100; ++i) reader.feed(QByteArray(100000, ' ') + "77");
    reader.feed("\n");
    const CodeImage image = reader.finish();
    EXPECT_EQ(image.Bytes, Bytes({0x55}));
    EXPECT_EQ(image.BadRecords, 1);  // the digits after the record make it too long
}

TEST(IntelHex, TopOfTheAddressSpace) {
    QByteArray line = ":FFFFFF00";
    for (int i = 0; i < 255; ++i) line += "01";
    line += "00\n";
    const CodeImage image = ReadIntelHex(line);
    EXPECT_EQ(image.Bytes.size(), 65790u);
    EXPECT_EQ(image.Sum, 255u);
}

TEST(IntelHex, FilesThatAreNotHexAreRefused) {
    test::TempHome home;
    QByteArray elf(
        "\x7F"
        "ELF\x02\x01\x01",
        7);
    elf += QByteArray(200, '\0');
    QByteArray random;
    std::mt19937 rng(7);
    for (int i = 0; i < 4096; ++i) random.append(static_cast<char>(rng()));
    struct Case {
        const char* name;
        QByteArray content;
        LoadError error;
    };
    const Case cases[] = {
        {"a README", "# KORVAN\n\nDownloads code: see :here for more.\n", LoadError::NoRecords},
        {"an ELF file", elf, LoadError::NoRecords},
        {"random bytes", random, LoadError::NoRecords},
        {"a megabyte of A", QByteArray(1 << 20, 'A'), LoadError::NoRecords},
        {"data beyond 16 MB", ":02000004FFFFFC\n:0100000055AA\n", LoadError::TooLarge},
        {"only the end record", ":00000001FF\n", LoadError::None},
        {"checksums all wrong, still HEX", ":0100000055AB\n:00000001FE\n", LoadError::None},
    };
    for (const Case& c : cases) {
        LoadError error = LoadError::None;
        const auto image = ReadIntelHexFile(home.write("f.hex", c.content), &error);
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(image.has_value(), c.error == LoadError::None) << c.name;
    }
}

TEST(IntelHex, ZeroByteFileCountsAsMissing) {
    test::TempHome home;
    LoadError error = LoadError::None;
    EXPECT_FALSE(ReadIntelHexFile(home.write("empty.hex", ""), &error));
    EXPECT_EQ(error, LoadError::NotUsable);
    EXPECT_FALSE(ReadIntelHexFile(home.path("absent.hex"), &error));
    EXPECT_EQ(error, LoadError::NotUsable);
    const auto image = ReadIntelHexFile(home.write("a.hex", ":0100000055AA\n"), &error);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Bytes, Bytes({0x55}));
}

TEST(BinaryFile, EveryByteAtItsOffsetAndSummed) {
    test::TempHome home;
    QByteArray data;
    for (int i = 0; i < 1000; ++i) data.append(static_cast<char>(i * 7));
    const auto image = ReadBinaryFile(home.write("a.bin", data));
    ASSERT_TRUE(image);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(image->Bytes.data()), 1000), data);
    uint32_t sum = 0;
    for (const char c : data) sum += static_cast<uint8_t>(c);
    EXPECT_EQ(image->Sum, sum);
}

TEST(BinaryFile, RefusesFilesTooLargeForAnyChip) {
    test::TempHome home;
    const QString path = home.path("huge.bin");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kMaxCodeFileSize + 1));  // sparse: no disk space used
    file.close();
    LoadError error = LoadError::None;
    EXPECT_FALSE(ReadBinaryFile(path, &error));
    EXPECT_EQ(error, LoadError::TooLarge);

    ASSERT_TRUE(file.resize(kMaxCodeFileSize));
    const auto image = ReadBinaryFile(path, &error);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Bytes.size(), static_cast<size_t>(kMaxCodeFileSize));
}

QByteArray Record(int type, int address, const QByteArray& data) {
    QByteArray record;
    record.append(static_cast<char>(data.size()));
    record.append(static_cast<char>(address >> 8));
    record.append(static_cast<char>(address & 0xFF));
    record.append(static_cast<char>(type));
    record += data;
    uint8_t sum = 0;
    for (const char c : record) sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
    record.append(static_cast<char>(-sum));
    return ':' + record.toHex().toUpper() + "\r\n";
}

// Random files of data records with overlaps, gaps and every record length, as the tool
// chains write them (valid checksums, one end record). With `addressType` 02 or 04, extended
// address records now and then move the records after them (upper addresses kept small, so
// the image stays a few hundred KB).
QByteArray RandomHexFile(std::mt19937& rng, int addressType = 0) {
    std::uniform_int_distribution<int> records(1, 120), length(1, 32), byte(0, 255), upper(0, 3);
    const int span = std::uniform_int_distribution<int>(64, 0xFFFF - 64)(rng);
    std::uniform_int_distribution<int> address(0, span);
    QByteArray text;
    for (int r = records(rng); r > 0; --r) {
        if (addressType != 0 && r % 17 == 0) {
            const int base = addressType == 2 ? upper(rng) * 0x1000 : upper(rng);
            text += Record(addressType, 0, QByteArray(1, char(base >> 8)) + char(base & 0xFF));
        }
        QByteArray data;
        for (int i = length(rng); i > 0; --i) data.append(static_cast<char>(byte(rng)));
        text += Record(0, address(rng), data);
    }
    return text + ":00000001FF\r\n";
}

TEST(IntelHex, ReadsTheSameBytesAsSrecCat) {
    const QString srecCat = QStandardPaths::findExecutable("srec_cat");
    if (srecCat.isEmpty()) GTEST_SKIP() << "srec_cat (package srecord) is not installed";
    test::TempHome home;
    std::mt19937 rng(20091207);
    for (int file = 0; file < 90; ++file) {
        const int addressType = file < 30 ? 0 : file < 60 ? 2 : 4;
        const QString hex = home.write("r.hex", RandomHexFile(rng, addressType));
        const QString bin = home.path("r.bin");
        QFile::remove(bin);
        QProcess tool;
        tool.start(srecCat, {"-multiple", hex, "-intel", "-o", bin, "-binary"});
        ASSERT_TRUE(tool.waitForFinished(30000));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
        const QByteArray expected = test::TempHome::read(bin);
        const auto image = ReadIntelHexFile(hex);
        ASSERT_TRUE(image);
        const QByteArray actual(reinterpret_cast<const char*>(image->Bytes.data()),
                                static_cast<qsizetype>(image->Bytes.size()));
        ASSERT_EQ(actual.size(), expected.size()) << "file " << file;
        ASSERT_TRUE(actual == expected) << "file " << file;
        EXPECT_EQ(image->BadRecords, 0);
    }
}

}  // namespace
}  // namespace korvan
