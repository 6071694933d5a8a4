#include "settings/SprayFields.h"

#include <cstring>

#include "settings/SprayFile.h"

namespace app {

namespace {

constexpr SPRAYFIELD Real(const char* name, SprayFile::Tag tag, double SPRAYSTYLE::*member) {
    return {name, tag, member, nullptr, nullptr, nullptr};
}
constexpr SPRAYFIELD Int(const char* name, SprayFile::Tag tag, int32_t SPRAYSTYLE::*member) {
    return {name, tag, nullptr, member, nullptr, nullptr};
}
constexpr SPRAYFIELD Flag(const char* name, SprayFile::Tag tag, bool SPRAYSTYLE::*member) {
    return {name, tag, nullptr, nullptr, member, nullptr};
}
constexpr SPRAYFIELD Pair(const char* name, SprayFile::Tag tag, Vector2 SPRAYSTYLE::*member) {
    return {name, tag, nullptr, nullptr, nullptr, member};
}

using S = SPRAYSTYLE;
using F = SprayFile;

}  // namespace

const SPRAYFIELD kSprayFields[kSprayFieldCount] = {
    Real("Repulsion", F::TagRepulsion, &S::Repulsion),
    Real("RepulsionArea", F::TagRepulsionArea, &S::RepulsionArea),
    Real("Gravity", F::TagGravity, &S::Gravity),
    Real("gravityArea", F::TagGravityArea, &S::gravityArea),
    Real("Brake", F::TagBrake, &S::Brake),
    Real("Viscosity", F::TagViscosity, &S::Viscosity),
    Real("ViscosityArea", F::TagViscosityArea, &S::ViscosityArea),
    Int("Life", F::TagLife, &S::Life),
    Real("LimitedSpeed", F::TagLimitedSpeed, &S::LimitedSpeed),
    Flag("UseLimitedSpeed", F::TagUseLimitedSpeed, &S::UseLimitedSpeed),
    Pair("Velocity", F::TagVelocity, &S::Velocity),
    Real("VelocityWiggle", F::TagVelocityWiggle, &S::VelocityWiggle),
    Real("VelocityWidth", F::TagVelocityWidth, &S::VelocityWidth),
    Real("VelocityRotationSpeed", F::TagVelocityRotationSpeed, &S::VelocityRotationSpeed),
    Int("VelocityMode", F::TagVelocityMode, &S::VelocityMode),
    Int("Count", F::TagCount, &S::Count),
    Int("Size", F::TagSize, &S::Size),
    Real("Throwing", F::TagThrowing, &S::Throwing),
    Flag("UseSpin", F::TagUseSpin, &S::UseSpin),
    Int("SpinStep", F::TagSpinStep, &S::SpinStep),
    Real("SpinAngle", F::TagSpinAngle, &S::SpinAngle),
    Real("SpinAngleWiggle", F::TagSpinAngleWiggle, &S::SpinAngleWiggle),
    Flag("UseSplit", F::TagUseSplit, &S::UseSplit),
    Int("SplitMode", F::TagSplitMode, &S::SplitMode),
    Int("SplitStep1", F::TagSplitStep1, &S::SplitStep1),
    Int("SplitStep2", F::TagSplitStep2, &S::SplitStep2),
    Real("SplitAngle1", F::TagSplitAngle1, &S::SplitAngle1),
    Real("SplitAngle2", F::TagSplitAngle2, &S::SplitAngle2),
    Real("SplitAngleWiggle", F::TagSplitAngleWiggle, &S::SplitAngleWiggle),
    Int("SplitLag", F::TagSplitLag, &S::SplitLag),
    Int("SplitGenerations", F::TagSplitGenerations, &S::SplitGenerations),
    Real("SplitRate", F::TagSplitRate, &S::SplitRate),
};

const SPRAYFIELD* FindSprayField(const std::string& name, double Vector2::** component) {
    for (const SPRAYFIELD& field : kSprayFields) {
        if (!field.pair) {
            if (name == field.name)
                return &field;
            continue;
        }
        for (const auto& [suffix, member] : {std::pair{"X", &Vector2::x}, std::pair{"Y", &Vector2::y}}) {
            if (name == std::string(field.name) + suffix) {
                if (component)
                    *component = member;
                return &field;
            }
        }
    }
    return nullptr;
}

bool SameSprayFields(const SPRAYSTYLE& a, const SPRAYSTYLE& b) {
    for (const SPRAYFIELD& field : kSprayFields) {
        const bool same = field.real      ? std::memcmp(&(a.*field.real), &(b.*field.real), sizeof(double)) == 0
                          : field.integer ? a.*field.integer == b.*field.integer
                          : field.flag
                              ? a.*field.flag == b.*field.flag
                              : (a.*field.pair).x == (b.*field.pair).x && (a.*field.pair).y == (b.*field.pair).y;
        if (!same)
            return false;
    }
    return true;
}

}  // namespace app
