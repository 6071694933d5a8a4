#pragma once

#include <random>
#include <vector>

#include "base/Image.h"
#include "engine/Core.h"
#include "engine/CoreMember.h"
#include "engine/SPRAYSTYLE.h"
#include "paint/DrawingPass.h"

namespace bench {

// Particles spread uniformly over the top-left `area` x `area` pixels of a size x size image,
// in storage the engine builds itself, so that the drawing pass sees the grid a real turn sees.
// The same seed gives the same particles; `x` and `y` hold where each one stands, in pixels.
struct MarkScene {
    app::DrawingPass drawing;
    app::Core engine;
    app::Image image;
    std::vector<float> x, y;

    MarkScene(int32_t size, int32_t area, int32_t count, uint32_t colour, int32_t mode = 0, int32_t threads = 1) {
        engine.SetThreadCount(threads);
        engine.SetSize(size, size);
        drawing.Build(size, threads);
        engine.Init();
        app::CoreMember& m = engine.Members();
        m.mode = mode;
        image.Create(size, size, 4);
        image.Clear();
        m.image = &image;
        app::SPRAYSTYLE style;
        style.Color[0] = colour;
        style.useFore = true;
        style.CycleLength = 6;
        const int32_t info = m.infoList.Acquire(style);
        std::mt19937 random(1);
        std::uniform_real_distribution<double> position(0, area);
        for (int32_t n = 0; n < count;) {
            const double X = (position(random) + m.offsetX) / 16, Y = (position(random) + m.offsetY) / 16;
            const int32_t j = static_cast<int32_t>(X), i = static_cast<int32_t>(Y);
            if (m.CellAt(j, i).count == app::kCellCapacity)
                continue;
            app::PARTICLE& p = m.Place(j, i);
            p = app::PARTICLE{};
            p.fx = static_cast<uint16_t>((X - j) * 32768);
            p.fy = static_cast<uint16_t>((Y - i) * 32768);
            p.info = info;
            p.colour = 0xFFFF8000u;   // what a blurring particle carries
            m.infoList.AddRef(info);  // each particle holds one, as emitted ones do
            x.push_back(static_cast<float>((j + p.fx / 32768.0) * 16 - m.offsetX));
            y.push_back(static_cast<float>((i + p.fy / 32768.0) * 16 - m.offsetY));
            ++n;
        }
        m.infoList.Release(info);  // the particles hold it now
    }
};

}  // namespace bench
