#include "tools/paint/TextCodePage.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "tools/common/CodePage932.h"
#endif

#include <vector>

namespace tools {

#ifdef _WIN32

std::string SystemCodePageText(const std::string& utf8) {
    const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), nullptr, 0);
    if (wide <= 0)
        return utf8;
    std::vector<wchar_t> text(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), wide);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return utf8;
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, result.data(), bytes, nullptr, nullptr);
    return result;
}

#else

// The shipped catalogue is written in code page 932; native systems have no ANSI code page of
// their own, so this one stands in.
std::string SystemCodePageText(const std::string& utf8) {
    std::string converted;
    return Utf8ToCodePage932(utf8, &converted) ? converted : utf8;
}

#endif

}  // namespace tools
