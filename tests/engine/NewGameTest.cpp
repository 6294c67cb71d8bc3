// Loading the window, cardpic and newgame.
#include <gtest/gtest.h>

#include "ScriptedHost.h"

TEST(Load, StartsWithNoGameAndEveryCardFaceDown) {
    Table t;
    const Game& g = t.game;
    EXPECT_EQ(g.state.score, 100);
    EXPECT_FALSE(g.state.playerTurn);
    EXPECT_FALSE(g.state.canPick);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(g.state.handValue[k], 0);
        EXPECT_EQ(g.board.Image1[k].picture, kCardBack);
        EXPECT_TRUE(g.board.Image1[k].visible);
        EXPECT_FALSE(g.board.Image3[k].visible);
        EXPECT_EQ(g.board.Image2[k].picture, kCardBack);
    }
    EXPECT_EQ(g.board.Image4[0], kCardBack);
    EXPECT_EQ(g.board.Image4[1], kCardBack);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(g.board.Label1Enabled[i]);
    EXPECT_EQ(g.board.Option1, 0);
    EXPECT_TRUE(g.board.musicChecked);
    EXPECT_EQ(g.board.Text1.substr(0, 43), "【0】无记录" + std::string(17, ' ') + "0\r\n【1】");
    EXPECT_EQ(g.checkInvariants(), "");
    EXPECT_TRUE(t.host.randoms.empty());
}

TEST(Load, AClickBeforeTheFirstGameChangesNothing) {
    Table t;
    const Board before = t.game.board;
    t.game.image1Click(3);
    EXPECT_EQ(t.game.board.Image1[3], before.Image1[3]);
    EXPECT_EQ(t.game.board.Image7[0], 0);
    EXPECT_EQ(t.game.state.pickValue[1], 0);
    EXPECT_TRUE(t.host.dialogs.empty());
    t.game.label1Click(0);  // greyed: no card is drawn
    EXPECT_EQ(t.game.state.handValue[0], 0);
}

TEST(Cardpic, EveryValueAndSuit) {
    Table t;
    for (int v = 1; v <= 15; ++v) {
        for (int s = 0; s < 4; ++s) {
            t.host.suit(s);
            t.game.cardpic(static_cast<CardValue>(v));
            const int expected = v <= 13 ? 4 * (v - 1) + 1 + s : (v == 14 ? 53 : 54);
            EXPECT_EQ(t.game.state.picIndex, expected) << "value " << v << " suit " << s;
            EXPECT_TRUE(t.host.randoms.empty()) << "jokers draw a suit too";
        }
    }
    t.host.randoms = {0.0, 0.999999};
    t.game.cardpic(1);
    EXPECT_EQ(t.game.state.picIndex, 1);
    t.game.cardpic(13);
    EXPECT_EQ(t.game.state.picIndex, 52);
}

TEST(NewGame, DrawsSeventeenNumbersInTheGivenOrder) {
    Table t;
    // Per slot: the player's value, the computer's value, the player's suit; then the target.
    t.host.randoms = {0.0,  0.99, 0.9,  // slot 0: ace, coloured joker, spades
                      0.07, 0.9,  0.0,  // slot 1: 2, 14, clubs
                      0.5,  0.5,  0.3,  // slot 2: 8, 8, diamonds
                      0.93, 0.34, 0.6,  // slot 3: 14, 6, hearts
                      0.2,  0.8,  0.1,  // slot 4: 4, 13, clubs
                      0.45, 0.6};       // target 7, hearts
    t.game.newgame();
    const GameState& s = t.game.state;
    EXPECT_TRUE(t.host.randoms.empty());
    EXPECT_EQ(t.hand(), (std::vector<int>{1, 2, 8, 14, 4}));
    EXPECT_EQ(t.cpu(), (std::vector<int>{15, 14, 8, 6, 13}));
    EXPECT_EQ(s.tableValue[0], 0);
    EXPECT_EQ(s.tableValue[1], 7);
    const int pictures[] = {4, 5, 30, 53, 13};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(t.game.board.Image1[k].picture, pictures[k]);
    EXPECT_EQ(t.game.board.Image4[1], 27);
    EXPECT_EQ(t.game.board.Image4[0], kCardBack);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(t.game.board.Image1[k].visible, k < 5);
        EXPECT_EQ(t.game.board.Image2[k].visible, k < 5);
        EXPECT_EQ(t.game.board.Image2[k].picture, kCardBack);
    }
    EXPECT_TRUE(s.canPick);
    EXPECT_TRUE(s.playerTurn);
    EXPECT_TRUE(t.game.board.Label1Enabled[0]);
    EXPECT_FALSE(t.game.board.Label1Enabled[1]);
    EXPECT_FALSE(t.game.board.Label1Enabled[2]);
    EXPECT_EQ(t.game.checkInvariants(), "");
}

TEST(NewGame, InTheMiddleOfAGameLeavesAFreshDealAndKeepsTheRest) {
    Table t;
    t.deal({3, 4, 5, 6, 7}, {1, 2, 3, 4, 5}, 9);
    t.game.keyPress('c');
    t.game.image1Click(0);
    t.game.image1Click(1);  // 3 * 4 is not 9: refused, 3 stays picked
    for (int i = 0; i < 5; ++i) t.game.label1Click(0);
    ASSERT_EQ(t.hand().size(), 10u);
    // The computer's cards shown face up, as after it was stuck.
    for (int k = 0; k < 10; ++k) {
        t.game.board.Image2[k].picture = 20;
        t.game.board.Image2[k].visible = true;
    }
    t.game.state.cpuPick[0] = 4;
    t.game.state.cpuPick[1] = 2;
    t.game.state.score = 77;

    t.deal({1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}, 2);
    const Game& g = t.game;
    EXPECT_EQ(t.hand(), (std::vector<int>{1, 1, 1, 1, 1}));
    EXPECT_EQ(t.cpu(), (std::vector<int>{2, 2, 2, 2, 2}));
    for (int k = 0; k < 10; ++k) {
        EXPECT_FALSE(g.state.picked[k]);
        EXPECT_EQ(g.board.Image1[k].top, kHandRestTop);
        EXPECT_EQ(g.board.Image1[k].visible, k < 5);
        EXPECT_EQ(g.board.Image2[k].picture, kCardBack);
        EXPECT_EQ(g.board.Image2[k].visible, k < 5);
    }
    EXPECT_EQ(g.board.Image7[0], 0);
    EXPECT_EQ(g.board.Image7[1], 0);
    EXPECT_EQ(g.state.pickValue[1], 0);
    EXPECT_EQ(g.state.pickValue[2], 0);
    EXPECT_EQ(g.state.score, 77);
    EXPECT_EQ(g.state.cpuPick[0], 4);
    EXPECT_EQ(g.state.cpuPick[1], 2);
    EXPECT_EQ(g.board.Option1, 2);
}

TEST(Invariants, CatchABrokenBoard) {
    Table t;
    t.deal({3, 4, 5, 6, 7}, {1, 2, 3, 4, 5}, 9);
    ASSERT_EQ(t.game.checkInvariants(), "");
    t.game.state.handValue[2] = 0;  // a gap
    EXPECT_NE(t.game.checkInvariants().find("not packed"), std::string::npos);
    t.game.state.handValue[2] = 5;
    t.game.board.Image1[2].top = kHandRaisedTop;  // raised but not picked
    EXPECT_NE(t.game.checkInvariants(), "");
    t.game.board.Image1[2].top = kHandRestTop;
    t.game.board.Image1[2].picture = 1;  // an ace's face on a five
    EXPECT_NE(t.game.checkInvariants(), "");
}
