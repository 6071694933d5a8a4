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

bool LoadPng(const std::string& path, RgbaPicture* picture, std::string* error);
bool SavePng(const std::string& path, const RgbaPicture& picture);

}  // namespace tools
