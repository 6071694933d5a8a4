#pragma once

#include <cstdint>

namespace app {

// One block of heap storage shared by the buffers that refer to it.
struct BufferHolder {
    unsigned char* data;
    int32_t size;
    int32_t references;
};

}  // namespace app
