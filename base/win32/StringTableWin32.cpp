#include <windows.h>

#include <vector>

#include "base/StringTable.h"
#include "base/win32/ModuleInstance.h"

namespace app {

// The plug-in's strings come from its own string table, in the system code page.
bool LoadTableString(int32_t id, std::string* text) {
    text->clear();
    std::vector<char> buffer(1024);
    for (;;) {
        const int length =
            LoadStringA(ModuleInstance, static_cast<UINT>(id), buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0)
            return false;
        if (length < static_cast<int>(buffer.size()) - 1) {
            text->assign(buffer.data(), static_cast<size_t>(length));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace app
