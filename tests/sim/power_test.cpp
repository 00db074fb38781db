// A chip on a switched supply: it starts without power, DTR switches it on and off, nothing
// else restarts it; the FIFO text that carries the host's line changes.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "testhost.h"
#include "zelsim/chipoptions.h"
#include "zelsim/powerchannel.h"

namespace simtest {
namespace {

using zelsim::ChipState;

class SwitchedSupply : public ::testing::Test {
  protected:
    SwitchedSupply() {
        zelsim::ChipOptions o = fastChip("F084");
        o.powerChannel = "unused: the core is driven directly";
        o.rebootMs = 50;
        std::string error;
        auto setup = zelsim::setUpChip(o, &error);
        EXPECT_TRUE(setup) << error;
        core.emplace(std::move(setup->config), setup->initialFlash);
        core->powerUp(0);
    }

    // Sync bytes at 1200 baud, one every 10 ms from `from`; true when the status came back.
    bool syncAnswered(int64_t from, int count = 10) {
        for (int i = 0; i < count; ++i) {
            core->receive(0x7F, 1200, from + 10 * i);
            core->tick(1200, from + 10 * i);
        }
        bool answered = false;
        for (const auto& t : core->takeTransmissions()) answered |= !t.bytes.empty();
        return answered;
    }

    std::optional<zelsim::ChipCore> core;
};

TEST_F(SwitchedSupply, StaysSilentUntilDtrSwitchesItOn) {
    EXPECT_FALSE(core->powered());
    EXPECT_EQ(core->nextWake(0), INT64_MAX) << "nothing is due without power";
    core->tick(1200, 100000);
    EXPECT_EQ(core->state(), ChipState::Off);
    EXPECT_FALSE(syncAnswered(100000, 50)) << "sync bytes do not stand in for the power switch";
    EXPECT_EQ(core->counters().boots, 0u);

    core->setPower(true, 200000);
    core->tick(1200, 200019);
    EXPECT_EQ(core->state(), ChipState::Off) << "the boot delay runs from the power-on";
    core->tick(1200, 200020);
    EXPECT_EQ(core->state(), ChipState::BootWindow);
    EXPECT_TRUE(syncAnswered(200020));
    EXPECT_EQ(core->counters().powerOns, 1u);
}

TEST_F(SwitchedSupply, PowerOffSilencesItAtOnceAndRepeatsChangeNothing) {
    core->setPower(true, 0);
    core->tick(1200, 20);
    ASSERT_EQ(core->state(), ChipState::BootWindow);
    core->setPower(true, 30);  // already on: no second boot
    core->tick(1200, 60);
    EXPECT_EQ(core->counters().powerOns, 1u);
    EXPECT_EQ(core->state(), ChipState::BootWindow);

    core->setPower(false, 70);
    core->setPower(false, 80);
    EXPECT_EQ(core->state(), ChipState::Off);
    core->tick(1200, 100000);
    EXPECT_EQ(core->state(), ChipState::Off);
    EXPECT_FALSE(syncAnswered(100000, 50));
    EXPECT_EQ(core->counters().boots, 1u);
}

TEST_F(SwitchedSupply, TheProgramKeepsRunningUntilThePowerGoes) {
    core->setPower(true, 0);
    core->tick(1200, 20);
    ASSERT_TRUE(syncAnswered(20));
    const auto command = [&](const Bytes& payload, int64_t at) {
        for (uint8_t b : hostPacket(payload, 1)) core->receive(b, 1200, at);
        core->tick(1200, at);
    };
    command({0x82}, 200);
    command({0x52, 0x02, 0x00}, 300);
    core->tick(1200, 2000);
    ASSERT_EQ(core->state(), ChipState::Running);
    core->tick(1200, 100000);
    EXPECT_EQ(core->state(), ChipState::Running) << "no reboot of its own (--reboot-ms is 50)";
}

struct LineCase {
    const char* text;
    std::optional<char> line;
    bool asserted;
};

class LineText : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineText, ParsesOnlyWholeLineChanges) {
    const auto change = zelsim::parseLineChange(GetParam().text);
    ASSERT_EQ(change.has_value(), GetParam().line.has_value()) << GetParam().text;
    if (!change) return;
    EXPECT_EQ(change->line, *GetParam().line);
    EXPECT_EQ(change->asserted, GetParam().asserted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineText,
    ::testing::Values(LineCase{"DTR=1", 'D', true}, LineCase{"DTR=0", 'D', false},
                      LineCase{"RTS=1\r", 'R', true}, LineCase{"RTS=0 ", 'R', false},
                      LineCase{"DTR=2", std::nullopt, false},
                      LineCase{"dtr=1", std::nullopt, false}, LineCase{"DTR", std::nullopt, false},
                      LineCase{"", std::nullopt, false}, LineCase{"CTS=1", std::nullopt, false},
                      LineCase{"DTR=10", std::nullopt, false}));

TEST(PowerFifo, DtrLinesThroughTheFifoSwitchTheRunningChip) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    zelsim::ChipOptions o = fastChip("F084");
    o.powerChannel = dir.filePath("lines").toStdString();
    zelsim::VirtualChip chip(o);
    std::string error;
    ASSERT_TRUE(chip.start(&error)) << error;
    const auto say = [&](const std::string& text) {
        const int fd = ::open(o.powerChannel.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, text.data(), text.size()), ssize_t(text.size()));
        ::close(fd);
    };
    EXPECT_FALSE(chip.waitForState(ChipState::BootWindow, 200ms));
    // Pieces of lines, other lines and RTS change nothing.
    say("RTS=1\nDT");
    say("R=9\nnoise\n");
    EXPECT_FALSE(chip.waitForState(ChipState::BootWindow, 200ms));
    say("DTR=1\n");
    ASSERT_TRUE(chip.waitForState(ChipState::BootWindow, kPatience));
    TestHost host(chip.slavePath());
    EXPECT_TRUE(host.sync(1));
    say("DTR=0\n");
    ASSERT_TRUE(chip.waitForState(ChipState::Off, kPatience));
    EXPECT_EQ(chip.snapshot().counters.powerOns, 1u);
}

}  // namespace
}  // namespace simtest
