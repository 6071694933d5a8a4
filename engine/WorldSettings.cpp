#include <cmath>

#include "engine/WORLD_SETTINGS.h"

namespace app {

namespace {

WORLD_SETTINGS g_world;

// A value that is not finite, from wherever it came, becomes 0 before the engine sees it.
void KeepFinite(double& value) noexcept {
    if (!std::isfinite(value))
        value = 0.0;
}

void ComputeEngineGravity(WORLD_SETTINGS& world) noexcept {
    world.engineGravityX = world.GravityX / 16.0;
    world.engineGravityY = world.GravityY / 16.0;
}

}  // namespace

WORLD_SETTINGS GetWorldSettings() {
    return g_world;
}

void SetWorldSettings(const WORLD_SETTINGS& settings) {
    g_world = settings;
    KeepFinite(g_world.GravityX);
    KeepFinite(g_world.GravityY);
    KeepFinite(g_world.Lively);
    ComputeEngineGravity(g_world);
}

const WORLD_SETTINGS& WorldSettings() noexcept {
    return g_world;
}

void ClampLoadedWorldSettings(WORLD_SETTINGS& world) noexcept {
    if (world.GravityType < GravityParallel || world.GravityType > GravityRadial)
        world.GravityType = GravityParallel;
    if (!(world.Lively >= 0.0))
        world.Lively = 0.0;
    if (world.Lively > 1.0)
        world.Lively = 1.0;
    KeepFinite(world.GravityX);
    KeepFinite(world.GravityY);
}

Vector2 WorldGravity(const WORLD_SETTINGS& world, double x, double y, int32_t gridWidth, int32_t gridHeight) noexcept {
    const double gx = world.engineGravityX;
    const double gy = world.engineGravityY;
    if (world.GravityType != GravityRadial)
        return {gx, gy};
    const double rx = x - gridWidth / 2;
    const double ry = y - gridHeight / 2;
    const double rho = std::sqrt(rx * rx + ry * ry);
    if (!(rho > 0.0))
        return {0.0, 0.0};
    return {(-ry * gx - rx * gy) / rho, (rx * gx - ry * gy) / rho};
}

}  // namespace app
