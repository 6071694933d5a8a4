#include "base/ChangedArea.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "base/Exception.h"

namespace app {

bool operator==(const Rect32& a, const Rect32& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& out, const Rect32& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

}  // namespace app

namespace {

using app::ChangedArea;
using app::Rect32;

// A mark of the drawing pass: block bits of one 64-block word of one pixel row.
struct MARK {
    int32_t y;
    int32_t word;
    uint64_t bits;
};

struct CASE {
    const char* what;
    int32_t width, height;
    std::vector<MARK> marks;
    std::vector<Rect32> ranges;  // what the history takes
    Rect32 shown;                // what the display takes
};

TEST(ChangedArea, MarksBecomeRangesOfWholeTilesAndOneBoundForTheDisplay) {
    const std::vector<CASE> cases = {
        {"nothing", 100, 100, {}, {}, {0, 0, 0, 0}},
        {"one block", 100, 100, {{5, 0, 1u << 3}}, {{48, 0, 64, 16}}, {48, 0, 64, 16}},
        {"clipped at the picture's edges", 40, 20, {{19, 0, 1u << 2}}, {{32, 16, 40, 20}}, {32, 16, 40, 20}},
        {"rows of one band join", 300, 300, {{0, 0, 1u << 1}, {40, 0, 1u << 2}}, {{16, 0, 48, 48}}, {16, 0, 48, 48}},
        {"rows of two bands stay apart",
         300,
         300,
         {{60, 0, 1u << 1}, {70, 0, 1u << 1}},
         {{16, 48, 32, 64}, {16, 64, 32, 80}},
         {16, 48, 32, 80}},
        {"a short gap joins", 600, 40, {{0, 0, 1u << 0}, {0, 0, 1u << 8}}, {{0, 0, 144, 16}}, {0, 0, 144, 16}},
        {"a long gap cuts",
         600,
         40,
         {{0, 0, 1u << 0}, {0, 0, 1u << 9}},
         {{0, 0, 16, 16}, {144, 0, 160, 16}},
         {0, 0, 160, 16}},
        {"a long run is cut into pieces",
         2100,
         16,
         {{3, 0, ~uint64_t{0}}, {3, 1, ~uint64_t{0}}, {3, 2, 1}},
         {{0, 0, 1024, 16}, {1024, 0, 2048, 16}, {2048, 0, 2064, 16}},
         {0, 0, 2064, 16}},
        {"marks beyond the picture are ignored", 50, 50, {{50, 0, 1}, {-1, 0, 1}, {0, 1, 1}}, {}, {0, 0, 0, 0}},
    };
    for (const CASE& c : cases) {
        ChangedArea area;
        area.Build(c.width, c.height);
        for (const MARK& m : c.marks)
            area.Mark(m.y, m.word, m.bits);
        std::vector<Rect32> ranges;
        area.TakeHistoryRanges(ranges);
        EXPECT_EQ(ranges, c.ranges) << c.what;
        EXPECT_TRUE(area.HistoryIsClear()) << c.what;
        EXPECT_EQ(area.TakeDisplayBounds(), c.shown) << c.what;
        EXPECT_EQ(area.TakeDisplayBounds(), (Rect32{0, 0, 0, 0})) << c.what << ": taken once";
        area.TakeHistoryRanges(ranges);
        EXPECT_TRUE(ranges.empty()) << c.what << ": taken once";
    }
}

TEST(ChangedArea, AllAndRectanglesCoverEveryPixelInBandsOfRows) {
    ChangedArea area;
    area.Build(100, 70);
    area.MarkAll();
    std::vector<Rect32> ranges;
    area.TakeHistoryRanges(ranges);
    EXPECT_EQ(ranges, (std::vector<Rect32>{{0, 0, 100, 64}, {0, 64, 100, 70}}));
    EXPECT_EQ(area.TakeDisplayBounds(), (Rect32{0, 0, 100, 70}));

    area.MarkRect({17, 3, 33, 4});  // tiles 1 and 2 of the first row
    area.MarkRect({-50, 69, 1, 500});
    area.TakeHistoryRanges(ranges);
    EXPECT_EQ(ranges, (std::vector<Rect32>{{16, 0, 48, 16}, {0, 64, 16, 70}}));
}

TEST(ChangedArea, StorageThatWouldOverflowIsRefused) {
    EXPECT_THROW(ChangedArea::BytesFor(2000000000, 2000), app::Exception);
    EXPECT_GT(ChangedArea::BytesFor(6000, 4000), 0);
    EXPECT_LT(ChangedArea::BytesFor(6000, 4000), 6000 * 4000 / 32);
}

}  // namespace
