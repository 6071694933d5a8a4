#pragma once

#include <memory>

#include "paint/ToolBase.h"

namespace app {

class ToolFreeHandMember;

// The spray tool: a left press starts a stroke with the current tool's style and colouring of
// that moment, every engine turn while it runs emits a batch along the cursor's path, and a
// release or a cancel ends it.
class ToolFreeHand : public ToolBase {
  public:
    ToolFreeHand();
    ~ToolFreeHand() override;

    bool IsCapturing() const override;  // both true exactly while a stroke runs
    bool IsBusy() const override;
    void OnEvent(ToolEvent& event) override;

    // The stroke's snapshot in the engine, -1 when none; for tests and diagnostics.
    int32_t Snapshot() const noexcept;
    int32_t Turns() const noexcept;

  private:
    void BeginStroke(ToolEvent& event);
    void EndStroke(ToolEvent& event);
    void EmitTurn(ToolEvent& event);

    std::unique_ptr<ToolFreeHandMember> m_;
};

}  // namespace app
