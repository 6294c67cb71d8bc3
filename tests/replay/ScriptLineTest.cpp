// Reading replay script lines: what is taken, and what is refused and why.
#include <gtest/gtest.h>

#include <utility>

#include "ScriptLine.h"

TEST(ScriptLine, CommentsBlanksAndTheCarriageReturnGoButInputKeepsItsText) {
    const ScriptLine line = readScriptLine("  \tmove   Label1 2   # lights draw\r");
    EXPECT_EQ(line.command, Command::MoveLabel1);
    EXPECT_EQ(line.index, 2);
    EXPECT_EQ(line.text, "move   Label1 2");
    for (const char* blank : {"", "   ", "# a comment", "\r", "\t# x"})
        EXPECT_EQ(readScriptLine(blank).command, Command::Blank) << blank;
    EXPECT_EQ(readScriptLine("  input  x").input, " x");
    EXPECT_EQ(readScriptLine("input \r").input, "");
    EXPECT_EQ(readScriptLine("input").command, Command::Input);
}

TEST(ScriptLine, EachLineIsTakenOrRefusedWithItsReason) {
    const std::pair<const char*, const char*> cases[] = {
        // The line, and why it is refused; nothing when it is taken.
        {"key 65535", ""},
        {"seed 4294967295", ""},
        {"inputs x", "unknown word \"inputs\""},
        {"hand 10", "\"10\" is out of range: hand takes 0 to 9"},
        {"label 3", "\"3\" is out of range: label takes 0 to 2"},
        {"option 4", "\"4\" is out of range: option takes 0 to 3"},
        {"key 65536", "\"65536\" is out of range: key takes 0 to 65535"},
        {"seed -1", "\"-1\" is out of range: seed takes 0 to 4294967295"},
        {"move Image5 99999999999999999999",
         "\"99999999999999999999\" is out of range: Image5 takes 0 to 1"},
        {"hand 1.0", "\"1.0\" is not a whole number"},
        {"hand", "expected \"hand K\""},
        {"load now", "expected \"load\""},
        {"move Frame2 1", "expected \"move Frame2\""},
        {"move Image3 1",
         "the pointer moves over Label1, Frame2, Image1 or Image5, not \"Image3\""},
        {"menu open", "no menu item \"open\": expected \"menu new|music|gao|quit|help|about\""},
        {"rand", "expected \"rand R R ...\" with at least one number"},
        {"rand 0.5 1", "\"1\" is out of range: rand takes [0, 1)"},
        {"rand nan", "\"nan\" is out of range: rand takes [0, 1)"},
        {"rand 0,5", "\"0,5\" is not a number"},
        {"answer 1", "\"1\" is no answer: 6 is Yes, 7 is No"},
    };
    for (const auto& [line, reason] : cases) {
        std::string refused;
        try {
            readScriptLine(line);
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.kind(), ScriptError::Kind::BadLine) << line;
            refused = e.what();
        }
        EXPECT_EQ(refused, reason) << line;
    }
}
