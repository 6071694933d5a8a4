#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// An 8-bit RGBA picture as the tools read and write it; alpha is 255 where the file has none.
struct RgbaPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<unsigned char> pixels;  // width * height * 4, rows top first
};

// The width and height a PNG file states, without decoding its pixels.
bool ReadPngSize(const std::string& path, int32_t* width, int32_t* height, std::string* error);
bool LoadPng(const std::string& path, RgbaPicture* picture, std::string* error);
// Writes the picture as 8-bit RGBA, streaming its rows through zlib into chunks of 64 KB, so
// that no length of the file is held in 32 bits whatever the picture's size.  False (and no
// file) for an empty picture, pixels that do not match the size, or a failed write, with the
// system's error number in `error` when one is given.
bool SavePng(const std::string& path, const RgbaPicture& picture, int32_t* error = nullptr);

}  // namespace tools
