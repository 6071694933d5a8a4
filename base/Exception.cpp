#include "base/Exception.h"

namespace app {

const char* Exception::what() const noexcept {
    return "app::Exception";
}

}  // namespace app
