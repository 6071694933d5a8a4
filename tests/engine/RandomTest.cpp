#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Random.h"

namespace {

// Taken while the program loads, before any test draws: the state the library starts with.
const uint32_t g_stateAtLoad = app::RandomState();

// Restores the generator after a test that replays a sequence, so other tests see it untouched.
class KeepRandomState {
  public:
    KeepRandomState() : state_(app::RandomState()) {}
    ~KeepRandomState() { app::RestoreRandomState(state_); }

  private:
    uint32_t state_;
};

TEST(Random, StartsAtOneWithOneValueDiscarded) {
    KeepRandomState keep;
    // The classic sequence from state 1 is 346, 130, 10982, 1090, 11656; 346 was drawn at load.
    app::RestoreRandomState(g_stateAtLoad);
    EXPECT_EQ(app::Random(), 130);
    EXPECT_EQ(app::Random(), 10982);
    EXPECT_EQ(app::Random(), 1090);
    EXPECT_EQ(app::Random(), 11656);
}

TEST(Random, ValuesStayInFifteenBitsAndFractionsInTheUnitRange) {
    KeepRandomState keep;
    int32_t lowest = 32767;
    int32_t highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const int32_t r = app::Random();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 32767);
    app::RestoreRandomState(0);
    const double u = app::RandomUnit();
    EXPECT_GE(u, 0.0);
    EXPECT_LE(u, 1.0);
}

// Jumping ahead lands where drawing one value after another does, and a stream draws the same
// values as the program's generator from the same state.
TEST(Random, JumpingAheadMatchesDrawingAndStreamsFollowTheSequence) {
    KeepRandomState keep;
    for (const uint32_t start : {0u, 1u, 0x9E3779B9u, 0xFFFFFFFFu}) {
        app::RestoreRandomState(start);
        app::RANDOMSTREAM stream{start};
        for (uint64_t drawn = 0; drawn <= 70000; ++drawn) {
            if (drawn % 997 == 0 || drawn < 70) {
                ASSERT_EQ(app::RandomStateAfter(start, drawn), app::RandomState()) << drawn;
            }
            ASSERT_EQ(stream.Next(), app::Random());
        }
    }
    // The sequence has period 2^32.
    EXPECT_EQ(app::RandomStateAfter(12345u, uint64_t{1} << 32), 12345u);
    EXPECT_NE(app::RandomStateAfter(12345u, uint64_t{1} << 31), 12345u);
}

}  // namespace
