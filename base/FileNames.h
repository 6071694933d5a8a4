#pragma once

#include <string>

namespace app {

// Where a path's file name starts: after the last separator that begins a character, so that
// the second byte of a double-byte character (0x5C in 表) is never taken for a backslash.
inline size_t FileNameStart(const std::string& path, bool (*isLeadByte)(unsigned char)) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c == '\\' || c == '/')
            start = i + 1;
        else if (isLeadByte(c))
            ++i;
    }
    return start;
}

}  // namespace app
