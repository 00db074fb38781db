#include "views/receivedecoder.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

struct SplitCase {
    const char* name;
    ReceiveEncoding encoding;
    QByteArray bytes;
    QString text;
};

class ReceiveSplitTest : public ::testing::TestWithParam<SplitCase> {};

// Every split point of the stream gives the same text, and nothing shows before its bytes
// are complete.
TEST_P(ReceiveSplitTest, ACharacterSplitAcrossReadsIsNeverGarbled) {
    const SplitCase& c = GetParam();
    for (qsizetype cut = 0; cut <= c.bytes.size(); ++cut) {
        ReceiveDecoder decoder(c.encoding);
        const QString first = decoder.decode(QByteArrayView(c.bytes).first(cut));
        const QString second = decoder.decode(QByteArrayView(c.bytes).sliced(cut));
        EXPECT_EQ(first + second, c.text) << "cut at " << cut;
        EXPECT_FALSE(first.contains(QChar::ReplacementCharacter)) << "cut at " << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ReceiveSplitTest,
    ::testing::Values(SplitCase{"utf8", ReceiveEncoding::Utf8,
                                QByteArray("A\xe4\xbd\xa0\xe5\xa5\xbd!\r\n"),
                                QString::fromUtf8("A你好!\r\n")},
                      SplitCase{"gbk", ReceiveEncoding::Gbk, QByteArray("A\xc4\xe3\xba\xc3!\r\n"),
                                QString::fromUtf8("A你好!\r\n")},
                      // The trail byte 0x81 of the first character looks like a lead byte.
                      SplitCase{"gbk_trail_like_lead", ReceiveEncoding::Gbk,
                                QByteArray("\x81\x81\x41"), QString(QChar(0x4E96)) + "A"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReceiveDecoderTest, SwitchingTheEncodingDropsAHeldHalf) {
    ReceiveDecoder decoder(ReceiveEncoding::Gbk);
    EXPECT_EQ(decoder.decode(QByteArray("\xc4")), "");
    decoder.setEncoding(ReceiveEncoding::Utf8);
    EXPECT_EQ(decoder.decode(QByteArray("ok")), "ok");
}

TEST(HexReceivedTest, EachByteIsTwoDigitsAndABlank) {
    EXPECT_EQ(HexReceived(QByteArray("\x41\x0d", 2)), "41 0D ");
    EXPECT_EQ(HexReceived(QByteArray("\x00\xff", 2)), "00 FF ");
    EXPECT_EQ(HexReceived(QByteArray()), "");
}

TEST(ReceiveBoxTest, OverflowsOnlyPastTheLimit) {
    EXPECT_FALSE(ReceiveBoxOverflows(kReceiveBoxLimit - 3, 3));
    EXPECT_TRUE(ReceiveBoxOverflows(kReceiveBoxLimit - 3, 4));
    EXPECT_FALSE(ReceiveBoxOverflows(0, 0));
}

TEST(ReceiveBoxTest, AnEmptiedBoxShowsTheNewestText) {
    EXPECT_EQ(ReceiveBoxTail("abc"), "abc");
    const QString hex = HexReceived(QByteArray(kReceiveBoxLimit, '\x5a'));
    const QString tail = ReceiveBoxTail(hex);
    EXPECT_EQ(tail.size(), kReceiveBoxLimit);
    EXPECT_TRUE(tail.startsWith("5A "));  // whole bytes: the limit is a multiple of three
    const QString emoji =
        QString("x") + QString::fromUtf8("\xf0\x9f\x98\x80").repeated(kReceiveBoxLimit / 2) + "z";
    EXPECT_FALSE(ReceiveBoxTail(emoji).at(0).isLowSurrogate());
}

}  // namespace
}  // namespace korvan
