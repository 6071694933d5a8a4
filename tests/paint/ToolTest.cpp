#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exception.h"
#include "base/Image.h"
#include "engine/Core.h"
#include "engine/CoreMember.h"
#include "engine/DecreaseReference.h"
#include "engine/SPRAYSTYLE.h"
#include "paint/ColorSettings.h"
#include "paint/ToolBlur.h"
#include "paint/ToolCanceler.h"
#include "paint/ToolErase.h"
#include "paint/ToolEvent.h"
#include "paint/ToolPaint.h"
#include "paint/ToolSelection.h"
#include "settings/IniFileBackend.h"
#include "settings/Registry.h"
#include "settings/RunSettings.h"
#include "tests/support/TestFiles.h"

namespace {

using app::ToolEvent;

class ToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app::DestroyCurrentTool();
        app::SetToolChangedHandler(nullptr);
        app::SetUpdateCommandsHandler(nullptr);
        app::ResetColorSettings();
        for (int32_t tool = 0; tool < 3; ++tool)
            app::SetSprayStyle(tool, Style());
        app::SelectTool(0);
        engine.SetSize(128, 128);
        engine.Init();
        image.Create(128, 128, 4);
        image.Clear();
        engine.SetImage(&image);
    }
    void TearDown() override {
        app::DestroyCurrentTool();
        app::SetToolChangedHandler(nullptr);
        app::SetUpdateCommandsHandler(nullptr);
        app::ResetColorSettings();
        app::SelectTool(0);
        for (int32_t tool = 0; tool < 3; ++tool)
            app::SetSprayStyle(tool, app::SPRAYSTYLE());
    }

    // Few particles per batch, spread wide enough that no cell fills up.
    static app::SPRAYSTYLE Style() {
        app::SPRAYSTYLE style;
        style.Count = 4;
        style.Size = 40;
        return style;
    }

    ToolEvent Event(int32_t code, double x = 64, double y = 64) { return {x, y, &image, &engine, code, 0}; }
    void Send(int32_t code, double x = 64, double y = 64) {
        ToolEvent event = Event(code, x, y);
        app::DispatchToolEvent(event);
    }
    app::ToolFreeHand& Tool() { return dynamic_cast<app::ToolFreeHand&>(*app::CurrentTool()); }
    int32_t References(int32_t snapshot) { return engine.Members().infoList.Item(snapshot).references; }

    app::Core engine;
    app::Image image;
};

TEST_F(ToolTest, PressAndReleaseInOneTurnEmitsOneParticle) {
    Send(app::ToolEventLeftDown);
    EXPECT_EQ(engine.ParticleCount(), 1);
    EXPECT_TRUE(app::CurrentTool()->IsBusy());
    EXPECT_TRUE(app::CurrentToolIsCapturing());
    const int32_t snapshot = Tool().Snapshot();
    ASSERT_GE(snapshot, 0);
    EXPECT_EQ(References(snapshot), 2);  // the stroke and its particle
    Send(app::ToolEventLeftUp);
    EXPECT_FALSE(app::CurrentTool()->IsBusy());
    EXPECT_FALSE(app::CurrentToolIsCapturing());
    EXPECT_EQ(Tool().Snapshot(), -1);
    EXPECT_EQ(References(snapshot), 1);
    EXPECT_EQ(engine.ParticleCount(), 1);
    engine.EraseAll();
    EXPECT_FALSE(engine.IsAlive());
}

TEST_F(ToolTest, EveryHeldTurnEmitsOneBatch) {
    Send(app::ToolEventLeftDown);
    for (int32_t n = 1; n <= 5; ++n) {
        Send(app::ToolEventMouseMove, 70, 70);  // moving alone emits nothing
        Send(app::ToolEventTurn);
        EXPECT_EQ(engine.ParticleCount(), 1 + 4 * n);
        EXPECT_EQ(Tool().Turns(), n);
    }
    Send(app::ToolEventLeftUp);
    Send(app::ToolEventTurn);
    EXPECT_EQ(engine.ParticleCount(), 21);
}

TEST_F(ToolTest, DoubleClickStartsNothing) {
    Send(app::ToolEventLeftDoubleClick);
    Send(app::ToolEventRightDown);
    Send(app::ToolEventTurn);
    EXPECT_FALSE(app::CurrentTool()->IsBusy());
    EXPECT_FALSE(engine.IsAlive());
    Send(app::ToolEventLeftUp);
    EXPECT_FALSE(engine.IsAlive());
}

TEST_F(ToolTest, CancelEndsAStrokeLikeARelease) {
    Send(app::ToolEventLeftDown);
    Send(app::ToolEventTurn);
    const int32_t snapshot = Tool().Snapshot();
    Send(app::ToolEventCancel, 0, 0);
    EXPECT_FALSE(app::CurrentTool()->IsBusy());
    EXPECT_EQ(References(snapshot), 5);  // only the particles hold it now
    Send(app::ToolEventTurn);
    EXPECT_EQ(engine.ParticleCount(), 5);
}

TEST_F(ToolTest, StrokeKeepsTheColouringOfItsPress) {
    app::COLORSETTING setting = app::GetColorSetting(-1);
    setting.Color[0] = app::ColorWord(1, 2, 3, 200);
    app::SetColorSetting(setting, -1);
    Send(app::ToolEventLeftDown);
    const int32_t snapshot = Tool().Snapshot();
    setting.Color[0] = app::ColorWord(9, 9, 9, 9);
    app::SetColorSetting(setting, -1);
    Send(app::ToolEventTurn);
    const app::PARTICLE_INFO_KEY& key = engine.Members().infoList.Item(snapshot).key;
    EXPECT_EQ(key.Color[0], app::ColorWord(1, 2, 3, 200));
    EXPECT_EQ(key.Life, 20);
    EXPECT_DOUBLE_EQ(key.Brake, 0.95);                      // engine units
    EXPECT_EQ(engine.Members().infoList.Root(), snapshot);  // one snapshot for the whole stroke
}

// A tool whose turn handling fails after its stroke has emitted.
class FailingTool : public app::ToolFreeHand {
  public:
    void OnEvent(ToolEvent& event) override {
        ToolFreeHand::OnEvent(event);
        if (event.code == app::ToolEventTurn)
            throw app::Exception(app::ErrorNoMemory);
    }
};

TEST_F(ToolTest, AnErrorInsideAnEventEndsTheStrokeFirst) {
    FailingTool tool;
    ToolEvent press = Event(app::ToolEventLeftDown);
    tool.OnEvent(press);
    const int32_t snapshot = tool.Snapshot();
    ToolEvent turn = Event(app::ToolEventTurn, 50, 60);
    bool strokeEndedFirst = false;
    try {
        const app::ToolCanceler guard(&tool, turn);
        tool.OnEvent(turn);
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), 3);
        strokeEndedFirst = !tool.IsBusy();
    }
    EXPECT_TRUE(strokeEndedFirst);
    EXPECT_EQ(turn.code, app::ToolEventCancel);
    EXPECT_EQ(turn.x, 50);
    EXPECT_EQ(tool.Snapshot(), -1);
    EXPECT_EQ(References(snapshot), engine.ParticleCount());
    // Without an error the guard does nothing.
    ToolEvent press2 = Event(app::ToolEventLeftDown);
    {
        const app::ToolCanceler guard(&tool, press2);
        tool.OnEvent(press2);
    }
    EXPECT_TRUE(tool.IsBusy());
    EXPECT_EQ(press2.code, app::ToolEventLeftDown);
}

TEST_F(ToolTest, CreatesTheToolOfEachNumber) {
    EXPECT_NE(dynamic_cast<app::ToolPaint*>(app::CreateTool(0).get()), nullptr);
    EXPECT_NE(dynamic_cast<app::ToolErase*>(app::CreateTool(1).get()), nullptr);
    EXPECT_NE(dynamic_cast<app::ToolBlur*>(app::CreateTool(2).get()), nullptr);
    EXPECT_EQ(app::CreateTool(3), nullptr);
    EXPECT_EQ(app::CreateTool(-1), nullptr);
}

TEST_F(ToolTest, SelectingWhileBusyRaisesCodeSix) {
    std::vector<int32_t> changes;
    app::SetToolChangedHandler([&](int32_t number) { changes.push_back(number); });
    Send(app::ToolEventLeftDown);
    app::ToolBase* before = app::CurrentTool();
    try {
        app::SelectTool(1);
        ADD_FAILURE() << "no error";
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), 6);
    }
    EXPECT_EQ(app::CurrentTool(), before);
    EXPECT_EQ(app::CurrentToolNumber(), 0);
    Send(app::ToolEventLeftUp);
    app::SelectTool(2);
    EXPECT_EQ(app::CurrentToolNumber(), 2);
    EXPECT_NE(dynamic_cast<app::ToolBlur*>(app::CurrentTool()), nullptr);
    EXPECT_EQ(changes, std::vector<int32_t>{2});
    // The colour settings and spray styles follow the current tool.
    app::COLORSETTING blur = app::GetColorSetting(2);
    blur.CycleLength = 17;
    app::SetColorSetting(blur, 2);
    EXPECT_EQ(app::GetColorSetting(-1).CycleLength, 17);
}

TEST_F(ToolTest, ChangingTheToolEndsTheStrokeAndRemovesEveryParticle) {
    int32_t updates = 0;
    std::vector<int32_t> changes;
    app::SetToolChangedHandler([&](int32_t number) { changes.push_back(number); });
    app::SetUpdateCommandsHandler([&] { ++updates; });
    Send(app::ToolEventLeftDown);
    Send(app::ToolEventTurn);
    app::ChangeTool(1, engine, &image);
    EXPECT_EQ(app::CurrentToolNumber(), 1);
    EXPECT_EQ(engine.Mode(), 1);
    EXPECT_FALSE(engine.IsAlive());  // the stroke's snapshot and every particle are gone
    EXPECT_EQ(updates, 1);
    // The same tool again still removes the particles.
    Send(app::ToolEventLeftDown);
    Send(app::ToolEventLeftUp);
    EXPECT_TRUE(engine.IsAlive());
    app::ChangeTool(1, engine, &image);
    EXPECT_FALSE(engine.IsAlive());
    EXPECT_EQ(changes, (std::vector<int32_t>{1, 1}));
    EXPECT_EQ(updates, 2);
}

std::string ExchangeTool(const std::string& path, bool loading) {
    app::Registry store;
    store.Open(std::make_unique<app::IniFileBackend>(path), loading);
    app::ExchangeCurrentTool(store);
    store.Close();
    return loading ? std::string() : test::ReadFileText(path);
}

TEST_F(ToolTest, TheToolKeyNamesTheCurrentTool) {
    test::TempFolder folder;
    const std::string path = folder.File("t.ini");
    app::SelectTool(2);
    EXPECT_NE(ExchangeTool(path, false).find("Tool=Blur"), std::string::npos);
    app::SelectTool(1);
    ExchangeTool(path, true);
    EXPECT_EQ(app::CurrentToolNumber(), 2);
    EXPECT_NE(dynamic_cast<app::ToolBlur*>(app::CurrentTool()), nullptr);
    for (const char* stored : {"paint", "Brush", "", "ERASE"}) {
        app::SelectTool(1);
        test::WriteFileText(path, std::string("[App]\nRegistryVersion=1\nTool=") + stored + "\n");
        ExchangeTool(path, true);
        EXPECT_EQ(app::CurrentToolNumber(), 0) << stored;
    }
    test::WriteFileText(path, "[App]\nRegistryVersion=1\nTool=Erase\n");
    ExchangeTool(path, true);
    EXPECT_EQ(app::CurrentToolNumber(), 1);
}

TEST_F(ToolTest, DecreaseReferenceReleasesOnceAtScopeEnd) {
    app::SPRAYSTYLE style;
    const int32_t a = engine.AcquireStyle(style);
    EXPECT_EQ(engine.AcquireStyle(style), a);
    {
        const app::DecreaseReference guard(&engine, a);
        EXPECT_EQ(References(a), 2);
    }
    EXPECT_EQ(References(a), 1);
    try {
        const app::DecreaseReference guard(&engine, a);
        throw app::Exception(app::ErrorNoMemory);
    } catch (const app::Exception&) {
    }
    EXPECT_FALSE(engine.IsAlive());
    { const app::DecreaseReference nothing(nullptr, 5); }
}

}  // namespace
