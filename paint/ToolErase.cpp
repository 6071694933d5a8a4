#include "paint/ToolErase.h"

namespace app {

ToolErase::~ToolErase() = default;

}  // namespace app
