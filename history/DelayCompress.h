#pragma once

#include <cstdint>
#include <memory>

#include "history/DelayFilter.h"

namespace app {

class DelayCompressMember;

// A zlib filter over one source stream: deflates it into a complete zlib stream, or inflates
// one.  A broken input (a zlib error, or no progress at the end of the source) ends the stream
// early and is kept as Failed(), so that no consumer waits for bytes that never come.
class DelayCompress : public DelayFilter {
  public:
    // The source is borrowed and must outlive this stream.
    DelayCompress(Delay& source, bool compress);
    // Takes ownership of the source.
    DelayCompress(std::unique_ptr<Delay> source, bool compress);
    ~DelayCompress() override;

    bool AtEnd() const override;

    // The zlib stream ended in an error or stalled before its end.
    bool Failed() const;

  protected:
    // Runs zlib until the destination is full or the zlib stream has ended.
    int32_t Produce(unsigned char* destination, int32_t n) override;

  private:
    void StartZlib();

    std::unique_ptr<DelayCompressMember> m_;
};

}  // namespace app
