// Operator keys, hover effects, menus and the music commands they send.
#include <gtest/gtest.h>

#include "ScriptedHost.h"

TEST(OperatorKeys, LowerCaseLettersAndSignsChooseTheirButton) {
    Table t;
    const struct {
        int code;
        int option;
    } keys[] = {{'x', 1}, {'z', 0}, {'c', 2}, {'v', 3}, {'-', 1}, {'+', 0}, {'*', 2}, {'/', 3}};
    for (const auto& k : keys) {
        t.game.keyPress(k.code);
        EXPECT_EQ(t.game.board.Option1, k.option) << "key " << k.code;
    }
    for (int code : {int{'Z'}, int{'X'}, int{'C'}, int{'V'}, int{'a'}, int{'1'}, 24, 0})
        t.game.keyPress(code);
    EXPECT_EQ(t.game.board.Option1, 3);
    t.game.option1Click(1);
    EXPECT_EQ(t.game.board.Option1, 1);
}

TEST(Hover, LabelsLightUntilThePointerCrossesTheFrame) {
    Table t;
    Board& b = t.game.board;
    const ButtonFrame lit{true, {255, 255, 0}, {0, 0, 255}};
    const ButtonFrame plain{false, {0, 0, 255}, {0, 0, 0}};
    EXPECT_EQ(b.Shape1[0], plain);
    // From "摸牌" down to "出牌" across the frame's surface.
    t.game.label1MouseMove(0);
    EXPECT_EQ(b.Shape1[0], lit);
    t.game.frame2MouseMove();
    t.game.label1MouseMove(1);
    EXPECT_EQ(b.Shape1[0], plain);
    EXPECT_EQ(b.Shape1[1], lit);
    // Jumping label to label leaves both lit; a new game does not clear them.
    t.game.label1MouseMove(2);
    t.game.newClick();
    EXPECT_EQ(b.Shape1[1], lit);
    EXPECT_EQ(b.Shape1[2], lit);
    t.game.frame2MouseMove();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(b.Shape1[i], plain);
}

TEST(Hover, TheMarkerFollowsThePointerOverPickedCards) {
    Table t;
    t.deal({7, 2, 9, 4, 6}, {1, 1, 1, 1, 1}, 15);
    Board& b = t.game.board;
    auto shown = [&] {
        std::vector<int> v;
        for (int k = 0; k < 10; ++k)
            if (b.Image3[k].visible) v.push_back(k);
        return v;
    };
    t.game.image1MouseMove(3);  // not picked: nothing shows
    EXPECT_TRUE(shown().empty());
    t.game.image1Click(3);
    t.game.image1MouseMove(3);
    EXPECT_EQ(shown(), std::vector<int>{3});
    EXPECT_EQ(Board::image3Left(3), 1680);
    EXPECT_EQ(b.Image3[3].top, 3790);
    // Other places keep it; an unpick keeps it until the next move over a card.
    t.game.frame2MouseMove();
    t.game.label1MouseMove(0);
    t.game.image1Click(3);
    EXPECT_EQ(shown(), std::vector<int>{3});
    t.game.image1MouseMove(3);
    EXPECT_TRUE(shown().empty());
    t.game.image1Click(1);
    t.game.image1MouseMove(1);
    EXPECT_EQ(shown(), std::vector<int>{1});
    t.game.image5MouseMove(0);
    EXPECT_TRUE(shown().empty());
}

TEST(Menus, HelpAndAboutBeforeAnyGame) {
    Table t;
    t.game.helpClick();
    t.game.aboutClick();
    ASSERT_EQ(t.host.dialogs.size(), 2u);
    const Dialog& help = t.host.dialogs[0];
    EXPECT_EQ(help.title, "Tessaro");
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.text,
              "规则:\r\n用你手中的牌任意组合成电脑出的牌\r\n你可以出一张也可以两张但是必须能\r\n"
              "够通过Tessaro形成电脑出的牌，最\r\n多可以摸十张牌，如果实在无法算出\r\n就输了．\r\n"
              "快捷键：\r\n+（ｚ或ｎｕｍ+）\r\n-（ｘ或ｎｕｍ-）\r\n*（ｃ或ｎｕｍ*）\r\n/"
              "（ｖ或ｎｕｍ/）\r\n");
    EXPECT_EQ(t.host.dialogs[1].title, "Tessaro");
    EXPECT_EQ(t.host.dialogs[1].code, 0);
    EXPECT_EQ(t.host.dialogs[1].text.find('\n'), std::string::npos);
    EXPECT_EQ(t.game.checkInvariants(), "");
}

TEST(Menus, GaoShowsTheTableAsLoaded) {
    Table t;
    t.game.gaoClick();
    ASSERT_EQ(t.host.dialogs.size(), 1u);
    EXPECT_EQ(t.host.dialogs[0].title, "高分记录");
    EXPECT_EQ(t.host.dialogs[0].code, 0);
    EXPECT_EQ(t.host.dialogs[0].text, t.game.board.Text1);
    EXPECT_EQ(t.game.board.Text1, records::displayText(records::defaultRows()));
}

TEST(Music, TheCheckMarkDecidesBetweenStopAndPlay) {
    Table t;
    auto& log = t.host.mediaLog;
    // Before any game: stop to the unopened control, then play.
    t.game.musicClick();
    EXPECT_FALSE(t.game.board.musicChecked);
    t.game.musicClick();
    EXPECT_TRUE(t.game.board.musicChecked);
    EXPECT_EQ(log, (std::vector<std::string>{"stop", "play"}));

    // Off, then new: the tune plays but the mark stays off; the next click plays again.
    log.clear();
    t.game.musicClick();
    t.game.newClick();
    EXPECT_FALSE(t.game.board.musicChecked);
    t.game.musicClick();
    t.game.musicClick();
    t.game.newClick();
    EXPECT_EQ(log,
              (std::vector<std::string>{"stop", "file /opt/tessaro/r07.mid", "open", "play", "play",
                                        "stop", "file /opt/tessaro/r07.mid", "open", "play"}));
    EXPECT_FALSE(t.game.board.musicChecked);
}
