#include "tools/paint/StagedOutputs.h"

#include <filesystem>
#include <system_error>

#include "base/FileException.h"
#include "base/System.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

// Copies the bytes of `from` into `to` (truncated, or a device that takes them as a stream).
// A failure names `place`, the file as the user named it.
void CopyBytes(const std::string& from, const std::string& to, const std::string& place) {
    int32_t error = 0;
    const app::FileHandle source = app::OpenFileForReading(from, &error);
    if (source == app::kNoFile)
        throw app::FileException(app::ErrorSystem, error, place);
    bool created = false;
    const app::FileHandle target = app::OpenFileForWriting(to, &created, &error);
    if (target == app::kNoFile) {
        app::CloseFile(source, &error);
        throw app::FileException(app::ErrorSystem, error, place);
    }
    char chunk[1 << 16];
    int32_t got = 0;
    bool written = true;
    while (written && (got = app::ReadFileBytes(source, chunk, sizeof chunk, &error)) > 0)
        written = app::WriteFileBytes(target, chunk, got, &error);
    const bool ok = written && got == 0;
    int32_t ignored = 0;
    app::CloseFile(source, &ignored);
    if (!app::CloseFile(target, &error) || !ok)
        throw app::FileException(app::ErrorSystem, error, place);
}

// The file a path names: a symbolic link's final target (which may not exist yet), followed
// link by link so that a link to a file still to be made leads there too.
std::string Target(const std::string& place) {
    std::error_code failed;
    fs::path path = place;
    for (int hop = 0; hop < 40 && fs::is_symlink(path, failed); ++hop) {
        const fs::path link = fs::read_symlink(path, failed);
        if (failed)
            break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    const fs::path target = fs::weakly_canonical(fs::absolute(path, failed), failed);
    return failed ? path.string() : target.string();
}

bool WrittenInPlace(const std::string& target) {
    std::error_code failed;
    const fs::file_status status = fs::status(target, failed);
    if (failed || !fs::exists(status))
        return false;
    return !fs::is_regular_file(status) || fs::hard_link_count(target, failed) > 1;
}

}  // namespace

StagedOutputs::~StagedOutputs() {
    for (const STAGED& file : staged_)
        app::RemoveFile(file.temporary);
}

bool StagedOutputs::SamePlace(const std::string& a, const std::string& b) {
    return a == b || Target(a) == Target(b) || app::SameFile(a, b);
}

std::string StagedOutputs::Stage(const std::string& place, bool keepOld) {
    const std::string target = Target(place);
    const bool inPlace = WrittenInPlace(target);
    std::error_code failed;
    const bool regular = fs::is_regular_file(target, failed);
    // A device's folder is no place for a file of ours: its stage goes to the temporary folder.
    const std::string beside =
        inPlace && !regular ? (fs::temp_directory_path(failed) / fs::path(target).filename()).string() : target;
    int32_t error = 0;
    const std::string temporary = app::CreateTemporaryBeside(beside, &error);
    if (temporary.empty())
        throw app::FileException(app::ErrorSystem, error, place);
    staged_.push_back({temporary, place, target, inPlace});
    if (keepOld && regular)
        CopyBytes(target, temporary, place);
    return temporary;
}

void StagedOutputs::PutInPlace() {
    while (!staged_.empty()) {
        const STAGED file = staged_.front();
        if (file.inPlace) {
            CopyBytes(file.temporary, file.target, file.place);
            app::RemoveFile(file.temporary);
        } else {
            std::error_code failed;
            const fs::file_status old = fs::status(file.target, failed);
            if (!failed && fs::is_regular_file(old))
                fs::permissions(file.temporary, old.permissions(), failed);
            int32_t error = 0;
            if (!app::ReplaceFileWith(file.temporary, file.target, &error))
                throw app::FileException(app::ErrorSystem, error, file.place);
        }
        staged_.erase(staged_.begin());
    }
}

}  // namespace tools
