#include "tools/paint/PaintSession.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "base/Image.h"
#include "engine/Random.h"
#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"
#include "host/Options.h"
#include "paint/ColorSettings.h"
#include "paint/ToolSelection.h"
#include "settings/PresetCatalogue.h"
#include "settings/RunSettings.h"
#include "settings/SprayFields.h"
#include "tests/support/TestFiles.h"
#include "tools/paint/MemoryHost.h"
#include "tools/paint/ScriptError.h"
#include "tools/paint/ScriptReader.h"

namespace {

tools::RgbaPicture Gradient(int32_t width, int32_t height) {
    tools::RgbaPicture picture{width, height, {}};
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            picture.pixels.insert(picture.pixels.end(),
                                  {static_cast<unsigned char>(x * 3), static_cast<unsigned char>(y * 5), 90,
                                   static_cast<unsigned char>(x < width / 2 ? 255 : 128)});
    return picture;
}

// The generator as a fresh process has it: runs in one process otherwise go on from each other's
// draws, as consecutive filter runs do.
const uint32_t kFreshRandomState = app::RandomState();

// One headless filter run over `picture`, started as in a fresh process.
struct HeadlessRun {
    explicit HeadlessRun(const tools::RgbaPicture& picture, const std::string& settings = "") : host(picture) {
        host.Accept("");
        app::RestoreRandomState(kFreshRandomState);
        app::SelectTool(0);  // a run without a stored tool keeps the one it has
        app::LoadRunSettingsFile(settings);
        session.Start();
    }
    ~HeadlessRun() { app::DestroyCurrentTool(); }

    void Script(const std::string& text) {
        std::istringstream in(text);
        session.Run(tools::ReadScript(in));
    }
    tools::RgbaPicture Result() {
        session.Finish();
        return host.Picture();
    }

    tools::MemoryHost host;
    tools::PaintSession session{nullptr};
};

const char* const kStroke =
    "down 20 20\n"
    "move 30 25\n"
    "turn 4\n"
    "move 40 30\n"
    "turn 4\n"
    "up 45 32\n";

TEST(PaintSession, AStrokeAndItsRestAreOneStepThatUndoAndRedoReplay) {
    const tools::RgbaPicture input = Gradient(64, 48);
    auto paint = [&](const std::string& after, int32_t steps) {
        HeadlessRun run(input);
        run.Script(std::string(kStroke) + "idle\n");
        EXPECT_EQ(run.session.HistorySteps(), 1);
        EXPECT_GT(run.session.Stats().peakParticles, 1);
        run.Script(after);
        EXPECT_EQ(run.session.HistorySteps(), steps);
        return run.Result();
    };
    const tools::RgbaPicture painted = paint("", 1);
    EXPECT_NE(painted.pixels, input.pixels);
    EXPECT_EQ(paint("undo\n", 1).pixels, input.pixels);
    EXPECT_EQ(paint("undo\nredo\n", 1).pixels, painted.pixels);
}

TEST(PaintSession, OverlappingStrokesShareAStepAndClearWhileIdleHasItsOwn) {
    HeadlessRun run(Gradient(64, 48));
    run.Script(std::string(kStroke) + "turn 2\n" + kStroke + "idle\n");
    EXPECT_EQ(run.session.HistorySteps(), 1);
    run.Script("clear\n");
    EXPECT_EQ(run.session.HistorySteps(), 2);
    run.Script("clear\n");  // already transparent: nothing changed, nothing recorded
    EXPECT_EQ(run.session.HistorySteps(), 2);
    run.Script("undo\nundo\n");
    EXPECT_THROW(run.Script("undo\n"), tools::ScriptError);
}

// Scripts of strokes and commands: after every action the picture is kept whole when it changed,
// and undo and redo must then give back exactly those pictures, whatever parts a step stored.
TEST(PaintSession, StepsOfChangedPartsUndoAndRedoToThePicturesAWholeCopyKeeps) {
    auto stroke = [](int x0, int y0, int x1, int y1) {
        std::ostringstream s;
        s << "down " << x0 << " " << y0 << "\n";
        for (int i = 1; i <= 4; ++i)
            s << "move " << x0 + (x1 - x0) * i / 4 << " " << y0 + (y1 - y0) * i / 4 << "\nturn 2\n";
        s << "up " << x1 << " " << y1 << "\n";
        return s.str();
    };
    const std::string idle = "idle\n";
    struct CASE {
        const char* what;
        std::vector<std::string> actions;
    };
    const std::vector<CASE> cases = {
        {"top and bottom rows", {stroke(10, 0, 200, 0) + idle, stroke(30, 199, 290, 199) + idle}},
        {"across the whole picture", {stroke(0, 0, 299, 199) + idle, stroke(299, 0, 0, 199) + idle}},
        {"two strokes far apart in one step", {stroke(5, 5, 40, 20) + stroke(260, 170, 295, 195) + idle}},
        {"clear all, idle and while particles fly",
         {stroke(20, 20, 100, 60) + idle, "clear\n", stroke(50, 50, 250, 150) + "clear\n" + idle}},
        {"undo, then a new stroke",
         {stroke(20, 100, 280, 100) + idle, stroke(150, 10, 150, 190) + idle, "undo\n", stroke(10, 10, 60, 60) + idle}},
        {"a history of one step",
         {"option HistoryMax 1\n", stroke(0, 50, 299, 50) + idle, stroke(0, 150, 299, 150) + idle}},
        {"blur and erase",
         {"tool Blur\n" + stroke(0, 100, 299, 120) + idle, "tool Erase\n" + stroke(100, 0, 120, 199) + idle}},
    };
    const tools::RgbaPicture input = Gradient(300, 200);
    for (const CASE& c : cases) {
        HeadlessRun run(input);
        const app::Image& image = run.session.Document().GetImage();
        auto picture = [&] {
            return std::vector<unsigned char>(image.ConstData(), image.ConstData() + image.ByteSize());
        };
        std::vector<std::vector<unsigned char>> kept = {picture()};
        size_t position = 0;
        for (const std::string& action : c.actions) {
            run.Script(action);
            if (action == "undo\n") {
                ASSERT_EQ(picture(), kept[--position]) << c.what;
            } else if (picture() != kept[position]) {
                kept.resize(++position);
                kept.push_back(picture());
            }
        }
        int32_t undone = 0;
        for (; run.session.Document().CanUndo(); ++undone) {
            run.Script("undo\n");
            ASSERT_EQ(picture(), kept[--position]) << c.what << ", undo " << undone;
        }
        EXPECT_EQ(undone, std::min<int32_t>(static_cast<int32_t>(kept.size()) - 1, app::GetOptions().historyMax))
            << c.what;
        while (run.session.Document().CanRedo()) {
            run.Script("redo\n");
            ASSERT_EQ(picture(), kept[++position]) << c.what << ", redo";
        }
        EXPECT_EQ(position + 1, kept.size()) << c.what;
    }
}

TEST(PaintSession, TheSameScriptGivesTheSameImage) {
    const tools::RgbaPicture input = Gradient(80, 60);
    const std::string script =
        std::string("style Count 12\ncolor Coloring 1\n") + kStroke + "tool Blur\n" + kStroke + "idle\n";
    auto paint = [&] {
        HeadlessRun run(input);  // one at a time: the host's row functions find it process-wide
        run.Script(script);
        return run.Result();
    };
    const tools::RgbaPicture first = paint();
    EXPECT_EQ(first.pixels, paint().pixels);
    EXPECT_NE(first.pixels, input.pixels);
}

TEST(PaintSession, CommandsThatCannotRunAreScriptErrorsNamingTheLine) {
    HeadlessRun run(Gradient(16, 16));
    auto lineOf = [&](const std::string& text) {
        try {
            run.Script(text);
        } catch (const tools::ScriptError& error) {
            return error.Line();
        }
        return 0;
    };
    EXPECT_EQ(lineOf("turn\nundo\n"), 2);  // nothing to undo
    EXPECT_EQ(lineOf("style Nonsense 1\n"), 1);
    EXPECT_EQ(lineOf("style Count many\n"), 1);
    EXPECT_EQ(lineOf("world RegistryVersion 7\n"), 1);
    EXPECT_EQ(lineOf("option ViewMat 1\n"), 1);
    EXPECT_EQ(lineOf("tool Smudge\n"), 1);
    EXPECT_EQ(lineOf("preset anything\n"), 1);              // no catalogue at all
    EXPECT_EQ(lineOf("down 8 8\nturn\npause\nidle\n"), 4);  // paused with particles alive
}

TEST(PaintSession, SettingsChangeByTheirStoredNamesWithTheirLimits) {
    HeadlessRun run(Gradient(16, 16));
    run.Script("style Count 7\nstyle VelocityX 1.5\noption TurnInterval 0\noption HistoryMax 3\n");
    EXPECT_EQ(app::GetSprayStyle(0).Count, 7);
    EXPECT_EQ(app::GetSprayStyle(0).Velocity.x, 1.5);
    EXPECT_EQ(app::GetOptions().turnInterval, 1);  // clamped as a load clamps it
    EXPECT_EQ(app::GetOptions().historyMax, 3);
    run.Script("tool Erase\nstyle Count 2\n");
    EXPECT_EQ(app::GetSprayStyle(1).Count, 2);
    EXPECT_EQ(app::GetSprayStyle(0).Count, 7);
}

uint64_t Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A setting command changes the value it names and nothing else: reals that a "%g" text cannot
// hold stay bit for bit, and the world settings are not clamped as a load would clamp them.
TEST(PaintSession, ASettingCommandChangesOneValueAndLeavesEveryOtherBitForBit) {
    HeadlessRun run(Gradient(8, 8));
    app::SPRAYSTYLE style = app::GetSprayStyle(0);
    style.SpinAngle = 0.123456789012345;
    style.Velocity = {1.0 / 3, -2e-7 / 3};
    style.Repulsion = 1e-320;
    app::SetSprayStyle(0, style);
    app::SetSprayStyle(1, style);
    app::WORLD_SETTINGS world = app::GetWorldSettings();
    world.GravityX = 2.0 / 3;
    app::SetWorldSettings(world);

    run.Script("style Count 5\ncolor Coloring 2\nworld GravityY 0.25\nworld Lively 1.5\noption HistoryMax 7\n");
    const app::SPRAYSTYLE after = app::GetSprayStyle(0);
    EXPECT_EQ(after.Count, 5);
    for (const app::SPRAYFIELD& field : app::kSprayFields) {
        if (field.real) {
            EXPECT_EQ(Bits(after.*field.real), Bits(style.*field.real)) << field.name;
        } else if (field.pair) {
            EXPECT_EQ(Bits((after.*field.pair).x), Bits((style.*field.pair).x)) << field.name;
            EXPECT_EQ(Bits((after.*field.pair).y), Bits((style.*field.pair).y)) << field.name;
        }
    }
    EXPECT_EQ(Bits(app::GetSprayStyle(1).SpinAngle), Bits(style.SpinAngle));  // another tool's style
    EXPECT_EQ(Bits(app::GetWorldSettings().GravityX), Bits(2.0 / 3));
    EXPECT_EQ(app::GetWorldSettings().GravityY, 0.25);
    EXPECT_EQ(app::GetWorldSettings().Lively, 1.5);  // as the panel would set it
    EXPECT_EQ(app::GetColorSetting(0).Coloring, 2);
    EXPECT_EQ(app::GetOptions().historyMax, 7);
}

TEST(PaintSession, ABrokenSettingsFileLoadsDefaultsAndClamps) {
    test::TempFolder folder;
    const std::string path = folder.File("broken.ini");
    test::WriteFileText(
        path,
        "[App]\nRegistryVersion=1\nTurnInterval=-5\nHistoryMax=lots\nTool=Hammer\n[Paint\\Spray]\nCount=\x01\x02\n");
    HeadlessRun run(Gradient(8, 8), path);
    EXPECT_EQ(app::GetOptions().turnInterval, 1);
    EXPECT_EQ(app::GetOptions().historyMax, 0);
    EXPECT_EQ(app::CurrentToolNumber(), 0);

    test::WriteFileText(path, "[App]\nTurnInterval=500\n");  // no "RegistryVersion": every default
    HeadlessRun unversioned(Gradient(8, 8), path);
    EXPECT_EQ(app::GetOptions().turnInterval, 40);
}

TEST(PaintSession, SavedSettingsLoadBackTheSame) {
    test::TempFolder folder;
    {
        HeadlessRun run(Gradient(8, 8));
        run.Script("tool Blur\nstyle Life 77\nworld Lively 0.25\noption DisplayingInterval 3\n");
        app::SaveRunSettingsFile(folder.File("saved.ini"));
    }
    HeadlessRun reloaded(Gradient(8, 8), folder.File("saved.ini"));
    EXPECT_EQ(app::CurrentToolNumber(), 2);
    EXPECT_EQ(app::GetSprayStyle(2).Life, 77);
    EXPECT_EQ(app::GetOptions().displayingInterval, 3);
}

}  // namespace
