#include "tools/paint/MemoryHost.h"

#include <cstring>

#include "host/HostImage.h"

namespace tools {
namespace {

MemoryHost* g_host = nullptr;

size_t PixelIndex(int32_t row, int32_t column) {
    return static_cast<size_t>(row) * static_cast<size_t>(g_host->info.width) + static_cast<size_t>(column);
}

// Columns first..last of a row that exists; anything else copies nothing.
size_t Columns(int32_t row, int32_t first, int32_t last) {
    if (!g_host || row < 0 || row >= g_host->info.height || first < 0 || last >= g_host->info.width)
        return 0;
    return last >= first ? static_cast<size_t>(last - first + 1) : 0;
}

int32_t ReadColour(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t) {
    if (size_t n = Columns(row, first, last))
        std::memcpy(buffer, &g_host->colour[PixelIndex(row, first) * 3], n * 3);
    return 1;
}

int32_t ReadAlpha(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t, int32_t) {
    if (size_t n = Columns(row, first, last))
        std::memcpy(buffer, &g_host->alpha[PixelIndex(row, first)], n);
    return 1;
}

int32_t WriteColour(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t) {
    if (size_t n = Columns(row, first, last))
        std::memcpy(&g_host->colour[PixelIndex(row, first) * 3], buffer, n * 3);
    return 1;
}

int32_t WriteAlpha(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t, int32_t) {
    if (size_t n = Columns(row, first, last))
        std::memcpy(&g_host->alpha[PixelIndex(row, first)], buffer, n);
    return 1;
}

}  // namespace

MemoryHost::MemoryHost(const RgbaPicture& picture)
    : info{picture.width, picture.height, 24}, read{ReadColour, ReadAlpha}, write{WriteColour, WriteAlpha} {
    const size_t pixels = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    colour.resize(pixels * 3);
    alpha.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        colour[i * 3 + 0] = picture.pixels[i * 4 + 2];
        colour[i * 3 + 1] = picture.pixels[i * 4 + 1];
        colour[i * 3 + 2] = picture.pixels[i * 4 + 0];
        alpha[i] = picture.pixels[i * 4 + 3];
    }
    g_host = this;
}

MemoryHost::~MemoryHost() {
    g_host = nullptr;
}

void MemoryHost::Accept(const std::string& hostPath) {
    // The program keeps the path pointer beyond the call, as it keeps the host's; so does this.
    static std::string path;
    path = hostPath;
    app::AcceptHostImage(&info, &write, &read, path.c_str());
}

RgbaPicture MemoryHost::Picture() const {
    RgbaPicture picture;
    picture.width = info.width;
    picture.height = info.height;
    const size_t pixels = alpha.size();
    picture.pixels.resize(pixels * 4);
    for (size_t i = 0; i < pixels; ++i) {
        picture.pixels[i * 4 + 0] = colour[i * 3 + 2];
        picture.pixels[i * 4 + 1] = colour[i * 3 + 1];
        picture.pixels[i * 4 + 2] = colour[i * 3 + 0];
        picture.pixels[i * 4 + 3] = alpha[i];
    }
    return picture;
}

}  // namespace tools
