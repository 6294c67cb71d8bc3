// Picking, refusing and taking back the player's answer, state by state.
#include <gtest/gtest.h>

#include "ScriptedHost.h"

namespace {

struct Selection : ::testing::Test {
    Table t;
    Game& g = t.game;
    bool labels(bool draw, bool play, bool swap) const {
        return g.board.Label1Enabled[0] == draw && g.board.Label1Enabled[1] == play &&
               g.board.Label1Enabled[2] == swap;
    }
};

}  // namespace

TEST_F(Selection, FirstCardWaitsForItsPartnerAndCanBeTakenBack) {
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 5);
    g.image1Click(0);
    EXPECT_TRUE(g.state.picked[0]);
    EXPECT_EQ(g.board.Image1[0].top, 4150);
    EXPECT_EQ(g.board.Image7[0], g.board.Image1[0].picture);
    EXPECT_EQ(g.board.Image7[1], 0);
    EXPECT_EQ(g.state.pickValue[1], 7);
    EXPECT_EQ(g.state.pickSlot[0], 0);
    EXPECT_TRUE(labels(true, false, false));

    g.image1Click(0);  // unpick
    EXPECT_FALSE(g.state.picked[0]);
    EXPECT_EQ(g.board.Image1[0].top, 4440);
    EXPECT_EQ(g.state.pickValue[1], 0);
    EXPECT_EQ(g.board.Image7[0], 0);
    EXPECT_TRUE(labels(true, false, false));
    EXPECT_TRUE(t.host.dialogs.empty());
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Selection, TheWalkThroughOfOneAnswer) {
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 5);
    g.image1Click(0);
    g.keyPress('x');
    g.image1Click(1);
    EXPECT_FALSE(g.state.canPick);
    EXPECT_EQ(g.state.pickValue[2], 2);
    EXPECT_EQ(g.state.pickSlot[1], 1);
    EXPECT_EQ(g.board.Image7[1], g.board.Image1[1].picture);
    EXPECT_TRUE(labels(true, true, true));
    EXPECT_TRUE(t.host.dialogs.empty());
}

TEST_F(Selection, LoneMatchAndItsUnpick) {
    t.deal({3, 8, 9, 4, 6}, {1, 1, 1, 1, 1}, 8);
    g.image1Click(1);
    EXPECT_EQ(g.state.pickValue[1], 8);
    EXPECT_EQ(g.state.pickValue[2], 8);
    EXPECT_EQ(g.state.pickSlot[0], 1);
    EXPECT_EQ(g.state.pickSlot[1], -1);
    EXPECT_TRUE(g.state.canPick);
    EXPECT_EQ(g.board.Image7[0], kCardBack);
    EXPECT_EQ(g.board.Image7[1], g.board.Image1[1].picture);
    EXPECT_TRUE(labels(false, true, false));

    g.image1Click(1);
    EXPECT_EQ(g.state.pickValue[1], 0);
    EXPECT_EQ(g.state.pickValue[2], 0);
    EXPECT_EQ(g.state.pickSlot[1], 0);
    EXPECT_EQ(g.board.Image7[0], 0);
    EXPECT_EQ(g.board.Image7[1], 0);
    EXPECT_TRUE(labels(true, false, false));
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Selection, IntegerDivisionDependsOnTheOrderOfPicking) {
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 3);
    g.option1Click(3);
    g.image1Click(1);  // 2 first
    g.image1Click(0);  // 2 \ 7 = 0: refused
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_EQ(t.host.dialogs[0].text, "你应该再想想！");
    EXPECT_EQ(t.host.dialogs[0].title, "Tessaro");
    EXPECT_EQ(t.host.dialogs[0].code, 0);
    g.image1Click(1);  // take the 2 back
    g.image1Click(0);  // 7 first
    g.image1Click(1);  // 7 \ 2 = 3
    EXPECT_FALSE(g.state.canPick);
    EXPECT_EQ(t.host.dialogs.size(), 1u);
}

TEST_F(Selection, NoOperatorSetMeansAddition) {
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 11);
    g.board.Option1 = -1;  // no button set
    g.image1Click(0);
    g.image1Click(3);  // 7 + 4
    EXPECT_FALSE(g.state.canPick);
}

TEST_F(Selection, RefusedSecondCardIsShownRaisedThenLoweredAndTheFirstStays) {
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 5);
    bool raisedWhileAsking = false;
    t.host.onMessage = [&] {
        raisedWhileAsking = g.board.Image1[2].top == 4150 && g.state.picked[2];
    };
    g.image1Click(0);
    g.image1Click(2);  // 7 + 9
    EXPECT_TRUE(raisedWhileAsking);
    EXPECT_FALSE(g.state.picked[2]);
    EXPECT_EQ(g.board.Image1[2].top, 4440);
    EXPECT_TRUE(g.state.picked[0]);
    EXPECT_EQ(g.state.pickValue[1], 7);
    EXPECT_EQ(g.board.Image7[0], g.board.Image1[0].picture);
    g.keyPress('-');
    g.image1Click(1);  // another operator, another card: 7 - 2
    EXPECT_FALSE(g.state.canPick);
}

TEST_F(Selection, CompletePairAsksBeforeUndo) {
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 9);
    g.image1Click(0);
    g.image1Click(1);
    ASSERT_FALSE(g.state.canPick);
    const GameState state = g.state;
    const Board board = g.board;
    g.image1Click(4);  // any card asks; No changes nothing
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_EQ(t.host.dialogs[0].text, "您是否要撤销已经选好的牌？");
    EXPECT_EQ(t.host.dialogs[0].title, "提示");
    EXPECT_EQ(t.host.dialogs[0].code, 36);
    EXPECT_EQ(g.state.pickValue, state.pickValue);
    EXPECT_EQ(g.state.picked, state.picked);
    EXPECT_EQ(g.board.Image7, board.Image7);

    t.host.answers = {6};
    g.image1Click(0);
    for (int k = 0; k < 10; ++k) EXPECT_FALSE(g.state.picked[k]);
    EXPECT_EQ(g.state.pickValue[1], 0);
    EXPECT_EQ(g.state.pickValue[2], 0);
    EXPECT_EQ(g.board.Image7[0], 0);
    EXPECT_EQ(g.board.Image7[1], 0);
    EXPECT_TRUE(g.state.canPick);
    EXPECT_TRUE(labels(true, false, false));
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Selection, PairAfterALoneMatchStandsLikeAnOrdinaryPair) {
    t.deal({5, 1, 3, 4, 6}, {1, 1, 1, 1, 1}, 5);
    g.image1Click(0);  // lone 5
    g.image1Click(4);  // 5 + 6 refused: the lone answer stays
    EXPECT_EQ(g.state.pickSlot[1], -1);
    EXPECT_EQ(g.board.Image7[0], kCardBack);
    EXPECT_TRUE(labels(false, true, false));
    g.keyPress('c');
    g.image1Click(1);  // 5 * 1
    EXPECT_FALSE(g.state.canPick);
    EXPECT_EQ(g.state.pickValue[2], 1);
    EXPECT_EQ(g.state.pickSlot[1], 1);
    EXPECT_EQ(g.board.Image7[0], g.board.Image1[0].picture);
    EXPECT_EQ(g.board.Image7[1], g.board.Image1[1].picture);
    EXPECT_TRUE(labels(true, true, true));
    t.host.answers = {6};
    g.image1Click(2);
    EXPECT_TRUE(labels(true, false, false));
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(Selection, ClicksOutsideThePlayersTurnOnlyLowerTheCard) {
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 5);
    g.image1Click(0);
    g.state.playerTurn = false;
    g.image1Click(2);
    EXPECT_FALSE(g.state.picked[2]);
    EXPECT_EQ(g.state.pickValue[1], 0);
    EXPECT_EQ(g.board.Image7[0], 0);
    EXPECT_TRUE(t.host.dialogs.empty());
}
