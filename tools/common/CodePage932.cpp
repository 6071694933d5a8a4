#include "tools/common/CodePage932.h"

#include <iconv.h>

namespace tools {

bool Utf8ToCodePage932(const std::string& utf8, std::string* converted) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string input = utf8;
    std::string output(utf8.size() * 2 + 4, '\0');
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0)
        return false;
    output.resize(output.size() - outLeft);
    *converted = output;
    return true;
}

}  // namespace tools
