#include "tools/paint/ScriptReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

#include "tools/paint/ScriptError.h"

namespace {

std::vector<tools::ScriptCommand> Read(const std::string& text) {
    std::istringstream in(text);
    return tools::ReadScript(in);
}

// The line number and message of the error a script raises, or "" when it reads.
std::string ErrorOf(const std::string& text) {
    try {
        Read(text);
    } catch (const tools::ScriptError& error) {
        return std::to_string(error.Line()) + " " + error.what();
    }
    return "";
}

TEST(ScriptReader, ReadsEveryFormKeepingLineNumbers) {
    const auto commands = Read(
        "# a stroke\n"
        "\n"
        "down 10 -20   # pressed\n"
        "move 11 21\r\n"
        "turn\n"
        "turn 30\n"
        "tool Erase\n"
        "style VelocityX 1.5\n"
        "preset 炎 の 渦\n"
        "up 12 22\n");
    ASSERT_EQ(commands.size(), 8u);
    EXPECT_EQ(commands[0].verb, tools::Verb::Down);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[0].x, 10);
    EXPECT_EQ(commands[0].y, -20);
    EXPECT_EQ(commands[1].line, 4);
    EXPECT_EQ(commands[2].count, 1);
    EXPECT_EQ(commands[3].count, 30);
    EXPECT_EQ(commands[4].key, "Erase");
    EXPECT_EQ(commands[5].key, "VelocityX");
    EXPECT_EQ(commands[5].value, "1.5");
    EXPECT_EQ(commands[6].key, "炎 の 渦");  // names keep their inner spaces
    EXPECT_EQ(commands[7].verb, tools::Verb::Up);
}

TEST(ScriptReader, MalformedLinesNameTheLineAndTheFault) {
    EXPECT_EQ(ErrorOf("turn\nspray 1 2\n"), "2 line 2: unknown command \"spray\"");
    EXPECT_EQ(ErrorOf("down 1\n"), "1 line 1: expected: down X Y");
    EXPECT_EQ(ErrorOf("down 1 2x\n"), "1 line 1: not a whole number: 2x");
    EXPECT_EQ(ErrorOf("turn -1\n"), "1 line 1: a negative number of turns");
    EXPECT_EQ(ErrorOf("turn 1 2\n"), "1 line 1: expected: turn [N]");
    EXPECT_EQ(ErrorOf("undo now\n"), "1 line 1: expected: undo");
    EXPECT_EQ(ErrorOf("style Count\n"), "1 line 1: expected: style KEY VALUE");
    EXPECT_EQ(ErrorOf("preset\n"), "1 line 1: expected: preset NAME");
    EXPECT_EQ(ErrorOf("move 99999999999 0\n"), "1 line 1: coordinate out of range: 99999999999");
}

// Every kind of space a line may hold counts as space: a line of nothing else is blank (such
// lines crashed the reader), and names end before it.
TEST(ScriptReader, LinesOfOnlySpacesOfAnyKindAreBlank) {
    const auto commands = Read("\v\n\f\n\r\r\nturn\r\r\n \t\v\f\r\ntool Erase\r\r\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].line, 4);
    EXPECT_EQ(commands[1].key, "Erase");
    EXPECT_EQ(ErrorOf("turn 100001\n"), "1 line 1: more than 100000 turns at once");
    EXPECT_EQ(Read("turn 100000\n")[0].count, 100000);
}

TEST(ScriptReader, NumbersAreDecimalAndWhole) {
    EXPECT_EQ(tools::ParseInteger("-42", 1), -42);
    EXPECT_EQ(tools::ParseInt32("-2147483648", 1), INT32_MIN);
    EXPECT_DOUBLE_EQ(tools::ParseNumber("2.5e1", 1), 25.0);
    EXPECT_EQ(tools::ParseNumber("1e-320", 1), 1e-320);  // a denormal is a number
    EXPECT_EQ(tools::ParseNumber("-0", 1), 0.0);
    const char* const notWhole[] = {"0x10", "", " 5", "5 ", "4294967297x", "1e3", "5.0"};
    for (const char* text : notWhole)
        EXPECT_THROW(tools::ParseInt32(text, 1), tools::ScriptError) << text;
    const char* const beyond32Bits[] = {"4294967297", "2147483648", "-2147483649", "99999999999999999999"};
    for (const char* text : beyond32Bits)
        EXPECT_THROW(tools::ParseInt32(text, 1), tools::ScriptError) << text;
    const char* const notNumbers[] = {"inf", "-infinity", "nan", "0x1p-1", "1,5", "1e999", "", "1.5x"};
    for (const char* text : notNumbers)
        EXPECT_THROW(tools::ParseNumber(text, 1), tools::ScriptError) << text;
    // A NUL ends the text for the C library but not for the script: "5" followed by a NUL and
    // more is refused, and the message shows the NUL.
    const std::string withNul("5\0junk", 6);
    EXPECT_THROW(tools::ParseNumber(withNul, 1), tools::ScriptError);
    try {
        tools::ParseInteger(withNul, 3);
        ADD_FAILURE() << "a number with a NUL in it";
    } catch (const tools::ScriptError& error) {
        EXPECT_STREQ(error.what(), "line 3: not a whole number: 5\\x00junk");
    }
}

}  // namespace
