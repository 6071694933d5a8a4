#include "base/Image.h"

#include <cstring>

#include "base/CheckedInt.h"
#include "base/UCharBuffer.h"

namespace app {

class ImageMember {
  public:
    ImageMember() {
        std::memset(&header, 0, sizeof header);
        header.biSize = 40;
        header.biPlanes = 1;
    }

    BitmapHeader header;
    UCharBuffer pixels;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bytesPerPixel = 0;
};

namespace {

// The layout figures are computed in checked arithmetic once, when the size is set; the
// accessors below recompute them from values known not to overflow.
int32_t RowBytesOf(int32_t width, int32_t bytesPerPixel) {
    return CheckedMultiply(width, bytesPerPixel, ErrorImageSize);
}

int32_t PaddingOf(int32_t rowBytes) {
    return static_cast<int32_t>(-static_cast<uint32_t>(rowBytes) & 3u);
}

}  // namespace

Image::Image() : m_(std::make_unique<ImageMember>()) {}

Image::Image(const Image& other) : Image() {
    *this = other;
}

Image& Image::operator=(const Image& other) {
    if (this == &other)
        return *this;
    const ImageMember& o = *other.m_;
    if (o.width != m_->width || o.height != m_->height || o.bytesPerPixel != m_->bytesPerPixel) {
        Create(o.width, o.height, o.bytesPerPixel);
    }
    const int32_t bytes = ByteSize();
    if (bytes > 0)
        std::memcpy(Data(), other.ConstData(), static_cast<size_t>(bytes));
    return *this;
}

Image::~Image() = default;

void Image::Create(int32_t width, int32_t height, int32_t bytesPerPixel) {
    m_->pixels.Release();
    try {
        SetSize(width, height, bytesPerPixel);
    } catch (...) {
        // The pixels are gone already: what is left is an empty image, never the old size over
        // no storage.
        m_->width = m_->height = m_->bytesPerPixel = 0;
        throw;
    }
}

int32_t Image::ByteSizeFor(int32_t width, int32_t height, int32_t bytesPerPixel) {
    if (width < 0 || height < 0 || bytesPerPixel < 0)
        throw Exception(ErrorImageSize);
    const int32_t rowBytes = RowBytesOf(width, bytesPerPixel);
    const int32_t stride = CheckedAdd(rowBytes, PaddingOf(rowBytes), ErrorImageSize);
    return CheckedMultiply(height, stride, ErrorImageSize);
}

void Image::SetSize(int32_t width, int32_t height, int32_t bytesPerPixel) {
    // The size is checked and the storage obtained before anything changes, so a failure of
    // either leaves the image as it was.
    m_->pixels.Reserve(ByteSizeFor(width, height, bytesPerPixel));
    m_->width = width;
    m_->height = height;
    m_->bytesPerPixel = bytesPerPixel;
    if (bytesPerPixel == 3) {
        m_->header.biWidth = width;
        m_->header.biHeight = -height;
        m_->header.biBitCount = 24;
        m_->header.biCompression = kBitmapRgb;
    }
}

int32_t Image::Width() const noexcept {
    return m_->width;
}
int32_t Image::Height() const noexcept {
    return m_->height;
}
int32_t Image::BytesPerPixel() const noexcept {
    return m_->bytesPerPixel;
}
ImageSize Image::GetSize() const noexcept {
    return {m_->width, m_->height};
}
int32_t Image::RowBytes() const noexcept {
    return m_->width * m_->bytesPerPixel;
}
int32_t Image::Padding() const noexcept {
    return PaddingOf(RowBytes());
}
int32_t Image::Stride() const noexcept {
    return RowBytes() + Padding();
}
int32_t Image::ByteSize() const noexcept {
    return m_->height * Stride();
}

unsigned char* Image::Data() {
    return m_->pixels.Data();
}

const unsigned char* Image::ConstData() const noexcept {
    return m_->pixels.ConstData();
}

unsigned char* Image::Row(int32_t y) {
    return Data() + static_cast<ptrdiff_t>(y) * Stride();
}

const unsigned char* Image::ConstRow(int32_t y) const noexcept {
    return ConstData() + static_cast<ptrdiff_t>(y) * Stride();
}

const unsigned char* Image::ConstPixel(int32_t x, int32_t y) const noexcept {
    return ConstRow(y) + static_cast<ptrdiff_t>(x) * m_->bytesPerPixel;
}

const BitmapHeader& Image::Header() const noexcept {
    return m_->header;
}

void Image::Clear() {
    const int32_t bytes = ByteSize();
    if (bytes > 0)
        std::memset(Data(), 0, static_cast<size_t>(bytes));
}

}  // namespace app
