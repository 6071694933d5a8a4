#include <gtest/gtest.h>

#include "base/String.h"
#include "resources/ResourceIds.h"
#include "ui/CommandRules.h"
#include "ui/IdValueTable.h"
#include "ui/ModalNesting.h"
#include "ui/StatusPrompt.h"
#include "ui/ZoomTable.h"

namespace {

using app::COMMAND_STATE;
using app::CommandRules;
using app::IdValueTable;
using app::ZoomTable;

TEST(ZoomTable, StepsStopAtBothEnds) {
    EXPECT_EQ(ZoomTable::Out(25), 25);
    EXPECT_EQ(ZoomTable::In(400), 400);
    EXPECT_EQ(ZoomTable::Out(100), 75);
    EXPECT_EQ(ZoomTable::In(100), 150);
    EXPECT_EQ(ZoomTable::In(150), 200);
    EXPECT_EQ(ZoomTable::Out(50), 25);
    int32_t zoom = 25;
    for (int i = 0; i < 10; ++i)
        zoom = ZoomTable::In(zoom);
    EXPECT_EQ(zoom, 400);
}

TEST(ZoomTable, CaptionShowsProductAndZoom) {
    EXPECT_EQ(ZoomTable::Caption(150).ToStdString(), "Driftlace (150%)");
    EXPECT_EQ(ZoomTable::Caption(25).ToStdString(), "Driftlace (25%)");
}

TEST(IdValueTable, CommandsMapToTheirValues) {
    EXPECT_EQ(ZoomTable::ForCommand(IDM_ZOOM150), 150);
    EXPECT_EQ(ZoomTable::ForCommand(IDM_ZOOM25), 25);
    EXPECT_EQ(ZoomTable::ForCommand(IDM_ZOOM_IN), -1);
    // White and black are stored the other way round from their menu order.
    EXPECT_EQ(IdValueTable::ValueOf(IdValueTable::Background(), IDM_MAT_WHITE), 2);
    EXPECT_EQ(IdValueTable::ValueOf(IdValueTable::Background(), IDM_MAT_BLACK), 1);
    EXPECT_EQ(IdValueTable::ValueOf(IdValueTable::Tool(), IDM_TOOL_BLUR), 2);
    EXPECT_EQ(IdValueTable::ValueOf(IdValueTable::Panel(), IDM_PANEL_CATALOG), 3);
    EXPECT_EQ(IdValueTable::ValueOf(IdValueTable::Panel(), 0), -1);
    EXPECT_EQ(IdValueTable::IdOf(IdValueTable::Zoom(), 300), IDM_ZOOM300);
    EXPECT_EQ(IdValueTable::IdOf(IdValueTable::Zoom(), 120), -1);
}

app::VIEW_FACTS Facts() {
    return {1, true, true, false, false, 200, 2};
}

COMMAND_STATE Ask(int32_t id, const app::VIEW_FACTS& facts) {
    COMMAND_STATE state = {};
    EXPECT_TRUE(CommandRules::ForView(id, facts, &state)) << id;
    return state;
}

TEST(CommandRules, HistoryIsGreyedWhileParticlesLive) {
    app::VIEW_FACTS facts = Facts();
    EXPECT_TRUE(Ask(IDM_UNDO, facts).setsEnable);
    EXPECT_TRUE(Ask(IDM_UNDO, facts).enable);
    EXPECT_TRUE(Ask(IDM_REDO, facts).enable);
    EXPECT_FALSE(Ask(IDM_ERASE_PARTICLES, facts).enable);
    facts.particlesAlive = true;
    EXPECT_FALSE(Ask(IDM_UNDO, facts).enable);
    EXPECT_FALSE(Ask(IDM_REDO, facts).enable);
    EXPECT_TRUE(Ask(IDM_ERASE_PARTICLES, facts).enable);
    facts = Facts();
    facts.canRedo = false;
    EXPECT_FALSE(Ask(IDM_REDO, facts).enable);
    EXPECT_FALSE(Ask(IDM_UNDO, facts).setsCheck);
}

TEST(CommandRules, ChecksFollowToolZoomBackgroundAndPause) {
    const app::VIEW_FACTS facts = Facts();
    EXPECT_TRUE(Ask(IDM_TOOL_ERASE, facts).check);
    EXPECT_FALSE(Ask(IDM_TOOL_PAINT, facts).check);
    EXPECT_TRUE(Ask(IDM_ZOOM200, facts).check);
    EXPECT_FALSE(Ask(IDM_ZOOM100, facts).check);
    EXPECT_TRUE(Ask(IDM_MAT_WHITE, facts).check);
    EXPECT_FALSE(Ask(IDM_MAT_BLACK, facts).check);
    EXPECT_FALSE(Ask(IDM_PAUSE, facts).check);
    EXPECT_FALSE(Ask(IDM_ZOOM200, facts).setsEnable);
}

TEST(CommandRules, OtherIdsAreLeftToTheirOwners) {
    COMMAND_STATE state = {true, true, true, true};
    EXPECT_FALSE(CommandRules::ForView(IDM_ZOOM_IN, Facts(), &state));
    EXPECT_FALSE(CommandRules::ForView(IDM_CLEAR, Facts(), &state));
    EXPECT_FALSE(CommandRules::ForView(0, Facts(), &state));
    EXPECT_FALSE(CommandRules::ForView(-1, Facts(), &state));
    const app::FRAME_FACTS frame = {};
    EXPECT_FALSE(CommandRules::ForFrame(IDM_UNDO, frame, &state));
}

TEST(CommandRules, FrameChecksBarsAndPanels) {
    app::FRAME_FACTS frame = {true, false, {true, true, false, false}, {false, true, false, false}};
    COMMAND_STATE state = {};
    ASSERT_TRUE(CommandRules::ForFrame(IDM_SHOW_TOOLBAR, frame, &state));
    EXPECT_TRUE(state.check);
    ASSERT_TRUE(CommandRules::ForFrame(IDM_SHOW_STATUSBAR, frame, &state));
    EXPECT_FALSE(state.check);
    ASSERT_TRUE(CommandRules::ForFrame(IDM_PANEL_SPRAY, frame, &state));
    EXPECT_TRUE(state.enable);
    EXPECT_TRUE(state.check);
    ASSERT_TRUE(CommandRules::ForFrame(IDM_PANEL_GENERAL, frame, &state));
    EXPECT_TRUE(state.enable);
    EXPECT_FALSE(state.check);
    // A panel without a window cannot be shown: greyed.
    ASSERT_TRUE(CommandRules::ForFrame(IDM_PANEL_COLOR, frame, &state));
    EXPECT_TRUE(state.setsEnable);
    EXPECT_FALSE(state.enable);
}

TEST(StatusPrompt, ShowsThePromptOnceAndEmptiesOutsideCommands) {
    app::StatusPrompt prompt;
    app::String text = "unchanged";
    ASSERT_TRUE(prompt.Show(IDM_UNDO, &text));
    EXPECT_EQ(text.ToStdString(), "操作を元に戻します。");
    text = "unchanged";
    EXPECT_FALSE(prompt.Show(IDM_UNDO, &text));
    EXPECT_EQ(text.ToStdString(), "unchanged");
    ASSERT_TRUE(prompt.Show(IDM_TOOL_PAINT, &text));
    EXPECT_EQ(text.ToStdString(), "塗る");  // no line break: the whole text
    ASSERT_TRUE(prompt.Show(app::StatusPrompt::MenuSelectId(IDM_REDO, true, false), &text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(prompt.ShownId(), IDS_NO_COMMAND);
    EXPECT_FALSE(prompt.Show(app::StatusPrompt::MenuSelectId(0, false, true), &text));
    EXPECT_EQ(app::StatusPrompt::MenuSelectId(IDM_REDO, false, false), IDM_REDO);
}

TEST(ModalNesting, OnlyTheOutermostScopeLocksAndUnlocks) {
    ASSERT_EQ(app::ModalNesting::Depth(), 0);
    EXPECT_TRUE(app::ModalNesting::Enter());
    EXPECT_FALSE(app::ModalNesting::Enter());
    EXPECT_EQ(app::ModalNesting::Depth(), 2);
    EXPECT_FALSE(app::ModalNesting::Leave());
    EXPECT_TRUE(app::ModalNesting::Leave());
    EXPECT_FALSE(app::ModalNesting::Leave());  // unbalanced leave: still nothing open
    EXPECT_EQ(app::ModalNesting::Depth(), 0);
    EXPECT_TRUE(app::ModalNesting::Enter());
    EXPECT_TRUE(app::ModalNesting::Leave());
}

}  // namespace
