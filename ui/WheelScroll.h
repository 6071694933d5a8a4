#pragma once

#include <cstdint>
#include <memory>

#include "ui/ViewGeometry.h"

namespace app {

class WheelScrollMember;

// One wheel message as the view receives it.
struct WHEEL_TURN {
    // Rotation in 1/120 of a notch: positive away from the user, or to the right for a sideways
    // wheel.  Fine-grained wheels send fractions of a notch.
    int32_t delta;
    bool sidewaysWheel;
    bool shiftHeld;
    // The user's setting: lines (columns for a sideways wheel) a notch, 0 for none, or
    // WheelScroll::kPagePerNotch.
    int32_t linesPerNotch;
};

// The mouse wheel scrolls the view by the scroll bars' rules: lines of 16 pixels (or pages of
// the client size), clamped to the content.  The ordinary wheel moves the vertical bar, or the
// horizontal one with Shift held; a sideways wheel moves the horizontal bar.  Rotation short of a
// whole line is kept, for each bar, until the next message adds to it.
class WheelScroll {
  public:
    static constexpr int32_t kNotch = 120;
    static constexpr int32_t kPagePerNotch = -1;

    WheelScroll();
    ~WheelScroll();
    WheelScroll(const WheelScroll&) = delete;
    WheelScroll& operator=(const WheelScroll&) = delete;

    static bool MovesHorizontalBar(const WHEEL_TURN& turn);
    // Takes one message for the bar it moves (`bar`, over a client extent `client`); returns
    // whether the bar moves and, if so, its new position in `target`.
    bool Target(const WHEEL_TURN& turn, const SCROLLBAR& bar, int32_t client, int32_t* target);

  private:
    std::unique_ptr<WheelScrollMember> m_;
};

}  // namespace app
