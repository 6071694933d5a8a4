#pragma once

#include <cstdint>

#include "base/Geometry.h"

namespace app {

// How one spray behaves: colouring, forces, braking, speed limit, life, spin, splitting and
// emission.  The same record holds the user form (shown, edited, validated, stored) and, after
// ToEngineUnits on a working copy, the engine form (lengths in cells of 16 pixels, the ranges as
// the factors the pair force multiplies with).  Everything up to UseSplit makes the snapshot key.
struct SPRAYSTYLE {
    // Colour block: comes from the tool's colour setting; the default constructor leaves it zero.
    uint32_t Color[2] = {0, 0};
    bool useFore = false;
    int32_t Coloring = 0;
    int32_t CycleLength = 0;

    // Physics block.
    double Repulsion = 2.5;
    double RepulsionArea = 6.4;
    double Gravity = 2.0;  // attraction between particles
    double gravityArea = 16.0;
    double Brake = 0.05;
    double Viscosity = 0.65;
    double ViscosityArea = 7.0;
    double LimitedSpeed = 1.0;
    double SpinAngle = 0.2;         // radians
    double SpinAngleWiggle = 0.0;   // degrees
    double SplitAngle1 = 1.0;       // radians
    double SplitAngle2 = -1.0;      // radians
    double SplitAngleWiggle = 0.0;  // degrees
    double SplitRate = 0.0;         // raised to 0.0001 by Validate
    int32_t Life = 20;
    int32_t SpinStep = 10;
    int32_t SplitMode = 0;
    int32_t SplitStep1 = 10;
    int32_t SplitStep2 = 10;
    int32_t SplitLag = 0;
    bool UseLimitedSpeed = false;
    bool UseSpin = false;
    bool UseSplit = false;

    // Emission block (not part of the snapshot key).
    Vector2 Velocity = {0.0, 0.0};
    double VelocityWiggle = 0.0;
    double VelocityWidth = 1.0;           // degrees, also in engine form
    double VelocityRotationSpeed = 10.0;  // degrees per batch, also in engine form
    double Throwing = 0.01;
    int32_t VelocityMode = 3;
    int32_t Count = 20;
    int32_t Size = 10;
    int32_t SplitGenerations = 3;

    // Brings every field into its range by clamping; nothing is reported.
    void Validate() noexcept;
    // Turns a user-form copy into engine form.  Never applied to a stored style.
    void ToEngineUnits() noexcept;
};

// The most particles a batch may emit (Validate keeps Count at or below it).  Each emitted
// particle costs about 50 ns, so a batch stays within a few milliseconds of a turn, where a
// stored Count of 2,147,483,647 took minutes; and a batch this large already fills every cell of
// a spray disc about 1000 pixels across (32 particles to a cell of 16 x 16 pixels), the rest being
// dropped by the grid.  Every Count up to it emits exactly as before.
constexpr int32_t kMostCount = 100000;

// VelocityMode values.
enum VelocityModeValue : int32_t {
    VelocityRotateLeft = 0,
    VelocityRotateRight = 1,
    VelocityBackAndForth = 2,
    VelocityRandom = 3,
    VelocityFixed = 4,  // no deviation: every particle leaves along the spread's centre line
};

// Coloring values: how a particle's colour follows from the two colours.
enum ColoringRule : int32_t {
    ColoringSingle = 0,
    ColoringFade = 1,
    ColoringStripes = 2,
    ColoringRandom = 3,
};

// SplitMode values.
enum SplitModeValue : int32_t {
    SplitOneBranch = 0,
    SplitFork = 1,
    SplitTwoBranches = 2,
};

// The tools, by number; the name is the first part of each tool's settings keys.
constexpr int32_t kToolCount = 3;
const char* ToolName(int32_t tool) noexcept;  // "Paint", "Erase", "Blur"; nullptr for others

// The application's spray style per tool.  A tool number of -1 means the current tool, which the
// tool code reports through SetCurrentToolQuery (tool 0 until it does).
void SetCurrentToolQuery(int32_t (*query)());
SPRAYSTYLE GetSprayStyle(int32_t tool);
void SetSprayStyle(int32_t tool, const SPRAYSTYLE& style);  // stores a validated copy

}  // namespace app
