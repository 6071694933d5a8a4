#pragma once

#include <exception>
#include <string>

namespace app {

// The text that a failure shows the user: the system's description for code 1 (with the file
// name as insert), the message of the code's table entry otherwise (formatted with the file
// name where it has %s), the general message for anything unknown.
std::string FailureText(const std::exception_ptr& failure);

// Where reported failures go: the plug-in shows a message box, tests and tools collect them.
// `owner` is the window that owns the box, or null.
using FailureSink = void (*)(void* owner, const std::string& text);
FailureSink SetFailureSink(FailureSink sink);

// Reports the exception being handled; call it only inside a catch block.  Never throws.
void ReportFailure(void* owner = nullptr) noexcept;
// Reports the given failure.
void ReportFailure(const std::exception_ptr& failure, void* owner = nullptr) noexcept;

}  // namespace app
