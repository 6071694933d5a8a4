#pragma once

#include <cstdint>
#include <memory>

#include "history/Delay.h"

namespace app {

class DelayDiffMember;

// Combines two streams byte by byte, modulo 256: A + B (add) or A - B.  The output is as long
// as the shorter source.  In subtract mode it notes whether any output byte was not 0.
class DelayDiff : public Delay {
public:
    // Both sources are borrowed and must outlive this stream.
    DelayDiff(Delay& a, Delay& b, bool add);
    // Takes ownership of both sources.
    DelayDiff(std::unique_ptr<Delay> a, std::unique_ptr<Delay> b, bool add);
    ~DelayDiff() override;

    bool AtEnd() const override;
    int32_t Available() const override;
    const unsigned char* Current() override;
    void Advance(int32_t n) override;
    int32_t Read(unsigned char* destination, int32_t n) override;

    bool Changed() const;

private:
    int32_t CombineSources(unsigned char* destination, int32_t n);
    int32_t TakeFromWindow(unsigned char* destination, int32_t n);

    std::unique_ptr<DelayDiffMember> m_;
};

}  // namespace app
