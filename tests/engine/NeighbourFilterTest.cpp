// The force pass's coarse neighbour filter keeps every partner within one cell: along the whole
// circle of radius one cell (32768 units), exactly on it and just inside, from particles
// anywhere in a cell, with partners in all the forward cells.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/PairLanes.h"

namespace {

// Whether the test keeps a partner `dx`, `dy` units away from a particle at (x, y) units.
bool Kept(int64_t x, int64_t y, int64_t dx, int64_t dy) {
    const auto coarse = [](int64_t px, int64_t py) {
        return app::CoarsePosition(static_cast<uint32_t>(px), static_cast<uint32_t>(py));
    };
    uint32_t positions[8] = {};
    positions[0] = coarse(x + dx, y + dy);
    int32_t out[8];
    return app::NearCandidates(positions, 0, 1, coarse(x, y), out) == 1 && out[0] == 0;
}

TEST(NeighbourFilter, KeepsEveryPartnerWithinOneCell) {
    std::mt19937 random(5);
    int64_t dropped = 0, checked = 0;
    for (int64_t dx = -32768; dx <= 32768; ++dx) {
        const int64_t rim =
            static_cast<int64_t>(std::floor(std::sqrt(static_cast<double>((int64_t{1} << 30) - dx * dx))));
        ASSERT_LE(dx * dx + rim * rim, int64_t{1} << 30);
        ASSERT_GT(dx * dx + (rim + 1) * (rim + 1), int64_t{1} << 30);
        for (int64_t dy : {rim, -rim, rim - 1, rim / 2}) {
            // A particle in some cell of a grid up to 262,000 cells wide, anywhere in its cell.
            const int64_t column = 1 + static_cast<int64_t>(random() % 262000);
            const int64_t row = 1 + static_cast<int64_t>(random() % 262000);
            const int64_t x = column * 32768 + static_cast<int64_t>(random() % 32768);
            const int64_t y = row * 32768 + static_cast<int64_t>(random() % 32768);
            ++checked;
            dropped += Kept(x, y, dx, dy) ? 0 : 1;
        }
    }
    EXPECT_EQ(dropped, 0) << "of " << checked;
    // Two cells away on an axis is dropped.
    EXPECT_FALSE(Kept(40000, 40000, 65536, 0));
    EXPECT_FALSE(Kept(40000, 40000, 23171 + 40, 23171 + 40));
}

}  // namespace
