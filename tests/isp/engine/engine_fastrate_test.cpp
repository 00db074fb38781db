// The rates above 115200: the clock's limit is told, and a line that cannot hold a fast rate
// steps down to the next rate the clock makes, not below 115200.
#include "harness.h"

#include <gtest/gtest.h>

namespace zel::test {
namespace {

struct FastRateCase {
    const char* name;
    uint16_t clockCount;  // 0x29E6 = 22 118 652 Hz, 0x14F0 = 11 059 326 Hz
    int64_t maxBaud;
    int64_t lineHolds;               // the rate at which the chip's answers reach the host
    std::vector<QString> rateLines;  // ViewInfo 101, 107 and 108 in order
    std::vector<QString> baudTests;  // the parameters of every baud test sent
    bool completes;
    int64_t finalBaud;
};

const QString kLimit22 =
    "V107 单片机时钟 22118652Hz 产生 921600bps 的误差超过 3%，最高可用 460800bps";
QString FallBack(int64_t from, int64_t to) {
    return QStringLiteral(
               "V108 %1bps 下单片机无有效应答（串口适配器或连线可能不支持此速率），改用 "
               "%2bps 重试")
        .arg(from)
        .arg(to);
}
QString Rate(int64_t rate) {
    return QStringLiteral("V101 设置波特率：%1bps...").arg(rate);
}
// The limit line (when there is one), then the rate `from` and every halving step down to `to`.
std::vector<QString> RateLines(const QString& limit, int64_t from, int64_t to) {
    std::vector<QString> lines;
    if (!limit.isEmpty()) lines.push_back(limit);
    lines.push_back(Rate(from));
    for (int64_t rate = from; rate > to; rate /= 2) {
        lines.push_back(FallBack(rate, rate / 2));
        lines.push_back(Rate(rate / 2));
    }
    return lines;
}

class FastRates : public testing::TestWithParam<FastRateCase> {};

TEST_P(FastRates, ChoiceAnnouncementAndFallback) {
    const FastRateCase& c = GetParam();
    ChipConfig chip = D1Chip();
    chip.clockCount = c.clockCount;
    chip.switchRate = c.lineHolds;
    Harness h(chip);
    h.engine.setSelectedSeries(kIndexD1);
    h.engine.setMaxBaud(c.maxBaud);
    const Bytes data = Pattern(256);
    ASSERT_TRUE(h.download(data));

    std::vector<QString> rateLines;
    for (const QString& line : h.events.lines())
        if (line.startsWith("V101 ") || line.startsWith("V107 ") || line.startsWith("V108 "))
            rateLines.push_back(line);
    EXPECT_EQ(rateLines, c.rateLines);
    std::vector<QString> baudTests;
    for (const HostPacket& p : h.chip.packetsWithCommand(0x8F)) {
        EXPECT_EQ(p.rate, 1200);
        baudTests.push_back(JoinHex(p.payload, 1, 4));
    }
    EXPECT_EQ(baudTests, c.baudTests);
    EXPECT_EQ(h.engine.chip().Baud, c.finalBaud);
    if (c.completes) {
        EXPECT_EQ(h.events.lines().back(), "V1001 程序下载成功");
        EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 256), data);
        // Every packet after the confirm went out at the rate finally chosen.
        const auto erase = h.chip.packetsWithCommand(0x84);
        ASSERT_EQ(erase.size(), 1u);
        EXPECT_EQ(erase[0].rate, c.finalBaud);
    } else {
        EXPECT_EQ(h.events.lines().back(), "V1003 程序下载失败");
        EXPECT_EQ(h.engine.endReason(), EndReason::TimedOut);
    }
}

const std::vector<QString> kTestsFrom460800{"C0,FD,3F,06", "C0,FA,3F,0C", "C0,F4,3F,18"};

INSTANTIATE_TEST_SUITE_P(
    EngineRetry, FastRates,
    testing::Values(
        // The adapter holds every rate the clock makes: no step down, one line on the limit.
        FastRateCase{"ClockLimitIsTold",
                     0x29E6,
                     921600,
                     460800,
                     RateLines(kLimit22, 460800, 460800),
                     {"C0,FD,3F,06"},
                     true,
                     460800},
        // The rate asked for is the one the clock makes: nothing extra is said.
        FastRateCase{"AskedRateIsMade",
                     0x29E6,
                     460800,
                     460800,
                     RateLines({}, 460800, 460800),
                     {"C0,FD,3F,06"},
                     true,
                     460800},
        FastRateCase{"OneStepDown",
                     0x29E6,
                     921600,
                     230400,
                     RateLines(kLimit22, 460800, 230400),
                     {"C0,FD,3F,06", "C0,FA,3F,0C"},
                     true,
                     230400},
        // Two failed fast rates cost no time-out of the job's budget.
        FastRateCase{"DownTo115200", 0x29E6, 921600, 115200, RateLines(kLimit22, 460800, 115200),
                     kTestsFrom460800, true, 115200},
        // Below 115200 the ordinary rule holds: two resends, the third time-out ends the job.
        FastRateCase{"NeverBelow115200",
                     0x29E6,
                     921600,
                     57600,
                     RateLines(kLimit22, 460800, 115200),
                     {"C0,FD,3F,06", "C0,FA,3F,0C", "C0,F4,3F,18", "C0,F4,3F,18", "C0,F4,3F,18"},
                     false,
                     115200},
        // Without the fast rates asked for, a silent baud test is resent at the same rate.
        FastRateCase{"DefaultLimitNeverStepsDown",
                     0x29E6,
                     115200,
                     57600,
                     RateLines({}, 115200, 115200),
                     {"C0,F4,3F,18", "C0,F4,3F,18", "C0,F4,3F,18"},
                     false,
                     115200},
        FastRateCase{
            "ElevenMegahertz",
            0x14F0,
            921600,
            115200,
            RateLines("V107 单片机时钟 11059326Hz 产生 921600bps 的误差超过 3%，最高可用 230400bps",
                      230400, 115200),
            {"C0,FD,3F,06", "C0,FA,3F,0C"},
            true,
            115200}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zel::test
