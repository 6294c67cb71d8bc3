// The guarded exit and the record entry.
#include <gtest/gtest.h>

#include "ScriptedHost.h"

TEST(Quit, NoStartsANewGameAndKeepsTheScore) {
    Table t;
    t.game.state.score = 130;
    t.game.quitClick();
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_EQ(t.host.dialogs[0].text, "此次操作将使程序退出！继续吗？");
    EXPECT_EQ(t.host.dialogs[0].title, "退出");
    EXPECT_EQ(t.host.dialogs[0].code, 68);
    EXPECT_FALSE(t.game.ended());
    EXPECT_TRUE(t.game.state.playerTurn);
    EXPECT_EQ(t.game.state.score, 130);
    EXPECT_TRUE(t.host.mediaLog.empty());
}

TEST(Quit, YesWithAQualifyingScoreEntersItUnderItsPlace) {
    Table t;
    const int points[] = {500, 300, 300, 100, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k < 10; ++k)
        t.store.rows[static_cast<std::size_t>(k)].points = static_cast<std::int16_t>(points[k]);
    t.game.load();
    t.game.state.score = 300;
    t.host.answers = {6};
    t.host.inputs = {"八个字的名字啊啊"};
    t.game.quitClick();
    EXPECT_TRUE(t.game.ended());
    EXPECT_EQ(t.store.saves, 1);
    EXPECT_EQ(t.store.rows[3].name, "八个字的名字");
    EXPECT_EQ(t.store.rows[3].points, 300);
    EXPECT_EQ(t.store.rows[4].points, 100);
    EXPECT_EQ(t.store.rows[9].points, 0);
}

TEST(Quit, YesWithoutAQualifyingScoreEndsWithoutSaving) {
    Table t;
    t.game.state.score = 0;  // equal to the last row
    t.host.answers = {6};
    t.game.quitClick();
    EXPECT_TRUE(t.game.ended());
    EXPECT_TRUE(t.host.endedProgram);
    EXPECT_EQ(t.store.saves, 0);
    EXPECT_EQ(t.host.dialogs.size(), 1u);
}

TEST(Quit, CancelledNameAndHugeScore) {
    Table t;
    t.game.state.score = 70000;
    t.host.answers = {6};
    t.game.quitClick();  // the input queue is empty: cancelled
    EXPECT_EQ(t.store.rows[0].name, "      ");
    EXPECT_EQ(t.store.rows[0].points, 32767);
}

TEST(Quit, AFailedSaveIsNeverSilent) {
    Table t;
    t.store.failSaves = true;
    t.host.answers = {6};
    t.host.inputs = {"小明"};
    t.game.quitClick();
    EXPECT_TRUE(t.game.ended());
    ASSERT_EQ(t.host.dialogs.size(), 3u);
    EXPECT_EQ(t.host.dialogs[2].title, "Tessaro");
    EXPECT_NE(t.host.dialogs[2].text.find("Data.dat"), std::string::npos);
}
