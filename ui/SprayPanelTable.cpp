#include "ui/SprayPanelTable.h"

#include <cmath>

#include "engine/SPRAYSTYLE.h"
#include "resources/ResourceIds.h"
#include "ui/ParameterChecks.h"
#include "ui/VolumeScale.h"

namespace app {

namespace {

using V = VolumeScale;

constexpr SPRAYSLIDER kSliders[SprayPanelTable::kRows] = {
    {IDC_REPULSION, V::KindValue, "Repulsion", 5.0, 0.0001, 1000.0, DetailRepulsion},
    {IDC_ATTRACTION, V::KindValue, "Gravity", 5.0, 0.0001, 1000.0, DetailAttraction},
    {IDC_BRAKE, V::KindPercent, nullptr, 1.0, 0.0, 1.0, DetailLimit},
    {IDC_VISCOSITY, V::KindPercent, nullptr, 1.0, 0.0, 1.0, DetailViscosity},
    {IDC_VELOCITY, V::KindValue, "Velocity", 5.0, 0.0001, 1000.0, DetailVelocity},
    {IDC_LIMITED_SPEED, V::KindValue, "LimitedSpeed", 10.0, 0.0001, 1000.0, DetailLimit},
    {IDC_COUNT, V::KindParentDraws, "Count", 50, 1, kMostCount, DetailLimit},
    {IDC_PARTICLE_SIZE, V::KindDots, "Size", 64, 1, 1000.0, DetailLimit},
    {IDC_LIFE, V::KindWhole, "Life", 200, 1, 100000.0, DetailLimit},
    {IDC_THROWING, V::KindValue, "Throwing", 1.0, 0.0001, 100.0, DetailLimit},
};

struct BUTTONROW {
    int32_t button;
    int32_t row;
};

// The template has no button for the brake row (1424), but the id keeps its place.
constexpr BUTTONROW kButtons[] = {
    {IDC_REPULSION_DETAIL, 0}, {IDC_ATTRACTION_DETAIL, 1},    {IDC_BRAKE_DETAIL, 2}, {IDC_VISCOSITY_DETAIL, 3},
    {IDC_VELOCITY_DETAIL, 4},  {IDC_LIMITED_SPEED_DETAIL, 5}, {IDC_COUNT_DETAIL, 6}, {IDC_PARTICLE_SIZE_DETAIL, 7},
    {IDC_LIFE_DETAIL, 8},      {IDC_THROWING_DETAIL, 9},
};

}  // namespace

const SPRAYSLIDER& SprayPanelTable::Row(int32_t row) {
    return kSliders[row];
}

int32_t SprayPanelTable::RowOfButton(int32_t button) {
    for (const BUTTONROW& entry : kButtons) {
        if (entry.button == button)
            return entry.row;
    }
    return -1;
}

double SprayPanelTable::Lower(int32_t row) {
    return std::trunc(kSliders[row].minimumLimit);
}

LIMITRANGE SprayPanelTable::LimitRange(int32_t row) {
    return {kSliders[row].minimumLimit, kSliders[row].maximumLimit};
}

double SprayPanelTable::Value(const SPRAYSTYLE& style, int32_t row) {
    switch (row) {
        case 0:
            return style.Repulsion;
        case 1:
            return style.Gravity;
        case 2:
            return style.Brake;
        case 3:
            return style.Viscosity;
        case kVelocityRow:
            return std::sqrt(style.Velocity.x * style.Velocity.x + style.Velocity.y * style.Velocity.y);
        case 5:
            return style.LimitedSpeed;
        case 6:
            return style.Count;
        case 7:
            return style.Size;
        case 8:
            return style.Life;
        default:
            return style.Throwing;
    }
}

void SprayPanelTable::SetValue(SPRAYSTYLE& style, int32_t row, double value) {
    switch (row) {
        case 0:
            style.Repulsion = value;
            break;
        case 1:
            style.Gravity = value;
            break;
        case 2:
            style.Brake = value;
            break;
        case 3:
            style.Viscosity = value;
            break;
        case 5:
            style.LimitedSpeed = value;
            break;
        case 6:
            style.Count = VolumeScale::WholeNumber(value);
            break;
        case 7:
            style.Size = VolumeScale::WholeNumber(value);
            break;
        case 8:
            style.Life = VolumeScale::WholeNumber(value);
            break;
        case 9:
            style.Throwing = value;
            break;
        default:
            break;
    }
}

void SprayPanelTable::DefaultLimits(double limits[kRows]) {
    for (int32_t row = 0; row < kRows; ++row)
        limits[row] = kSliders[row].defaultLimit;
}

void SprayPanelTable::RaiseLoadedLimits(double limits[kRows]) {
    for (int32_t row = 0; row < kRows; ++row) {
        if (!(limits[row] >= kSliders[row].minimumLimit))
            limits[row] = kSliders[row].minimumLimit;
        if (limits[row] > kSliders[row].maximumLimit)
            limits[row] = kSliders[row].maximumLimit;
    }
}

}  // namespace app
