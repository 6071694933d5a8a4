// The engine's emission: one particle at a time (Emit), and the batches a stroke lays along the
// cursor's path (EmitFirst, EmitBatch, EmitOne).
#include <algorithm>
#include <cmath>

#include "base/Image.h"
#include "engine/CellMath.h"
#include "engine/Core.h"
#include "engine/CoreMember.h"
#include "engine/DecreaseReference.h"
#include "engine/PARTICLEGRID.h"
#include "engine/Random.h"
#include "engine/SPRAYSTYLE.h"

namespace app {

namespace {

// Per byte, ((32767 - t) * c0 + t * c1) / 32767.
uint32_t MixColours(uint32_t c0, uint32_t c1, uint32_t t) noexcept {
    constexpr uint32_t kFull = kRandomMax;
    uint32_t mixed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t b0 = (c0 >> shift) & 0xFFu;
        const uint32_t b1 = (c1 >> shift) & 0xFFu;
        mixed |= (((kFull - t) * b0 + t * b1) / kFull) << shift;
    }
    return mixed;
}

// The document pixel nearest to (x, y), as a colour word.
uint32_t PixelColour(const Image* image, double x, double y) noexcept {
    if (!image || image->BytesPerPixel() != 4 || image->Width() < 1 || image->Height() < 1)
        return 0;
    const double cx = std::min(std::max(std::trunc(x), 0.0), static_cast<double>(image->Width() - 1));
    const double cy = std::min(std::max(std::trunc(y), 0.0), static_cast<double>(image->Height() - 1));
    const unsigned char* p = image->ConstPixel(static_cast<int32_t>(cx), static_cast<int32_t>(cy));
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// Deviation of particle i of the current batch from the velocity, in degrees.
double Deviation(const SPRAYSTYLE& s, int32_t turns, int32_t i) {
    const double w = s.VelocityWidth;
    const double rot = s.VelocityRotationSpeed;
    // With no particles per batch the press particle's share of the rotation is taken as 0.
    const double share = s.Count != 0 ? i * rot / s.Count : 0.0;
    const double g = turns * rot + share + w / 2;
    switch (s.VelocityMode) {
        case VelocityRotateLeft:
            return std::fmod(g, w) - w / 2;
        case VelocityRotateRight:
            return -(std::fmod(g, w) - w / 2);
        case VelocityBackAndForth: {
            double t = std::fmod(g, 2 * w);
            if (t > w)
                t = 2 * w - t;
            return t - w / 2;
        }
        case VelocityRandom:
            return Random() * w / (kRandomMax + 1) - w / 2;
        default:
            return 0.0;  // VelocityFixed: every particle leaves along the centre line
    }
}

// The emission velocity: the style's, plus the cursor's throw, turned by the batch's deviation
// and slowed by the wiggle.
Vector2 EmissionVelocity(const SPRAYSTYLE& s, int32_t turns, int32_t i, const Vector2& motion) {
    double vx = s.Velocity.x;
    double vy = s.Velocity.y;
    if (s.Throwing > 0) {
        vx += s.Throwing * motion.x;
        vy += s.Throwing * motion.y;
    }
    if (s.VelocityWidth > 0) {
        const double theta = Deviation(s, turns, i) * kTwoPi / 360;
        const double c = std::cos(theta);
        const double sn = std::sin(theta);
        const double x = c * vx - sn * vy;
        const double y = sn * vx + c * vy;
        vx = x;
        vy = y;
    }
    if (s.VelocityWiggle > 0) {
        const double d = Random() * s.VelocityWiggle / kRandomMax;
        vx = vx - vx * d;
        vy = vy - vy * d;
    }
    return {vx, vy};
}

}  // namespace

void Core::Emit(const SPAWN_REQUEST& request) {
    CoreMember& m = Members();
    if (m.cells.IsEmpty())
        return;
    // Up to one pixel of jitter toward positive x and y.
    const double x = request.position.x + RandomUnit();
    const double y = request.position.y + RandomUnit();
    const double cx = (x + m.offsetX) * kCellsPerPixel;
    const double cy = (y + m.offsetY) * kCellsPerPixel;
    if (!IsInner(cx, m.gridWidth) || !IsInner(cy, m.gridHeight))
        return;
    const int32_t column = static_cast<int32_t>(cx), row = static_cast<int32_t>(cy);
    if (m.CellAt(column, row).count >= kCellCapacity)
        return;
    PARTICLE& p = m.Place(column, row);
    p.info = request.info;
    p.fx = Fraction(cx);
    p.fy = Fraction(cy);
    p.vx = static_cast<float>(request.velocity.x);
    p.vy = static_cast<float>(request.velocity.y);
    p.age = 0;
    p.generations = request.generations;
    p.colour = m.mode == DrawingModeBlur ? PixelColour(request.sourceImage, x, y) : 0;
    m.infoList.AddRef(request.info);
}

void Core::EmitFirst(STROKESTATE& stroke, const Vector2& position) {
    EmitOne(stroke, 0, position, stroke.carry);
    stroke.lastPosition = position;
}

void Core::EmitBatch(STROKESTATE& stroke, const Vector2& position) {
    const int32_t n = stroke.style.Count;
    if (n > 0) {
        const Vector2 step = {(position.x - stroke.lastPosition.x) / n, (position.y - stroke.lastPosition.y) / n};
        const Vector2 motion = {position.x - stroke.lastPosition.x, position.y - stroke.lastPosition.y};
        const Vector2 motionStep = {(motion.x - stroke.carry.x) / n, (motion.y - stroke.carry.y) / n};
        Vector2 p = stroke.lastPosition;
        Vector2 m = stroke.carry;
        for (int32_t i = 0; i < n; ++i) {
            p.x += step.x;
            p.y += step.y;
            m.x += motionStep.x;
            m.y += motionStep.y;
            EmitOne(stroke, i, p, m);
        }
        stroke.lastPosition = p;
        stroke.carry = m;
    }
    ++stroke.turns;
}

void Core::EmitOne(const STROKESTATE& stroke, int32_t i, const Vector2& p, const Vector2& m) {
    const SPRAYSTYLE& s = stroke.style;
    const Vector2 velocity = EmissionVelocity(s, stroke.turns, i, m);
    int32_t info = stroke.snapshot;
    Core* mixHolder = nullptr;
    if (s.Coloring == ColoringRandom) {
        // The particle gets a snapshot of its own with the mixed foreground.
        SPRAYSTYLE mixed = s;
        mixed.Color[0] = MixColours(s.Color[0], s.Color[1], static_cast<uint32_t>(Random()));
        info = AcquireStyle(mixed);
        mixHolder = this;
    }
    const DecreaseReference release(mixHolder, info);
    // Spread over a disc of diameter Size around the point.
    const double radius = static_cast<double>(Random()) * s.Size / (2 * kRandomMax);
    const double phi = Random() * kTwoPi / kRandomMax;
    SPAWN_REQUEST request;
    request.velocity = velocity;
    request.position = {p.x + radius * std::cos(phi), p.y + radius * std::sin(phi)};
    request.sourceImage = Members().image;
    request.info = info;
    request.generations = s.SplitGenerations;
    Emit(request);
}

}  // namespace app
