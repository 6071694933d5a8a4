#include "tools/common/PngFile.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_SIMD
#include <stb_image.h>
#include <zlib.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace tools {

namespace {

void PutUint32(unsigned char* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

const unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

// A PNG file written chunk by chunk; `ok` turns false at the first failed write.
struct PngStream {
    std::FILE* file;
    bool ok = true;

    void Chunk(const char* type, const unsigned char* data, uint32_t length) {
        unsigned char head[8];
        PutUint32(head, length);
        std::memcpy(head + 4, type, 4);
        uLong crc = crc32(0, head + 4, 4);
        if (length > 0)
            crc = crc32(crc, data, length);  // a null buffer would restart the sum
        unsigned char tail[4];
        PutUint32(tail, static_cast<uint32_t>(crc));
        ok = ok && std::fwrite(head, 1, 8, file) == 8 &&
             (length == 0 || std::fwrite(data, 1, length, file) == length) && std::fwrite(tail, 1, 4, file) == 4;
    }
};

int PaethPredictor(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Row `row` (4 bytes a pixel) under filter `type`, after the filter byte, given the row above.
void FilterRow(int type, const unsigned char* row, const unsigned char* above, size_t bytes, unsigned char* out) {
    out[0] = static_cast<unsigned char>(type);
    for (size_t i = 0; i < bytes; ++i) {
        const int a = i >= 4 ? row[i - 4] : 0;
        const int b = above ? above[i] : 0;
        const int c = i >= 4 && above ? above[i - 4] : 0;
        const int predicted = type == 1   ? a
                              : type == 2 ? b
                              : type == 3 ? (a + b) / 2
                              : type == 4 ? PaethPredictor(a, b, c)
                                          : 0;
        out[i + 1] = static_cast<unsigned char>(row[i] - predicted);
    }
}

// The filter whose output has the least sum of magnitudes, the usual choice of PNG writers.
void BestFilteredRow(const unsigned char* row,
                     const unsigned char* above,
                     size_t bytes,
                     std::vector<unsigned char>& best,
                     std::vector<unsigned char>& trial) {
    uint64_t bestSum = UINT64_MAX;
    for (int type = 0; type < 5; ++type) {
        FilterRow(type, row, above, bytes, trial.data());
        uint64_t sum = 0;
        for (size_t i = 1; i <= bytes; ++i)
            sum += static_cast<uint64_t>(std::abs(static_cast<signed char>(trial[i])));
        if (sum < bestSum) {
            bestSum = sum;
            best.swap(trial);
        }
    }
}

// Deflates what `z` holds into IDAT chunks of at most 64 KB, until `flush` is done.
bool Deflate(z_stream& z, int flush, PngStream& png) {
    unsigned char out[1 << 16];
    int result;
    do {
        z.next_out = out;
        z.avail_out = sizeof out;
        result = deflate(&z, flush);
        if (result == Z_STREAM_ERROR)
            return false;
        const auto produced = static_cast<uint32_t>(sizeof out - z.avail_out);
        if (produced > 0)
            png.Chunk("IDAT", out, produced);
    } while (png.ok && (z.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END)));
    return png.ok;
}

bool WriteImage(PngStream& png, const RgbaPicture& picture) {
    png.ok = std::fwrite(kSignature, 1, 8, png.file) == 8;
    unsigned char header[13] = {0, 0, 0, 0, 0, 0, 0, 0, 8, 6, 0, 0, 0};  // 8 bits, RGBA
    PutUint32(header, static_cast<uint32_t>(picture.width));
    PutUint32(header + 4, static_cast<uint32_t>(picture.height));
    png.Chunk("IHDR", header, sizeof header);
    z_stream z{};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK)
        return false;
    const size_t rowBytes = static_cast<size_t>(picture.width) * 4;
    std::vector<unsigned char> best(rowBytes + 1), trial(rowBytes + 1);
    bool ok = png.ok;
    for (int32_t y = 0; ok && y < picture.height; ++y) {
        const unsigned char* row = picture.pixels.data() + static_cast<size_t>(y) * rowBytes;
        BestFilteredRow(row, y > 0 ? row - rowBytes : nullptr, rowBytes, best, trial);
        z.next_in = best.data();
        z.avail_in = static_cast<uInt>(rowBytes + 1);
        ok = Deflate(z, Z_NO_FLUSH, png);
    }
    ok = ok && Deflate(z, Z_FINISH, png);
    deflateEnd(&z);
    png.Chunk("IEND", nullptr, 0);
    return ok && png.ok;
}

uint32_t BigEndian32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// An IDAT chunk may be empty, but the decoder then copies from a null pointer: such chunks hold
// nothing of the picture and are left out.  A file whose chunks do not add up is handed over as
// it is, for the decoder to refuse.
std::string WithoutEmptyDataChunks(const std::string& bytes) {
    if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0)
        return bytes;
    std::string kept = bytes.substr(0, 8);
    for (size_t at = 8; at < bytes.size();) {
        if (bytes.size() - at < 12 || BigEndian32(bytes, at) > bytes.size() - at - 12)
            return bytes;
        const size_t chunk = 12 + BigEndian32(bytes, at);
        if (chunk > 12 || bytes.compare(at + 4, 4, "IDAT") != 0)
            kept.append(bytes, at, chunk);
        at += chunk;
    }
    return kept;
}

}  // namespace

bool ReadPngSize(const std::string& path, int32_t* width, int32_t* height, std::string* error) {
    int w = 0, h = 0, channels = 0;
    if (!stbi_info(path.c_str(), &w, &h, &channels)) {
        *error = path + ": " + (stbi_failure_reason() ? stbi_failure_reason() : "cannot be read");
        return false;
    }
    *width = w;
    *height = h;
    return true;
}

bool LoadPng(const std::string& path, RgbaPicture* picture, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    char chunk[1 << 16];
    while (in && bytes.size() <= static_cast<size_t>(INT_MAX) && (in.read(chunk, sizeof chunk) || in.gcount() > 0))
        bytes.append(chunk, static_cast<size_t>(in.gcount()));
    if (!in.eof() || in.bad() || bytes.size() > static_cast<size_t>(INT_MAX)) {
        *error = path + ": cannot be read";
        return false;
    }
    bytes = WithoutEmptyDataChunks(bytes);
    int width = 0, height = 0, channels = 0;
    unsigned char* data = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                                static_cast<int>(bytes.size()), &width, &height, &channels, 4);
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

bool SavePng(const std::string& path, const RgbaPicture& picture, int32_t* error) {
    int32_t ignored = 0;
    int32_t& failure = error ? *error : ignored;
    failure = EINVAL;
    // Rows are fed to zlib whole; every other length is counted in 64 bits or chunked.
    if (picture.width < 1 || picture.height < 1 || static_cast<uint64_t>(picture.width) * 4 + 1 > UINT_MAX ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 4)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        failure = errno;
        return false;
    }
    PngStream png{file};
    const bool written = WriteImage(png, picture);
    failure = errno;  // the failed write's reason, unless the close has one of its own
    const bool closed = std::fclose(file) == 0;
    if (!closed && written)
        failure = errno;
    if (written && closed)
        return true;
    std::remove(path.c_str());
    return false;
}

}  // namespace tools
