#pragma once

#include <cstdint>

#include "base/BufferHolder.h"

namespace app {

// Byte buffer with shared, reference-counted, copy-on-write storage.  Copying a buffer shares
// its holder; writers go through Data(), which unshares first.  Sizes are bytes.
class UCharBuffer {
  public:
    UCharBuffer() noexcept = default;
    UCharBuffer(const UCharBuffer& other) noexcept;
    UCharBuffer(UCharBuffer&& other) noexcept;
    UCharBuffer& operator=(const UCharBuffer& other) noexcept;
    UCharBuffer& operator=(UCharBuffer&& other) noexcept;
    virtual ~UCharBuffer();

    void Allocate(int32_t bytes);
    void Resize(int32_t bytes);
    void Reserve(int32_t bytes);
    void Release() noexcept;

    const unsigned char* ConstData() const noexcept { return holder_ ? holder_->data : nullptr; }
    unsigned char* Data();
    int32_t Size() const noexcept { return holder_ ? holder_->size : 0; }
    bool IsEmpty() const noexcept { return holder_ == nullptr; }
    bool IsShared() const noexcept { return holder_ && holder_->references >= 2; }

    void Swap(UCharBuffer& other) noexcept;
    void Share(const UCharBuffer& other) noexcept;

    // For tests of the failure paths: from now on the heap refuses every block of at least
    // `bytes` (0 lifts the limit).  Nothing in the program calls it.
    static void RefuseBlocksFrom(int32_t bytes) noexcept;

  private:
    static BufferHolder* NewHolder(int32_t bytes);
    static void DropHolder(BufferHolder* holder) noexcept;

    BufferHolder* holder_ = nullptr;
};

}  // namespace app
