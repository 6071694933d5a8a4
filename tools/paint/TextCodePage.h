#pragma once

#include <string>

namespace tools {

// UTF-8 script text in the system's ANSI code page, the encoding of preset names in catalogue
// files (code page 932 for Japanese).  Text that cannot be converted is returned unchanged.
std::string SystemCodePageText(const std::string& utf8);

}  // namespace tools
