#include "paint/ToolBlur.h"

namespace app {

ToolBlur::~ToolBlur() = default;

}  // namespace app
