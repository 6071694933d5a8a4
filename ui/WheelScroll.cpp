#include "ui/WheelScroll.h"

namespace app {

class WheelScrollMember {
  public:
    // Rotation not yet scrolled, in 1/120 of a line (or page), towards the end of the content;
    // horizontal bar first.
    int64_t kept[2] = {0, 0};
};

WheelScroll::WheelScroll() : m_(std::make_unique<WheelScrollMember>()) {}

WheelScroll::~WheelScroll() = default;

bool WheelScroll::MovesHorizontalBar(const WHEEL_TURN& turn) {
    return turn.sidewaysWheel || turn.shiftHeld;
}

bool WheelScroll::Target(const WHEEL_TURN& turn, const SCROLLBAR& bar, int32_t client, int32_t* target) {
    if (turn.linesPerNotch == 0 || turn.linesPerNotch < kPagePerNotch)
        return false;
    const bool byPage = turn.linesPerNotch == kPagePerNotch;
    // Turning the ordinary wheel away from the user goes back towards the start (up, or left
    // with Shift); tilting a sideways wheel to the right goes on towards the end.
    const int64_t towardsEnd = turn.sidewaysWheel ? turn.delta : -static_cast<int64_t>(turn.delta);
    int64_t& kept = m_->kept[MovesHorizontalBar(turn) ? 0 : 1];
    kept += towardsEnd * (byPage ? 1 : turn.linesPerNotch);
    const int64_t steps = kept / kNotch;  // whole lines or pages, toward zero
    if (steps == 0)
        return false;
    kept -= steps * kNotch;
    const int64_t step = byPage ? bar.page : ViewGeometry::kLineStep;
    *target = ViewGeometry::ClampScroll(bar.position + steps * step, bar, client);
    return true;
}

}  // namespace app
