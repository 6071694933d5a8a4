#include "tools/paint/StagedOutputs.h"

#include "base/FileException.h"
#include "base/System.h"

namespace tools {
namespace {

// Copies the bytes of `from` into the (empty) file `to`.
void CopyBytes(const std::string& from, const std::string& to) {
    int32_t error = 0;
    const app::FileHandle source = app::OpenFileForReading(from, &error);
    if (source == app::kNoFile)
        throw app::FileException(app::ErrorSystem, error, from);
    bool created = false;
    const app::FileHandle target = app::OpenFileForWriting(to, &created, &error);
    if (target == app::kNoFile) {
        app::CloseFile(source, &error);
        throw app::FileException(app::ErrorSystem, error, to);
    }
    char chunk[1 << 16];
    int32_t got = 0;
    bool written = true;
    while (written && (got = app::ReadFileBytes(source, chunk, sizeof chunk, &error)) > 0)
        written = app::WriteFileBytes(target, chunk, got, &error);
    const std::string failed = got < 0 ? from : to;
    const bool ok = written && got == 0;
    app::CloseFile(source, &error);
    if (!app::CloseFile(target, &error) || !ok)
        throw app::FileException(app::ErrorSystem, error, failed);
}

}  // namespace

StagedOutputs::~StagedOutputs() {
    for (const auto& [temporary, place] : staged_)
        app::RemoveFile(temporary);
}

std::string StagedOutputs::Stage(const std::string& place, bool keepOld) {
    int32_t error = 0;
    const std::string temporary = app::CreateTemporaryBeside(place, &error);
    if (temporary.empty())
        throw app::FileException(app::ErrorSystem, error, place);
    staged_.emplace_back(temporary, place);
    if (keepOld && app::FileExists(place))
        CopyBytes(place, temporary);
    return temporary;
}

void StagedOutputs::PutInPlace() {
    while (!staged_.empty()) {
        const auto [temporary, place] = staged_.front();
        int32_t error = 0;
        if (!app::ReplaceFileWith(temporary, place, &error))
            throw app::FileException(app::ErrorSystem, error, place);
        staged_.erase(staged_.begin());
    }
}

}  // namespace tools
