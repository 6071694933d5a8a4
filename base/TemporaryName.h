#pragma once

#include <cstdint>
#include <string>

namespace app {

// The most bytes a file name (one part of a path) may have on the systems the program runs on.
constexpr size_t kMostFileNameBytes = 255;

// The name of a temporary file beside `path`: `path`, a dot, the process and serial numbers and
// ".tmp".  When that would make the file name longer than a name may be, the name of `path` is
// cut (at a character boundary) to leave room, so a file whose own name is near the limit still
// gets a temporary one beside it.
std::string TemporaryName(const std::string& path, uint32_t process, uint32_t serial);

}  // namespace app
