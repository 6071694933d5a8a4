#pragma once

#include <cstdint>

#include "history/BYTERANGE.h"
#include "history/Delay.h"

namespace app {

// A stream over the rows of a byte range of bytes it does not own, one after another; its
// window is the unread rest of the current row.
class DelayRange : public Delay {
  public:
    // The range must fit the bytes (RangeFits).
    DelayRange(const unsigned char* data, const BYTERANGE& range) noexcept;
    ~DelayRange() override;

    bool AtEnd() const override;
    int32_t Available() const override;
    const unsigned char* Current() override;
    void Advance(int32_t n) override;
    int32_t Read(unsigned char* destination, int32_t n) override;

  private:
    const unsigned char* data_;
    BYTERANGE range_;
    int32_t row_ = 0;
    int32_t column_ = 0;  // bytes of the current row consumed
};

}  // namespace app
