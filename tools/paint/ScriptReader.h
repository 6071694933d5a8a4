#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "tools/paint/ScriptCommand.h"

namespace tools {

// Reads a painting script: UTF-8, one command a line, '#' to the end of a line is a comment,
// blank lines are skipped.  A malformed line raises ScriptError naming it.
std::vector<ScriptCommand> ReadScript(std::istream& in);

// The most turns one `turn` command runs, and the most an `idle` waits for the particles to
// rest: no command runs for ever.
constexpr int64_t kMostTurns = 100000;

// Decimal numbers of a value text; anything else (or trailing characters) raises ScriptError.
int64_t ParseInteger(const std::string& text, int32_t line);
// The same, refused beyond the 32-bit range that every stored whole number has.
int32_t ParseInt32(const std::string& text, int32_t line);
double ParseNumber(const std::string& text, int32_t line);

}  // namespace tools
