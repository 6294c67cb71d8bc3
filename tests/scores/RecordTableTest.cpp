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

TEST(RecordNames, AreCutOrPaddedByCharactersNotBytes) {
    EXPECT_EQ(records::fitName(""), "      ");
    EXPECT_EQ(records::fitName("Li"), "Li    ");
    EXPECT_EQ(records::fitName("无记录"), "无记录   ");
    EXPECT_EQ(records::fitName("张三丰abcdef"), "张三丰abc");
    EXPECT_EQ(records::fitName("ab  "), "ab    ");
    // An eight-character name: six kept at quit, four after a stuck computer.
    EXPECT_EQ(records::fitName("欧阳Sophie"), "欧阳Soph");
    EXPECT_EQ(records::fitName("欧阳Sophie", 4), "欧阳So  ");
    EXPECT_EQ(records::fitName("😀😀😀😀😀😀😀"), "😀😀😀😀😀😀");
}

TEST(RecordNames, InvalidUtf8CountsAsOneReplacementCharacterPerByte) {
    EXPECT_EQ(records::fitName("a\xFF"
                               "b"),
              "a\uFFFDb   ");
    EXPECT_EQ(records::fitName("\xE4\xB8"), "\uFFFD\uFFFD    ");           // a cut-off 中
    EXPECT_EQ(records::fitName("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD   ");  // a surrogate
    EXPECT_EQ(records::fitName("\xE0\x80\xAF"), "\uFFFD\uFFFD\uFFFD   ");  // an overlong slash
    EXPECT_EQ(records::fitName("\xF4\x90\x80\x80"), "\uFFFD\uFFFD\uFFFD\uFFFD  ");
}

TEST(RecordQualification, NeedsMoreThanTheLastRow) {
    const RecordRows defaults = records::defaultRows();
    EXPECT_TRUE(records::qualifies(defaults, 1));
    EXPECT_FALSE(records::qualifies(defaults, 0));
    EXPECT_FALSE(records::qualifies(defaults, -10));
    const RecordRows full = withPoints({500, 400, 300, 200, 150, 120, 110, 100, 90, 80});
    EXPECT_FALSE(records::qualifies(full, 80));
    EXPECT_TRUE(records::qualifies(full, 81));
    // The running score is compared in full, beyond the 16 bits a row holds.
    EXPECT_TRUE(records::qualifies(
        withPoints({32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767}), 40000));
}

TEST(RecordInsertion, PlacesTheScoreBelowEveryRowItDoesNotBeat) {
    EXPECT_EQ(records::insertionPlace(records::defaultRows(), 100), 0);
    EXPECT_EQ(records::insertionPlace(withPoints({500, 300, 300, 100}), 300), 3);
    EXPECT_EQ(records::insertionPlace(withPoints({500, 300, 300, 100}), 301), 1);
    EXPECT_EQ(records::insertionPlace(withPoints({90, 80, 70, 60, 50, 40, 30, 20, 10, 0}), 5), 9);
}

TEST(RecordInsertion, MovesLowerRowsDownAndDropsTheLast) {
    RecordRows rows = withPoints({500, 300, 300, 100, 0, 0, 0, 0, 0, 5});
    rows[3].name = "third ";
    rows[9].name = "last  ";
    const ScoreEntry entry{"new   ", 300};
    records::insert(rows, 3, entry);
    EXPECT_EQ(rows[2].points, 300);
    EXPECT_EQ(rows[3], entry);
    EXPECT_EQ(rows[4].name, "third ");
    EXPECT_EQ(rows[4].points, 100);
    EXPECT_EQ(rows[9].points, 0);  // the old row 9 is gone

    RecordRows defaults = records::defaultRows();
    records::insert(defaults, 0, entry);
    EXPECT_EQ(defaults[0], entry);
    for (std::size_t k = 1; k < 10; ++k) EXPECT_EQ(defaults[k], records::defaultRow());

    RecordRows onlyLast = withPoints({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    records::insert(onlyLast, 9, entry);
    EXPECT_EQ(onlyLast[8].points, 1);
    EXPECT_EQ(onlyLast[9], entry);
}

TEST(RecordPoints, AreHeldToSixteenBitsWithoutWrapping) {
    EXPECT_EQ(records::clampPoints(120), 120);
    EXPECT_EQ(records::clampPoints(-30), -30);
    EXPECT_EQ(records::clampPoints(32768), 32767);
    EXPECT_EQ(records::clampPoints(70000), 32767);
    EXPECT_EQ(records::clampPoints(-40000), -32768);
}

TEST(RecordDisplay, ShowsEachRowNumberedFromZeroWithFourteenSpaces) {
    RecordRows rows = records::defaultRows();
    rows[0] = {"张三丰  ", 120};
    rows[9] = {"Li Lei", -20};
    const std::string spaces14(14, ' ');
    std::string expected = "【0】张三丰  " + spaces14 + "120\r\n";
    for (int k = 1; k <= 8; ++k)
        expected += "【" + std::to_string(k) + "】无记录   " + spaces14 + "0\r\n";
    expected += "【9】Li Lei" + spaces14 + "-20\r\n";
    EXPECT_EQ(records::displayText(rows), expected);
    // A default row: the name's three spaces and fourteen more before the 0.
    EXPECT_EQ(records::displayText(records::defaultRows()).substr(0, 36),
              "【0】无记录" + std::string(17, ' ') + "0\r\n");
}

}  // namespace
