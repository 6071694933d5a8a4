#include "history/Delay.h"

#include "base/CheckedInt.h"
#include "base/UCharBuffer.h"

namespace app {

Delay::~Delay() = default;

void ReadAll(Delay& stream, UCharBuffer& buffer) {
    int32_t total = 0;
    while (!stream.AtEnd()) {
        buffer.Reserve(CheckedAdd(total, kDelayWindow, ErrorOverflow));
        const int32_t count = stream.Read(buffer.Data() + total, kDelayWindow);
        if (count <= 0)
            break;
        total += count;
    }
    buffer.Resize(total);
}

}  // namespace app
