#pragma once

#include <string>

namespace tools {

class RunDriver;

// The pictures that only the manual needs, as PNG files in `folder`: the frame with its panels
// beside it after a first stroke ("workspace"), and the About box ("dialog-about").  Leaves the
// run open.
void TakeManualShots(RunDriver& run, const std::string& folder);

}  // namespace tools
