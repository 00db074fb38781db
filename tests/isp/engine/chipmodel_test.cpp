// The chip model must speak the wire format the control reads and writes; these checks tie
// the two together through the control's own receiver and packet builder.
#include "chipmodel.h"
#include "modfun.h"
#include "zelcontext.h"
#include "zelisp.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

TEST(ChipModel, FramesAreReadByTheControlsReceiver) {
    for (int width : {1, 2}) {
        ZelContext context;
        cZelIsp isp(context);
        const Bytes framed = ChipModel::frame(Bytes{0x80, 0x01}, width);
        // A two-byte checksum leaves its first byte at the end of the payload text.
        EXPECT_EQ(isp.RxdData(framed), width == 1 ? "80,01" : "80,01,00") << width;
    }
}

TEST(ChipModel, TakesControlPacketsAndAnswersThem) {
    ChipConfig config;
    config.syncBytesNeeded = 1;
    ChipModel chip(config);
    std::vector<Bytes> sent;
    chip.setSender([&](Bytes bytes, int64_t, int64_t) { sent.push_back(std::move(bytes)); });

    chip.receive(Bytes{0x7F}, 1200, Parity::None, 0);
    ASSERT_EQ(sent.size(), 1u);  // the status reply

    Bytes packet;
    ParseHex(MakePacket(QStringLiteral("82"), 0xF0), packet);
    chip.receive(Bytes(packet.begin(), packet.begin() + 3), 1200, Parity::None, 1);
    chip.receive(Bytes(packet.begin() + 3, packet.end()), 1200, Parity::None, 2);
    ASSERT_EQ(chip.packets().size(), 1u);
    EXPECT_EQ(chip.packets()[0].payload, Bytes{0x82});
    EXPECT_EQ(sent.back(), ChipModel::frame(Bytes{0x82}, 1));

    // A packet with a wrong checksum is lost on the line.
    packet[packet.size() - 2] ^= 1;
    chip.receive(packet, 1200, Parity::None, 3);
    EXPECT_EQ(chip.packets().size(), 1u);
    EXPECT_EQ(chip.lostPackets(), 1);
}

}  // namespace
}  // namespace zel::test
