// The record table's rules: names, entry, stored points and the display text.
#include <gtest/gtest.h>

#include "RecordTable.h"

namespace {

TEST(RecordTable, NamesAreCutOrPaddedToCharactersNotBytes) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"", 6, "      "},
        {"😀😀😀😀\U0010FFFF😀😀", 6, "😀😀😀😀\U0010FFFF😀"},  // up to U+10FFFF
        {"欧阳Sophie", 4, "欧阳So  "},
        {"\u07FFअ\u0800\uFFFF\xE4\xB8z", 6, "\u07FFअ\u0800\uFFFF\uFFFD\uFFFD"},  // a bad third byte
        {"\xE4\xB8", 6, "\uFFFD\uFFFD    "},                    // a cut-off character
        {"\xED\xA0\x80", 6, "\uFFFD\uFFFD\uFFFD   "},           // a surrogate
        {"\xF4\x90\x80\x80", 6, "\uFFFD\uFFFD\uFFFD\uFFFD  "},  // past U+10FFFF
        {"\xE0\x80\xAF\xF0\x8F\xBF\xBF", 6, "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong
    };
    for (const auto& [text, keep, fitted] : cases) EXPECT_EQ(records::fitName(text, keep), fitted);
    // As stored, in a table that holds characters below U+0800 only: the name a page showed
    // reversed ("\u202Eab" and a bell) comes out as the window stores it.
    const auto holds = [](char32_t c) { return c < 0x800; };
    const std::pair<const char*, const char*> stored[] = {
        {"\u202Eab\a", "?ab   "},
        {"\"\x7F\n\t\u07FF\u0800x", "＂   \u07FF?"},
        {"a\xE4\xB8\xFF\u00E9bcd", "a???éb"},
    };
    for (const auto& [text, name] : stored) EXPECT_EQ(records::storableName(text, holds), name);
}

// The points of the table, the score, and the row it takes (-1: none); rows below move down.
TEST(RecordTable, AScoreEntersBelowTheRowsItDoesNotBeat) {
    const std::tuple<std::vector<int>, int, int> cases[] = {
        {{}, 100, 0},
        {{}, -10, -1},
        {{90, 80, 70, 60, 50, 40, 30, 20, 10, 5}, 6, 9},
        {{90, 80, 70, 60, 50, 40, 30, 20, 10, 5}, 5, -1},
        {{32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767}, 40000, 0},
    };
    for (const auto& [points, score, place] : cases) {
        RecordRows rows = records::defaultRows();
        for (std::size_t k = 0; k < points.size(); ++k)
            rows[k] = {std::to_string(k) + "     ", std::int16_t(points[k])};
        RecordRows expected = rows;
        if (place >= 0) {
            std::copy_backward(expected.begin() + place, expected.end() - 1, expected.end());
            expected[std::size_t(place)] = {"new   ", records::clampPoints(score)};
        }
        EXPECT_EQ(records::enter(rows, score, "new"), place >= 0) << score;
        EXPECT_EQ(rows, expected) << score;
    }
}

}  // namespace
