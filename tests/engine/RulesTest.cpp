// The rules, case by case: a deal or a position, the events, and the position they leave.
#include <gtest/gtest.h>

#include <set>

#include "Play.h"
#include "RecordTable.h"

namespace {

struct Case {
    const char* what;
    const char* steps;
    const char* after;
    const char* pause = nullptr;  // as the computer pauses between its two cards
};

// clang-format off
const Case kPlayersTurn[] = {
    {"before the first game no card and no label takes a click",
     "hand 3; label 0; move Image1 3",
     "hand | cpu | table B B | --- | off | 100"},
    {"a first card rises and waits for its partner",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 2",
     "hand 7 2 9^ 4 6 | cpu 1 1 1 1 1 | table B 5 | sel 9 - | pick 9 0 @2 0 | D-- | you | 100"},
    {"a second click takes it back",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 2; hand 2",
     "hand 7 2 9 4 6 | cpu 1 1 1 1 1 | table B 5 | D-- | you | 100"},
    {"a pair that makes the target completes the answer",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 0; key 120; hand 1",
     "hand 7^ 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 5 | sel 7 2 | pick 7 2 @0 1 | DPS | done | op - | 100"},
    {"a card equal to the target is an answer alone",
     "deal 3 8 9 4 6 / 1 1 1 1 1 / 8; hand 1",
     "hand 3 8^ 9 4 6 | cpu 1 1 1 1 1 | table B 8 | sel B 8 | pick 8 8 @1 -1 | -P- | you | 100"},
    {"and is taken back whole",
     "deal 3 8 9 4 6 / 1 1 1 1 1 / 8; hand 1; hand 1",
     "hand 3 8 9 4 6 | cpu 1 1 1 1 1 | table B 8 | D-- | you | 100"},
    {"2 \\ 7 is 0: the order of picking counts",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 3; option 3; hand 1; hand 0",
     "hand 7 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 3 | sel 2 - | pick 2 0 @1 0 | D-- | you | op \\ | 100 | 你应该再想想！ 0"},
    {"7 \\ 2 is 3",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 3; key 118; hand 0; hand 1",
     "hand 7^ 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 3 | sel 7 2 | pick 7 2 @0 1 | DPS | done | op \\ | 100"},
    {"7 * 2 is 14",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 14; key 42; hand 0; hand 1",
     "hand 7^ 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 14 | sel 7 2 | pick 7 2 @0 1 | DPS | done | op * | 100"},
    {"a refused card goes down, the first stays, another operator completes the pair",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 0; hand 2; key 45; hand 1",
     "hand 7^ 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 5 | sel 7 2 | pick 7 2 @0 1 | DPS | done | op - | 100 | 你应该再想想！ 0"},
    {"a click on any card of a complete pair asks, and No keeps it",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 9; hand 0; hand 1; hand 4",
     "hand 7^ 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 9 | sel 7 2 | pick 7 2 @0 1 | DPS | done | 100 | 您是否要撤销已经选好的牌？ 36"},
    {"Yes undoes the pair",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 9; hand 0; hand 1; answer 6; hand 0",
     "hand 7 2 9 4 6 | cpu 1 1 1 1 1 | table B 9 | D-- | you | 100 | 您是否要撤销已经选好的牌？ 36"},
    {"a lone answer stays when a second card is refused",
     "deal 5 1 3 4 6 / 1 1 1 1 1 / 5; hand 0; hand 4",
     "hand 5^ 1 3 4 6 | cpu 1 1 1 1 1 | table B 5 | sel B 5 | pick 5 5 @0 -1 | -P- | you | 100 | 你应该再想想！ 0"},
    {"a pair completed after a lone answer stands like any pair",
     "deal 5 1 3 4 6 / 1 1 1 1 1 / 5; hand 0; key 99; hand 1",
     "hand 5^ 1^ 3 4 6 | cpu 1 1 1 1 1 | table B 5 | sel 5 1 | pick 5 1 @0 1 | DPS | done | op * | 100"},
    {"a draw keeps the pick and lands right of every card",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 0; draws 14; label 0",
     "hand 7^ 2 9 4 6 14 | cpu 1 1 1 1 1 | table B 5 | sel 7 - | pick 7 0 @0 0 | D-- | you | 100"},
    {"with ten cards a draw asks, and No keeps them",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; draws 1 2 3 4 5; label 0; label 0; label 0; label 0; label 0; label 0",
     "hand 7 2 9 4 6 1 2 3 4 5 | cpu 1 1 1 1 1 | table B 5 | D-- | you | 100 | 您已经不能再摸牌了！要重新再来吗？ 68"},
    {"Yes gives up: minus 10, a new game, the player first",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; draws 1 2 3 4 5; label 0; label 0; label 0; label 0; label 0; "
     "answer 6; next 2 2 2 2 2 / 3 3 3 3 3 / 4; label 0",
     "hand 2 2 2 2 2 | cpu 3 3 3 3 3 | table B 4 | D-- | you | 90 | 您已经不能再摸牌了！要重新再来吗？ 68 | 电脑胜利！ 64"},
    {"a swap puts the first card on the right",
     "deal 7 2 9 4 6 / 15 15 15 15 15 / 5; hand 0; key 120; hand 1; label 2",
     "hand 7^ 2^ 9 4 6 | cpu 15 15 15 15 15 | table B 5 | sel 2 7 | pick 2 7 @0 1 | DPS | done | op - | 100"},
    {"a new game lowers every card and keeps the operator and the score",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 0; key 120; hand 1; set score 77; deal 1 2 3 4 5 / 6 7 8 9 10 / 11",
     "hand 1 2 3 4 5 | cpu 6 7 8 9 10 | table B 11 | D-- | you | op - | 77"},
};

const Case kPlays[] = {
    {"a pair is laid and the computer answers with the last pair of its scan",
     "deal 7 2 9 4 6 / 3 5 12 12 12 / 5; hand 0; key 120; hand 1; label 1",
     "hand 9 4 6 | cpu 12 12 12 | table 5 3 | D-- | you | op - | 100",
     "hand 9 4 6 | cpu 3 12 12 12 | table 5 2 | pick 7 2 @0 0 | --- | off | op - | 100"},
    {"a lone card leaves the hand alone; the computer draws until it can answer",
     "deal 7 2 9 4 6 / 15 15 15 15 15 / 9; hand 2; cards 9; label 1",
     "hand 7 2 4 6 | cpu 15 15 15 15 15 | table B 9 | pick 0 0 @2 -1 | D-- | you | 100"},
    {"a pair whose second card lies left of the first",
     "deal 1 3 5 8 11 / 15 15 15 15 15 / 8; hand 4; key 45; hand 1; cards 3; label 1",
     "hand 1 5 8 | cpu 15 15 15 15 15 | table B 3 | pick 0 0 @4 1 | D-- | you | op - | 100"},
    {"the card in slot nine of a full hand",
     "deal 1 1 1 1 1 / 15 15 15 15 15 / 6; draws 1 1 1 1 6; label 0; label 0; label 0; label 0; label 0; "
     "hand 9; cards 6; label 1",
     "hand 1 1 1 1 1 1 1 1 1 | cpu 15 15 15 15 15 | table B 6 | pick 0 0 @9 -1 | D-- | you | 100"},
    {"after a swap the first card is the computer's target",
     "deal 7 2 9 4 6 / 15 15 15 15 15 / 5; hand 0; key 120; hand 1; label 2; cards 7; label 1",
     "hand 9 4 6 | cpu 15 15 15 15 15 | table B 7 | D-- | you | op - | 100"},
    {"emptying the hand wins 20, and the computer answers first in the new game",
     "deal 4 9 9 9 9 / 1 2 3 4 5 / 4; set hand 4; hand 0; next 1 1 1 1 1 / 6 2 15 15 15 / 8; label 1",
     "hand 1 1 1 1 1 | cpu 15 15 15 | table 2 6 | D-- | you | 120 | 祝贺你！你赢了！ 64"},
};

// The player lays a lone target T; the computer, holding the cards set, must make T.
const Case kComputersTurn[] = {
    {"a pair wins over a single card",
     "deal 8 1 1 1 1 / 1 1 1 1 1 / 8; set cpu 3 5 8; hand 0; label 1",
     "hand 1 1 1 1 | cpu 8 | table 5 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"of two products the later pair is laid",
     "deal 12 1 1 1 1 / 1 1 1 1 1 / 12; set cpu 2 6 3 4; hand 0; label 1",
     "hand 1 1 1 1 | cpu 2 6 | table 4 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"the later card is the left operand: 3 - 8 is no 5, so it draws",
     "deal 5 1 1 1 1 / 1 1 1 1 1 / 5; set cpu 8 3; hand 0; cards 5; label 1",
     "hand 1 1 1 1 | cpu 8 3 | table B 5 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"8 - 3 is 5",
     "deal 5 1 1 1 1 / 1 1 1 1 1 / 5; set cpu 3 8 14; hand 0; label 1",
     "hand 1 1 1 1 | cpu 14 | table 8 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"7 / 2 is no whole 3",
     "deal 3 1 1 1 1 / 1 1 1 1 1 / 3; set cpu 2 7; hand 0; cards 3; label 1",
     "hand 1 1 1 1 | cpu 2 7 | table B 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"6 / 2 is 3",
     "deal 3 1 1 1 1 / 1 1 1 1 1 / 3; set cpu 2 6 14; hand 0; label 1",
     "hand 1 1 1 1 | cpu 14 | table 6 2 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"a single card is laid with the back on its left",
     "deal 9 1 1 1 1 / 1 1 1 1 1 / 9; set cpu 4 9 9; hand 0; label 1",
     "hand 1 1 1 1 | cpu 4 9 | table B 9 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"a pair laid from a full hand keeps it packed",
     "deal 8 1 1 1 1 / 1 1 1 1 1 / 8; set cpu 3 5 15 15 15 15 15 15 15 15; hand 0; label 1",
     "hand 1 1 1 1 | cpu 15 15 15 15 15 15 15 15 | table 5 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"the card drawn into position 9 is laid alone",
     "deal 7 1 1 1 1 / 1 1 1 1 1 / 7; set cpu 1 1 1 1 1 1 1 1 1; hand 0; cards 7; label 1",
     "hand 1 1 1 1 | cpu 1 1 1 1 1 1 1 1 1 | table B 7 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"position 9 never leads a pair: stuck, and Yes plays on for 10",
     "deal 7 1 1 1 1 / 1 1 1 1 1 / 7; set cpu 1 1 1 1 1 1 1 1 1; hand 0; cards 8 1 1 1 1 1 1 1 1 1 1; "
     "answer 6; next 2 2 2 2 2 / 3 3 3 3 3 / 4; label 1",
     "hand 2 2 2 2 2 | cpu 3 3 3 3 3 | table B 4 | D-- | you | 110 | 电脑憋死了！要继续游戏吗？ 68"},
    {"stuck, and No without a record: the game stops face up; a click only clears the first pick",
     "deal 7 1 1 1 1 / 1 1 1 1 1 / 7; set points 500 500 500 500 500 500 500 500 500 500; "
     "set cpu 1 1 1 1 1 1 1 1 1; hand 0; cards 8; label 1; hand 2",
     "hand 1 1 1 1 | cpu 1 1 1 1 1 1 1 1 1 8 up | table B 7 | pick 0 7 @0 -1 | --- | off | 100 | "
     "电脑憋死了！要继续游戏吗？ 68"},
    {"stuck, and No with a record: a name, and the end",
     "deal 7 1 1 1 1 / 1 1 1 1 1 / 7; set cpu 1 1 1 1 1 1 1 1 1; hand 0; cards 8; input 张; label 1",
     "hand 1 1 1 1 | cpu 1 1 1 1 1 1 1 1 1 8 up | table B 7 | pick 7 7 @0 -1 | --- | off | 100 | "
     "电脑憋死了！要继续游戏吗？ 68 | 您的分数超过记录，请输入您的姓名: input | ended"},
    {"a computer stuck at once in the game after a win plays on face up, its pictures true",
     "set points 500 500 500 500 500 500 500 500 500 500; deal 4 9 9 9 9 / 1 1 1 1 1 / 4; "
     "set hand 4; hand 0; next 12 1 1 1 1 / 5 5 5 5 5 / 13; cards 5 5 5 5 6 1 1 1 1 1 1 1 1 1 1; "
     "label 1; hand 0; hand 1; label 1",
     "hand 1 1 1 | cpu 5 5 5 5 5 5 5 6 up | table 5 5 | D-- | you | 120 | 祝贺你！你赢了！ 64 | "
     "电脑憋死了！要继续游戏吗？ 68"},
    {"the computer lays its last cards and wins: minus 20 and a new game",
     "deal 5 1 1 1 1 / 1 1 1 1 1 / 5; set cpu 2 3; hand 0; cards 1 1; next 2 2 2 2 2 / 3 3 3 3 3 / 4; label 1",
     "hand 2 2 2 2 2 | cpu 3 3 3 3 3 | table B 4 | D-- | you | 80 | 电脑胜利！ 0"},
};

const Case kPointer[] = {
    {"the gem shows over a picked card under the pointer and stays off the hand",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 15; move Image1 3; hand 3; move Image1 3; move Frame2; move Label1 0",
     "hand 7 2 9 4^ 6 | cpu 1 1 1 1 1 | table B 15 | sel 4 - | pick 4 0 @3 0 | D-- | you | gem 3@3790 | lit 0 | 100"},
    {"the next move over a card that is not picked hides it",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 15; hand 3; move Image1 3; hand 3; move Image1 3",
     "hand 7 2 9 4 6 | cpu 1 1 1 1 1 | table B 15 | D-- | you | 100"},
    {"the background hides it",
     "deal 7 2 9 4 6 / 1 1 1 1 1 / 15; hand 1; move Image1 1; move Image5 1",
     "hand 7 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 15 | sel 2 - | pick 2 0 @1 0 | D-- | you | 100"},
    {"a label lights until the pointer crosses the frame; a new game leaves it",
     "move Label1 0; move Frame2; move Label1 1; move Label1 2; deal 7 2 9 4 6 / 1 1 1 1 1 / 5",
     "hand 7 2 9 4 6 | cpu 1 1 1 1 1 | table B 5 | D-- | you | lit 1 2 | 100"},
};
// clang-format on

void check(const Case& c) {
    Play play;
    play.run(c.steps);
    EXPECT_EQ(play.summary(), c.after) << c.what;
    if (c.pause) EXPECT_EQ(play.pause, c.pause) << c.what;
}

TEST(Rules, PlayersTurn) {
    for (const Case& c : kPlayersTurn) check(c);
}
TEST(Rules, Plays) {
    for (const Case& c : kPlays) check(c);
}
TEST(Rules, ComputersTurn) {
    for (const Case& c : kComputersTurn) check(c);
}
TEST(Rules, Pointer) {
    for (const Case& c : kPointer) check(c);
}

TEST(Rules, EachOperatorKeyChoosesItsButtonAndOtherKeysNone) {
    const std::pair<int, int> keys[] = {{'x', op::kMinus},  {'z', op::kPlus},  {'c', op::kTimes},
                                        {'v', op::kDivide}, {'-', op::kMinus}, {'+', op::kPlus},
                                        {'*', op::kTimes},  {'/', op::kDivide}};
    Play play;
    for (const auto& [code, option] : keys) {
        play.run("key " + std::to_string(code));
        EXPECT_EQ(play.game.board().Option1, option) << code;
    }
    play.run("key 90; key 88; key 67; key 86; key 97; key 0; option 1");
    EXPECT_EQ(play.game.board().Option1, op::kMinus);
}

TEST(Rules, ADealDrawsSeventeenNumbersInItsOrder) {
    Play play;
    // Per slot the player's value, the computer's value and the player's suit; then the target.
    play.run(
        "rand 0 0.99 0.9  0.07 0.9 0  0.5 0.5 0.3  0.93 0.34 0.6  0.2 0.8 0.1  0.45 0.6; "
        "menu new");
    EXPECT_EQ(play.summary(), "hand 1 2 8 14 4 | cpu 15 14 8 6 13 | table B 7 | D-- | you | 100");
    const int faces[] = {4, 5, 30, card::kBlackJokerFace, 13};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(play.game.board().Image1[k].picture, faces[k]);
    EXPECT_EQ(play.game.board().Image4[1], 27);
    EXPECT_EQ(play.session.host().queuedRandoms(), 0u);
}

TEST(Rules, EveryValueHasItsFacesAndEveryFaceItsValue) {
    std::set<int> faces;
    for (CardValue v = 1; v <= card::kColourJoker; ++v)
        for (int s = 0; s < card::kSuits; ++s) {
            const int face = card::faceOf(v, s);
            faces.insert(face);
            EXPECT_EQ(card::valueOf(face), v);
            if (v <= card::kKing) EXPECT_EQ(card::suitOf(face), s);
        }
    EXPECT_EQ(faces.size(), 54u);
    EXPECT_EQ(*faces.begin(), 1);
    EXPECT_EQ(*faces.rbegin(), 54);
    EXPECT_EQ(card::faceOf(card::kKing, 3), 52);
    EXPECT_EQ(card::valueOf(card::kBack), 0);
}

TEST(Rules, DelayCountsChangesOfTheClockReading) {
    struct Clock : ReplayHost {
        Clock() : ReplayHost("") {}
        float timer() override { return readings++ / 3 * 0.01f; }  // each reading three times
        int readings = 0;
    } clock;
    MemoryRecords store;
    ReplayMedia media;
    Game game(clock, store, media);
    game.delay(0);
    EXPECT_EQ(clock.readings, 4);  // 0 0 0 then 0.01
    game.delay(-1);
    EXPECT_EQ(clock.readings, 4);
    game.delay(2);
    EXPECT_EQ(clock.readings, 13);
}

TEST(Rules, LoadingShowsNoGameAndTheTableAsRead) {
    Play play;
    EXPECT_EQ(play.summary(), "hand | cpu | table B B | --- | off | 100");
    EXPECT_EQ(play.game.board().Frame2Back, (Rgb{200, 107, 14}));
    EXPECT_EQ(play.game.board().Text1, records::displayText(records::defaultRows()));
}

TEST(Rules, MenusShowTheirBoxesAndDriveTheMusic) {
    Play play;
    play.run(
        "menu gao; menu help; menu about; menu music; menu music; menu music; menu new; "
        "menu music; menu new");
    ASSERT_EQ(play.boxes.size(), 3u);
    EXPECT_EQ(play.boxes[0].title, text::kRecordsTitle);
    EXPECT_EQ(play.boxes[0].text, play.game.board().Text1);
    EXPECT_EQ(play.boxes[1].text, text::kRules);
    EXPECT_EQ(play.boxes[2].text, text::kCredits);
    // The check mark decides between stop and play; new plays whatever the mark says.
    EXPECT_EQ(
        play.session.media().log,
        (std::vector<std::string>{"stop", "play", "stop", "file /opt/tessaro/r07.mid", "open",
                                  "play", "play", "file /opt/tessaro/r07.mid", "open", "play"}));
    EXPECT_TRUE(play.game.board().musicChecked);
}

// The quit and its record entry: the rows stored afterwards, row 0 first.
std::string rows(const Play& play, std::size_t n) {
    std::string out;
    for (std::size_t k = 0; k < n; ++k)
        out += play.store.rows[k].name + ":" + std::to_string(play.store.rows[k].points) + " ";
    return out;
}

TEST(Rules, QuitNoPlaysOnAndYesEndsWithARecordWhereItBelongs) {
    Play no;
    no.run("set score 130; menu quit");
    EXPECT_EQ(no.boxes.size(), 1u);
    EXPECT_FALSE(no.game.ended());
    EXPECT_EQ(no.game.state().score, 130);
    EXPECT_TRUE(no.game.state().playerTurn);

    Play yes;
    yes.run("set points 500 300 300 100; set score 300; answer 6; input 欧阳Sophie; menu quit");
    EXPECT_TRUE(yes.game.ended());
    EXPECT_EQ(rows(yes, 6),
              "无记录   :500 无记录   :300 无记录   :300 欧阳Soph:300 "
              "无记录   :100 无记录   :0 ");
    EXPECT_EQ(yes.game.state().records, yes.store.rows);

    Play level;  // equal to the last row: no record, no save
    level.run("set score 0; answer 6; menu quit");
    EXPECT_TRUE(level.game.ended());
    EXPECT_EQ(level.store.saves, 0);

    Play cancelled;  // no name given; the score held to 16 bits
    cancelled.run("set score 70000; answer 6; menu quit");
    EXPECT_EQ(rows(cancelled, 2), "      :32767 无记录   :0 ");

    Play stuck;  // after a stuck computer the name keeps four characters
    stuck.run(
        "deal 7 1 1 1 1 / 1 1 1 1 1 / 7; set cpu 1 1 1 1 1 1 1 1 1; hand 0; cards 8; "
        "input 欧阳Sophie; label 1");
    EXPECT_EQ(rows(stuck, 1), "欧阳So  :100 ");
}

TEST(Rules, ARecordThatCannotBeSavedIsNeverSilent) {
    Play play;
    play.store.failSaves = true;
    play.run("answer 6; menu quit");
    ASSERT_EQ(play.boxes.size(), 3u);
    EXPECT_EQ(play.boxes[2].text, text::kNotSaved.text);
    EXPECT_TRUE(play.game.ended());
}

}  // namespace
