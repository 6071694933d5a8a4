#pragma once

#include <string>
#include <vector>

namespace tools {

// The files a run writes.  Each is written under a temporary name of its own and all are put in
// place together once every one of them is complete; whatever has not been put in place when the
// object goes is removed, so a failed run leaves the old files as they were.
//
// A place is what its path names: a symbolic link's target is replaced (the link stays); a
// device, a FIFO or a file with other names (hard links) is written to, in place, once all are
// complete, since replacing it would put a plain file where the device was or cut the other
// names off; a replaced file keeps its permissions.
class StagedOutputs {
  public:
    StagedOutputs() = default;
    ~StagedOutputs();
    StagedOutputs(const StagedOutputs&) = delete;
    StagedOutputs& operator=(const StagedOutputs&) = delete;

    // A new, empty file for the caller to write; with `keepOld`, it starts as a copy of the file
    // now at `place`, if there is one.  Failures raise code 1 naming `place`.
    std::string Stage(const std::string& place, bool keepOld = false);
    // Puts every staged file in its place, in the order staged.
    void PutInPlace();

    // Whether two places are one file (the same path, or through links).
    static bool SamePlace(const std::string& a, const std::string& b);

  private:
    struct STAGED {
        std::string temporary;
        std::string place;   // as the user named it, for messages
        std::string target;  // the file written: the place, or a link's target
        bool inPlace;        // written to rather than replaced
    };
    std::vector<STAGED> staged_;
};

}  // namespace tools
