#pragma once

#include <cstdint>
#include <memory>

#include "history/Delay.h"

namespace app {

class DelayFilterMember;

// A stream that makes its bytes from other streams on demand.  Consumers either look at its
// window (Current, Advance), which is filled kDelayWindow bytes at a time, or have bytes copied
// straight to them (Read); bytes already in the window come first, so mixing both loses nothing.
class DelayFilter : public Delay {
  public:
    DelayFilter();
    ~DelayFilter() override;

    int32_t Available() const override;
    const unsigned char* Current() override;
    void Advance(int32_t n) override;
    int32_t Read(unsigned char* destination, int32_t n) override;

  protected:
    // Makes up to n further bytes into the destination; returns how many.
    virtual int32_t Produce(unsigned char* destination, int32_t n) = 0;

  private:
    int32_t TakeFromWindow(unsigned char* destination, int32_t n);

    std::unique_ptr<DelayFilterMember> m_;
};

}  // namespace app
