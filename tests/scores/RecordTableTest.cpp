// The record table's rules: names, qualification, insertion, stored points and the display text.
#include <gtest/gtest.h>

#include "RecordTable.h"
#include "ScoreEntryPrinter.h"

namespace {

RecordRows withPoints(std::initializer_list<int> points) {
    RecordRows rows = records::defaultRows();
    std::size_t k = 0;
    for (int p : points) rows[k++].points = static_cast<std::int16_t>(p);
    return rows;
}

TEST(RecordNames, AreCutOrPaddedToSixCharactersNotBytes) {
    EXPECT_EQ(records::fitName(""), "      ");  // a cancelled name entry
    EXPECT_EQ(records::fitName("无记录"), "无记录   ");
    EXPECT_EQ(records::fitName("😀😀😀😀😀😀😀"), "😀😀😀😀😀😀");
    // An eight-character name: six kept at quit, four after a stuck computer.
    EXPECT_EQ(records::fitName("欧阳Sophie"), "欧阳Soph");
    EXPECT_EQ(records::fitName("欧阳Sophie", 4), "欧阳So  ");
    // Each byte of an invalid sequence is a character of its own.
    EXPECT_EQ(records::fitName("\xE4\xB8"), "\uFFFD\uFFFD    ");           // a cut-off 中
    EXPECT_EQ(records::fitName("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD   ");  // a surrogate
    EXPECT_EQ(records::fitName("\xF4\x90\x80\x80"), "\uFFFD\uFFFD\uFFFD\uFFFD  ");
}

TEST(RecordEntry, NeedsMoreThanTheLastRowAndGoesBelowEqualScores) {
    const RecordRows defaults = records::defaultRows();
    EXPECT_FALSE(records::qualifies(defaults, 0));
    EXPECT_FALSE(records::qualifies(defaults, -10));
    EXPECT_EQ(records::insertionPlace(defaults, 100), 0);
    EXPECT_EQ(records::insertionPlace(withPoints({500, 300, 300, 100}), 300), 3);
    const RecordRows full = withPoints({90, 80, 70, 60, 50, 40, 30, 20, 10, 5});
    EXPECT_FALSE(records::qualifies(full, 5));
    EXPECT_TRUE(records::qualifies(full, 6));
    EXPECT_EQ(records::insertionPlace(full, 6), 9);
    // The running score is compared in full, beyond the 16 bits a row holds.
    RecordRows top = records::defaultRows();
    for (ScoreEntry& row : top) row.points = 32767;
    EXPECT_TRUE(records::qualifies(top, 40000));
}

TEST(RecordEntry, MovesLowerRowsDownDropsTheLastAndHoldsPointsToSixteenBits) {
    RecordRows rows = withPoints({500, 300, 300, 100, 0, 0, 0, 0, 0, 5});
    rows[3].name = "third ";
    const ScoreEntry entry{"new   ", records::clampPoints(70000)};
    records::insert(rows, 3, entry);
    RecordRows expected = withPoints({500, 300, 300, 32767, 100});
    expected[3].name = "new   ";
    expected[4].name = "third ";
    EXPECT_EQ(rows, expected);

    records::insert(rows, 9, entry);
    EXPECT_EQ(rows[8], expected[8]);
    EXPECT_EQ(rows[9], entry);
    EXPECT_EQ(records::clampPoints(-40000), -32768);
    EXPECT_EQ(records::clampPoints(-30), -30);
}

TEST(RecordDisplay, ShowsEachRowNumberedFromZeroWithFourteenSpaces) {
    RecordRows rows = records::defaultRows();
    rows[0] = {"张三丰  ", 120};
    rows[9] = {"Li Lei", -20};
    std::string expected = "【0】张三丰  " + std::string(14, ' ') + "120\r\n";
    for (int k = 1; k <= 8; ++k)
        expected += "【" + std::to_string(k) + "】无记录" + std::string(17, ' ') + "0\r\n";
    expected += "【9】Li Lei" + std::string(14, ' ') + "-20\r\n";
    EXPECT_EQ(records::displayText(rows), expected);
}

}  // namespace
