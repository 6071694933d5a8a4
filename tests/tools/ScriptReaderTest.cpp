#include "tools/paint/ScriptReader.h"

#include <gtest/gtest.h>

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

TEST(ScriptReader, NumbersAreDecimalAndWhole) {
    EXPECT_EQ(tools::ParseInteger("-42", 1), -42);
    EXPECT_THROW(tools::ParseInteger("0x10", 1), tools::ScriptError);
    EXPECT_THROW(tools::ParseInteger("", 1), tools::ScriptError);
    EXPECT_DOUBLE_EQ(tools::ParseNumber("2.5e1", 1), 25.0);
    EXPECT_THROW(tools::ParseNumber("inf", 1), tools::ScriptError);
    EXPECT_THROW(tools::ParseNumber("1,5", 1), tools::ScriptError);
}

}  // namespace
