#include "history/DelayBuffer.h"

#include <algorithm>
#include <cstring>

namespace app {

DelayBuffer::DelayBuffer(const unsigned char* data, int32_t size) noexcept : data_(data), size_(std::max(size, 0)) {}

DelayBuffer::~DelayBuffer() = default;

bool DelayBuffer::AtEnd() const {
    return position_ >= size_;
}

int32_t DelayBuffer::Available() const {
    return size_ - position_;
}

const unsigned char* DelayBuffer::Current() {
    return data_ + position_;
}

void DelayBuffer::Advance(int32_t n) {
    position_ += n;
}

int32_t DelayBuffer::Read(unsigned char* destination, int32_t n) {
    const int32_t count = std::max(std::min(n, size_ - position_), 0);
    // In-place combining reads and writes the same bytes: memmove keeps that defined.
    if (count > 0)
        std::memmove(destination, data_ + position_, static_cast<size_t>(count));
    position_ += count;
    return count;
}

}  // namespace app
