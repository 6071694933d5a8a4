#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tools {

// The files a run writes.  Each is written under a temporary name of its own beside its place
// and all are put in place together once every one of them is complete; whatever has not been
// put in place when the object goes is removed, so a failed run leaves the old files as they were.
class StagedOutputs {
  public:
    StagedOutputs() = default;
    ~StagedOutputs();
    StagedOutputs(const StagedOutputs&) = delete;
    StagedOutputs& operator=(const StagedOutputs&) = delete;

    // A new, empty file beside `place` for the caller to write; with `keepOld`, it starts as a
    // copy of the file now at `place`, if there is one.  Failures raise code 1 naming the file.
    std::string Stage(const std::string& place, bool keepOld = false);
    // Moves every staged file to its place, in the order staged.
    void PutInPlace();

  private:
    std::vector<std::pair<std::string, std::string>> staged_;  // temporary name, place
};

}  // namespace tools
