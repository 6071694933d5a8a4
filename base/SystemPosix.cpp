#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>

#include "base/System.h"
#include "base/TemporaryName.h"

namespace app {

namespace {

std::string& ModulePathStore() {
    static std::string path;
    return path;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Waits until what the system holds of the file (or folder) is on the disk.
bool SyncToDisk(const std::string& path, int flags, int32_t* error) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        *error = errno;
        return false;
    }
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    // A file system that cannot sync a folder says EINVAL: there is nothing more to wait for.
    const bool synced = result == 0 || ((flags & O_DIRECTORY) && errno == EINVAL);
    if (!synced)
        *error = errno;
    ::close(fd);
    return synced;
}

}  // namespace

// The C library's texts have no place for a file name; the report adds it.
std::string SystemErrorText(int32_t error, const std::string&) {
    return std::strerror(error);
}

std::string ModuleFilePath() {
    return ModulePathStore();
}

void SetModuleFilePath(const std::string& path) {
    ModulePathStore() = path;
}

bool IsFileNameLeadByte(unsigned char) {
    return false;
}

FileHandle OpenFileForReading(const std::string& path, int32_t* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        *error = errno;
    return fd < 0 ? kNoFile : fd;
}

FileHandle OpenFileForWriting(const std::string& path, bool* created, int32_t* error) {
    *created = false;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        *created = true;
        return fd;
    }
    if (errno == EEXIST)
        fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        *error = errno;
    return fd < 0 ? kNoFile : fd;
}

int32_t ReadFileBytes(FileHandle file, void* data, int32_t bytes, int32_t* error) {
    int32_t total = 0;
    while (total < bytes) {
        const ssize_t got =
            ::read(static_cast<int>(file), static_cast<char*>(data) + total, static_cast<size_t>(bytes - total));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
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
        const ssize_t put =
            ::write(static_cast<int>(file), static_cast<const char*>(data) + total, static_cast<size_t>(bytes - total));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        total += static_cast<int32_t>(put);
    }
    return true;
}

int64_t FileLength(FileHandle file) {
    struct stat info;
    if (::fstat(static_cast<int>(file), &info) != 0)
        return -1;
    return static_cast<int64_t>(info.st_size);
}

bool CloseFile(FileHandle file, int32_t* error) {
    if (::close(static_cast<int>(file)) == 0)
        return true;
    *error = errno;
    return false;
}

bool IsMissingFileError(int32_t error) {
    return error == ENOENT || error == ENOTDIR;
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to, int32_t* error) {
    // A power cut must find the old file or the whole new one: the new bytes reach the disk
    // before the name moves, and the folder's new entry right after.
    if (!SyncToDisk(from, O_RDONLY, error))
        return false;
    if (::rename(from.c_str(), to.c_str()) != 0) {
        *error = errno;
        return false;
    }
    return SyncToDisk(FolderOf(to), O_RDONLY | O_DIRECTORY, error);
}

bool FileExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first, second;
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::string CreateTemporaryBeside(const std::string& path, int32_t* error) {
    static uint32_t serial = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string name = TemporaryName(path, static_cast<uint32_t>(::getpid()), ++serial);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST)
            break;
    }
    *error = errno;
    return std::string();
}

uint32_t TickCount() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

}  // namespace app
