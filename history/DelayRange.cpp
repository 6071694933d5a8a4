#include "history/DelayRange.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace app {

DelayRange::DelayRange(const unsigned char* data, const BYTERANGE& range) noexcept : data_(data), range_(range) {}

DelayRange::~DelayRange() = default;

bool DelayRange::AtEnd() const {
    return row_ >= range_.rows;
}

int32_t DelayRange::Available() const {
    return AtEnd() ? 0 : range_.rowBytes - column_;
}

const unsigned char* DelayRange::Current() {
    return data_ + range_.offset + static_cast<ptrdiff_t>(row_) * range_.stride + column_;
}

void DelayRange::Advance(int32_t n) {
    column_ += n;
    if (column_ >= range_.rowBytes) {
        column_ = 0;
        ++row_;
    }
}

int32_t DelayRange::Read(unsigned char* destination, int32_t n) {
    int32_t total = 0;
    while (total < n && !AtEnd()) {
        const int32_t count = std::min(n - total, Available());
        // In-place combining reads and writes the same bytes: memmove keeps that defined.
        std::memmove(destination + total, Current(), static_cast<size_t>(count));
        Advance(count);
        total += count;
    }
    return total;
}

}  // namespace app
