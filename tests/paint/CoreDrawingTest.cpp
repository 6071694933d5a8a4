#include <gtest/gtest.h>

#include "base/Exception.h"
#include "base/Image.h"
#include "engine/Core.h"
#include "engine/SPRAYSTYLE.h"
#include "engine/STROKESTATE.h"
#include "paint/COLORSETTING.h"
#include "paint/DrawingPass.h"

namespace {

// A dense stroke of particles that stand still around one point.
app::STROKESTATE StillStroke(app::Core& engine, uint32_t colour) {
    app::STROKESTATE stroke;
    stroke.style.Color[0] = colour;
    stroke.style.useFore = true;
    stroke.style.CycleLength = 6;
    stroke.style.Count = 60;
    stroke.style.Size = 2;
    stroke.style.Repulsion = 0;
    stroke.style.Gravity = 0;
    stroke.style.ToEngineUnits();
    stroke.snapshot = engine.AcquireStyle(stroke.style);
    return stroke;
}

TEST(CoreDrawing, EveryTurnStartsWithTheDrawingPass) {
    app::Core engine;
    app::DrawingPass drawing;
    engine.SetDrawer(&drawing);
    engine.SetSize(64, 48);
    drawing.Build(64);
    engine.Init();
    app::Image image;
    image.Create(64, 48, 4);
    image.Clear();
    app::STROKESTATE stroke = StillStroke(engine, app::ColorWord(0, 0, 255, 255));
    engine.EmitFirst(stroke, {30, 20});
    engine.EmitBatch(stroke, {30, 20});
    engine.ReleaseStyle(stroke.snapshot);
    // Particles emitted now are first drawn by the next turn.
    EXPECT_EQ(image.ConstPixel(31, 21)[3], 0);
    engine.Step(image);
    const unsigned char* centre = image.ConstPixel(31, 21);
    EXPECT_EQ(centre[2], 255);
    EXPECT_EQ(centre[3], 255);
    EXPECT_EQ(image.ConstPixel(0, 0)[3], 0);
    EXPECT_EQ(image.ConstPixel(63, 47)[3], 0);

    engine.SetMode(1);  // erase: removes the particles, then the opacity goes
    stroke = StillStroke(engine, app::ColorWord(0, 0, 0, 255));
    engine.EmitFirst(stroke, {30, 20});
    engine.EmitBatch(stroke, {30, 20});
    engine.ReleaseStyle(stroke.snapshot);
    engine.Step(image);
    EXPECT_EQ(image.ConstPixel(31, 21)[3], 0);
    EXPECT_EQ(image.ConstPixel(31, 21)[2], 255);  // colour bytes stay
}

TEST(CoreDrawing, TheRingHoldsSixtyFourRowsAndItsOverflowRaisesCodeTwelve) {
    app::DrawingPass drawing;
    drawing.Build(1920);
    EXPECT_EQ(drawing.RingCount(), 1920 * 64);
    try {
        drawing.Build(40000000);
        ADD_FAILURE() << "no error";
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), 12);
    }
}

}  // namespace
