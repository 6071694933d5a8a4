#include "history/History.h"

#include <algorithm>

namespace app {

class HistoryMember {
  public:
    HistoryList steps;
    std::unique_ptr<HistoryRecord> pending;
    int32_t depth = 0;
    int32_t position = 0;
    int32_t replayCursor = 0;
    bool replaying = false;
    bool undoing = false;
    int32_t limit = kDefaultHistoryLimit;
};

History::History() : m_(std::make_unique<HistoryMember>()) {}

History::~History() = default;

void History::SetLimit(int32_t steps) noexcept {
    m_->limit = std::max(steps, 0);
}

int32_t History::Limit() const noexcept {
    return m_->limit;
}

bool History::Begin() {
    if (m_->limit == 0)
        return false;
    ++m_->depth;
    // A nested or replay-time Begin shares the current pending step, if any.
    if (m_->replaying || m_->depth != 1)
        return true;
    m_->pending = std::make_unique<HistoryRecord>();
    return true;
}

void History::Add(std::unique_ptr<HistoryItem> item) {
    // Without a pending step (a Begin during replay) the item is not recorded.
    if (m_->pending)
        m_->pending->Append(std::move(item));
}

void History::End() {
    if (m_->depth > 0)
        --m_->depth;
    if (m_->replaying || m_->depth != 0)
        return;
    std::unique_ptr<HistoryRecord> step = std::move(m_->pending);
    if (!step || step->IsEmpty())
        return;  // an empty step is never stored

    // A new step discards everything that could have been redone.
    m_->steps.EraseFrom(m_->position);
    m_->position = m_->steps.Size();

    const int32_t limit = m_->limit;
    const int32_t excess = std::min(m_->steps.Size() - limit + 1, m_->steps.Size());
    if (excess > 0) {
        m_->steps.EraseFirst(excess);
        m_->position -= excess;
    }
    // The limit may have dropped to 0 while the step was being built.
    if (limit == 0)
        return;
    m_->steps.Append(std::move(step));
    ++m_->position;
}

void History::Abort() {
    if (m_->depth > 0)
        --m_->depth;
    m_->pending.reset();
}

void History::BeginReplay(bool undo) {
    m_->replaying = true;
    m_->replayCursor = 0;
    m_->undoing = undo;
}

HistoryItem* History::NextItem() {
    const HistoryRecord& step = m_->steps.At(m_->undoing ? m_->position - 1 : m_->position);
    const int32_t count = step.Size();
    if (m_->replayCursor >= count)
        return nullptr;
    // Items are undone last first and redone first first.
    const int32_t index = m_->undoing ? count - 1 - m_->replayCursor : m_->replayCursor;
    ++m_->replayCursor;
    return &step.At(index);
}

void History::EndReplay() {
    if (!m_->replaying)
        return;
    const int32_t moved = m_->position + (m_->undoing ? -1 : 1);
    m_->position = std::clamp(moved, 0, m_->steps.Size());
    m_->replaying = false;
    m_->replayCursor = 0;
}

void History::AbortReplay() {
    m_->replaying = false;
    m_->replayCursor = 0;
}

bool History::CanUndo() const {
    return m_->position > 0;
}

bool History::CanRedo() const {
    return m_->position < m_->steps.Size();
}

void History::Trim() {
    const int32_t limit = m_->limit;
    if (limit >= m_->steps.Size())
        return;
    m_->steps.EraseFrom(m_->position);
    const int32_t before = m_->steps.Size();
    if (before - limit > 0) {
        m_->steps.EraseFirst(before - limit);
        m_->position += limit - before;
    }
}

int32_t History::StepCount() const {
    return m_->steps.Size();
}

int32_t History::Position() const {
    return m_->position;
}

int32_t History::Depth() const {
    return m_->depth;
}

bool History::IsReplaying() const {
    return m_->replaying;
}

bool History::IsRecording() const {
    return m_->pending != nullptr;
}

const HistoryRecord& History::Step(int32_t index) const {
    return m_->steps.At(index);
}

}  // namespace app
