#include "tools/common/PngFile.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_SIMD
#include <stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstring>

namespace tools {

bool LoadPng(const std::string& path, RgbaPicture* picture, std::string* error) {
    int width = 0, height = 0, channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (!data) {
        *error = path + ": " + (stbi_failure_reason() ? stbi_failure_reason() : "cannot be read");
        return false;
    }
    picture->width = width;
    picture->height = height;
    picture->pixels.assign(data, data + static_cast<size_t>(width) * height * 4);
    stbi_image_free(data);
    return true;
}

bool SavePng(const std::string& path, const RgbaPicture& picture) {
    return stbi_write_png(path.c_str(), picture.width, picture.height, 4, picture.pixels.data(), picture.width * 4) !=
           0;
}

}  // namespace tools
