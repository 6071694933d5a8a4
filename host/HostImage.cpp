#include "host/HostImage.h"

#include "base/CheckedInt.h"
#include "base/Image.h"
#include "base/UCharBuffer.h"

namespace app {

namespace {

struct HostRunState {
    const HostImageInfo* info = nullptr;
    const HostRowAccess* write = nullptr;
    const HostRowAccess* read = nullptr;
    const char* path = nullptr;
};

HostRunState& RunState() {
    static HostRunState state;
    return state;
}

// Row buffers: 3 x w + 4 bytes of colour and w + 4 of alpha; the spare bytes are never written.
struct RowBuffers {
    explicit RowBuffers(int32_t width) {
        colour.Allocate(CheckedAdd(CheckedMultiply(width, 3, ErrorImageSize), 4, ErrorImageSize));
        alpha.Allocate(CheckedAdd(width, 4, ErrorImageSize));
    }
    UCharBuffer colour;
    UCharBuffer alpha;
};

constexpr int32_t kMinusOne = -1;
constexpr int32_t kOne = 1;

}  // namespace

bool AcceptHostImage(const HostImageInfo* info,
                     const HostRowAccess* write,
                     const HostRowAccess* read,
                     const char* path) {
    if (!info || info->bitsPerPixel != 24 || !write || !read)
        return false;
    HostRunState& state = RunState();
    state.info = info;
    state.write = write;
    state.read = read;
    state.path = path;
    return true;
}

int32_t RunFilterProc(void* hostWindow,
                      const HostImageInfo* info,
                      const HostRowAccess* write,
                      const HostRowAccess* read,
                      const char* path,
                      FilterRun run) {
    if (!AcceptHostImage(info, write, read, path))
        return 0;
    run(hostWindow);
    return 1;
}

ImageSize GetHostImageSize() {
    const HostImageInfo* info = RunState().info;
    return info ? ImageSize{info->width, info->height} : ImageSize{0, 0};
}

const char* GetHostPath() {
    return RunState().path;
}

void ReadHostImage(Image& image) {
    const ImageSize size = GetHostImageSize();
    if (size.width <= 0 || size.height <= 0)
        return;
    RowBuffers rows(size.width);
    unsigned char* colour = rows.colour.Data();
    unsigned char* alpha = rows.alpha.Data();
    const HostRowAccess* read = RunState().read;
    for (int32_t y = 0; y < size.height; ++y) {
        read->ColorRows(y, 0, size.width - 1, colour, kMinusOne);
        read->AlphaRows(y, 0, size.width - 1, alpha, kMinusOne, kOne);
        unsigned char* pixel = image.Row(y);
        for (int32_t x = 0; x < size.width; ++x, pixel += 4) {
            pixel[0] = colour[3 * x + 2];
            pixel[1] = colour[3 * x + 1];
            pixel[2] = colour[3 * x];
            pixel[3] = alpha[x];
        }
    }
}

void WriteHostImage(const Image& image) {
    const int32_t width = image.Width();
    const int32_t height = image.Height();
    if (width <= 0 || height <= 0)
        return;
    RowBuffers rows(width);
    unsigned char* colour = rows.colour.Data();
    unsigned char* alpha = rows.alpha.Data();
    const HostRowAccess* write = RunState().write;
    for (int32_t y = 0; y < height; ++y) {
        const unsigned char* pixel = image.ConstRow(y);
        for (int32_t x = 0; x < width; ++x, pixel += 4) {
            colour[3 * x + 2] = pixel[0];
            colour[3 * x + 1] = pixel[1];
            colour[3 * x] = pixel[2];
            alpha[x] = pixel[3];
        }
        write->ColorRows(y, 0, width - 1, colour, kMinusOne);
        write->AlphaRows(y, 0, width - 1, alpha, kMinusOne, kOne);
    }
}

}  // namespace app
