#pragma once

namespace app {

// Shows reported failures in a message box captioned with the product name.  With the
// environment variable DRIFTLACE_FAILURE_LOG set, the text is appended to that file instead,
// so that automated runs never wait on a box.
void InstallFailureBox();

}  // namespace app
