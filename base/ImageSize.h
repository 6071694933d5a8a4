#pragma once

#include <cstdint>

namespace app {

struct ImageSize {
    int32_t width;
    int32_t height;
};

}  // namespace app
