#pragma once

#include <cstdint>
#include <string>

namespace app {

// The few operating-system services that portable code needs.  SystemPosix.cpp implements them
// for the native build and win32/SystemWin32.cpp for Windows; error numbers are the system's own
// (errno or GetLastError), the value that a code-1 failure carries.

using FileHandle = intptr_t;
constexpr FileHandle kNoFile = -1;

// The system's description of an error number, with `insert` for messages that name a file.
std::string SystemErrorText(int32_t error, const std::string& insert);

// Full path of the library (or program) file, used to find the settings, presets and manual.
std::string ModuleFilePath();
// Native programs say where they stand; the plug-in asks the system instead.
void SetModuleFilePath(const std::string& path);

// The separator that joins folder names in paths of this platform.
constexpr char kPathSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

// Whether a byte starts a double-byte character in the system's code page for file names, so
// that the byte after it is never a separator: Windows asks its code page (932: "表" is 0x95
// 0x5C, a backslash second); POSIX names are UTF-8, in which no byte of a longer character is
// ASCII.
bool IsFileNameLeadByte(unsigned char c);

FileHandle OpenFileForReading(const std::string& path, int32_t* error);
// Creates the file if it does not exist (created = true), otherwise truncates it.
FileHandle OpenFileForWriting(const std::string& path, bool* created, int32_t* error);
// Reads up to `bytes`; returns the count read (0 at the end) or -1 on failure.
int32_t ReadFileBytes(FileHandle file, void* data, int32_t bytes, int32_t* error);
bool WriteFileBytes(FileHandle file, const void* data, int32_t bytes, int32_t* error);
// The file's length in bytes, or -1 when unknown.
int64_t FileLength(FileHandle file);
bool CloseFile(FileHandle file, int32_t* error);
// Whether an error of opening a file means that there is no such file (or folder on its way),
// as opposed to a file that is there but cannot be read.
bool IsMissingFileError(int32_t error);
bool RemoveFile(const std::string& path);
// Moves `from` over `to`, replacing it, as one step, once `from` has reached the disk; on POSIX
// systems the folder's new entry is written to the disk too.  So a save through a temporary file
// survives a power cut as well as a crash.
bool ReplaceFileWith(const std::string& from, const std::string& to, int32_t* error);
bool FileExists(const std::string& path);
// Whether two paths name one existing file, through links and other spellings of its name.
bool SameFile(const std::string& a, const std::string& b);
// Creates a new, empty file beside `path` under a name that no other file has (`path`, a dot, a
// number unique to this process and call, ".tmp") and returns that name, for a save that takes
// `path`'s place once it is complete; an empty name, with the error, when none can be created.
std::string CreateTemporaryBeside(const std::string& path, int32_t* error);

// Milliseconds since some fixed moment; wraps like GetTickCount.
uint32_t TickCount();

}  // namespace app
