#include "core/datatext.h"
#include "core/datetimeformat.h"
#include "core/increment.h"
#include "core/sizetext.h"
#include "core/textcodec.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

// Monday 7 December 2009, 08:05:09.
const QDateTime kMonday(QDate(2009, 12, 7), QTime(8, 5, 9));

Bytes Hex(const char* text) {
    Bytes out;
    for (const QByteArray& item : QByteArray(text).split(' ')) {
        if (!item.isEmpty()) out.push_back(static_cast<uint8_t>(item.toUInt(nullptr, 16)));
    }
    return out;
}

struct TextCase {
    const char* text;
    qint64 serial;
    const char* bytes;
};

class DataText : public testing::TestWithParam<TextCase> {};

TEST_P(DataText, CompilesToBytes) {
    const DataTextContext context{GetParam().serial, kMonday};
    EXPECT_EQ(ParseDataText(QString::fromUtf8(GetParam().text), context), Hex(GetParam().bytes))
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DataText,
    testing::Values(TextCase{"", 0, ""}, TextCase{"46 B9 6A", 0, "46 B9 6A"},
                    TextCase{"46,B9,,6A", 0, "46 B9 6A"}, TextCase{"#100L2", 0, "00 64"},
                    TextCase{"%NL3", 5, "00 00 05"}, TextCase{"%N", 0x01020304, "01 02 03 04"},
                    TextCase{"%N", 999999999, "3B 9A C9 FF"}, TextCase{"%N10", 5, "00 00 00 0F"},
                    TextCase{"%n-1L2", 5, "00 04"}, TextCase{"12 34 %F", 0, "12 34 26"},
                    TextCase{"A1 %C %F1", 0, "A1 03 A4"}, TextCase{"$AB", 0, "41 42"},
                    TextCase{"$HELLO", 0, "48 45 4C 4C 4F"},  // "$" ignores the length letter
                    TextCase{"@101", 0, "05"}, TextCase{"@11111111L2", 0, "00 FF"},
                    TextCase{"@10x1", 0, "09"}, TextCase{"#255L1", 0, "FF"},
                    TextCase{"#256L1", 0, "00"}, TextCase{"#300", 0, "01 2C"},
                    TextCase{"#12abc", 0, "0C"}, TextCase{"#", 0, "00"},
                    TextCase{"ABC", 0, "0A BC"}, TextCase{"0001", 0, "00 01"},
                    TextCase{"12345678", 0, "12 34 56 78"}, TextCase{"123456789", 0, ""},
                    TextCase{"XYZ 7", 0, "07"}, TextCase{"1L3", 0, "00 00 01"},
                    TextCase{"123456L1", 0, "56"}, TextCase{"%Q %", 0, ""}, TextCase{"%1", 0, ""}));

INSTANTIATE_TEST_SUITE_P(
    Clock, DataText,
    testing::Values(TextCase{"%D", 0, "09 0C 07"}, TextCase{"%T", 0, "08 05 09"},
                    TextCase{"%Dyyyymmdd", 0, "14 09 0C 07"},
                    TextCase{"%Dyyyy-mm-dd", 0, "14 09 0C 07"},  // separators dropped
                    TextCase{"%Thh:mm", 0, "08 05"}, TextCase{"%Dyy", 0, "09"},
                    TextCase{"%DL4", 0, "00 09 0C 07"}, TextCase{"%W", 0, "01"},
                    TextCase{"%WL2", 0, "00 01"}, TextCase{"%dmm%", 0, "0C"}));

INSTANTIATE_TEST_SUITE_P(
    Checks, DataText,
    testing::Values(
        // Each group restarts the check value; the check type carries on until changed.
        TextCase{"01 02 %F; 04 %F", 0, "01 02 03 04 04"},
        TextCase{"01 02 %F1; 05 07 %F", 0, "01 02 03 05 07 02"},
        TextCase{"01 %F1; %C", 0, "01 04 03"},  // the sum type still corrects the count
        TextCase{"01 03 %F 1 ; 10 %F", 0, "01 03 04 01 10 10"},  // "%F 1": blanks ignored
        TextCase{"%C 01 02 %F", 0, "04 01 02 07"},               // XOR corrected by the count
        TextCase{"%C %C 05", 0, "00 03 05"},                     // the last count position wins
        TextCase{"%F2 01 %C", 0, "00 01 03"},                    // other types: no check
        TextCase{"%FL3 %CL5 01", 0, "03 03 01"},                 // F and C are one byte
        TextCase{"%F 05 %F", 0, "00 05 00"}));                   // " 05" makes the type 5

TEST(DataText, CountAbove255LeavesTheCountZero) {
    QString text = "%C %F1";
    for (int i = 0; i < 300; ++i) text += " 01";
    const Bytes bytes = ParseDataText(text, {0, kMonday});
    ASSERT_EQ(bytes.size(), 302u);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 0);  // the check of the bytes before it, uncorrected
}

TEST(DataText, DollarTextUsesTheChineseCodePage) {
    const Bytes bytes = ParseDataText(QStringLiteral("$序A😀"), {0, kMonday});
    const QByteArray expected = EncodeGbk(QStringLiteral("序A😀"));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                         static_cast<qsizetype>(bytes.size())),
              expected);
    EXPECT_EQ(bytes.size(), 4u);  // 2 bytes, "A", and "?" for what GBK cannot hold
    EXPECT_EQ(bytes.back(), '?');
}

TEST(DataText, HugeLengthsAreBounded) {
    EXPECT_EQ(ParseDataText("1L99999999999", {0, kMonday}).size(),
              static_cast<size_t>(kMaxItemLength));
    QString text;
    for (int i = 0; i < 300; ++i) text += "1L4096 ";
    EXPECT_EQ(ParseDataText(text, {0, kMonday}).size(), kMaxDataTextBytes);
}

// Count and check bytes that no longer fit are dropped like any other byte; the count
// correction must not write past the bytes produced.
TEST(DataText, CountAndCheckBeyondTheBoundAreDropped) {
    QString full;
    for (int i = 0; i < 256; ++i) full += "#0L4096 ";
    for (const char* tail : {"%C", "%F %C", "%C %F1"}) {
        const Bytes bytes = ParseDataText(full + tail, {0, kMonday});
        ASSERT_EQ(bytes.size(), kMaxDataTextBytes) << tail;
        EXPECT_EQ(bytes.back(), 0) << tail;
    }
    // Within the bound, the count still lands on its own byte.
    const Bytes small = ParseDataText("01 02 %C %F", {0, kMonday});
    EXPECT_EQ(small, Hex("01 02 04 07"));
}

TEST(DataText, SundayIsSeven) {
    EXPECT_EQ(ParseDataText("%W", {0, QDateTime(QDate(2009, 12, 6), QTime(0, 0))}), Hex("07"));
}

TEST(DateTimeFormat, MinutesOrMonth) {
    EXPECT_EQ(FormatDateTime(kMonday, "yymmdd"), "091207");
    EXPECT_EQ(FormatDateTime(kMonday, "hhmmss"), "080509");
    EXPECT_EQ(FormatDateTime(kMonday, "mm:ss"), "05:09");
    EXPECT_EQ(FormatDateTime(kMonday, "h:n:s m/d/yyyy"), "8:5:9 12/7/2009");
    EXPECT_EQ(FormatDateTime(kMonday, "w q"), "2 4");
}

TEST(BytesToText, FormsAndRanges) {
    const Bytes bytes = Hex("0A FF 12");
    EXPECT_EQ(BytesToText(bytes, " ", 0, -1, true), "0A FF 12");
    EXPECT_EQ(BytesToText(bytes, ",", 1, 99, false), "#255,#018");
    EXPECT_EQ(BytesToText(bytes, "", 1, 1, true), "FF");
    EXPECT_EQ(BytesToText({}, " ", 0, -1, true), "");
    EXPECT_EQ(BytesToText(bytes, " ", 3, -1, true), "");
}

TEST(Increment, PreviewAndCount) {
    UserSettings s;
    s.IncFormat = "%NL3 #18";
    s.IncNext = 5;
    s.IncAddress = 0x1FF0;
    const IncrementData hex = IncrementBytes(s, true, kMonday);
    EXPECT_EQ(hex.Data, Hex("00 00 05 12"));
    EXPECT_EQ(hex.Address, 0x1FF0);
    EXPECT_EQ(hex.Preview, "00 00 05 12");
    EXPECT_EQ(hex.CountLabel, "4 Bytes");
    EXPECT_EQ(IncrementBytes(s, false, kMonday).Preview, "#000 #000 #005 #018");
}

TEST(Increment, SerialNumberWraps) {
    EXPECT_EQ(NextSerialNumber(0), 1);
    EXPECT_EQ(NextSerialNumber(41), 42);
    EXPECT_EQ(NextSerialNumber(999999998), 999999999);
    EXPECT_EQ(NextSerialNumber(999999999), 1);
    EXPECT_EQ(NextSerialNumber(5000000000), 1);
}

struct SizeCase {
    qint64 value;
    const char* text;
};

class SizeText : public testing::TestWithParam<SizeCase> {};

TEST_P(SizeText, Formats) {
    EXPECT_EQ(FormatSize(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, SizeText,
                         testing::Values(SizeCase{0, "0 B"}, SizeCase{1023, "1023 B"},
                                         SizeCase{1024, "1.0 KB"}, SizeCase{1536, "1.5 KB"},
                                         SizeCase{-512, "-512 B"}, SizeCase{-1024, "-1.0 KB"},
                                         SizeCase{65536, "64.0 KB"}, SizeCase{65790, "64.2 KB"}));

TEST(ShowSizes, ChipBoxesOnlyWithAKnownFlashSize) {
    const SizeTexts none = ShowSizes(20, 0);
    EXPECT_EQ(none.CodeSize, "20 B");
    EXPECT_FALSE(none.ChipSpace);
    const SizeTexts tight = ShowSizes(8704, 8192);
    EXPECT_EQ(*tight.ChipSpace, "8.0 KB");
    EXPECT_EQ(*tight.FreeSpace, "-512 B");
}

}  // namespace
}  // namespace korvan
