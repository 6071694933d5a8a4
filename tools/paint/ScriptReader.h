#pragma once

#include <istream>
#include <vector>

#include "tools/paint/ScriptCommand.h"

namespace tools {

// Reads a painting script: UTF-8, one command a line, '#' to the end of a line is a comment,
// blank lines are skipped.  A malformed line raises ScriptError naming it.
std::vector<ScriptCommand> ReadScript(std::istream& in);

// Decimal numbers of a value text; anything else (or trailing characters) raises ScriptError.
int64_t ParseInteger(const std::string& text, int32_t line);
double ParseNumber(const std::string& text, int32_t line);

}  // namespace tools
