#include "history/DelayFilter.h"

#include <algorithm>
#include <cstring>

namespace app {

class DelayFilterMember {
  public:
    std::unique_ptr<unsigned char[]> window;  // made on first use: Read alone never needs it
    int32_t windowSize = 0;
    int32_t windowPosition = 0;
};

DelayFilter::DelayFilter() : m_(std::make_unique<DelayFilterMember>()) {}

DelayFilter::~DelayFilter() = default;

int32_t DelayFilter::Available() const {
    return m_->windowSize - m_->windowPosition;
}

const unsigned char* DelayFilter::Current() {
    if (!m_->window)
        m_->window = std::make_unique<unsigned char[]>(kDelayWindow);
    if (Available() == 0) {
        m_->windowSize = Produce(m_->window.get(), kDelayWindow);
        m_->windowPosition = 0;
    }
    return m_->window.get() + m_->windowPosition;
}

void DelayFilter::Advance(int32_t n) {
    m_->windowPosition += n;
    if (m_->windowPosition >= m_->windowSize)
        m_->windowSize = m_->windowPosition = 0;
}

int32_t DelayFilter::Read(unsigned char* destination, int32_t n) {
    const int32_t fromWindow = TakeFromWindow(destination, n);
    return fromWindow + Produce(destination + fromWindow, n - fromWindow);
}

int32_t DelayFilter::TakeFromWindow(unsigned char* destination, int32_t n) {
    const int32_t count = std::min(n, Available());
    if (count <= 0)
        return 0;
    std::memcpy(destination, m_->window.get() + m_->windowPosition, static_cast<size_t>(count));
    Advance(count);
    return count;
}

}  // namespace app
