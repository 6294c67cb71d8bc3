// The computer's turn and its pause.
#include <gtest/gtest.h>

#include "ScriptedHost.h"

namespace {

struct ComputerTurn : ::testing::Test {
    Table t;
    Game& g = t.game;

    // The position of the computer's turn after an ordinary play of the player.
    // `then` are the random numbers the turn draws first (cards drawn, suits shown).
    void turn(const std::vector<int>& cpu, int target, const std::vector<double>& then = {}) {
        t.deal({1, 2, 3, 4, 5}, {1, 1, 1, 1, 1}, 1);
        t.host.randoms.assign(then.begin(), then.end());
        t.setCpu(cpu);
        g.state.tableValue[1] = static_cast<CardValue>(target);
        g.state.playerTurn = false;
        g.state.canPick = false;
        g.state.pickValue[1] = 3;
        g.state.pickValue[2] = static_cast<CardValue>(target);
        for (int i = 0; i < 3; ++i) g.board.Label1Enabled[i] = false;
        g.AI();
    }
    void expectHandedBack() const {
        EXPECT_TRUE(g.board.Label1Enabled[0]);
        EXPECT_TRUE(g.state.playerTurn);
        EXPECT_TRUE(g.state.canPick);
        EXPECT_EQ(g.state.cpuPick[0], 0);
        EXPECT_EQ(g.state.cpuPick[1], 0);
        EXPECT_EQ(g.state.pickValue[1], 0);
        EXPECT_EQ(g.state.pickValue[2], 0);
        EXPECT_EQ(g.checkInvariants(), "");
    }
    static double card(int v) { return (v - 0.5) / 15.0; }
    static std::vector<double> clubs(int n) {
        return std::vector<double>(static_cast<std::size_t>(n), 0.1);
    }
    std::pair<int, int> table() const { return {g.state.tableValue[0], g.state.tableValue[1]}; }
};

}  // namespace

TEST_F(ComputerTurn, APairWinsOverASingleCard) {
    turn({3, 5, 8}, 8);
    EXPECT_EQ(table(), std::make_pair(5, 3));
    EXPECT_EQ(t.cpu(), (std::vector<int>{8}));
    EXPECT_TRUE(g.board.Image2[0].visible);
    EXPECT_FALSE(g.board.Image2[1].visible);
    expectHandedBack();
}

TEST_F(ComputerTurn, TheLastMatchInScanOrderIsLaid) {
    turn({2, 6, 3, 4}, 12);
    EXPECT_EQ(table(), std::make_pair(4, 3));
    EXPECT_EQ(t.cpu(), (std::vector<int>{2, 6}));
    expectHandedBack();
}

TEST_F(ComputerTurn, TheLaterCardIsTheLeftOperand) {
    turn({8, 3}, 5, {card(5)});  // 3 - 8 is no 5: it draws
    EXPECT_EQ(table(), std::make_pair(0, 5));
    EXPECT_EQ(t.cpu(), (std::vector<int>{8, 3}));

    turn({3, 8, 14}, 5);
    EXPECT_EQ(table(), std::make_pair(8, 3));
    EXPECT_EQ(t.cpu(), (std::vector<int>{14}));
    expectHandedBack();
}

TEST_F(ComputerTurn, AQuotientMustBeWhole) {
    turn({2, 7}, 3, {card(3)});
    EXPECT_EQ(table(), std::make_pair(0, 3));  // drew a 3 and laid it alone
    EXPECT_EQ(t.cpu(), (std::vector<int>{2, 7}));

    turn({2, 6, 14}, 3);
    EXPECT_EQ(table(), std::make_pair(6, 2));
    expectHandedBack();
}

TEST_F(ComputerTurn, ASingleCardIsLaidWithTheBackOnTheLeft) {
    turn({4, 9, 9}, 9);
    EXPECT_EQ(table(), std::make_pair(0, 9));
    EXPECT_EQ(g.board.Image4[0], kCardBack);
    EXPECT_GE(g.board.Image4[1], 33);
    EXPECT_LE(g.board.Image4[1], 36);
    EXPECT_EQ(t.cpu(), (std::vector<int>{4, 9}));
    EXPECT_FALSE(g.board.Image2[2].visible);
    expectHandedBack();
}

TEST_F(ComputerTurn, TwoCardsArePausedBetweenAndSeenDuringThePause) {
    t.deal({1, 2, 3, 4, 5}, {1, 1, 1, 1, 1}, 1);
    t.setCpu({3, 5, 8});
    g.state.tableValue[1] = 8;
    t.host.randoms = {0.0, 0.0};
    const int readingsBefore = t.host.clockReadings;
    g.AI();
    EXPECT_EQ(t.host.redraws, 1);
    // delay 150: 151 changes of the clock, each seen after a first reading.
    EXPECT_EQ(t.host.clockReadings - readingsBefore, 2 * 151);
    EXPECT_EQ(g.board.Image4[0], 17);
    EXPECT_EQ(g.board.Image4[1], 9);

    // A single card has no pause.
    const int readings = t.host.clockReadings;
    t.setCpu({4, 9, 9});
    g.state.tableValue[1] = 9;
    g.AI();
    EXPECT_EQ(t.host.clockReadings, readings);
}

TEST_F(ComputerTurn, NineCardsWithoutAnswerDrawTheTenth) {
    const std::vector<int> nine{15, 15, 15, 15, 15, 15, 15, 15, 15};
    turn(nine, 7, {card(7)});
    EXPECT_EQ(table(), std::make_pair(0, 7));
    EXPECT_EQ(t.cpu(), nine);
    EXPECT_FALSE(g.board.Image2[9].visible);
    expectHandedBack();

    // A pair that needs position 9 is never found: 15 - 8 = 7 with the 8 drawn last.
    std::vector<double> eight{card(8)};
    for (double r : clubs(10)) eight.push_back(r);
    g.state.records[9].points = 1000;  // no record to enter
    turn(nine, 7, eight);
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_EQ(t.host.dialogs[0].text, "电脑憋死了！要继续游戏吗？");
}

TEST_F(ComputerTurn, TheComputersLastCardsWin) {
    turn({5}, 5);
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_EQ(t.host.dialogs[0].text, "电脑胜利！");
    EXPECT_EQ(t.host.dialogs[0].title, "Tessaro");
    EXPECT_EQ(t.host.dialogs[0].code, 0);
    EXPECT_EQ(g.state.score, 80);
    EXPECT_EQ(t.cpu().size(), 5u);
    expectHandedBack();

    turn({2, 3}, 5);
    EXPECT_EQ(g.state.score, 60);
    EXPECT_EQ(t.cpu().size(), 5u);
    expectHandedBack();
}

TEST_F(ComputerTurn, StuckShowsTheHandAndPlayingOnScoresTen) {
    const std::vector<int> full{15, 15, 15, 15, 15, 15, 15, 15, 15, 15};
    t.host.answers = {6};
    turn(full, 2, clubs(10));
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_EQ(t.host.dialogs[0].title, "问题");
    EXPECT_EQ(t.host.dialogs[0].code, 68);
    EXPECT_EQ(g.state.score, 110);
    EXPECT_EQ(t.cpu().size(), 5u);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(g.board.Image2[k].picture, kCardBack);
    EXPECT_TRUE(g.state.playerTurn);
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST_F(ComputerTurn, StuckAndDeclinedWithoutARecordStopsTheGame) {
    g.state.records[9].points = 500;
    const std::vector<int> full{1, 3, 1, 3, 1, 3, 1, 3, 1, 3};
    turn(full, 15, clubs(10));
    EXPECT_EQ(t.cpu(), full);
    for (int k = 0; k < 10; ++k) {
        EXPECT_TRUE(g.board.Image2[k].visible);
        EXPECT_EQ(g.board.Image2[k].picture, k % 2 == 0 ? 1 : 9) << "face up at " << k;
    }
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_FALSE(g.state.playerTurn);
    EXPECT_FALSE(g.board.Label1Enabled[0]);
    EXPECT_EQ(g.state.score, 100);
    EXPECT_FALSE(g.ended());
    EXPECT_EQ(t.store.saves, 0);
    g.image1Click(0);  // only lowers the card: the turn is not handed back
    EXPECT_FALSE(g.state.playerTurn);
}

TEST_F(ComputerTurn, StuckAndDeclinedWithARecordEndsTheProgram) {
    const std::vector<int> full{1, 3, 1, 3, 1, 3, 1, 3, 1, 3};
    t.host.inputs = {"八个字的名字啊啊"};
    turn(full, 15);
    ASSERT_TRUE(g.ended());
    EXPECT_TRUE(t.host.endedProgram);
    EXPECT_EQ(t.store.saves, 1);
    EXPECT_EQ(t.store.rows[0].name, "八个字的  ");
    EXPECT_EQ(t.store.rows[0].points, 100);
    EXPECT_EQ(t.store.rows[1].name, "无记录   ");
    const auto& input = t.host.dialogs.back();
    EXPECT_EQ(input.kind, "input");
    EXPECT_EQ(input.text, "您的分数超过记录，请输入您的姓名:");
    EXPECT_EQ(input.title, "Tessaro");
    g.newClick();  // nothing runs after the end
    EXPECT_EQ(t.cpu(), full);
}

TEST_F(ComputerTurn, AHandShownFaceUpStaysTrueToItsCards) {
    // After a win the new deal can leave the player to move while the computer's cards are
    // still face up from being stuck: laid cards take their faces with them, drawn ones lie
    // face down.
    t.deal({1, 2, 3, 4, 5}, {1, 1, 1, 1, 1}, 1);
    t.setCpu({4, 9, 9, 7, 15, 15});
    const int faces[] = {13, 33, 34, 25, 54, 54, 20, 20};
    for (int k = 0; k < 8; ++k) g.board.Image2[k].picture = faces[k];
    g.state.tableValue[1] = 9;
    g.AI();
    EXPECT_EQ(t.cpu(), (std::vector<int>{4, 9, 7, 15, 15}));
    const int shifted[] = {13, 34, 25, 54, 54};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(g.board.Image2[k].picture, shifted[k]) << k;

    g.state.tableValue[1] = 2;  // nothing answers 2 until a 2 is drawn after a 13
    t.host.randoms = {card(13), card(2)};
    g.AI();
    EXPECT_EQ(t.cpu(), (std::vector<int>{4, 9, 7, 15, 15, 13}));
    EXPECT_EQ(g.board.Image2[5].picture, kCardBack);
    EXPECT_EQ(g.checkInvariants(), "");
}

TEST(Delay, CountsChangesOfTheClockReading) {
    Table t;
    struct Clock : ScriptedHost {
        std::vector<float> readings;
        std::size_t next = 0;
        float timer() override {
            ++clockReadings;
            return next < readings.size() ? readings[next++] : readings.back() + 1;
        }
    } host;
    MemoryStore store;
    std::vector<std::string> log;
    ScriptedMedia media(log);
    Game g(host, store, media);

    host.readings = {5.0f, 5.0f, 5.0f, 5.01f, 9.0f};
    g.delay(0);  // one change: 5.0 to 5.01
    EXPECT_EQ(host.next, 4u);

    host.next = 0;
    host.clockReadings = 0;
    g.delay(-1);
    EXPECT_EQ(host.clockReadings, 0);

    // At midnight the reading drops to 0, which is a change too.
    host.readings = {86399.99f, 86399.99f, 0.0f, 0.0f, 0.0f, 0.01f};
    host.next = 0;
    g.delay(1);
    EXPECT_EQ(host.next, 6u);
}
