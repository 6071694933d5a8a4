// presetc: builds the shipped preset catalogue (a ".spr" file) from its readable source.
//
//   presetc SOURCE.txt OUTPUT.spr
//
// The source holds one section per preset: "[name]" in UTF-8, then "Key = value" lines whose
// keys are the value names under which the settings store keeps a spray style ("VelocityX" and
// "VelocityY" for the velocity).  Keys left out keep the default style.  Lines starting with '#'
// or ';' are comments.  Names are stored in code page 932, the system code page of the
// Japanese Windows the plug-in runs on.  A value that the style's validation would change is an
// error, so that the catalogue holds exactly what the source says.

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "base/Exception.h"
#include "base/Failure.h"
#include "engine/SPRAYSTYLE.h"
#include "settings/PresetCatalogue.h"
#include "tools/common/CodePage932.h"

namespace {

struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class Kind { Real, Int, Bool };

struct Field {
    Kind kind;
    double app::SPRAYSTYLE::*real;
    int32_t app::SPRAYSTYLE::*integer;
    bool app::SPRAYSTYLE::*flag;
};

Field Real(double app::SPRAYSTYLE::*member) {
    return {Kind::Real, member, nullptr, nullptr};
}
Field Int(int32_t app::SPRAYSTYLE::*member) {
    return {Kind::Int, nullptr, member, nullptr};
}
Field Bool(bool app::SPRAYSTYLE::*member) {
    return {Kind::Bool, nullptr, nullptr, member};
}

using S = app::SPRAYSTYLE;

const std::map<std::string, Field>& Fields() {
    static const std::map<std::string, Field> fields = {
        {"Repulsion", Real(&S::Repulsion)},
        {"RepulsionArea", Real(&S::RepulsionArea)},
        {"Gravity", Real(&S::Gravity)},
        {"gravityArea", Real(&S::gravityArea)},
        {"Brake", Real(&S::Brake)},
        {"Viscosity", Real(&S::Viscosity)},
        {"ViscosityArea", Real(&S::ViscosityArea)},
        {"Life", Int(&S::Life)},
        {"LimitedSpeed", Real(&S::LimitedSpeed)},
        {"UseLimitedSpeed", Bool(&S::UseLimitedSpeed)},
        {"VelocityX", Real(nullptr)},
        {"VelocityY", Real(nullptr)},
        {"VelocityWiggle", Real(&S::VelocityWiggle)},
        {"VelocityWidth", Real(&S::VelocityWidth)},
        {"VelocityRotationSpeed", Real(&S::VelocityRotationSpeed)},
        {"VelocityMode", Int(&S::VelocityMode)},
        {"Count", Int(&S::Count)},
        {"Size", Int(&S::Size)},
        {"Throwing", Real(&S::Throwing)},
        {"UseSpin", Bool(&S::UseSpin)},
        {"SpinStep", Int(&S::SpinStep)},
        {"SpinAngle", Real(&S::SpinAngle)},
        {"SpinAngleWiggle", Real(&S::SpinAngleWiggle)},
        {"UseSplit", Bool(&S::UseSplit)},
        {"SplitMode", Int(&S::SplitMode)},
        {"SplitStep1", Int(&S::SplitStep1)},
        {"SplitStep2", Int(&S::SplitStep2)},
        {"SplitAngle1", Real(&S::SplitAngle1)},
        {"SplitAngle2", Real(&S::SplitAngle2)},
        {"SplitAngleWiggle", Real(&S::SplitAngleWiggle)},
        {"SplitLag", Int(&S::SplitLag)},
        {"SplitGenerations", Int(&S::SplitGenerations)},
        {"SplitRate", Real(&S::SplitRate)},
    };
    return fields;
}

double& RealOf(S& style, const std::string& key, const Field& field) {
    if (key == "VelocityX")
        return style.Velocity.x;
    if (key == "VelocityY")
        return style.Velocity.y;
    return style.*field.real;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

double ParseReal(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno != 0 || !std::isfinite(value)) {
        throw SourceError("not a real number: " + text);
    }
    return value;
}

int32_t ParseInt(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < INT32_MIN || value > INT32_MAX) {
        throw SourceError("not an integer: " + text);
    }
    return static_cast<int32_t>(value);
}

bool ParseBool(const std::string& text) {
    if (text == "1" || text == "true")
        return true;
    if (text == "0" || text == "false")
        return false;
    throw SourceError("not 0 or 1: " + text);
}

std::string ToCodePage932(const std::string& utf8) {
    std::string converted;
    if (!tools::Utf8ToCodePage932(utf8, &converted))
        throw SourceError("name not in code page 932: " + utf8);
    return converted;
}

struct Preset {
    std::string name;
    S style;
    std::set<std::string> given;
    int line = 0;
};

// Applies validation and refuses any given value that it would change.
void CheckInRange(Preset& preset) {
    S validated = preset.style;
    validated.Validate();
    for (const std::string& key : preset.given) {
        const Field& field = Fields().at(key);
        bool same = true;
        switch (field.kind) {
            case Kind::Real:
                same = RealOf(validated, key, field) == RealOf(preset.style, key, field);
                break;
            case Kind::Int:
                same = validated.*field.integer == preset.style.*field.integer;
                break;
            case Kind::Bool:
                same = validated.*field.flag == preset.style.*field.flag;
                break;
        }
        if (!same)
            throw SourceError("[" + preset.name + "] " + key + " is out of range");
    }
    preset.style = validated;
}

void Finish(Preset& preset, app::PresetCatalogue& catalogue) {
    CheckInRange(preset);
    catalogue.AddPreset(ToCodePage932(preset.name), preset.style);
}

void Compile(const std::string& sourcePath, app::PresetCatalogue& catalogue) {
    std::ifstream source(sourcePath, std::ios::binary);
    if (!source)
        throw SourceError("cannot read " + sourcePath);
    std::string text;
    Preset preset;
    bool open = false;
    std::set<std::string> names;
    for (int number = 1; std::getline(source, text); ++number) {
        const std::string line = Trim(text);
        const std::string where = sourcePath + ":" + std::to_string(number) + ": ";
        try {
            if (line.empty() || line[0] == '#' || line[0] == ';')
                continue;
            if (line.front() == '[') {
                if (line.back() != ']' || line.size() < 3)
                    throw SourceError("bad section line");
                if (open)
                    Finish(preset, catalogue);
                preset = Preset();
                preset.name = Trim(line.substr(1, line.size() - 2));
                if (!names.insert(preset.name).second)
                    throw SourceError("preset named twice: " + preset.name);
                open = true;
                continue;
            }
            const size_t equals = line.find('=');
            if (!open || equals == std::string::npos)
                throw SourceError("expected [name] or Key = value");
            const std::string key = Trim(line.substr(0, equals));
            const std::string value = Trim(line.substr(equals + 1));
            const auto found = Fields().find(key);
            if (found == Fields().end())
                throw SourceError("unknown key " + key);
            if (!preset.given.insert(key).second)
                throw SourceError("key given twice: " + key);
            const Field& field = found->second;
            switch (field.kind) {
                case Kind::Real:
                    RealOf(preset.style, key, field) = ParseReal(value);
                    break;
                case Kind::Int:
                    preset.style.*field.integer = ParseInt(value);
                    break;
                case Kind::Bool:
                    preset.style.*field.flag = ParseBool(value);
                    break;
            }
        } catch (const SourceError& e) {
            throw SourceError(where + e.what());
        }
    }
    if (open)
        Finish(preset, catalogue);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: presetc SOURCE.txt OUTPUT.spr\n");
        return 2;
    }
    try {
        app::PresetCatalogue catalogue;
        Compile(argv[1], catalogue);
        catalogue.SaveCatalogue(argv[2]);
        return 0;
    } catch (const SourceError& e) {
        std::fprintf(stderr, "presetc: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "presetc: %s\n", app::FailureText(std::current_exception()).c_str());
    }
    return 1;
}
