#pragma once

#include <cstdint>

namespace app {

// String-table id of the message that a failure code selects; codes without a message of
// their own give the general message.
int32_t MessageIdForCode(int32_t code);

constexpr int32_t kUnknownFailureMessage = 60104;
// A system error about a file whose text does not name it: the file, then the system's text.
constexpr int32_t kFileFailureMessage = 60105;
constexpr int32_t kProductNameString = 60000;

}  // namespace app
