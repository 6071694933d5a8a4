#pragma once

#include <cstdint>
#include <memory>

#include "history/HistoryItem.h"
#include "history/PtrDeque.h"

namespace app {

class HistoryMember;

// Steps kept until the owner says otherwise.
constexpr int32_t kDefaultHistoryLimit = 100;

// One step of the history: the items that undo and redo replay together.
using HistoryRecord = PtrDeque<HistoryItem>;
// The completed steps, oldest first.
using HistoryList = PtrDeque<HistoryRecord>;

// The undo/redo history: completed steps, the position that separates done from undone steps,
// the step being built between the outermost Begin and End, and the cursor of a replay.  The
// number of steps kept is the limit its owner sets, which may change between any two calls.
class History {
  public:
    History();
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // The most steps kept (negative counts as 0); 0 disables the history.  A lowered limit takes
    // effect at the next End or Trim.
    void SetLimit(int32_t steps) noexcept;
    int32_t Limit() const noexcept;

    // Recording.  Begin returns false when the history is disabled (limit 0).
    bool Begin();
    void Add(std::unique_ptr<HistoryItem> item);
    void End();
    void Abort();

    // Replaying the step to undo (undo = true) or redo.  NextItem returns null when the step
    // has no more items; items stay owned by the history.
    void BeginReplay(bool undo);
    HistoryItem* NextItem();
    void EndReplay();
    // Leaves the replaying state after a failure; the position stays where it was.
    void AbortReplay();

    bool CanUndo() const;
    bool CanRedo() const;
    // Applies a lowered limit at once: redo steps go first, then the oldest.
    void Trim();

    int32_t StepCount() const;
    int32_t Position() const;
    int32_t Depth() const;
    bool IsReplaying() const;
    bool IsRecording() const;  // a pending step is open
    const HistoryRecord& Step(int32_t index) const;

  private:
    std::unique_ptr<HistoryMember> m_;
};

}  // namespace app
