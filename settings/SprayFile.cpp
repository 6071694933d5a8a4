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

// Every stored field of a preset, in the order they are written: its tag and the member it
// holds, which is one of a real, an integer, a flag or a pair.
struct FIELD {
    SprayFile::Tag tag;
    double SPRAYSTYLE::*real = nullptr;
    int32_t SPRAYSTYLE::*integer = nullptr;
    bool SPRAYSTYLE::*flag = nullptr;
    Vector2 SPRAYSTYLE::*pair = nullptr;
};

constexpr FIELD Real(SprayFile::Tag tag, double SPRAYSTYLE::*member) {
    return {tag, member};
}
constexpr FIELD Int(SprayFile::Tag tag, int32_t SPRAYSTYLE::*member) {
    return {tag, nullptr, member};
}
constexpr FIELD Flag(SprayFile::Tag tag, bool SPRAYSTYLE::*member) {
    return {tag, nullptr, nullptr, member};
}
constexpr FIELD Pair(SprayFile::Tag tag, Vector2 SPRAYSTYLE::*member) {
    return {tag, nullptr, nullptr, nullptr, member};
}

using S = SPRAYSTYLE;
using F = SprayFile;
constexpr FIELD kFields[] = {
    Real(F::TagRepulsion, &S::Repulsion),
    Real(F::TagRepulsionArea, &S::RepulsionArea),
    Real(F::TagGravity, &S::Gravity),
    Real(F::TagGravityArea, &S::gravityArea),
    Real(F::TagBrake, &S::Brake),
    Real(F::TagViscosity, &S::Viscosity),
    Real(F::TagViscosityArea, &S::ViscosityArea),
    Int(F::TagLife, &S::Life),
    Real(F::TagLimitedSpeed, &S::LimitedSpeed),
    Flag(F::TagUseLimitedSpeed, &S::UseLimitedSpeed),
    Pair(F::TagVelocity, &S::Velocity),
    Real(F::TagVelocityWiggle, &S::VelocityWiggle),
    Real(F::TagVelocityWidth, &S::VelocityWidth),
    Real(F::TagVelocityRotationSpeed, &S::VelocityRotationSpeed),
    Int(F::TagVelocityMode, &S::VelocityMode),
    Int(F::TagCount, &S::Count),
    Int(F::TagSize, &S::Size),
    Real(F::TagThrowing, &S::Throwing),
    Flag(F::TagUseSpin, &S::UseSpin),
    Int(F::TagSpinStep, &S::SpinStep),
    Real(F::TagSpinAngle, &S::SpinAngle),
    Real(F::TagSpinAngleWiggle, &S::SpinAngleWiggle),
    Flag(F::TagUseSplit, &S::UseSplit),
    Int(F::TagSplitMode, &S::SplitMode),
    Int(F::TagSplitStep1, &S::SplitStep1),
    Int(F::TagSplitStep2, &S::SplitStep2),
    Real(F::TagSplitAngle1, &S::SplitAngle1),
    Real(F::TagSplitAngle2, &S::SplitAngle2),
    Real(F::TagSplitAngleWiggle, &S::SplitAngleWiggle),
    Int(F::TagSplitLag, &S::SplitLag),
    Int(F::TagSplitGenerations, &S::SplitGenerations),
    Real(F::TagSplitRate, &S::SplitRate),
};

void WriteField(File& file, const FIELD& field, const SPRAYSTYLE& s) {
    if (field.real)
        file.WriteTaggedReal(field.tag, s.*field.real);
    else if (field.integer)
        file.WriteTaggedInt(field.tag, s.*field.integer);
    else if (field.flag)
        file.WriteTaggedBool(field.tag, s.*field.flag);
    else
        file.WriteTaggedPair(field.tag, (s.*field.pair).x, (s.*field.pair).y);
}

void ReadField(File& file, const FIELD& field, SPRAYSTYLE& s) {
    if (field.real)
        s.*field.real = file.ReadTaggedReal();
    else if (field.integer)
        s.*field.integer = file.ReadTaggedInt();
    else if (field.flag)
        s.*field.flag = file.ReadTaggedBool();
    else
        file.ReadTaggedPair(&(s.*field.pair).x, &(s.*field.pair).y);
}

// The field of a tag; an unknown tag is a broken file.
const FIELD& FieldOf(const File& file, int32_t tag) {
    for (const FIELD& field : kFields) {
        if (field.tag == tag)
            return field;
    }
    FailBroken(file);
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
    for (const FIELD& field : kFields)
        WriteField(file, field, s);
    file.WriteInt(TagEnd);
}

void SprayFile::ReadPreset(File& file, std::string* name, SPRAYSTYLE* style) {
    SPRAYSTYLE read;
    ClearColourBlock(read);
    std::string readName = String::Load(IDS_NO_NAME).ToStdString();
    for (int32_t tag = file.ReadInt(); tag != TagEnd; tag = file.ReadInt()) {
        if (tag == TagName)
            readName = file.ReadTaggedText();
        else
            ReadField(file, FieldOf(file, tag), read);
    }
    read.Validate();
    *name = std::move(readName);
    *style = read;
}

}  // namespace app
