#pragma once

#include <cstdint>
#include <memory>

#include "history/Delay.h"

namespace app {

class DelayCompressMember;

// A zlib filter over one source stream: deflates it into a complete zlib stream, or inflates
// one.  A broken input (a zlib error, or no progress at the end of the source) ends the stream
// early and is kept as Failed(), so that no consumer waits for bytes that never come.
class DelayCompress : public Delay {
public:
    // The source is borrowed and must outlive this stream.
    DelayCompress(Delay& source, bool compress);
    // Takes ownership of the source.
    DelayCompress(std::unique_ptr<Delay> source, bool compress);
    ~DelayCompress() override;

    bool AtEnd() const override;
    int32_t Available() const override;
    const unsigned char* Current() override;
    void Advance(int32_t n) override;
    int32_t Read(unsigned char* destination, int32_t n) override;

    // The zlib stream ended in an error or stalled before its end.
    bool Failed() const;

private:
    void StartZlib();
    int32_t Filter(unsigned char* destination, int32_t n);
    int32_t TakeFromWindow(unsigned char* destination, int32_t n);

    std::unique_ptr<DelayCompressMember> m_;
};

}  // namespace app
