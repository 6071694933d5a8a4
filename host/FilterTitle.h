#pragma once

#include <cstdint>
#include <string>

namespace app {

// The filter's title as the host lists it: the product name from the string table.
std::string ProductTitle();

// The body of FilterGetTitle: copies the title with its NUL into `title` (the host offers room
// enough; no length is passed), writes 0 into `first` and 10 into `second`, and returns 1.  A
// missing pointer returns 0 and touches nothing.  A failure is reported and returns 0 with an
// empty title; no exception leaves the call.
using TitleSource = std::string (*)();
int32_t RunFilterGetTitle(char* title, int32_t* first, int32_t* second, TitleSource source = ProductTitle) noexcept;

}  // namespace app
