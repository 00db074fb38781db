// The chip's patience with its host, on its own clock: how long it keeps a baud reply for a
// host that has not come to the new rate yet, and how long it waits for the second end
// command; the slack that test suites give it on a busy machine adds to both, and nothing else.
#include <gtest/gtest.h>

#include <cstdlib>

#include "testhost.h"
#include "zelsim/chipoptions.h"

namespace simtest {
namespace {

using zelsim::ChipCore;
using zelsim::ChipState;

// The slack from the environment for one test; the suite's own value comes back afterwards.
class SlackVariable {
  public:
    explicit SlackVariable(const char* value) {
        if (const char* old = std::getenv(zelsim::kHostSlackVariable)) m_old = old;
        if (value)
            ::setenv(zelsim::kHostSlackVariable, value, 1);
        else
            ::unsetenv(zelsim::kHostSlackVariable);
    }
    ~SlackVariable() {
        if (m_old)
            ::setenv(zelsim::kHostSlackVariable, m_old->c_str(), 1);
        else
            ::unsetenv(zelsim::kHostSlackVariable);
    }

  private:
    std::optional<std::string> m_old;
};

// A chip core of `model` with `slackMs`, identified at 1200 baud by time 100.
std::optional<ChipCore> identifiedCore(const std::string& model, int slackMs) {
    const SlackVariable none(nullptr);
    std::string error;
    auto setup = zelsim::setUpChip(fastChip(model), &error);
    EXPECT_TRUE(setup) << error;
    if (!setup) return std::nullopt;
    EXPECT_EQ(setup->config.hostSlackMs, 0) << "no slack unless the environment gives one";
    setup->config.hostSlackMs = slackMs;
    std::optional<ChipCore> core;
    core.emplace(std::move(setup->config), setup->initialFlash);
    core->powerUp(0);
    for (int64_t at = 20; at < 100; at += 10) {
        core->tick(1200, at);
        core->receive(0x7F, 1200, at);
    }
    core->tick(1200, 100);
    EXPECT_EQ(core->state(), ChipState::Session);
    core->takeTransmissions();
    return core;
}

void send(ChipCore& core, const Bytes& payload, int64_t at) {
    for (uint8_t b : hostPacket(payload, core.model().bootloader.checksumWidth))
        core.receive(b, 1200, at);
    core.tick(1200, at);
}

struct RateWaitCase {
    const char* name;
    int slackMs;
    int64_t hostArrives;  // ms after the baud test; -1: never
    bool answered;
};

class RateWait : public ::testing::TestWithParam<RateWaitCase> {};

// The baud test goes out at 1000 (parameters for 115200 baud at 11.0592 MHz); the reply waits
// for the host at 115200 baud until 1000 ms plus the slack have passed.
TEST_P(RateWait, TheReplyWaitsForTheHostUntilItsTimeAndTheSlackAreUp) {
    const RateWaitCase& c = GetParam();
    auto core = identifiedCore("D19A", c.slackMs);
    ASSERT_TRUE(core);
    constexpr int64_t kSent = 1000;
    send(*core, {0x8F, 0xC0, 0xFA, 0x3F, 0x0C, 0x28, 0x83}, kSent);
    const int64_t giveUp = kSent + ChipCore::kRateWaitMs + c.slackMs;
    const int64_t arrives = c.hostArrives < 0 ? INT64_MAX : kSent + c.hostArrives;
    bool sent = false;
    for (int64_t at = kSent; at <= giveUp + 100; at += 2) {
        core->tick(at >= arrives ? 115200 : 1200, at);
        for (const auto& t : core->takeTransmissions()) sent |= t.rate > 100000;
        if (at == giveUp - 2) {
            EXPECT_EQ(core->counters().lostReplies, 0u) << "gave up early";
        }
    }
    EXPECT_EQ(sent, c.answered);
    EXPECT_EQ(core->counters().lostReplies, c.answered ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RateWait,
    ::testing::Values(RateWaitCase{"HostNeverComes", 0, -1, false},
                      RateWaitCase{"HostInTime", 0, 900, true},
                      RateWaitCase{"HostTooLate", 0, 1100, false},
                      RateWaitCase{"HostLateButWithinTheSlack", 4000, 4900, true},
                      RateWaitCase{"HostNeverComesDespiteTheSlack", 4000, -1, false}),
    [](const auto& info) { return std::string(info.param.name); });

// F084's session closes with a second end command; without it the program runs after 1000 ms
// plus the slack, not a millisecond earlier.
TEST(SecondEndWait, ProgramRunsOnceTheWaitAndTheSlackAreUp) {
    for (int slack : {0, 4000}) {
        auto core = identifiedCore("F084", slack);
        ASSERT_TRUE(core);
        send(*core, {0x82}, 1000);
        const int64_t due = 1000 + ChipCore::kSecondEndWaitMs + slack;
        core->tick(1200, due - 1);
        EXPECT_EQ(core->counters().programRuns, 0u) << slack;
        core->tick(1200, due);
        EXPECT_EQ(core->counters().programRuns, 1u) << slack;
    }
}

struct SlackTextCase {
    const char* text;  // nullptr: not set
    std::optional<int> slackMs;
};

class SlackText : public ::testing::TestWithParam<SlackTextCase> {};

TEST_P(SlackText, OnlyMillisecondsAreTaken) {
    const SlackVariable slack(GetParam().text);
    std::string error;
    const auto setup = zelsim::setUpChip(fastChip("D103"), &error);
    ASSERT_EQ(setup.has_value(), GetParam().slackMs.has_value()) << error;
    if (setup) {
        EXPECT_EQ(setup->config.hostSlackMs, *GetParam().slackMs);
    } else {
        EXPECT_NE(error.find(zelsim::kHostSlackVariable), std::string::npos) << error;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SlackText,
    ::testing::Values(SlackTextCase{nullptr, 0}, SlackTextCase{"", 0}, SlackTextCase{"0", 0},
                      SlackTextCase{"250", 250}, SlackTextCase{"600000", 600000},
                      SlackTextCase{"600001", std::nullopt}, SlackTextCase{"-5", std::nullopt},
                      SlackTextCase{"5s", std::nullopt}, SlackTextCase{"abc", std::nullopt}));

}  // namespace
}  // namespace simtest
