#include "ui/win32/MemoryDC.h"

#include "base/Exception.h"

namespace app {

MemoryDC::MemoryDC(HDC compatible) {
    HDC context = CreateCompatibleDC(compatible);
    if (!context)
        throw Exception(ErrorNoMemory);
    SetHandle(context);
}

MemoryDC::~MemoryDC() {
    Restore();
    DeleteDC(Handle());
}

}  // namespace app
