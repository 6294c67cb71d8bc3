// The rules, case by case: a deal or a position, the events, and the position they leave.
#include <gtest/gtest.h>

#include <set>

#include "CardNames.h"
#include "Play.h"
#include "RecordTable.h"
#include "RecordsText.h"
#include "Translation.h"

namespace {

struct Case {
    const char* what;
    const char* steps;
    const char* after;
    const char* pause = nullptr;  // as the computer pauses between its two cards
};

// Deals, then the player's clicks and keys; the computer's turn where the player lays a lone
// target and the computer, holding the cards set, must make it; the pointer.
// clang-format off
const Case kCases[] = {
    {"no game yet: no click", "hand 3; label 0; move Image1 3",
     "hand | cpu | table B B | --- | off | 100"},
    {"a first card waits", "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 2",
     "hand 7 2 9^ 4 6 | cpu 1 1 1 1 1 | table B 5 | sel 9 - | pick 9 0 @2 0 | D-- | you | 100"},
    {"and goes back", "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 2; hand 2",
     "hand 7 2 9 4 6 | cpu 1 1 1 1 1 | table B 5 | D-- | you | 100"},
    {"a lone answer", "deal 3 8 9 4 6 / 1 1 1 1 1 / 8; hand 1",
     "hand 3 8^ 9 4 6 | cpu 1 1 1 1 1 | table B 8 | sel B 8 | pick 8 8 @1 -1 | -P- | you | 100"},
    {"goes back whole", "deal 3 1 9 4 6 / 1 1 1 1 1 / 1; hand 1; hand 1",
     "hand 3 1 9 4 6 | cpu 1 1 1 1 1 | table B 1 | D-- | you | 100"},
    {"2 \\ 7 is 0", "deal 7 2 9 4 6 / 1 1 1 1 1 / 3; option 3; hand 1; hand 0",
     "hand 7 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 3 | sel 2 - | pick 2 0 @1 0 | D-- | you | op \\ | 100 | 你应该再想想！ 0"},
    {"7 \\ 2 is 3", "deal 7 2 9 4 6 / 1 1 1 1 1 / 3; key 118; hand 0; hand 1",
     "hand 7^ 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 3 | sel 7 2 | pick 7 2 @0 1 | DPS | done | op \\ | 100"},
    {"7 * 2 is 14", "deal 7 2 9 4 6 / 1 1 1 1 1 / 14; key 42; hand 0; hand 1",
     "hand 7^ 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 14 | sel 7 2 | pick 7 2 @0 1 | DPS | done | op * | 100"},
    {"refused, then another operator", "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 0; hand 2; key 45; hand 1",
     "hand 7^ 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 5 | sel 7 2 | pick 7 2 @0 1 | DPS | done | op - | 100 | 你应该再想想！ 0"},
    {"a pair asks; No keeps it", "deal 7 2 9 4 6 / 1 1 1 1 1 / 9; hand 0; hand 1; hand 4",
     "hand 7^ 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 9 | sel 7 2 | pick 7 2 @0 1 | DPS | done | 100 | 您是否要撤销已经选好的牌？ 36"},
    {"Yes undoes it", "deal 7 2 9 4 6 / 1 1 1 1 1 / 13; hand 2; hand 3; answer 6; hand 0",
     "hand 7 2 9 4 6 | cpu 1 1 1 1 1 | table B 13 | D-- | you | 100 | 您是否要撤销已经选好的牌？ 36"},
    {"a lone answer outlives a refusal", "deal 5 1 3 4 6 / 1 1 1 1 1 / 5; hand 0; hand 4",
     "hand 5^ 1 3 4 6 | cpu 1 1 1 1 1 | table B 5 | sel B 5 | pick 5 5 @0 -1 | -P- | you | 100 | 你应该再想想！ 0"},
    {"a pair after a lone answer", "deal 5 1 3 4 6 / 1 1 1 1 1 / 5; hand 0; key 99; hand 1",
     "hand 5^ 1^ 3 4 6 | cpu 1 1 1 1 1 | table B 5 | sel 5 1 | pick 5 1 @0 1 | DPS | done | op * | 100"},
    {"a draw keeps the pick", "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 0; draws 14; label 0",
     "hand 7^ 2 9 4 6 14 | cpu 1 1 1 1 1 | table B 5 | sel 7 - | pick 7 0 @0 0 | D-- | you | 100"},
    {"ten cards: No", "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; draws 1 2 3 4 5; label 0; label 0; label 0; label 0; label 0; label 0",
     "hand 7 2 9 4 6 1 2 3 4 5 | cpu 1 1 1 1 1 | table B 5 | D-- | you | 100 | 您已经不能再摸牌了！要重新再来吗？ 68"},
    {"ten cards: Yes gives up", "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; draws 1 2 3 4 5; label 0; label 0; label 0; label 0; label 0; answer 6; next 2 2 2 2 2 / 3 3 3 3 3 / 4; label 0",
     "hand 2 2 2 2 2 | cpu 3 3 3 3 3 | table B 4 | D-- | you | 90 | 您已经不能再摸牌了！要重新再来吗？ 68 | 电脑胜利！ 64"},
    {"a swap", "deal 7 2 9 4 6 / 15 15 15 15 15 / 5; hand 0; key 120; hand 1; label 2",
     "hand 7^ 2^ 9 4 6 | cpu 15 15 15 15 15 | table B 5 | sel 2 7 | pick 2 7 @0 1 | DPS | done | op - | 100"},
    {"a new game keeps operator and score", "deal 7 2 9 4 6 / 1 1 1 1 1 / 5; hand 0; key 120; hand 1; set score 77; deal 1 2 3 4 5 / 6 7 8 9 10 / 11",
     "hand 1 2 3 4 5 | cpu 6 7 8 9 10 | table B 11 | D-- | you | op - | 77"},
    {"a pair laid; the computer's last pair", "deal 7 2 9 4 6 / 3 5 12 12 12 / 5; hand 0; key 120; hand 1; label 1",
     "hand 9 4 6 | cpu 12 12 12 | table 5 3 | D-- | you | op - | 100",
     "hand 9 4 6 | cpu 3 12 12 12 | table 5 2 | pick 7 2 @0 0 | --- | off | op - | 100"},
    {"a lone card laid, one left; the computer draws", "deal 7 2 9 4 6 / 15 15 15 15 15 / 9; set hand 2 9; hand 1; cards 9; label 1",
     "hand 2 | cpu 15 15 15 15 15 | table B 9 | pick 0 0 @1 -1 | D-- | you | 100"},
    {"the second card left of the first", "deal 1 3 5 8 11 / 15 15 15 15 15 / 8; hand 4; key 45; hand 1; cards 3; label 1",
     "hand 1 5 8 | cpu 15 15 15 15 15 | table B 3 | pick 0 0 @4 1 | D-- | you | op - | 100"},
    {"slots nine and eight of a full hand", "deal 1 1 1 1 1 / 15 15 15 15 15 / 6; draws 1 1 1 3 3; label 0; label 0; label 0; label 0; label 0; hand 9; hand 8; cards 3; label 1",
     "hand 1 1 1 1 1 1 1 1 | cpu 15 15 15 15 15 | table B 3 | pick 0 0 @9 8 | D-- | you | 100"},
    {"after a swap", "deal 7 2 9 4 6 / 15 15 15 15 15 / 5; hand 0; key 120; hand 1; label 2; cards 7; label 1",
     "hand 9 4 6 | cpu 15 15 15 15 15 | table B 7 | D-- | you | op - | 100"},
    {"a win; the computer first", "deal 4 9 9 9 9 / 1 2 3 4 5 / 4; set hand 4; hand 0; next 1 1 1 1 1 / 6 2 15 15 15 / 8; label 1",
     "hand 1 1 1 1 1 | cpu 15 15 15 | table 2 6 | D-- | you | 120 | 祝贺你！你赢了！ 64"},
    {"5 + 3 over a single 8", "deal 8 1 1 1 1 / 1 1 1 1 1 / 8; set cpu 3 5 8; hand 0; label 1",
     "hand 1 1 1 1 | cpu 8 | table 5 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"the later of two products", "deal 12 1 1 1 1 / 1 1 1 1 1 / 12; set cpu 2 6 3 4; hand 0; label 1",
     "hand 1 1 1 1 | cpu 2 6 | table 4 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"3 - 8 is no 5", "deal 5 1 1 1 1 / 1 1 1 1 1 / 5; set cpu 8 3; hand 0; cards 5; label 1",
     "hand 1 1 1 1 | cpu 8 3 | table B 5 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"8 - 3 is 5", "deal 5 1 1 1 1 / 1 1 1 1 1 / 5; set cpu 3 8 14; hand 0; label 1",
     "hand 1 1 1 1 | cpu 14 | table 8 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"7 / 2 is no 3", "deal 3 1 1 1 1 / 1 1 1 1 1 / 3; set cpu 2 7; hand 0; cards 3; label 1",
     "hand 1 1 1 1 | cpu 2 7 | table B 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"6 / 2 is 3", "deal 3 1 1 1 1 / 1 1 1 1 1 / 3; set cpu 2 6 14; hand 0; label 1",
     "hand 1 1 1 1 | cpu 14 | table 6 2 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"a single card", "deal 9 1 1 1 1 / 1 1 1 1 1 / 9; set cpu 9 4 9; hand 0; label 1",
     "hand 1 1 1 1 | cpu 4 9 | table B 9 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"a pair from a full hand", "deal 8 1 1 1 1 / 1 1 1 1 1 / 8; set cpu 3 5 15 15 15 15 15 15 15 15; hand 0; label 1",
     "hand 1 1 1 1 | cpu 15 15 15 15 15 15 15 15 | table 5 3 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"the card drawn into position 9", "deal 7 1 1 1 1 / 1 1 1 1 1 / 7; set cpu 1 1 1 1 1 1 1 1 1; hand 0; cards 7; label 1",
     "hand 1 1 1 1 | cpu 1 1 1 1 1 1 1 1 1 | table B 7 | pick 0 0 @0 -1 | D-- | you | 100"},
    {"9 never leads; stuck; Yes", "deal 7 1 1 1 1 / 1 1 1 1 1 / 7; set cpu 1 1 1 1 1 1 1 1 1; hand 0; cards 8 1 1 1 1 1 1 1 1 1 1; answer 6; next 2 2 2 2 2 / 3 3 3 3 3 / 4; label 1",
     "hand 2 2 2 2 2 | cpu 3 3 3 3 3 | table B 4 | D-- | you | 110 | 电脑憋死了！要继续游戏吗？ 68"},
    {"a pair; stuck; No; no record", "deal 7 1 1 1 1 / 1 1 1 1 1 / 7; set points 500 500 500 500 500 500 500 500 500 500; set cpu 1 1 1 1 1 1 1 1 1; key 99; hand 1; hand 0; cards 8; label 1; hand 2",
     "hand 1 1 1 | cpu 1 1 1 1 1 1 1 1 1 8 up | table 1 7 | pick 0 7 @0 0 | --- | off | op * | 100 | 电脑憋死了！要继续游戏吗？ 68"},
    {"stuck; No; a record of four characters", "deal 7 1 1 1 1 / 1 1 1 1 1 / 7; set cpu 1 1 1 1 1 1 1 1 1; hand 0; cards 8; input 欧阳Sophie; label 1",
     "hand 1 1 1 1 | cpu 1 1 1 1 1 1 1 1 1 8 up | table B 7 | pick 7 7 @0 -1 | --- | off | 100 | 电脑憋死了！要继续游戏吗？ 68 | 您的分数超过记录，请输入您的姓名: input | ended | saved 欧阳So  :100"},
    {"stuck after a win; plays face up", "set points 500 500 500 500 500 500 500 500 500 500; deal 4 9 9 9 9 / 1 1 1 1 1 / 4; set hand 4; hand 0; next 12 1 1 1 1 / 5 5 5 5 5 / 13; cards 5 5 5 5 6 1 1 1 1 1 1 1 1 1 1; label 1; hand 0; hand 1; label 1",
     "hand 1 1 1 | cpu 5 5 5 5 5 5 5 6 up | table 5 5 | D-- | you | 120 | 祝贺你！你赢了！ 64 | 电脑憋死了！要继续游戏吗？ 68"},
    {"the computer wins", "deal 5 1 1 1 1 / 1 1 1 1 1 / 5; set cpu 2 3; hand 0; cards 1 1; next 2 2 2 2 2 / 3 3 3 3 3 / 4; label 1",
     "hand 2 2 2 2 2 | cpu 3 3 3 3 3 | table B 4 | D-- | you | 80 | 电脑胜利！ 0"},
    {"a gem over a picked card", "deal 7 2 9 4 6 / 1 1 1 1 1 / 11; key 43; hand 0; hand 3; move Image1 0; move Image1 3; move Frame2; move Label1 0",
     "hand 7^ 2 9 4^ 6 | cpu 1 1 1 1 1 | table B 11 | sel 7 4 | pick 7 4 @0 3 | DPS | done | gem 3@3790 | lit 0 | 100"},
    {"hidden over an unpicked card", "deal 7 2 9 4 6 / 1 1 1 1 1 / 15; hand 3; move Image1 3; hand 3; move Image1 3",
     "hand 7 2 9 4 6 | cpu 1 1 1 1 1 | table B 15 | D-- | you | 100"},
    {"hidden by the background", "deal 7 2 9 4 6 / 1 1 1 1 1 / 15; hand 1; move Image1 1; move Image5 1",
     "hand 7 2^ 9 4 6 | cpu 1 1 1 1 1 | table B 15 | sel 2 - | pick 2 0 @1 0 | D-- | you | 100"},
    {"lit labels", "move Label1 0; move Frame2; move Label1 1; move Label1 2; deal 7 2 9 4 6 / 1 1 1 1 1 / 5",
     "hand 7 2 9 4 6 | cpu 1 1 1 1 1 | table B 5 | D-- | you | lit 1 2 | 100"},
    {"no other key chooses", "key 120; key 90; key 88; key 67; key 86; key 97; key 0",
     "hand | cpu | table B B | --- | off | op - | 100"},
    {"z chooses +", "key 120; key 122", "hand | cpu | table B B | --- | off | 100"},
    {"+ chooses +", "key 120; key 43", "hand | cpu | table B B | --- | off | 100"},
    {"/ chooses \\", "key 47", "hand | cpu | table B B | --- | off | op \\ | 100"},
    {"quit, No: a new game", "set score 130; next 1 1 1 1 1 / 2 2 2 2 2 / 3; menu quit",
     "hand 1 1 1 1 1 | cpu 2 2 2 2 2 | table B 3 | D-- | you | 130 | 此次操作将使程序退出！继续吗？ 68"},
    {"quit, Yes: below equal scores", "set points 500 300 300 100; set score 300; answer 6; input 欧阳Sophie; menu quit",
     "hand | cpu | table B B | --- | off | 300 | 此次操作将使程序退出！继续吗？ 68 | 您的分数超过记录，请输入您的姓名: input | ended | saved 无记录   :500 无记录   :300 无记录   :300 欧阳Soph:300 无记录   :100"},
    {"quit, Yes: the last row's points enter nothing", "set score 0; answer 6; menu quit",
     "hand | cpu | table B B | --- | off | 0 | 此次操作将使程序退出！继续吗？ 68 | ended"},
    {"quit, Yes: no name, 16 bits", "set score 70000; answer 6; menu quit",
     "hand | cpu | table B B | --- | off | 70000 | 此次操作将使程序退出！继续吗？ 68 | 您的分数超过记录，请输入您的姓名: input | ended | saved       :32767"},
    {"quit, Yes: a record that cannot be saved says so", "set failing; answer 6; menu quit",
     "hand | cpu | table B B | --- | off | 100 | 此次操作将使程序退出！继续吗？ 68 | 您的分数超过记录，请输入您的姓名: input | 高分记录无法保存到 Data.dat，此次记录将会丢失。 64 | ended"},
};
// clang-format on

TEST(Rules, EachCaseLeavesItsPosition) {
    for (const Case& c : kCases) {
        Play play;
        play.run(c.steps);
        EXPECT_EQ(play.summary(), c.after) << c.what;
        EXPECT_TRUE(!c.pause || play.pause == c.pause) << c.what << ", paused: " << play.pause;
        // A face on the table's left is what the state holds there, whoever laid it.
        const int left = play.game.board().Image4[0];
        if (left != card::kBack) {
            EXPECT_EQ(card::valueOf(left), play.game.state().tableValue[0]) << c.what;
        }
    }
}

// A deal leaves no picture in a hidden slot: the back from loading, the faces of a full hand.
TEST(Rules, ADealLeavesNoPictureInAHiddenSlot) {
    Play play;
    for (const char* deal : {"deal 7 2 9 4 6 / 1 1 1 1 1 / 5",
                             "draws 1 2 3 4 5; label 0; label 0; label 0; label 0; label 0; "
                             "deal 3 3 3 3 3 / 1 1 1 1 1 / 5"}) {
        play.run(deal);
        for (int k = 5; k < kHandSlots; ++k)
            EXPECT_EQ(play.game.board().Image1[k].picture, card::kNoPicture) << deal << k;
    }
}

// The window's list of controls: each as Name(index) Left Top Width Height in twips, an F marking
// those inside Frame2; the first and the last of each array.
TEST(Rules, EveryControlStandsWhereTheWindowListsIt) {
    const char* names[] = {"Frame2", "Option1", "Label1", "Shape1", "Image7", "Image2",
                           "Image4", "Image3",  "Image6", "Image1", "Image5"};
    std::string list;
    for (const layout::Row& row : layout::kControls)
        for (int i = row.first; i <= row.last; i += std::max(1, row.last - row.first)) {
            const Twips t = layout::place(row.control, i);
            list += std::string(names[int(row.control)]) + "(" + std::to_string(i) + ")" +
                    (row.inFrame2 ? "F " : " ") + std::to_string(t.left) + " " +
                    std::to_string(t.top) + " " + std::to_string(t.width) + " " +
                    std::to_string(t.height) + "\n";
        }
    EXPECT_EQ(
        list,
        "Frame2(0) 5400 4200 2415 1695\nOption1(0)F 240 1320 495 255\nOption1(3)F 1680 1320 495 "
        "255\n"
        "Label1(0)F 240 285 855 210\nLabel1(1)F 240 645 855 225\nLabel1(2)F 240 990 855 225\n"
        "Shape1(0)F 240 255 870 240\nShape1(1)F 240 615 870 255\nShape1(2)F 240 960 870 255\n"
        "Image7(0)F 1320 240 615 735\nImage7(1)F 1680 480 615 735\nImage7(2) 7440 3120 615 735\n"
        "Image2(0) 6240 120 1050 1440\nImage2(9) 4080 120 1050 1440\nImage4(0) 3960 2280 1050 "
        "1440\n"
        "Image4(1) 4440 2280 1050 1440\nImage3(0) 960 4080 300 315\nImage3(9) 3120 4080 300 315\n"
        "Image6(0) -120 0 3405 3690\nImage1(0) 960 4440 1110 1485\nImage1(9) 3120 4440 1110 1485\n"
        "Image5(0) 0 2520 15360 3690\nImage5(1) -120 -240 15360 3690\n");
    EXPECT_EQ(layout::toPixels(layout::kHandRaisedTop), 277);
    EXPECT_EQ(layout::toPixels(-8), -1);  // 8 of 15 twips round up
}

TEST(Rules, DelayCountsChangesOfTheClockReading) {
    struct Clock : ReplayHost {
        Clock() : ReplayHost("") {}
        float timer() override { return readings++ / 3 * 0.01f; }  // each reading three times
        void randomize() override { ++seeded; }
        void nap() override { ++naps; }  // between two readings, not to spin a core
        int readings = 0, seeded = 0, naps = 0;
    } clock;
    MemoryRecords store;
    ReplayMedia media;
    Game game(clock, store, media);
    game.load();
    EXPECT_EQ(clock.seeded, 1);
    game.delay(0);  // 0 0 0, then 0.01: four readings
    game.delay(-1);
    game.delay(2);
    EXPECT_EQ(std::pair(clock.readings, clock.naps), std::pair(13, 13 - 4));
}

TEST(Rules, LoadingMenusAndMusic) {
    Play play;
    EXPECT_EQ(play.game.board().Frame2Back, (Rgb{200, 107, 14}));
    play.run(
        "menu gao; menu help; menu about; menu music; menu music; menu music; menu new; "
        "menu music; next 6 2 3 4 5 / 6 9 9 9 9 / 6; menu new; hand 0; rand 0.9; label 1");
    ASSERT_EQ(play.boxes.size(), 3u);
    EXPECT_EQ(play.boxes[0].text, records::shownText(records::defaultRows()));
    EXPECT_EQ(card::suitOf(play.game.board().Image4[1]), 3);  // its lone 6, suit drawn
    // The check mark decides between stop and play; new plays whatever the mark says.
    const std::string file = "file /opt/tessaro/r07.mid";
    EXPECT_EQ(play.session.media().log,
              (std::vector<std::string>{"stop", "play", "stop", file, "open", "play", "play", file,
                                        "open", "play"}));
}

TEST(Rules, TheRecordsListNumbersEachRowFromZeroWithFourteenSpaces) {
    RecordRows rows = records::defaultRows();
    rows[9] = {"Li Lei", -20};
    std::string expected;
    for (int k = 0; k <= 8; ++k)
        expected += "【" + std::to_string(k) + "】无记录" + std::string(17, ' ') + "0\r\n";
    EXPECT_EQ(records::shownText(rows),
              expected + "【9】Li Lei" + std::string(14, ' ') + "-20\r\n");
}

// A translation gets whole templates, and may put their arguments in another order.
TEST(Rules, ATranslationComposesWholeSentences) {
    text::setTranslator([](const char* source) -> std::string {
        const std::string_view s = source;  // the court card of hearts' template is the last
        return s == text::kCourtNames[3]     ? "R"
               : s == text::kNoRecordName    ? "leer"
               : s == text::kRecordRow       ? "%3 %2%1%4"
               : s == text::kComputerTurn[0] ? "T0 %3:%1+%2"
               : s == text::kComputerTurn[3] ? "T3 %3:%1+%2"
                                             : "%2=%1";
    });
    EXPECT_EQ(names::card(card::faceOf(card::kKing, 2)), "13=R");
    EXPECT_EQ(names::card(card::faceOf(10, 2)), "%2=10");  // a ten is no court card
    EXPECT_EQ(names::computerTurn(0, card::kBack, card::faceOf(5, 0)), "T0 0:+%2=5");
    EXPECT_EQ(names::computerTurn(2, card::faceOf(5, 0), card::faceOf(6, 1)), "T3 2:%2=5+%2=6");
    EXPECT_EQ(records::shownText(records::defaultRows()).substr(0, 26),
              "0 leer  0%4\r\n0 leer  1%4\r\n");
    text::setTranslator(nullptr);
    EXPECT_EQ(names::card(card::kNoPicture), "空");
    EXPECT_EQ(names::card(card::faceOf(1, 2)), "红桃 A 1");  // an ace says its rank
}

}  // namespace
