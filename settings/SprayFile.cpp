#include "settings/SprayFile.h"

#include "base/FileException.h"
#include "base/String.h"
#include "engine/SPRAYSTYLE.h"
#include "resources/ResourceIds.h"
#include "settings/File.h"

namespace app {

namespace {

[[noreturn]] void FailBroken(const File& file) {
    throw FileException(ErrorBrokenFile, 0, file.FileName());
}

void ClearColourBlock(SPRAYSTYLE& style) {
    style.Color[0] = 0;
    style.Color[1] = 0;
    style.useFore = false;
    style.Coloring = 0;
    style.CycleLength = 0;
}

void ReadField(File& file, int32_t tag, std::string* name, SPRAYSTYLE& s) {
    switch (tag) {
        case SprayFile::TagName:
            *name = file.ReadTaggedText();
            break;
        case SprayFile::TagRepulsion:
            s.Repulsion = file.ReadTaggedReal();
            break;
        case SprayFile::TagRepulsionArea:
            s.RepulsionArea = file.ReadTaggedReal();
            break;
        case SprayFile::TagGravity:
            s.Gravity = file.ReadTaggedReal();
            break;
        case SprayFile::TagGravityArea:
            s.gravityArea = file.ReadTaggedReal();
            break;
        case SprayFile::TagBrake:
            s.Brake = file.ReadTaggedReal();
            break;
        case SprayFile::TagViscosity:
            s.Viscosity = file.ReadTaggedReal();
            break;
        case SprayFile::TagViscosityArea:
            s.ViscosityArea = file.ReadTaggedReal();
            break;
        case SprayFile::TagLife:
            s.Life = file.ReadTaggedInt();
            break;
        case SprayFile::TagLimitedSpeed:
            s.LimitedSpeed = file.ReadTaggedReal();
            break;
        case SprayFile::TagUseLimitedSpeed:
            s.UseLimitedSpeed = file.ReadTaggedBool();
            break;
        case SprayFile::TagVelocity:
            file.ReadTaggedPair(&s.Velocity.x, &s.Velocity.y);
            break;
        case SprayFile::TagVelocityWiggle:
            s.VelocityWiggle = file.ReadTaggedReal();
            break;
        case SprayFile::TagVelocityWidth:
            s.VelocityWidth = file.ReadTaggedReal();
            break;
        case SprayFile::TagVelocityRotationSpeed:
            s.VelocityRotationSpeed = file.ReadTaggedReal();
            break;
        case SprayFile::TagVelocityMode:
            s.VelocityMode = file.ReadTaggedInt();
            break;
        case SprayFile::TagCount:
            s.Count = file.ReadTaggedInt();
            break;
        case SprayFile::TagSize:
            s.Size = file.ReadTaggedInt();
            break;
        case SprayFile::TagThrowing:
            s.Throwing = file.ReadTaggedReal();
            break;
        case SprayFile::TagUseSpin:
            s.UseSpin = file.ReadTaggedBool();
            break;
        case SprayFile::TagSpinStep:
            s.SpinStep = file.ReadTaggedInt();
            break;
        case SprayFile::TagSpinAngle:
            s.SpinAngle = file.ReadTaggedReal();
            break;
        case SprayFile::TagSpinAngleWiggle:
            s.SpinAngleWiggle = file.ReadTaggedReal();
            break;
        case SprayFile::TagUseSplit:
            s.UseSplit = file.ReadTaggedBool();
            break;
        case SprayFile::TagSplitMode:
            s.SplitMode = file.ReadTaggedInt();
            break;
        case SprayFile::TagSplitStep1:
            s.SplitStep1 = file.ReadTaggedInt();
            break;
        case SprayFile::TagSplitStep2:
            s.SplitStep2 = file.ReadTaggedInt();
            break;
        case SprayFile::TagSplitAngle1:
            s.SplitAngle1 = file.ReadTaggedReal();
            break;
        case SprayFile::TagSplitAngle2:
            s.SplitAngle2 = file.ReadTaggedReal();
            break;
        case SprayFile::TagSplitAngleWiggle:
            s.SplitAngleWiggle = file.ReadTaggedReal();
            break;
        case SprayFile::TagSplitLag:
            s.SplitLag = file.ReadTaggedInt();
            break;
        case SprayFile::TagSplitGenerations:
            s.SplitGenerations = file.ReadTaggedInt();
            break;
        case SprayFile::TagSplitRate:
            s.SplitRate = file.ReadTaggedReal();
            break;
        default:
            FailBroken(file);
    }
}

}  // namespace

void SprayFile::WriteHeader(File& file, int32_t count) {
    file.WriteInt(kMagic);
    file.WriteInt(kVersion);
    file.WriteInt(count);
}

int32_t SprayFile::ReadHeader(File& file) {
    if (file.ReadInt() != kMagic)
        FailBroken(file);
    if (file.ReadInt() > kVersion)
        throw FileException(ErrorNewerFile, 0, file.FileName());
    const int32_t count = file.ReadInt();
    if (count < 0)
        FailBroken(file);
    return count;
}

void SprayFile::WritePreset(File& file, const std::string& name, const SPRAYSTYLE& s) {
    file.WriteTaggedText(TagName, name);
    file.WriteTaggedReal(TagRepulsion, s.Repulsion);
    file.WriteTaggedReal(TagRepulsionArea, s.RepulsionArea);
    file.WriteTaggedReal(TagGravity, s.Gravity);
    file.WriteTaggedReal(TagGravityArea, s.gravityArea);
    file.WriteTaggedReal(TagBrake, s.Brake);
    file.WriteTaggedReal(TagViscosity, s.Viscosity);
    file.WriteTaggedReal(TagViscosityArea, s.ViscosityArea);
    file.WriteTaggedInt(TagLife, s.Life);
    file.WriteTaggedReal(TagLimitedSpeed, s.LimitedSpeed);
    file.WriteTaggedBool(TagUseLimitedSpeed, s.UseLimitedSpeed);
    file.WriteTaggedPair(TagVelocity, s.Velocity.x, s.Velocity.y);
    file.WriteTaggedReal(TagVelocityWiggle, s.VelocityWiggle);
    file.WriteTaggedReal(TagVelocityWidth, s.VelocityWidth);
    file.WriteTaggedReal(TagVelocityRotationSpeed, s.VelocityRotationSpeed);
    file.WriteTaggedInt(TagVelocityMode, s.VelocityMode);
    file.WriteTaggedInt(TagCount, s.Count);
    file.WriteTaggedInt(TagSize, s.Size);
    file.WriteTaggedReal(TagThrowing, s.Throwing);
    file.WriteTaggedBool(TagUseSpin, s.UseSpin);
    file.WriteTaggedInt(TagSpinStep, s.SpinStep);
    file.WriteTaggedReal(TagSpinAngle, s.SpinAngle);
    file.WriteTaggedReal(TagSpinAngleWiggle, s.SpinAngleWiggle);
    file.WriteTaggedBool(TagUseSplit, s.UseSplit);
    file.WriteTaggedInt(TagSplitMode, s.SplitMode);
    file.WriteTaggedInt(TagSplitStep1, s.SplitStep1);
    file.WriteTaggedInt(TagSplitStep2, s.SplitStep2);
    file.WriteTaggedReal(TagSplitAngle1, s.SplitAngle1);
    file.WriteTaggedReal(TagSplitAngle2, s.SplitAngle2);
    file.WriteTaggedReal(TagSplitAngleWiggle, s.SplitAngleWiggle);
    file.WriteTaggedInt(TagSplitLag, s.SplitLag);
    file.WriteTaggedInt(TagSplitGenerations, s.SplitGenerations);
    file.WriteTaggedReal(TagSplitRate, s.SplitRate);
    file.WriteInt(TagEnd);
}

void SprayFile::ReadPreset(File& file, std::string* name, SPRAYSTYLE* style) {
    SPRAYSTYLE read;
    ClearColourBlock(read);
    std::string readName = String::Load(IDS_NO_NAME).ToStdString();
    for (int32_t tag = file.ReadInt(); tag != TagEnd; tag = file.ReadInt())
        ReadField(file, tag, &readName, read);
    read.Validate();
    *name = std::move(readName);
    *style = read;
}

}  // namespace app
