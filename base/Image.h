#pragma once

#include <cstdint>
#include <memory>

#include "base/BitmapHeader.h"
#include "base/ImageSize.h"

namespace app {

class ImageMember;

// A raster of width x height pixels, rows top first, each row starting on a multiple of 4 bytes.
// Document images have 4 bytes per pixel (red, green, blue, opacity); display images have 3
// (blue, green, red) and keep a valid top-down bitmap header.  Copies are deep.
class Image {
  public:
    Image();
    Image(const Image& other);
    Image& operator=(const Image& other);
    ~Image();

    void Create(int32_t width, int32_t height, int32_t bytesPerPixel);
    // A failure (code 11 for a size that is negative or overflows, code 3 when the storage
    // cannot be had) leaves SetSize's image as it was and Create's image empty (0 x 0).
    void SetSize(int32_t width, int32_t height, int32_t bytesPerPixel);
    // The byte size of an image of that size, checked as SetSize checks it (code 11).
    static int32_t ByteSizeFor(int32_t width, int32_t height, int32_t bytesPerPixel);

    int32_t Width() const noexcept;
    int32_t Height() const noexcept;
    int32_t BytesPerPixel() const noexcept;
    ImageSize GetSize() const noexcept;
    int32_t RowBytes() const noexcept;
    int32_t Padding() const noexcept;
    int32_t Stride() const noexcept;
    int32_t ByteSize() const noexcept;

    unsigned char* Data();
    const unsigned char* ConstData() const noexcept;
    unsigned char* Row(int32_t y);
    const unsigned char* ConstRow(int32_t y) const noexcept;
    const unsigned char* ConstPixel(int32_t x, int32_t y) const noexcept;
    const BitmapHeader& Header() const noexcept;

    void Clear();

  private:
    std::unique_ptr<ImageMember> m_;
};

}  // namespace app
