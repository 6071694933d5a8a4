#pragma once

#include <cstdint>

namespace app {

// Byte image of a Windows BITMAPINFOHEADER followed by three colour-table entries, so that a
// display image can be handed to SetDIBitsToDevice as it stands.
#pragma pack(push, 4)
struct BitmapHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
    uint32_t colours[3];
};
#pragma pack(pop)

static_assert(sizeof(BitmapHeader) == 52, "BITMAPINFOHEADER is 40 bytes, plus three colour entries");

constexpr uint32_t kBitmapRgb = 0;  // BI_RGB

}  // namespace app
