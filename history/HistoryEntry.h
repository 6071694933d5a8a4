#pragma once

#include <cstdint>

namespace app {

// An item header is a list of entries laid end to end, little-endian: the entry type, then its
// payload.  A data entry (8 bytes) refers to a chunk of the item by index; a range entry (24
// bytes) refers to a chunk too and says which bytes of the image its difference covers: offset,
// bytes per row, rows and the distance from one row to the next.
constexpr int32_t kHistoryEntryData = 2;
constexpr int32_t kHistoryEntrySize = 8;
constexpr int32_t kHistoryEntryRange = 3;
constexpr int32_t kHistoryRangeEntrySize = 24;

inline void WriteLittleEndian32(unsigned char* bytes, int32_t value) {
    const uint32_t word = static_cast<uint32_t>(value);
    bytes[0] = static_cast<unsigned char>(word);
    bytes[1] = static_cast<unsigned char>(word >> 8);
    bytes[2] = static_cast<unsigned char>(word >> 16);
    bytes[3] = static_cast<unsigned char>(word >> 24);
}

inline int32_t ReadLittleEndian32(const unsigned char* bytes) {
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                                static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace app
