#pragma once

#include <string>

namespace tools {

class RunDriver;

// Photographs a filter run as the user sees it: the frame with its panels, each panel, and
// each dialog the panels and the frame open (with one refusal message), as PNG files in
// `folder`; then closes the run.
void TakeScreenshots(RunDriver& run, const std::string& folder);

}  // namespace tools
