#include <gtest/gtest.h>

#include <string>

#include "base/Exception.h"
#include "ui/ViewGeometry.h"
#include "ui/WheelScroll.h"
#include "ui/WindowGeometry.h"

namespace {

using app::Point32;
using app::SCROLLBAR;
using app::ViewGeometry;

double ImageColumn(int32_t clientX, int32_t zoom) {
    const Point32 origin = {30, 40};
    return ViewGeometry::ClientToImage({clientX, 50}, {0, 0}, origin, zoom).x;
}

TEST(ViewGeometry, MouseMappingDividesTowardZero) {
    EXPECT_EQ(ImageColumn(31, 50), 2.0);  // one screen pixel right of the edge at 50 %
    EXPECT_EQ(ImageColumn(30, 300), 0.0);
    EXPECT_EQ(ImageColumn(31, 300), 0.0);
    EXPECT_EQ(ImageColumn(32, 300), 0.0);
    EXPECT_EQ(ImageColumn(33, 300), 1.0);
    EXPECT_EQ(ImageColumn(29, 200), 0.0);  // left of the image, still column 0
    EXPECT_EQ(ImageColumn(27, 200), -1.0);
    EXPECT_EQ(ImageColumn(130, 100), 100.0);
}

TEST(ViewGeometry, MouseMappingAddsTheScrollOffset) {
    const app::Vector2 point = ViewGeometry::ClientToImage({10, 5}, {120, 300}, {30, 40}, 200);
    EXPECT_EQ(point.x, 50.0);   // (10 + 120 - 30) * 100 / 200
    EXPECT_EQ(point.y, 132.0);  // (5 + 300 - 40) * 100 / 200, cut
}

TEST(ViewGeometry, ImageIsCentredOnlyWhenBothMarginsFit) {
    const app::ImageSize image = {100, 50};
    const Point32 wide = ViewGeometry::ImageOrigin({301, 400}, image, 100);
    EXPECT_EQ(wide.x, 100);
    EXPECT_EQ(wide.y, 175);
    const Point32 narrow = ViewGeometry::ImageOrigin({159, 129}, image, 100);
    EXPECT_EQ(narrow.x, 30);
    EXPECT_EQ(narrow.y, 40);
    const Point32 zoomed = ViewGeometry::ImageOrigin({259, 400}, image, 200);  // 200 x 100 on screen
    EXPECT_EQ(zoomed.x, 30);
    EXPECT_EQ(zoomed.y, 150);
}

TEST(ViewGeometry, ContentIsTheScaledImagePlusMargins) {
    const app::ImageSize content = ViewGeometry::ContentSize({101, 33}, 75);
    EXPECT_EQ(content.width, 75 + 60);   // 75.75 cut
    EXPECT_EQ(content.height, 24 + 80);  // 24.75 cut
    const app::Rect32 rect = ViewGeometry::ImageRect({100, 100}, {100, 50}, 150);
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right, 180);
    EXPECT_EQ(rect.bottom, 115);
}

TEST(ViewGeometry, OversizedZoomedImageRaisesInsteadOfWrapping) {
    try {
        ViewGeometry::ContentSize({6000000, 1}, 400);
        FAIL() << "no error";
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), app::ErrorImageSize);
    }
}

TEST(ViewGeometry, ScrollBarKeepsThePageInsideTheContent) {
    const SCROLLBAR bar = ViewGeometry::FitScrollBar(200, 100, 160);
    EXPECT_EQ(bar.position, 60);
    EXPECT_EQ(bar.page, 100);
    EXPECT_EQ(bar.maximum, 160);
    EXPECT_EQ(ViewGeometry::FitScrollBar(200, 300, 160).position, 0);
    EXPECT_EQ(ViewGeometry::FitScrollBar(20, 100, 160).position, 20);
    EXPECT_EQ(ViewGeometry::ScrollOffset(20, 100, 160), 20);
    EXPECT_EQ(ViewGeometry::ScrollOffset(20, 160, 160), 0);
}

TEST(ViewGeometry, ScrollRequestsMoveAndClamp) {
    const SCROLLBAR bar = {50, 100, 400};  // last position 300
    int32_t target = -1;
    ASSERT_TRUE(ViewGeometry::ScrollTarget(app::ScrollLineDown, 0, bar, 100, &target));
    EXPECT_EQ(target, 66);
    ASSERT_TRUE(ViewGeometry::ScrollTarget(app::ScrollLineUp, 0, {10, 100, 400}, 100, &target));
    EXPECT_EQ(target, 0);
    ASSERT_TRUE(ViewGeometry::ScrollTarget(app::ScrollPageDown, 0, bar, 100, &target));
    EXPECT_EQ(target, 150);
    ASSERT_TRUE(ViewGeometry::ScrollTarget(app::ScrollPageDown, 0, {250, 100, 400}, 100, &target));
    EXPECT_EQ(target, 300);
    ASSERT_TRUE(ViewGeometry::ScrollTarget(app::ScrollBottom, 0, bar, 100, &target));
    EXPECT_EQ(target, 300);
    ASSERT_TRUE(ViewGeometry::ScrollTarget(app::ScrollTop, 0, bar, 100, &target));
    EXPECT_EQ(target, 0);
    ASSERT_TRUE(ViewGeometry::ScrollTarget(app::ScrollThumbTrack, 0x70000 + 123, bar, 100, &target));
    EXPECT_EQ(target, 123);  // the message's 16-bit position
    target = -1;
    EXPECT_FALSE(ViewGeometry::ScrollTarget(app::ScrollEnd, 0, bar, 100, &target));
    EXPECT_FALSE(ViewGeometry::ScrollTarget(99, 0, bar, 100, &target));
    EXPECT_EQ(target, -1);
}

TEST(ViewGeometry, ContentSmallerThanTheClientDoesNotScroll) {
    int32_t target = -1;
    ASSERT_TRUE(ViewGeometry::ScrollTarget(app::ScrollLineDown, 0, {0, 500, 160}, 500, &target));
    EXPECT_EQ(target, 0);
}

// One notch is 120; the user's setting is 3 lines a notch unless a row says otherwise.
TEST(WheelScroll, OneMessageMovesTheBarItsWheelAndShiftSelectByTheScrollBarsRules) {
    struct Case {
        app::WHEEL_TURN turn;
        bool horizontal;
        bool moves;
        int32_t target;
    };
    const Case cases[] = {
        {{120, false, false, 3}, false, true, 52},    // away from the user: up 3 lines of 16
        {{-120, false, false, 3}, false, true, 148},  // towards the user: down
        {{120, false, true, 3}, true, true, 52},      // Shift: left
        {{120, true, false, 3}, true, true, 148},     // sideways wheel tilted right
        {{-120, true, true, 3}, true, true, 52},      // ... left, Shift or not
        {{-240, false, false, 1}, false, true, 132},
        {{-120, false, false, app::WheelScroll::kPagePerNotch}, false, true, 300},
        {{120, false, false, app::WheelScroll::kPagePerNotch}, false, true, 0},
        {{1200, false, false, 3}, false, true, 0},      // clamped at the start
        {{-32768, false, false, 3}, false, true, 800},  // and at the end: content - client
        {{-120, false, false, 0}, false, false, -1},    // the user turned wheel scrolling off
        {{-39, false, false, 3}, false, false, -1},     // less than a line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.turn.delta);
        app::WheelScroll wheel;
        EXPECT_EQ(app::WheelScroll::MovesHorizontalBar(c.turn), c.horizontal);
        int32_t target = -1;
        EXPECT_EQ(wheel.Target(c.turn, {100, 200, 1000}, 200, &target), c.moves);
        EXPECT_EQ(target, c.target);
    }
    int32_t target = -1;
    app::WheelScroll wheel;
    ASSERT_TRUE(wheel.Target({-120, false, false, 3}, {0, 500, 160}, 500, &target));
    EXPECT_EQ(target, 0);  // content that fits does not scroll
}

TEST(WheelScroll, FractionsOfANotchAddUpForEachBarOnItsOwn) {
    app::WheelScroll wheel;
    SCROLLBAR vertical = {100, 200, 1000}, horizontal = {100, 200, 1000};
    std::string moves;
    for (int i = 0; i < 4; ++i) {
        // A fine-grained wheel sends a quarter notch at a time, Shift alternating.
        const bool shift = i % 2 == 1;
        SCROLLBAR& bar = shift ? horizontal : vertical;
        int32_t target = 0;
        if (wheel.Target({-30, false, shift, 3}, bar, 200, &target)) {
            moves += std::to_string(target - bar.position) + ' ';
            bar.position = target;
        } else {
            moves += "- ";
        }
    }
    // 3 lines a notch: 40 a line, so 60 on each bar makes one line and half a line is kept.
    EXPECT_EQ(moves, "- - 16 16 ");
    int32_t target = 0;
    EXPECT_FALSE(wheel.Target({-10, false, false, 3}, vertical, 200, &target));
    EXPECT_TRUE(wheel.Target({-10, false, false, 3}, vertical, 200, &target));
    EXPECT_EQ(target, vertical.position + 16);
}

TEST(WindowGeometry, CreationRectangleKeepsDefaults) {
    using app::WindowGeometry;
    const int32_t d = WindowGeometry::kUseDefault;
    const app::CREATE_RECT all = WindowGeometry::ToCreateRect({d, d, d, d});
    EXPECT_EQ(all.x, d);
    EXPECT_EQ(all.y, d);
    EXPECT_EQ(all.width, d);
    EXPECT_EQ(all.height, d);
    const app::CREATE_RECT stored = WindowGeometry::ToCreateRect({10, 20, 110, 220});
    EXPECT_EQ(stored.x, 10);
    EXPECT_EQ(stored.width, 100);
    EXPECT_EQ(stored.height, 200);
    const app::CREATE_RECT sizeOnly = WindowGeometry::ToCreateRect({d, d, 500, 400});
    EXPECT_EQ(sizeOnly.width, 500);
    EXPECT_EQ(sizeOnly.height, 400);
    // A broken stored rectangle must not wrap round into the default value.
    const app::CREATE_RECT wide = WindowGeometry::ToCreateRect({-2000000000, 0, 2000000000, 0});
    EXPECT_EQ(wide.width, INT32_MAX);
    EXPECT_NE(WindowGeometry::ToCreateRect({2000000000, 0, -2000000000, 0}).width, d);
}

TEST(WindowGeometry, StoredWindowsComeBackOnTheScreen) {
    const app::Rect32 desktop = {0, 0, 1280, 1024};
    struct {
        Point32 stored;
        int32_t x, y;
    } const cases[] = {
        {{100, 200}, 100, 200},             // already on the screen
        {{3000, 50}, 1080, 50},             // a monitor to the right that is gone
        {{-500, -40}, 0, 0},                // left of and above the screen
        {{INT32_MAX, INT32_MIN}, 1080, 0},  // nonsense from a broken file
    };
    for (const auto& c : cases) {
        const Point32 place = app::WindowGeometry::KeepOnScreen(c.stored, 200, 150, desktop);
        EXPECT_EQ(place.x, c.x) << c.stored.x;
        EXPECT_EQ(place.y, c.y) << c.stored.y;
    }
    EXPECT_EQ(app::WindowGeometry::KeepOnScreen({10, 10}, 5000, 20, desktop).x, 0);  // wider than the screen
}

// A panel with no stored place goes beside the frame on the frame's monitor, never over it when
// there is room on either side.
TEST(WindowGeometry, APanelWithoutAPlaceGoesBesideTheFrameOnItsMonitor) {
    const app::Rect32 work = {0, 0, 1280, 1000};
    struct {
        app::Rect32 frame;
        int32_t top;
        Point32 place;
    } const cases[] = {
        {{100, 50, 900, 650}, 50, {900, 50}},     // room on the right
        {{100, 50, 900, 650}, 400, {900, 400}},   // below the panel placed before
        {{300, 50, 1200, 650}, 50, {100, 50}},    // no room on the right: on the left
        {{0, 0, 1280, 1000}, 0, {1080, 0}},       // a frame over the whole monitor: its right edge
        {{100, 50, 900, 650}, 900, {900, 700}},   // kept on the monitor
        {{1400, 50, 2000, 650}, 50, {1080, 50}},  // a frame beyond this monitor's edge
    };
    for (const auto& c : cases) {
        const Point32 place = app::WindowGeometry::BesideFrame(c.frame, work, 200, 300, c.top);
        EXPECT_EQ(place.x, c.place.x) << c.frame.left << "," << c.top;
        EXPECT_EQ(place.y, c.place.y) << c.frame.left << "," << c.top;
    }
}

}  // namespace
