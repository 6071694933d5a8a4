#pragma once

#include <cstdint>

namespace app {

class UCharBuffer;

// A pull stream of bytes.  Consumers either Read, or look at Current/Available and Advance;
// streams produce bytes only when asked, a window of at most kDelayWindow bytes at a time.
class Delay {
  public:
    virtual ~Delay();
    // No more bytes will come.
    virtual bool AtEnd() const = 0;
    // Bytes ready in the current window, 0 while it is empty.
    virtual int32_t Available() const = 0;
    // The start of the current window; an empty window is refilled first.
    virtual const unsigned char* Current() = 0;
    // Consumes n bytes of the window (n <= Available()).
    virtual void Advance(int32_t n) = 0;
    // Copies up to n bytes; returns how many.
    virtual int32_t Read(unsigned char* destination, int32_t n) = 0;
};

constexpr int32_t kDelayWindow = 8192;

// Drains a stream into a buffer sized exactly to what came.  Stops as well when the stream
// stops producing without reporting its end, so a broken stream cannot hang the caller.
void ReadAll(Delay& stream, UCharBuffer& buffer);

}  // namespace app
