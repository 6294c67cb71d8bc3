// Every text the game shows, each written once: the message boxes, the window's captions, the
// rules and the credits. Texts are UTF-8, in the game's own language; the catalogs of i18n/
// give them in others.
#pragma once

// Marks a text for the catalogs (i18n/catalog template collects what it wraps); a comment line
// starting "TRANSLATORS:" just above goes to the translators with it.
#define N_(source) source

// Message box codes: 0 OK, 64 OK with the information icon, 36 Yes/No with the question icon,
// 68 Yes/No with the information icon. Answers: OK = 1, Yes = 6, No = 7.
namespace box {
constexpr int kOk = 0;
constexpr int kOkInformation = 64;
constexpr int kYesNoQuestion = 36;
constexpr int kYesNoInformation = 68;
constexpr int kAnswerOk = 1;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

constexpr bool isYesNo(int code) {
    return code == kYesNoQuestion || code == kYesNoInformation;
}
}  // namespace box

struct Message {
    const char* text;
    const char* title;
    int code;
};

namespace text {

constexpr char kAppTitle[] = N_("Tessaro");
constexpr char kCaption[] = N_("Tessaro1.07（特别版）");

// The player's refused second card, the undo question, the ends of a game and the exit.
constexpr Message kThinkAgain{N_("你应该再想想！"), kAppTitle, box::kOk};
constexpr Message kUndo{N_("您是否要撤销已经选好的牌？"), N_("提示"), box::kYesNoQuestion};
constexpr Message kPlayerWins{N_("祝贺你！你赢了！"), N_("获胜"), box::kOkInformation};
constexpr Message kHandFull{N_("您已经不能再摸牌了！要重新再来吗？"), N_("提示"),
                            box::kYesNoInformation};
// Giving up and the computer's win share their words; the box of a give-up says who won.
constexpr Message kGaveUp{N_("电脑胜利！"), N_("胜利"), box::kOkInformation};
constexpr Message kComputerWins{N_("电脑胜利！"), kAppTitle, box::kOk};
constexpr Message kStuck{N_("电脑憋死了！要继续游戏吗？"), N_("问题"), box::kYesNoInformation};
constexpr Message kQuit{N_("此次操作将使程序退出！继续吗？"), N_("退出"), box::kYesNoInformation};
// A record that could not be kept must not vanish without a word.
constexpr Message kNotSaved{N_("高分记录无法保存到 Data.dat，此次记录将会丢失。"), kAppTitle,
                            box::kOkInformation};

// A fault in the rules: the program ends, leaving the replay script of the game behind.
constexpr char kFault[] = N_("Tessaro 出现了内部错误，需要退出。");
// TRANSLATORS: %1 is the path of the saved file.
constexpr char kFaultSaved[] = N_("重现这次错误的记录已保存在：%1");
constexpr char kFaultNotSaved[] = N_("重现这次错误的记录无法保存。");

constexpr char kNamePrompt[] = N_("您的分数超过记录，请输入您的姓名:");
constexpr char kRecordsTitle[] = N_("高分记录");

// TRANSLATORS: every line ends in \r\n; the box is narrow, so keep the lines short.
constexpr char kRules[] =
    N_("规则:\r\n"
       "用你手中的牌任意组合成电脑出的牌\r\n"
       "你可以出一张也可以两张但是必须能\r\n"
       "够通过Tessaro形成电脑出的牌，最\r\n"
       "多可以摸十张牌，如果实在无法算出\r\n"
       "就输了．\r\n"
       "快捷键：\r\n"
       "+（ｚ或ｎｕｍ+）\r\n"
       "-（ｘ或ｎｕｍ-）\r\n"
       "*（ｃ或ｎｕｍ*）\r\n"
       "/（ｖ或ｎｕｍ/）\r\n");
constexpr char kCredits[] = N_("Tessaro 1.07 特别版 — Tessaro 开发组");

// The command labels draw, play and swap, with their tips; the operator buttons.
// TRANSLATORS: each command label has room for about eight narrow letters.
constexpr const char* kLabel1[] = {N_("摸牌"), N_("出牌"), N_("交换次序")};
constexpr const char* kLabel1Tip[] = {N_("点击可以摸一张牌（最多10张）"),
                                      N_("点击将按照您排好的次序出牌"), N_("交换牌面的先后顺序")};
constexpr const char* kOption1[] = {"+", "-", "*", "\\"};

// What a screen reader says: the operators, the cards by suit, rank and value, and the places.
constexpr const char* kOption1Names[] = {N_("加"), N_("减"), N_("乘"), N_("整除")};
// TRANSLATORS: a card of clubs, diamonds, hearts or spades; %1 is the value it counts.
constexpr const char* kSuitCardNames[] = {N_("梅花 %1"), N_("方块 %1"), N_("红桃 %1"),
                                          N_("黑桃 %1")};
// TRANSLATORS: an ace or a court card: %1 is its rank (below), %2 the value it counts.
constexpr const char* kSuitCourtNames[] = {N_("梅花 %1 %2"), N_("方块 %1 %2"), N_("红桃 %1 %2"),
                                           N_("黑桃 %1 %2")};
// TRANSLATORS: the ranks ace, jack, queen and king, as a screen reader names the card.
constexpr const char* kCourtNames[] = {N_("A"), N_("J"), N_("Q"), N_("K")};
// TRANSLATORS: the black and the coloured joker; %1 is the value it counts.
constexpr char kBlackJokerName[] = N_("小王 %1");
constexpr char kColourJokerName[] = N_("大王 %1");
constexpr char kBackName[] = N_("背面");
constexpr char kNoCardName[] = N_("空");
// TRANSLATORS: %1 is a card of the hand that the player has picked.
constexpr char kPickedName[] = N_("%1，已选中");
// TRANSLATORS: %1 is the card the player has just drawn.
constexpr char kDrawnName[] = N_("摸到 %1");
// TRANSLATORS: %1 is the card that lies there.
constexpr const char* kImage4Names[] = {N_("桌上左边：%1"), N_("目标：%1")};
constexpr const char* kImage7Names[] = {N_("先出：%1"), N_("后出：%1")};

// The records list: a row's place (0 is the best), name (six characters) and points; a row
// nobody has taken yet shows its name in the player's language.
// TRANSLATORS: %1 is the row number, %2 the name, %3 the points.
constexpr char kRecordRow[] = N_("【%1】%2              %3");
// TRANSLATORS: the name of an empty row; at most six characters.
constexpr char kNoRecordName[] = N_("无记录");
// What a screen reader hears after the computer's turn, with or without cards drawn first, and
// with one card laid or two.
// TRANSLATORS: %1, %2: the cards laid (a lone card is %2), %2: the new target, %3: cards drawn
// (one or more).
constexpr const char* kComputerTurn[] = {
    N_("电脑出了 %2，新目标：%2"), N_("电脑出了 %1 和 %2，新目标：%2"),
    N_("电脑摸了 %3 张牌，出了 %2，新目标：%2"), N_("电脑摸了 %3 张牌，出了 %1 和 %2，新目标：%2")};

}  // namespace text
