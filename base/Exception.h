#pragma once

#include <cstdint>
#include <exception>

namespace app {

// The numeric failure codes of the program; the text each one selects is in ErrorMessages.
enum ErrorCode : int32_t {
    ErrorSystem = 1,  // value: the system's error number
    ErrorNoMemory = 3,
    ErrorNegativeSize = 4,
    ErrorCreateWindow = 5,
    ErrorToolBusy = 6,
    ErrorBrokenFile = 7,
    ErrorNewerFile = 8,
    ErrorAddItem = 9,
    ErrorReadItem = 10,
    ErrorImageSize = 11,
    ErrorOverflow = 12,
    ErrorManual = 13,
    ErrorFileTooLarge = 14,
    ErrorKeptUnread = 15,  // a catalogue that could not be read is not saved over
};

// The program's error: a code and a value (the system error number for code 1).
class Exception : public std::exception {
  public:
    explicit Exception(int32_t code, int32_t value = 0) noexcept : code_(code), value_(value) {}

    int32_t Code() const noexcept { return code_; }
    int32_t Value() const noexcept { return value_; }
    const char* what() const noexcept override;

  private:
    int32_t code_;
    int32_t value_;
};

}  // namespace app
