// Play, draw and swap.
#include <gtest/gtest.h>

#include "ScriptedHost.h"

namespace {

struct Commands : ::testing::Test {
    Table t;
    Game& g = t.game;
};

}  // namespace

TEST_F(Commands, PlayingAPairLaysItAndHandsTheTurnToTheComputer) {
    t.deal({7, 2, 9, 4, 6}, {3, 5, 12, 12, 12}, 5);
    g.image1Click(0);
    g.keyPress('x');
    g.image1Click(1);
    const int left = g.board.Image7[0];
    const int right = g.board.Image7[1];
    bool turnOver = false;
    t.host.onMessage = [&] { turnOver = !g.state.playerTurn; };
    g.label1Click(1);
    EXPECT_EQ(t.hand(), (std::vector<int>{9, 4, 6}));
    EXPECT_FALSE(g.board.Image1[3].visible);
    EXPECT_FALSE(g.board.Image1[4].visible);
    // The computer answered 2 with 5 - 3 and laid 3 last: the player's next target.
    EXPECT_EQ(g.state.tableValue[0], 5);
    EXPECT_EQ(g.state.tableValue[1], 3);
    EXPECT_NE(left, 0);
    EXPECT_NE(right, 0);
    EXPECT_EQ(g.board.Image7[0], 0);
    EXPECT_EQ(g.board.Image7[1], 0);
    EXPECT_FALSE(turnOver);
    EXPECT_TRUE(g.state.playerTurn);
    EXPECT_EQ(g.state.score, 100);
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Commands, PlayingALoneMatchRemovesOneCard) {
    t.deal({7, 2, 9, 4, 6}, {15, 15, 15, 15, 15}, 9);
    g.image1Click(2);
    t.host.onMessage = nullptr;
    // The computer must make 9 from five coloured jokers: it draws a 9 and lays it alone.
    t.host.card(9);
    t.host.suit(1);
    g.label1Click(1);
    EXPECT_EQ(t.hand(), (std::vector<int>{7, 2, 4, 6}));
    EXPECT_EQ(g.state.tableValue[0], 0);
    EXPECT_EQ(g.state.tableValue[1], 9);
    EXPECT_EQ(g.board.Image4[0], kCardBack);
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Commands, PlayingAPairWhoseSecondCardLiesLeftOfTheFirst) {
    t.deal({1, 3, 5, 8, 11}, {15, 15, 15, 15, 15}, 8);
    g.image1Click(4);  // 11
    g.keyPress('-');
    g.image1Click(1);  // 11 - 3
    t.host.card(3);    // the computer draws a 3 and lays it
    t.host.suit(0);
    g.label1Click(1);
    EXPECT_EQ(t.hand(), (std::vector<int>{1, 5, 8}));
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(g.board.Image1[k].visible);
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Commands, PlayingSlotNineOfAFullHand) {
    t.deal({1, 1, 1, 1, 1}, {15, 15, 15, 15, 15}, 6);
    for (int v : {1, 1, 1, 1, 6}) {
        t.host.card(v);
        t.host.suit(0);
    }
    for (int i = 0; i < 5; ++i) g.label1Click(0);
    ASSERT_EQ(t.hand(), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 6}));
    g.image1Click(9);
    t.host.card(6);
    t.host.suit(0);
    g.label1Click(1);
    EXPECT_EQ(t.hand().size(), 9u);
    EXPECT_EQ(g.state.handValue[9], 0);
    EXPECT_FALSE(g.board.Image1[9].visible);
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Commands, EmptyingTheHandWinsAndTheComputerMovesFirstInTheNewGame) {
    t.deal({4, 9, 9, 9, 9}, {1, 2, 3, 4, 5}, 4);
    t.setHand({4});
    g.image1Click(0);  // the lone 4
    // The next deal: the computer holds 6 and 2 and must make the target 8.
    const int cpu[] = {6, 2, 15, 15, 15};
    for (int i = 0; i < 5; ++i) {
        t.host.card(1);
        t.host.card(cpu[i]);
        t.host.suit(0);
    }
    t.host.card(8);
    t.host.suit(0);
    g.label1Click(1);
    ASSERT_FALSE(t.host.dialogs.empty());
    EXPECT_EQ(t.host.dialogs[0].text, "祝贺你！你赢了！");
    EXPECT_EQ(t.host.dialogs[0].title, "获胜");
    EXPECT_EQ(t.host.dialogs[0].code, 64);
    EXPECT_EQ(g.state.score, 120);
    // The computer has already answered 8 with 2 + 6 in the new game: 6 is the player's target.
    EXPECT_EQ(t.cpu(), (std::vector<int>{15, 15, 15}));
    EXPECT_EQ(g.state.tableValue[0], 2);
    EXPECT_EQ(g.state.tableValue[1], 6);
    EXPECT_EQ(t.hand(), (std::vector<int>{1, 1, 1, 1, 1}));
    EXPECT_TRUE(g.state.playerTurn);
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Commands, DrawingFillsTheFirstEmptySlotAndKeepsThePick) {
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 5);
    g.image1Click(0);
    t.host.card(14);
    t.host.suit(2);
    g.label1Click(0);
    EXPECT_EQ(t.hand(), (std::vector<int>{7, 2, 9, 4, 6, 14}));
    EXPECT_TRUE(g.board.Image1[5].visible);
    EXPECT_EQ(g.board.Image1[5].picture, 53);
    EXPECT_TRUE(g.state.picked[0]);
    EXPECT_EQ(g.board.Image7[0], g.board.Image1[0].picture);
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Commands, FullHandAsksAndGivingUpLoses) {
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 5);
    for (int i = 0; i < 5; ++i) g.label1Click(0);
    ASSERT_EQ(t.hand().size(), 10u);
    const std::vector<int> full = t.hand();
    g.label1Click(0);  // No: nothing changes
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_EQ(t.host.dialogs[0].text, "您已经不能再摸牌了！要重新再来吗？");
    EXPECT_EQ(t.host.dialogs[0].title, "提示");
    EXPECT_EQ(t.host.dialogs[0].code, 68);
    EXPECT_EQ(t.hand(), full);
    EXPECT_EQ(g.state.score, 100);

    t.host.answers = {6};
    g.label1Click(0);
    ASSERT_EQ(t.host.dialogs.size(), 3u);
    EXPECT_EQ(t.host.dialogs[2].text, "电脑胜利！");
    EXPECT_EQ(t.host.dialogs[2].title, "胜利");
    EXPECT_EQ(t.host.dialogs[2].code, 64);
    EXPECT_EQ(g.state.score, 90);
    EXPECT_EQ(t.hand().size(), 5u);
    EXPECT_TRUE(g.state.playerTurn);
    for (int k = 5; k < 10; ++k) EXPECT_FALSE(g.board.Image1[k].visible);
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Commands, SwapPutsTheFirstPickedCardOnTheRight) {
    t.deal({7, 2, 9, 4, 6}, {15, 15, 15, 15, 15}, 5);
    g.image1Click(0);
    g.keyPress('x');
    g.image1Click(1);
    const int seven = g.board.Image7[0];
    const int two = g.board.Image7[1];
    g.label1Click(2);
    EXPECT_EQ(g.board.Image7[0], two);
    EXPECT_EQ(g.board.Image7[1], seven);
    EXPECT_EQ(g.state.pickValue[1], 2);
    EXPECT_EQ(g.state.pickValue[2], 7);
    EXPECT_EQ(g.state.pickSlot[0], 0);
    EXPECT_EQ(g.state.pickSlot[1], 1);
    t.host.card(7);  // the computer draws the 7 it needs
    t.host.suit(0);
    g.label1Click(1);
    EXPECT_EQ(g.state.tableValue[1], 7);
    EXPECT_EQ(t.hand(), (std::vector<int>{9, 4, 6}));
    EXPECT_EQ(g.checkInvariants(), "");
}
