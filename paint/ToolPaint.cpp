#include "paint/ToolPaint.h"

namespace app {

ToolPaint::~ToolPaint() = default;

}  // namespace app
