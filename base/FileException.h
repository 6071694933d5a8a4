#pragma once

#include <string>

#include "base/Exception.h"

namespace app {

// An Exception that names the file it concerns; the file name is the insert of its message.
class FileException : public Exception {
  public:
    FileException(int32_t code, int32_t value, std::string fileName)
        : Exception(code, value), fileName_(std::move(fileName)) {}

    const std::string& FileName() const noexcept { return fileName_; }

  private:
    std::string fileName_;
};

}  // namespace app
