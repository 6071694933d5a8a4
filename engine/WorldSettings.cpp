#include <cmath>

#include "engine/WORLD_SETTINGS.h"
#include "settings/Registry.h"

namespace app {

namespace {

WORLD_SETTINGS g_world;

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
    ComputeEngineGravity(g_world);
}

const WORLD_SETTINGS& WorldSettings() noexcept {
    return g_world;
}

void ExchangeWorldSettings(Registry& store) {
    const WORLD_SETTINGS d;
    store.SelectSection(nullptr);
    store.ExchangeInt("GravityType", g_world.GravityType, d.GravityType);
    store.ExchangeDouble("GravityX", g_world.GravityX, d.GravityX);
    store.ExchangeDouble("GravityY", g_world.GravityY, d.GravityY);
    store.ExchangeDouble("Lively", g_world.Lively, d.Lively);
    if (!store.IsLoading())
        return;
    if (g_world.GravityType < GravityParallel || g_world.GravityType > GravityRadial)
        g_world.GravityType = 0;
    if (!(g_world.Lively >= 0.0))
        g_world.Lively = 0.0;
    if (g_world.Lively > 1.0)
        g_world.Lively = 1.0;
    ComputeEngineGravity(g_world);
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
