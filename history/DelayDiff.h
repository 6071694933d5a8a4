#pragma once

#include <cstdint>
#include <memory>

#include "history/DelayFilter.h"

namespace app {

class DelayDiffMember;

// Combines two streams byte by byte, modulo 256: A + B (add) or A - B.  The output is as long
// as the shorter source.  In subtract mode it notes whether any output byte was not 0.
class DelayDiff : public DelayFilter {
  public:
    // Both sources are borrowed and must outlive this stream.
    DelayDiff(Delay& a, Delay& b, bool add);
    // Takes ownership of both sources.
    DelayDiff(std::unique_ptr<Delay> a, std::unique_ptr<Delay> b, bool add);
    ~DelayDiff() override;

    bool AtEnd() const override;

    bool Changed() const;

  protected:
    // Combines the sources window by window straight into the destination.
    int32_t Produce(unsigned char* destination, int32_t n) override;

  private:
    std::unique_ptr<DelayDiffMember> m_;
};

}  // namespace app
