#include "tools/paint/TextCodePage.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <vector>

namespace tools {

#ifdef _WIN32

std::string SystemCodePageText(const std::string& utf8) {
    const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), nullptr, 0);
    if (wide <= 0) return utf8;
    std::vector<wchar_t> text(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), wide);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return utf8;
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, result.data(), bytes, nullptr, nullptr);
    return result;
}

#else

// The shipped catalogue is written in code page 932; native systems have no ANSI code page of
// their own, so this one stands in.
std::string SystemCodePageText(const std::string& utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return utf8;
    std::vector<char> in(utf8.begin(), utf8.end());
    std::vector<char> out(utf8.size() * 2 + 4);
    char* from = in.data();
    char* to = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t done = iconv(converter, &from, &inLeft, &to, &outLeft);
    iconv_close(converter);
    if (done == static_cast<size_t>(-1)) return utf8;
    return std::string(out.data(), to);
}

#endif

}  // namespace tools
