#pragma once

#include <windows.h>

namespace app {

// Sends a message meant for every window of the run: the frame, then its view, then each
// existing panel in panel order.
void Broadcast(UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace app
