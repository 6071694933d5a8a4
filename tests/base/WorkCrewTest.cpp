#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "base/WorkCrew.h"

namespace {

// Every part runs exactly once per piece of work, however many parts and threads there are, and
// the crew can be handed piece after piece.
TEST(WorkCrew, RunsEveryPartOncePerPieceOfWork) {
    for (const int32_t size : {1, 2, 3, 8}) {
        app::WorkCrew crew(size);
        ASSERT_EQ(crew.Size(), size);
        for (int32_t round = 0; round < 200; ++round) {
            const int32_t parts = round % (3 * size + 2);
            std::vector<std::atomic<int32_t>> runs(static_cast<size_t>(parts));
            auto job = [&](int32_t part) { runs[static_cast<size_t>(part)].fetch_add(1); };
            crew.Run(parts, job);
            for (int32_t part = 0; part < parts; ++part)
                ASSERT_EQ(runs[static_cast<size_t>(part)].load(), 1) << size << " " << parts;
        }
    }
    EXPECT_EQ(app::WorkCrew(0).Size(), 1);
    EXPECT_EQ(app::WorkCrew(100).Size(), app::kMostCrew);
    EXPECT_GE(app::DefaultCrewSize(), 1);
}

}  // namespace
