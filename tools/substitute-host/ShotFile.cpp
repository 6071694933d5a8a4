#include "tools/substitute-host/ShotFile.h"

#include <cstdio>

#include "tools/common/PngFile.h"

namespace tools {

namespace {

constexpr int kPaintMs = 400;  // for a window that just appeared to draw itself

}  // namespace

void SaveShot(const RunDriver::SNAPSHOT& shot, const RECT& area, const std::string& folder, const char* name) {
    RgbaPicture picture;
    picture.width = area.right - area.left;
    picture.height = area.bottom - area.top;
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height * 4);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const size_t from = 3 * (static_cast<size_t>(area.top + y) * shot.width + area.left + x);
            unsigned char* to = &picture.pixels[4 * (static_cast<size_t>(y) * picture.width + x)];
            to[0] = static_cast<unsigned char>(shot.bgr[from + 2]);
            to[1] = static_cast<unsigned char>(shot.bgr[from + 1]);
            to[2] = static_cast<unsigned char>(shot.bgr[from]);
            to[3] = 255;
        }
    }
    const std::string path = folder + "\\" + name + ".png";
    if (!SavePng(path, picture))
        std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
}

void ShootWindow(HWND window, const std::string& folder, const char* name) {
    if (!window) {
        std::fprintf(stderr, "%s: the window did not appear\n", name);
        return;
    }
    Sleep(kPaintMs);
    const RunDriver::SNAPSHOT shot = RunDriver::Capture(window);
    SaveShot(shot, {0, 0, shot.width, shot.height}, folder, name);
}

}  // namespace tools
