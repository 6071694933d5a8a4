#include "paint/ToolFreeHand.h"

#include "engine/Core.h"
#include "engine/STROKESTATE.h"
#include "paint/ColorSettings.h"

namespace app {

namespace {

enum StrokeState : int32_t {
    StrokeIdle = 0,
    StrokeRunning = 1,
};

}  // namespace

class ToolFreeHandMember {
  public:
    STROKESTATE stroke;  // style, last position, emission carry, snapshot, turns
    int32_t state = StrokeIdle;
};

ToolFreeHand::ToolFreeHand() : m_(std::make_unique<ToolFreeHandMember>()) {}

// A stroke still running here belongs to an engine that may be gone already (the document
// goes before the tool at the end of a run); its snapshot dies with that engine.
ToolFreeHand::~ToolFreeHand() = default;

bool ToolFreeHand::IsCapturing() const {
    return m_->state == StrokeRunning;
}

bool ToolFreeHand::IsBusy() const {
    return m_->state == StrokeRunning;
}

int32_t ToolFreeHand::Snapshot() const noexcept {
    return m_->stroke.snapshot;
}

int32_t ToolFreeHand::Turns() const noexcept {
    return m_->stroke.turns;
}

void ToolFreeHand::OnEvent(ToolEvent& event) {
    if (!event.engine)
        return;
    if (m_->state == StrokeIdle) {
        if (event.code == ToolEventLeftDown)
            BeginStroke(event);
        return;
    }
    switch (event.code) {
        case ToolEventLeftUp:
        case ToolEventCancel:
            EndStroke(event);
            break;
        case ToolEventTurn:
            EmitTurn(event);
            break;
        default:
            break;
    }
}

void ToolFreeHand::BeginStroke(ToolEvent& event) {
    STROKESTATE& stroke = m_->stroke;
    SPRAYSTYLE style = GetSprayStyle(-1);
    ApplyColorSetting(style, GetColorSetting(-1));
    style.ToEngineUnits();
    stroke.style = style;
    if (stroke.snapshot != -1) {
        event.engine->ReleaseStyle(stroke.snapshot);
        stroke.snapshot = -1;
    }
    stroke.snapshot = event.engine->AcquireStyle(stroke.style);
    stroke.turns = 0;
    m_->state = StrokeRunning;
    stroke.carry = {0, 0};
    event.engine->EmitFirst(stroke, {event.x, event.y});
}

void ToolFreeHand::EndStroke(ToolEvent& event) {
    STROKESTATE& stroke = m_->stroke;
    if (stroke.snapshot != -1)
        event.engine->ReleaseStyle(stroke.snapshot);
    stroke.snapshot = -1;
    m_->state = StrokeIdle;
}

void ToolFreeHand::EmitTurn(ToolEvent& event) {
    event.engine->EmitBatch(m_->stroke, {event.x, event.y});
}

}  // namespace app
