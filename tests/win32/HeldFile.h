// A file held open without sharing by a second process for as long as the object lives, or
// until Release.
#pragma once

#include <windows.h>

#include <string>

namespace test {

class HeldFile {
  public:
    explicit HeldFile(const std::string& path) : path_(path) {
        const std::string event = "DriftlaceTestRelease" + std::to_string(GetCurrentProcessId());
        release_ = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
        std::string command = "\"" DRIFTLACE_FILE_HOLDER_PATH "\" \"" + path + "\" " + event;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
            return;
        // Held once this process can no longer open it, or the holder gave up.
        for (DWORD waited = 0; waited < 20000 && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;) {
            HANDLE probe = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            if (probe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION) {
                held_ = true;
                return;
            }
            if (probe != INVALID_HANDLE_VALUE)
                CloseHandle(probe);
            waited += WaitForSingleObject(process_.hProcess, 10) == WAIT_TIMEOUT ? 10 : 0;
        }
    }
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Held() const { return held_; }
    void Release() {
        if (release_)
            SetEvent(release_);
        if (process_.hProcess) {
            WaitForSingleObject(process_.hProcess, INFINITE);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
            process_ = {};
        }
        if (release_)
            CloseHandle(release_);
        release_ = nullptr;
        held_ = false;
    }

  private:
    std::string path_;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_ = {};
    bool held_ = false;
};

}  // namespace test
