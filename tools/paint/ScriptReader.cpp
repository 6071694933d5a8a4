#include "tools/paint/ScriptReader.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <sstream>

#include "tools/paint/ScriptError.h"

namespace tools {
namespace {

// What the script counts as space: everything std::isspace does in the C locale, so that the
// words a line splits into and the test for a blank line agree (a line of only a form feed,
// a vertical tab or a second carriage return is blank).
constexpr const char* kSpaces = " \t\r\n\v\f";

struct VerbForm {
    Verb verb;
    enum { Point, OptionalCount, Nothing, Name, KeyValue } form;
};

const std::map<std::string, VerbForm>& Verbs() {
    static const std::map<std::string, VerbForm> verbs = {
        {"down", {Verb::Down, VerbForm::Point}},
        {"move", {Verb::Move, VerbForm::Point}},
        {"up", {Verb::Up, VerbForm::Point}},
        {"turn", {Verb::Turn, VerbForm::OptionalCount}},
        {"idle", {Verb::Idle, VerbForm::Nothing}},
        {"tool", {Verb::Tool, VerbForm::Name}},
        {"undo", {Verb::Undo, VerbForm::Nothing}},
        {"redo", {Verb::Redo, VerbForm::Nothing}},
        {"clear", {Verb::Clear, VerbForm::Nothing}},
        {"erase", {Verb::Erase, VerbForm::Nothing}},
        {"pause", {Verb::Pause, VerbForm::Nothing}},
        {"style", {Verb::Style, VerbForm::KeyValue}},
        {"color", {Verb::Color, VerbForm::KeyValue}},
        {"world", {Verb::World, VerbForm::KeyValue}},
        {"option", {Verb::Option, VerbForm::KeyValue}},
        {"preset", {Verb::Preset, VerbForm::Name}},
    };
    return verbs;
}

// A value as a message shows it: bytes that would not print (a NUL would end the message) as
// "\xNN".
std::string Shown(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x20) {
            shown += c;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        shown += escape;
    }
    return shown;
}

std::string WithoutComment(const std::string& line) {
    return line.substr(0, line.find('#'));
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// The rest of the line after the verb, for names that may hold spaces.
std::string RestAfterVerb(const std::string& text, const std::string& verb) {
    std::string rest = text.substr(text.find(verb) + verb.size());
    const auto first = rest.find_first_not_of(kSpaces);
    const auto last = rest.find_last_not_of(kSpaces);
    return first == std::string::npos ? std::string() : rest.substr(first, last - first + 1);
}

void ExpectWords(const std::vector<std::string>& words, std::size_t count, int32_t line, const char* usage) {
    if (words.size() != count)
        throw ScriptError(line, std::string("expected: ") + usage);
}

int32_t ParseCoordinate(const std::string& text, int32_t line) {
    const int64_t value = ParseInteger(text, line);
    if (value < std::numeric_limits<int32_t>::min() / 2 || value > std::numeric_limits<int32_t>::max() / 2)
        throw ScriptError(line, "coordinate out of range: " + text);
    return static_cast<int32_t>(value);
}

ScriptCommand ReadCommand(const std::string& text, int32_t line) {
    const std::vector<std::string> words = Words(text);
    const auto found = Verbs().find(words[0]);
    if (found == Verbs().end())
        throw ScriptError(line, "unknown command \"" + words[0] + "\"");
    ScriptCommand command;
    command.line = line;
    command.verb = found->second.verb;
    switch (found->second.form) {
        case VerbForm::Point:
            ExpectWords(words, 3, line, (words[0] + " X Y").c_str());
            command.x = ParseCoordinate(words[1], line);
            command.y = ParseCoordinate(words[2], line);
            break;
        case VerbForm::OptionalCount:
            if (words.size() > 2)
                throw ScriptError(line, "expected: turn [N]");
            if (words.size() == 2)
                command.count = ParseInteger(words[1], line);
            if (command.count < 0)
                throw ScriptError(line, "a negative number of turns");
            if (command.count > kMostTurns)
                throw ScriptError(line, "more than " + std::to_string(kMostTurns) + " turns at once");
            break;
        case VerbForm::Nothing:
            ExpectWords(words, 1, line, words[0].c_str());
            break;
        case VerbForm::Name:
            command.key = RestAfterVerb(text, words[0]);
            if (command.key.empty())
                throw ScriptError(line, "expected: " + words[0] + " NAME");
            break;
        case VerbForm::KeyValue:
            ExpectWords(words, 3, line, (words[0] + " KEY VALUE").c_str());
            command.key = words[1];
            command.value = words[2];
            break;
    }
    return command;
}

}  // namespace

std::vector<ScriptCommand> ReadScript(std::istream& in) {
    std::vector<ScriptCommand> commands;
    int32_t line = 0;
    for (std::string text; std::getline(in, text);) {
        ++line;
        text = WithoutComment(text);
        if (text.find_first_not_of(kSpaces) == std::string::npos)
            continue;
        commands.push_back(ReadCommand(text, line));
    }
    return commands;
}

int64_t ParseInteger(const std::string& text, int32_t line) {
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    // The whole text, up to its last byte: "5" followed by a NUL and more is not a number.
    if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE ||
        text.find_first_of(kSpaces) != std::string::npos)
        throw ScriptError(line, "not a whole number: " + Shown(text));
    return value;
}

int32_t ParseInt32(const std::string& text, int32_t line) {
    const int64_t value = ParseInteger(text, line);
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw ScriptError(line, "beyond the 32-bit whole numbers: " + Shown(text));
    return static_cast<int32_t>(value);
}

double ParseNumber(const std::string& text, int32_t line) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    // Decimal only (no hexadecimal forms, infinities or NaN); a value too small to be a normal
    // real (1e-320) is taken as the conversion gives it, one too large is refused.
    if (text.empty() || end != text.c_str() + text.size() ||
        text.find_first_not_of("0123456789+-.eE") != std::string::npos || !std::isfinite(value))
        throw ScriptError(line, "not a number: " + Shown(text));
    return value;
}

}  // namespace tools
