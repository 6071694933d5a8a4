#pragma once

namespace app {

// Whether a byte starts a double-byte character of code page 932, the system code page the
// program's texts and names are in; the byte after it is that character's second half, whatever
// its value ("ソ" is 0x83 0x7C, the second half an ASCII "|").
inline bool IsLeadByte(unsigned char c) noexcept {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace app
