#pragma once

#include <cstdint>

#include "base/Geometry.h"

namespace app {

// Settings that act on every particle at once, read by the engine in every turn.
struct WORLD_SETTINGS {
    double GravityX = 0.0;            // pixels per turn per turn
    double GravityY = 0.5;            // positive is down the picture
    double engineGravityX = 0.0;      // GravityX / 16, cells per turn per turn; never stored
    double engineGravityY = 0.03125;  // GravityY / 16
    double Lively = 0.5;              // fraction of its velocity by which a particle moves in a turn
    int32_t GravityType = 0;
};

enum GravityTypeValue : int32_t {
    GravityParallel = 0,
    GravityRadial = 1,
};

// The application's one record.
WORLD_SETTINGS GetWorldSettings();
// Stores the record as it is, save that a real that is not finite becomes 0; recomputes the
// engine gravity.
void SetWorldSettings(const WORLD_SETTINGS& settings);
const WORLD_SETTINGS& WorldSettings() noexcept;  // for the engine's turn
// What loading does to stored values: an unknown gravity kind becomes parallel, the liveliness
// is kept within 0 ... 1 and a gravity that is not finite becomes 0.
void ClampLoadedWorldSettings(WORLD_SETTINGS& world) noexcept;

// World gravity on a particle at cell coordinates (x, y), cells per turn per turn.
Vector2 WorldGravity(const WORLD_SETTINGS& world, double x, double y, int32_t gridWidth, int32_t gridHeight) noexcept;

}  // namespace app
