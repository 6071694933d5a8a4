#pragma once

#include <string>

namespace tools {

// UTF-8 text in code page 932, the encoding of the Japanese names in the shipped catalogue.
// False when the converter is missing or a character has no place in the code page.
bool Utf8ToCodePage932(const std::string& utf8, std::string* converted);

}  // namespace tools
