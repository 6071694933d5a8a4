#pragma once

#include <cstdint>

// What the host paint program hands the filter: its image description and two tables of row
// functions, one to read its image and one to write it back.  The layout is the host's.
extern "C" {

struct HostImageInfo {
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;  // only 24 is accepted
};

// Row functions: row, first column (0), last column (width - 1), buffer, then constants the host
// expects (-1, and 1 for alpha).  Colour rows hold blue, green, red per pixel; alpha rows one
// byte per pixel.  Their results are ignored.
typedef int32_t (
    *HostColorRowsFunction)(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t minusOne);
typedef int32_t (*HostAlphaRowsFunction)(int32_t row,
                                         int32_t first,
                                         int32_t last,
                                         unsigned char* buffer,
                                         int32_t minusOne,
                                         int32_t one);

struct HostRowAccess {
    HostColorRowsFunction ColorRows;
    HostAlphaRowsFunction AlphaRows;
};

}  // extern "C"
