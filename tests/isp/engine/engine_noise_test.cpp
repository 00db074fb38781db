// Line noise at random moments: the engine either finishes the job or gives up with its
// failure message, never hangs, never reports a wrong image as written.
#include "harness.h"

#include <gtest/gtest.h>

#include <random>

namespace zel::test {
namespace {

TEST(EngineNoise, RandomBytesBetweenRepliesNeverBreakTheMachine) {
    int completed = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Harness h;
        std::mt19937 random(seed);
        // Bursts of noise every 0..300 ms for the first ten seconds.
        for (int64_t at = 0; at < 10000;) {
            at += std::uniform_int_distribution<int64_t>(0, 300)(random);
            Bytes burst(std::uniform_int_distribution<size_t>(1, 12)(random));
            for (uint8_t& b : burst) {
                // Mostly bytes that matter to the framing.
                static constexpr uint8_t kFavourites[] = {0x68, 0x00, 0x16, 0x46, 0xB9, 0x80, 0x81};
                b = std::bernoulli_distribution(0.6)(random)
                        ? kFavourites[std::uniform_int_distribution<size_t>(0, 6)(random)]
                        : static_cast<uint8_t>(random());
            }
            h.clock.schedule(at, [&h, burst] {
                if (h.link.isOpen()) h.engine.BytesReceived(burst);
            });
        }
        const Bytes data = Pattern(700, static_cast<uint8_t>(seed));
        h.supplyOnErase(data);
        ASSERT_EQ(h.engine.Start(2), CallStatus::Ok);
        ASSERT_TRUE(h.runUntilIdle(600000)) << "seed " << seed;

        const std::vector<RecordedEvent> finals = h.events.of(RecordedEvent::ViewInfo, 1001);
        const size_t failures = h.events.of(RecordedEvent::ViewInfo, 1003).size();
        EXPECT_EQ(finals.size() + failures, 1u) << "seed " << seed;
        if (!finals.empty()) {
            ++completed;
            EXPECT_EQ(Bytes(h.chip.flash().begin(), h.chip.flash().begin() + 700), data)
                << "seed " << seed;
        }
    }
    // The noise is meant to disturb, not to make every job fail.
    EXPECT_GT(completed, 0);
}

}  // namespace
}  // namespace zel::test
