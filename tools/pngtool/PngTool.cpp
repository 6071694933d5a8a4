// Small picture operations for scripts and tests:
//   pngtool diff A.png B.png      prints "same", or "differ PIXELS LEFT TOP RIGHT BOTTOM" (the
//                                 bounding box of the differing pixels, inclusive); exit 0 when
//                                 equal, 1 when they differ, 2 when they cannot be compared
//   pngtool solid W H R G B A OUT.png   writes a picture of one colour
//   pngtool pixel FILE X Y        prints "R G B A" of one pixel
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/common/PngFile.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: pngtool diff A.png B.png\n"
                 "       pngtool solid W H R G B A OUT.png\n"
                 "       pngtool pixel FILE X Y\n");
    return 2;
}

bool Load(const char* path, tools::RgbaPicture* picture) {
    std::string error;
    if (tools::LoadPng(path, picture, &error))
        return true;
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
}

int Diff(const char* first, const char* second) {
    tools::RgbaPicture a, b;
    if (!Load(first, &a) || !Load(second, &b))
        return 2;
    if (a.width != b.width || a.height != b.height) {
        std::printf("size %dx%d %dx%d\n", a.width, a.height, b.width, b.height);
        return 2;
    }
    long pixels = 0;
    int left = a.width, top = a.height, right = -1, bottom = -1;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const size_t at = (static_cast<size_t>(y) * a.width + x) * 4;
            if (std::memcmp(&a.pixels[at], &b.pixels[at], 4) == 0)
                continue;
            ++pixels;
            if (x < left)
                left = x;
            if (x > right)
                right = x;
            if (y < top)
                top = y;
            if (y > bottom)
                bottom = y;
        }
    }
    if (pixels == 0) {
        std::printf("same\n");
        return 0;
    }
    std::printf("differ %ld %d %d %d %d\n", pixels, left, top, right, bottom);
    return 1;
}

int Solid(char** arguments) {
    tools::RgbaPicture picture;
    picture.width = std::atoi(arguments[0]);
    picture.height = std::atoi(arguments[1]);
    if (picture.width <= 0 || picture.height <= 0)
        return Usage();
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height * 4);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        picture.pixels[i] = static_cast<unsigned char>(std::atoi(arguments[2 + i % 4]));
    }
    return tools::SavePng(arguments[6], picture) ? 0 : 1;
}

int Pixel(const char* path, int x, int y) {
    tools::RgbaPicture picture;
    if (!Load(path, &picture))
        return 2;
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height)
        return Usage();
    const unsigned char* p = &picture.pixels[(static_cast<size_t>(y) * picture.width + x) * 4];
    std::printf("%d %d %d %d\n", p[0], p[1], p[2], p[3]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "diff") == 0)
        return Diff(argv[2], argv[3]);
    if (argc == 9 && std::strcmp(argv[1], "solid") == 0)
        return Solid(argv + 2);
    if (argc == 5 && std::strcmp(argv[1], "pixel") == 0)
        return Pixel(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    return Usage();
}
