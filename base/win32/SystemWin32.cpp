#include <windows.h>

#include <string>

#include "base/System.h"
#include "base/TemporaryName.h"
#include "base/win32/ModuleInstance.h"

namespace app {

namespace {

HANDLE AsHandle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

FileHandle FromHandle(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}

std::string& ModulePathOverride() {
    static std::string path;
    return path;
}

}  // namespace

std::string SystemErrorText(int32_t error, const std::string& insert) {
    char* text = nullptr;
    const char* inserts[] = {insert.c_str(), insert.c_str(), insert.c_str()};
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                       nullptr, static_cast<DWORD>(error), 0x400, reinterpret_cast<char*>(&text), 0,
                       reinterpret_cast<va_list*>(const_cast<char**>(inserts)));
    std::string result = length && text ? std::string(text, length) : std::string();
    if (text)
        LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r'))
        result.pop_back();
    return result;
}

std::string ModuleFilePath() {
    if (!ModulePathOverride().empty())
        return ModulePathOverride();
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(ModuleInstance, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

void SetModuleFilePath(const std::string& path) {
    ModulePathOverride() = path;
}

bool IsFileNameLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != 0;
}

FileHandle OpenFileForReading(const std::string& path, int32_t* error) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        *error = static_cast<int32_t>(GetLastError());
    return FromHandle(file);
}

FileHandle OpenFileForWriting(const std::string& path, bool* created, int32_t* error) {
    *created = false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        *created = true;
        return FromHandle(file);
    }
    if (GetLastError() == ERROR_FILE_EXISTS) {
        file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE)
        *error = static_cast<int32_t>(GetLastError());
    return FromHandle(file);
}

int32_t ReadFileBytes(FileHandle file, void* data, int32_t bytes, int32_t* error) {
    int32_t total = 0;
    while (total < bytes) {
        DWORD got = 0;
        if (!ReadFile(AsHandle(file), static_cast<char*>(data) + total, static_cast<DWORD>(bytes - total), &got,
                      nullptr)) {
            *error = static_cast<int32_t>(GetLastError());
            return -1;
        }
        if (got == 0)
            break;
        total += static_cast<int32_t>(got);
    }
    return total;
}

bool WriteFileBytes(FileHandle file, const void* data, int32_t bytes, int32_t* error) {
    int32_t total = 0;
    while (total < bytes) {
        DWORD put = 0;
        if (!WriteFile(AsHandle(file), static_cast<const char*>(data) + total, static_cast<DWORD>(bytes - total), &put,
                       nullptr)) {
            *error = static_cast<int32_t>(GetLastError());
            return false;
        }
        total += static_cast<int32_t>(put);
    }
    return true;
}

int64_t FileLength(FileHandle file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(AsHandle(file), &size))
        return -1;
    return static_cast<int64_t>(size.QuadPart);
}

bool CloseFile(FileHandle file, int32_t* error) {
    if (CloseHandle(AsHandle(file)))
        return true;
    *error = static_cast<int32_t>(GetLastError());
    return false;
}

bool IsMissingFileError(int32_t error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to, int32_t* error) {
    // A power cut must find the old file or the whole new one: the new bytes reach the disk
    // before the name moves, and the move itself is written through.
    const HANDLE file =
        CreateFileA(from.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = static_cast<int32_t>(GetLastError());
        return false;
    }
    const bool flushed = FlushFileBuffers(file) != 0;
    if (!flushed)
        *error = static_cast<int32_t>(GetLastError());
    CloseHandle(file);
    if (!flushed)
        return false;
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    *error = static_cast<int32_t>(GetLastError());
    return false;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

// The volume and index that name a file whatever path leads to it; false when it cannot be
// opened (folders included, through the backup flag).
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
    const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(file, info) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first = {}, second = {};
    return FileIdentity(a, &first) && FileIdentity(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

std::string CreateTemporaryBeside(const std::string& path, int32_t* error) {
    static uint32_t serial = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string name = TemporaryName(path, static_cast<uint32_t>(GetCurrentProcessId()), ++serial);
        const HANDLE file =
            CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return name;
        }
        const DWORD failure = GetLastError();
        if (failure != ERROR_FILE_EXISTS && failure != ERROR_ALREADY_EXISTS) {
            *error = static_cast<int32_t>(failure);
            return std::string();
        }
    }
    *error = ERROR_FILE_EXISTS;
    return std::string();
}

uint32_t TickCount() {
    return GetTickCount();
}

}  // namespace app
