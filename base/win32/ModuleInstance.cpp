#include "base/win32/ModuleInstance.h"

namespace app {

HINSTANCE ModuleInstance = GetModuleHandleA(nullptr);

}  // namespace app
