#pragma once

#include <cstdint>
#include <string>

namespace app {

class File;
struct SPRAYSTYLE;

// The layout of a spray catalogue (".spr"): the magic "DFLC", the format version, the number of
// presets, then one record of tagged fields per preset, ended by tag 0.  Styles are stored in
// their user form without the colour block, which belongs to the tool, not to a preset.
class SprayFile {
  public:
    static constexpr int32_t kMagic = 0x434C4644;  // the bytes "DFLC" as a little-endian int32
    static constexpr int32_t kVersion = 2;         // written; 0 ... 2 are read

    enum Tag : int32_t {
        TagEnd = 0,
        TagName = 1,
        TagRepulsion = 2,
        TagGravity = 3,
        TagBrake = 4,
        TagViscosity = 5,
        TagVelocity = 6,
        TagCount = 7,
        TagSize = 8,
        TagLife = 9,
        TagThrowing = 10,
        TagLimitedSpeed = 11,
        TagUseLimitedSpeed = 12,
        TagVelocityWiggle = 13,
        TagVelocityWidth = 14,
        TagVelocityRotationSpeed = 15,
        TagVelocityMode = 16,
        TagGravityArea = 17,
        TagRepulsionArea = 18,
        TagViscosityArea = 19,
        TagUseSpin = 20,
        TagSpinStep = 21,
        TagSpinAngle = 22,
        TagSpinAngleWiggle = 23,
        TagUseSplit = 24,
        TagSplitMode = 25,
        TagSplitAngle1 = 26,
        TagSplitAngle2 = 27,
        TagSplitStep1 = 28,
        TagSplitStep2 = 29,
        TagSplitAngleWiggle = 30,
        TagSplitLag = 31,
        TagSplitGenerations = 32,
        TagSplitRate = 33,
    };

    static void WriteHeader(File& file, int32_t count);
    // Checks magic and version (code 7 for another kind of file, 8 for a newer version) and
    // returns the number of presets; a negative number is a broken file.
    static int32_t ReadHeader(File& file);

    static void WritePreset(File& file, const std::string& name, const SPRAYSTYLE& style);
    // Reads one record in any field order: absent fields keep the default style, an absent name
    // is "無名", the colour block is zero, and the result is validated.  A field of the wrong
    // length or an unknown tag is a broken file (code 7).
    static void ReadPreset(File& file, std::string* name, SPRAYSTYLE* style);
};

}  // namespace app
