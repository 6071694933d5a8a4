#pragma once

#include "base/UCharBuffer.h"

namespace app {

// Typed face of a byte buffer.  Sizes stay in bytes; callers multiply element counts
// by sizeof(T) themselves.
template <typename T>
class Buffer : public UCharBuffer {
  public:
    const T* ConstData() const noexcept { return reinterpret_cast<const T*>(UCharBuffer::ConstData()); }
    T* Data() { return reinterpret_cast<T*>(UCharBuffer::Data()); }
    int32_t Count() const noexcept { return Size() / static_cast<int32_t>(sizeof(T)); }
};

}  // namespace app
