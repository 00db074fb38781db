// The serial numbers of a gang download: every chip that succeeds keeps a number no other chip
// gets, a failed chip's number goes to the next chip, and the number kept for the next run
// never repeats one a chip holds.
#include "serialpool.h"

#include <gtest/gtest.h>

#include <set>

namespace korvan::cli {
namespace {

// One step of a gang: a port takes a number, or the job holding a number ends.
struct Step {
    enum Kind { Take, Keep, GiveBack } kind;
    int port;  // which port's number a Keep or GiveBack concerns
};

struct PoolCase {
    const char* name;
    qint64 first;
    std::vector<Step> steps;
    std::vector<qint64> taken;  // the numbers the Take steps got, in order
    qint64 next;
    QList<qint64> unused;
};

class Pool : public ::testing::TestWithParam<PoolCase> {};

TEST_P(Pool, GivesEveryChipItsOwnNumberAndSkipsNone) {
    const PoolCase& c = GetParam();
    SerialPool pool(c.first);
    std::map<int, qint64> held;  // port -> the number its job holds
    std::vector<qint64> taken;
    int port = 0;
    std::set<qint64> kept;
    for (const Step& step : c.steps) {
        switch (step.kind) {
            case Step::Take:
                held[port] = pool.take();
                taken.push_back(held[port]);
                ++port;
                break;
            case Step::Keep:
                ASSERT_TRUE(kept.insert(held.at(step.port)).second) << "kept twice";
                pool.keep(held.at(step.port));
                break;
            case Step::GiveBack:
                pool.giveBack(held.at(step.port));
                break;
        }
    }
    EXPECT_EQ(taken, c.taken);
    EXPECT_EQ(pool.next(), c.next);
    EXPECT_EQ(pool.unused(), c.unused);
    EXPECT_EQ(pool.anyKept(), !kept.empty());
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    Gang, Pool,
    ::testing::Values(
        PoolCase{"NothingTaken", 5, {}, {}, 5, {}},
        PoolCase{"FourChipsSucceed",
                 1,
                 {{S::Take, 0},
                  {S::Take, 0},
                  {S::Take, 0},
                  {S::Take, 0},
                  {S::Keep, 2},
                  {S::Keep, 0},
                  {S::Keep, 3},
                  {S::Keep, 1}},
                 {1, 2, 3, 4},
                 5,
                 {}},
        // Port 1 fails: its number 2 goes to the next chip, and nothing is skipped.
        PoolCase{"FailedNumberGoesToTheNextChip",
                 1,
                 {{S::Take, 0},
                  {S::Take, 0},
                  {S::GiveBack, 1},
                  {S::Keep, 0},
                  {S::Take, 0},
                  {S::Keep, 2}},
                 {1, 2, 2},
                 3,
                 {}},
        // Two numbers back: the lowest goes first.
        PoolCase{"LowestGivenBackNumberFirst",
                 10,
                 {{S::Take, 0},
                  {S::Take, 0},
                  {S::Take, 0},
                  {S::GiveBack, 2},
                  {S::GiveBack, 0},
                  {S::Keep, 1},
                  {S::Take, 0},
                  {S::Take, 0},
                  {S::Take, 0},
                  {S::Keep, 3},
                  {S::Keep, 4},
                  {S::Keep, 5}},
                 {10, 11, 12, 10, 12, 13},
                 14,
                 {}},
        // Nobody came after the failed chip: the next run starts after the highest number
        // kept, so 2 is never used twice, and it is reported as unused.
        PoolCase{"NumberBelowAKeptOneLeftUnused",
                 1,
                 {{S::Take, 0},
                  {S::Take, 0},
                  {S::Take, 0},
                  {S::GiveBack, 1},
                  {S::Keep, 0},
                  {S::Keep, 2}},
                 {1, 2, 3},
                 4,
                 {2}},
        // The last chip failed: its number is the first of the next run, not unused.
        PoolCase{"FailedHighestNumberStartsTheNextRun",
                 1,
                 {{S::Take, 0}, {S::Take, 0}, {S::Keep, 0}, {S::GiveBack, 1}},
                 {1, 2},
                 2,
                 {}},
        PoolCase{"EveryChipFailed",
                 7,
                 {{S::Take, 0}, {S::Take, 0}, {S::GiveBack, 0}, {S::GiveBack, 1}},
                 {7, 8},
                 7,
                 {}},
        // A chip that keeps a number taken again after it had come back.
        PoolCase{"NumberTakenAgainIsKept",
                 1,
                 {{S::Take, 0}, {S::GiveBack, 0}, {S::Take, 0}, {S::Keep, 1}},
                 {1, 1},
                 2,
                 {}},
        PoolCase{
            "HighestNumberIsFollowedByOne",
            999999998,
            {{S::Take, 0}, {S::Take, 0}, {S::Take, 0}, {S::Keep, 0}, {S::Keep, 1}, {S::Keep, 2}},
            {999999998, 999999999, 1},
            2,
            {}},
        PoolCase{"NextAfterTheHighestIsOne",
                 999999999,
                 {{S::Take, 0}, {S::Keep, 0}},
                 {999999999},
                 1,
                 {}}),
    [](const ::testing::TestParamInfo<PoolCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvan::cli
