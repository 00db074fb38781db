// The soft start: the running program's way into the boot window.
#include <gtest/gtest.h>

#include <thread>

#include "testhost.h"

namespace simtest {
namespace {

zelsim::ChipOptions softStarting() {
    zelsim::ChipOptions o = fastChip("F084");
    std::string error;
    o.softStart = zelsim::parseSoftStart("12 34@9600,N,8,1", &error);
    EXPECT_TRUE(o.softStart) << error;
    return o;
}

TEST(SoftStart, OnlyTheBytesAtTheirRateOpenTheBootWindow) {
    zelsim::VirtualChip chip(softStarting());
    ASSERT_TRUE(chip.start());
    ASSERT_TRUE(chip.waitForState(zelsim::ChipState::Running, kPatience));
    TestHost host(chip.slavePath());
    EXPECT_FALSE(host.sync(1, 300ms)) << "a running program does not answer sync bytes";

    // Each time the bytes are given time to leave the line before the host changes its
    // settings, as a serial port's drain does.
    host.setRate(2400);
    host.send({0x12, 0x34});
    std::this_thread::sleep_for(30ms);
    host.setRate(9600);
    host.send({0x12, 0x00, 0x34});
    host.send({0x34, 0x12});
    EXPECT_FALSE(chip.waitForState(zelsim::ChipState::BootWindow, 200ms));
    host.send({0x34});
    ASSERT_TRUE(chip.waitForState(zelsim::ChipState::BootWindow, kPatience));
    EXPECT_EQ(chip.snapshot().counters.softStarts, 1u);
    EXPECT_TRUE(host.sync(1));
}

TEST(SoftStart, AfterADownloadTheChipKeepsRunningUntilTheNextSoftStart) {
    zelsim::VirtualChip chip(softStarting());
    ASSERT_TRUE(chip.start());
    TestHost host(chip.slavePath());
    for (int run = 1; run <= 2; ++run) {
        host.setRate(9600);
        host.send({0x12, 0x34});
        std::this_thread::sleep_for(30ms);
        ASSERT_TRUE(host.sync(1)) << run;
        ASSERT_TRUE(host.command({0x82}, 1));
        ASSERT_TRUE(host.command({0x52, 0x02, 0x00}, 1));
        ASSERT_TRUE(chip.waitForProgramRuns(static_cast<uint64_t>(run), kPatience));
        EXPECT_EQ(chip.snapshot().state, zelsim::ChipState::Running);
    }
    EXPECT_EQ(chip.snapshot().counters.softStarts, 2u);
}

}  // namespace
}  // namespace simtest
