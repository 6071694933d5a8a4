#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "history/History.h"
#include "history/HistoryItem.h"

namespace {

using app::History;

std::unique_ptr<app::HistoryItem> Item(int32_t kind) {
    auto item = std::make_unique<app::HistoryItem>();
    item->SetTags(kind, kind);
    return item;
}

// Commits one step whose items carry the kinds id * 10, id * 10 + 1, ...
void CommitStep(History& history, int32_t id, int32_t items = 1) {
    ASSERT_TRUE(history.Begin());
    for (int32_t i = 0; i < items; ++i)
        history.Add(Item(id * 10 + i));
    history.End();
}

// The ids of the stored steps, oldest first.
std::vector<int32_t> StepIds(const History& history) {
    std::vector<int32_t> ids;
    for (int32_t i = 0; i < history.StepCount(); ++i)
        ids.push_back(history.Step(i).At(0).KindTag() / 10);
    return ids;
}

std::vector<int32_t> ReplayKinds(History& history, bool undo) {
    std::vector<int32_t> kinds;
    history.BeginReplay(undo);
    while (app::HistoryItem* item = history.NextItem())
        kinds.push_back(item->KindTag());
    history.EndReplay();
    return kinds;
}

void Undo(History& history) {
    ReplayKinds(history, true);
}

using HistoryTest = testing::Test;

TEST_F(HistoryTest, DisabledHistoryStoresNothing) {
    History history;
    history.SetLimit(0);
    EXPECT_FALSE(history.Begin());
    EXPECT_EQ(history.Depth(), 0);
    EXPECT_FALSE(history.IsRecording());
    history.End();  // a stray End must not unbalance the depth
    EXPECT_EQ(history.Depth(), 0);
    EXPECT_EQ(history.StepCount(), 0);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(HistoryTest, TheOldestStepsGoBeyondTheLimit) {
    History history;
    history.SetLimit(3);
    for (int32_t id = 1; id <= 4; ++id)
        CommitStep(history, id);
    EXPECT_EQ(StepIds(history), (std::vector<int32_t>{2, 3, 4}));
    EXPECT_EQ(history.Position(), 3);
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(HistoryTest, ANewStepAfterAnUndoDiscardsTheRedoSteps) {
    History history;
    CommitStep(history, 1);
    CommitStep(history, 2);
    Undo(history);
    EXPECT_EQ(history.Position(), 1);
    EXPECT_TRUE(history.CanRedo());
    CommitStep(history, 3);
    EXPECT_EQ(StepIds(history), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(history.Position(), 2);
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(HistoryTest, AnEmptyStepIsNeverStored) {
    History history;
    CommitStep(history, 1);
    Undo(history);
    ASSERT_TRUE(history.Begin());
    EXPECT_TRUE(history.IsRecording());
    history.End();
    EXPECT_FALSE(history.IsRecording());
    EXPECT_EQ(history.StepCount(), 1);
    EXPECT_EQ(history.Position(), 0);
    EXPECT_TRUE(history.CanRedo());  // the empty step did not discard the redo step
}

TEST_F(HistoryTest, NestedBeginsStoreOneStepAtTheOuterEnd) {
    History history;
    ASSERT_TRUE(history.Begin());
    history.Add(Item(10));
    ASSERT_TRUE(history.Begin());
    history.Add(Item(11));
    history.End();
    EXPECT_EQ(history.StepCount(), 0);
    EXPECT_EQ(history.Depth(), 1);
    history.End();
    ASSERT_EQ(history.StepCount(), 1);
    EXPECT_EQ(history.Step(0).Size(), 2);
    EXPECT_EQ(history.Position(), 1);
    EXPECT_EQ(history.Depth(), 0);
}

TEST_F(HistoryTest, AbortDropsThePendingStep) {
    History history;
    CommitStep(history, 1);
    ASSERT_TRUE(history.Begin());
    history.Add(Item(20));
    history.Abort();
    EXPECT_EQ(history.Depth(), 0);
    EXPECT_FALSE(history.IsRecording());
    EXPECT_EQ(StepIds(history), (std::vector<int32_t>{1}));
}

TEST_F(HistoryTest, UndoHandsOutItemsLastFirstAndRedoFirstFirst) {
    History history;
    CommitStep(history, 1, 3);
    EXPECT_EQ(ReplayKinds(history, true), (std::vector<int32_t>{12, 11, 10}));
    EXPECT_EQ(history.Position(), 0);
    EXPECT_EQ(ReplayKinds(history, false), (std::vector<int32_t>{10, 11, 12}));
    EXPECT_EQ(history.Position(), 1);
}

TEST_F(HistoryTest, ABeginDuringReplayRecordsNothing) {
    History history;
    CommitStep(history, 1);
    history.BeginReplay(true);
    ASSERT_TRUE(history.Begin());
    history.Add(Item(50));
    history.End();
    EXPECT_EQ(history.Depth(), 0);
    history.EndReplay();
    EXPECT_EQ(StepIds(history), (std::vector<int32_t>{1}));
    EXPECT_EQ(history.Position(), 0);
}

TEST_F(HistoryTest, LoweringTheLimitAtTheEndKeepsTheNewestSteps) {
    History history;
    for (int32_t id = 0; id < 10; ++id)
        CommitStep(history, id);
    history.SetLimit(2);
    history.Trim();
    EXPECT_EQ(StepIds(history), (std::vector<int32_t>{8, 9}));
    EXPECT_EQ(history.Position(), 2);
}

TEST_F(HistoryTest, LoweringTheLimitDropsTheRedoStepsFirst) {
    History history;
    for (int32_t id = 0; id < 10; ++id)
        CommitStep(history, id);
    for (int32_t i = 0; i < 6; ++i)
        Undo(history);
    ASSERT_EQ(history.Position(), 4);
    history.SetLimit(2);
    history.Trim();
    EXPECT_EQ(StepIds(history), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(history.Position(), 2);
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(HistoryTest, TrimWithinTheLimitKeepsTheRedoSteps) {
    History history;
    for (int32_t id = 0; id < 4; ++id)
        CommitStep(history, id);
    Undo(history);
    history.SetLimit(4);
    history.Trim();
    EXPECT_EQ(history.StepCount(), 4);
    EXPECT_TRUE(history.CanRedo());
}

TEST_F(HistoryTest, TheLimitIsReadAtEachCommit) {
    History history;
    for (int32_t id = 0; id < 5; ++id)
        CommitStep(history, id);
    history.SetLimit(2);
    CommitStep(history, 5);  // no Trim: the commit itself applies the lower limit
    EXPECT_EQ(StepIds(history), (std::vector<int32_t>{4, 5}));
    EXPECT_EQ(history.Position(), 2);

    ASSERT_TRUE(history.Begin());
    history.Add(Item(60));
    history.SetLimit(0);  // disabled while the step was open
    history.End();
    EXPECT_EQ(history.StepCount(), 0);
    EXPECT_EQ(history.Position(), 0);
}

TEST_F(HistoryTest, AnAbortedReplayLeavesTheHistoryUsable) {
    History history;
    CommitStep(history, 1);
    CommitStep(history, 2);
    history.BeginReplay(true);
    ASSERT_NE(history.NextItem(), nullptr);
    history.AbortReplay();
    EXPECT_FALSE(history.IsReplaying());
    EXPECT_EQ(history.Position(), 2);
    EXPECT_EQ(ReplayKinds(history, true), (std::vector<int32_t>{20}));  // starts from its first item again
}

TEST_F(HistoryTest, ReplayOutsideTheStepsIsOutOfRange) {
    History history;
    history.BeginReplay(true);
    EXPECT_THROW(history.NextItem(), std::out_of_range);
    history.AbortReplay();
    EXPECT_EQ(history.Position(), 0);
    history.BeginReplay(false);
    EXPECT_THROW(history.NextItem(), std::out_of_range);
    history.AbortReplay();
}

}  // namespace
