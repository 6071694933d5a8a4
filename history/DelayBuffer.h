#pragma once

#include <cstdint>

#include "history/Delay.h"

namespace app {

// A stream over bytes that it does not own; its window is the whole unread rest.
class DelayBuffer : public Delay {
  public:
    DelayBuffer(const unsigned char* data, int32_t size) noexcept;
    ~DelayBuffer() override;

    bool AtEnd() const override;
    int32_t Available() const override;
    const unsigned char* Current() override;
    void Advance(int32_t n) override;
    int32_t Read(unsigned char* destination, int32_t n) override;

  private:
    const unsigned char* data_;
    int32_t size_;
    int32_t position_ = 0;
};

}  // namespace app
