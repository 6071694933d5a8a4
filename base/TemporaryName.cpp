#include "base/TemporaryName.h"

#include "base/FileNames.h"
#include "base/System.h"

namespace app {

namespace {

// The longest start of `name` of at most `bytes` bytes that ends between two characters: after a
// whole double-byte character of the system's code page, and never inside a UTF-8 sequence.
size_t CharacterCut(const std::string& name, size_t bytes) {
    size_t cut = 0;
    for (size_t i = 0; i < name.size();) {
        const size_t next = i + (IsFileNameLeadByte(static_cast<unsigned char>(name[i])) ? 2 : 1);
        if (next > bytes)
            break;
        i = next;
        if (i >= name.size() || (static_cast<unsigned char>(name[i]) & 0xC0) != 0x80)
            cut = i;
    }
    return cut;
}

}  // namespace

std::string TemporaryName(const std::string& path, uint32_t process, uint32_t serial) {
    const std::string tail = "." + std::to_string(process) + "-" + std::to_string(serial) + ".tmp";
    const size_t start = FileNameStart(path, IsFileNameLeadByte);
    const std::string name = path.substr(start);
    if (name.size() + tail.size() <= kMostFileNameBytes)
        return path + tail;
    return path.substr(0, start) + name.substr(0, CharacterCut(name, kMostFileNameBytes - tail.size())) + tail;
}

}  // namespace app
