#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tools {

// A script or usage mistake: the tool exits with 2 and this message, which names the line.
class ScriptError : public std::runtime_error {
  public:
    ScriptError(int32_t line, const std::string& what)
        : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + what : what), line_(line) {}
    int32_t Line() const { return line_; }

  private:
    int32_t line_;
};

}  // namespace tools
