// A download reports 程序下载成功 only when the chip accepted every block of the image: step
// lists of unusual shape and replies that reach the engine while it is still judging the
// previous one must not turn an incomplete write into a success.
#include "harness.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

using Writes = std::vector<std::pair<uint8_t, int64_t>>;

QString WithDownloadSteps(const QString& steps) {
    QString text = TestDatabaseText();
    text.replace(QStringLiteral("F0=0,1,2,3,3,3,3,3,4,5,6,7,8,9"), QStringLiteral("F0=") + steps);
    return text;
}

struct StepListCase {
    const char* steps;
    bool writesImage;
};

class DownloadStepList : public testing::TestWithParam<StepListCase> {};

// The job ends complete only once the last block was accepted, whatever the list ends with.
TEST_P(DownloadStepList, SucceedsOnlyWithTheWholeImageWritten) {
    Harness h(PlainF0Chip(), WithDownloadSteps(QString::fromLatin1(GetParam().steps)));
    const Bytes data = Pattern(3 * 128);
    ASSERT_TRUE(h.download(data));
    ASSERT_FALSE(h.events.lines().empty());
    const bool imageWritten =
        Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 3 * 128) == data;
    EXPECT_EQ(imageWritten, GetParam().writesImage);
    if (GetParam().writesImage) {
        EXPECT_EQ(h.chip.blockWrites(), (Writes{{0x00, 0}, {0x00, 0x80}, {0x00, 0x100}}));
        EXPECT_EQ(h.events.progress(), (std::vector<int>{33, 67, 100}));
        EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
        EXPECT_EQ(h.engine.endReason(), EndReason::Completed);
    } else {
        EXPECT_EQ(h.events.lines().back(), "V1003 程序下载失败");
        EXPECT_NE(h.engine.endReason(), EndReason::Completed);
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, DownloadStepList,
                         testing::Values(StepListCase{"0,1,2,3,4,5", true},
                                         StepListCase{"0,1,2,3,4,5,8", true},
                                         StepListCase{"0,1,2,3,4,8,9", false},
                                         StepListCase{"0,1,2,3,4,8", false},
                                         StepListCase{"0,1,2,3,4", false}));

// A stale block reply (say the late answer to a packet sent again after a time-out) that a
// host's event pump delivers inside the Progress handler answers nothing outstanding: it must
// neither move the block walk on nor stand in for the answer of a later block.
TEST(EngineOutcome, ReplyDeliveredInsideTheProgressHandlerIsNotTakenForTheNextBlock) {
    Harness h;
    bool refused = false;
    h.chip.setScript([&](const HostPacket& p, size_t) {
        if ((p.command() == 0x00 || p.command() == 0x30) && p.blockAddress() == 0x100 && !refused) {
            refused = true;
            return Answer::reply(Bytes{0x81});
        }
        return Answer::normal();
    });
    bool injected = false;
    h.events.onProgress([&](int) {
        if (injected) return;
        injected = true;
        h.engine.BytesReceived(ChipModel::frame(Bytes{0x80}, 1));
    });
    const Bytes data = Pattern(3 * 128);
    ASSERT_TRUE(h.download(data));
    EXPECT_TRUE(injected);
    EXPECT_EQ(h.chip.blockWrites(),
              (Writes{{0x00, 0}, {0x00, 0x80}, {0x00, 0x100}, {0x30, 0x80}, {0x00, 0x100}}));
    EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 3 * 128), data);
    EXPECT_EQ(h.events.progress(), (std::vector<int>{33, 67, 67, 100}));
    EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
}

}  // namespace
}  // namespace zel::test
