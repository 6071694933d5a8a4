#include "host/win32/FailureBoxWin32.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "base/Failure.h"
#include "base/String.h"
#include "resources/ResourceIds.h"

namespace app {

namespace {

void ShowFailure(void* owner, const std::string& text) {
    if (const char* log = std::getenv("DRIFTLACE_FAILURE_LOG")) {
        if (FILE* file = std::fopen(log, "ab")) {
            std::fprintf(file, "%s\n", text.c_str());
            std::fclose(file);
        }
        return;
    }
    MessageBoxA(static_cast<HWND>(owner), text.c_str(), String::Load(IDS_PRODUCT).CStr(), MB_OK | MB_ICONERROR);
}

}  // namespace

void InstallFailureBox() {
    SetFailureSink(ShowFailure);
}

}  // namespace app
