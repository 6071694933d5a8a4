#include "base/Failure.h"

#include <new>

#include "base/ErrorMessages.h"
#include "base/FileException.h"
#include "base/String.h"
#include "base/System.h"

namespace app {

namespace {

FailureSink& Sink() {
    static FailureSink sink = nullptr;
    return sink;
}

std::string TableMessage(int32_t code, const std::string& fileName) {
    const String message = String::Load(MessageIdForCode(code));
    if (std::string(message.CStr()).find("%s") == std::string::npos)
        return message.ToStdString();
    return String::Format(message.CStr(), fileName.c_str()).ToStdString();
}

// The system's text for its error number; when that text does not name the file (few system
// messages have a place for it), the file's name goes above it, so that the user knows which
// file could not be read or written.
std::string SystemText(int32_t error, const std::string& fileName) {
    std::string text = SystemErrorText(error, fileName);
    if (text.empty())
        text = TableMessage(ErrorSystem, fileName);
    if (fileName.empty() || text.find(fileName) != std::string::npos)
        return text;
    return String::Format(String::Load(kFileFailureMessage).CStr(), fileName.c_str(), text.c_str()).ToStdString();
}

std::string CodeText(int32_t code, int32_t value, const std::string& fileName) {
    if (code == ErrorSystem)
        return SystemText(value, fileName);
    return TableMessage(code, fileName);
}

}  // namespace

std::string FailureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const FileException& e) {
        return CodeText(e.Code(), e.Value(), e.FileName());
    } catch (const Exception& e) {
        return CodeText(e.Code(), e.Value(), std::string());
    } catch (const std::bad_alloc&) {
        return TableMessage(ErrorNoMemory, std::string());
    } catch (...) {
        return TableMessage(0, std::string());
    }
}

FailureSink SetFailureSink(FailureSink sink) {
    FailureSink previous = Sink();
    Sink() = sink;
    return previous;
}

void ReportFailure(void* owner) noexcept {
    ReportFailure(std::current_exception(), owner);
}

void ReportFailure(const std::exception_ptr& failure, void* owner) noexcept {
    try {
        const std::string text = FailureText(failure);
        if (Sink())
            Sink()(owner, text);
    } catch (...) {
        // A report must not fail in turn; with no memory left even the message is lost.
    }
}

}  // namespace app
