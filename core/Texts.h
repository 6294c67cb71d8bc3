// Every text the game shows, each written once: the message boxes, the window's captions, the
// rules and the credits. Texts are UTF-8.
#pragma once

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

constexpr char kAppTitle[] = "Tessaro";
constexpr char kCaption[] = "Tessaro1.07（特别版）";

// The player's refused second card, the undo question, the ends of a game and the exit.
constexpr Message kThinkAgain{"你应该再想想！", kAppTitle, box::kOk};
constexpr Message kUndo{"您是否要撤销已经选好的牌？", "提示", box::kYesNoQuestion};
constexpr Message kPlayerWins{"祝贺你！你赢了！", "获胜", box::kOkInformation};
constexpr Message kHandFull{"您已经不能再摸牌了！要重新再来吗？", "提示", box::kYesNoInformation};
// Giving up and the computer's win share their words; the box of a give-up says who won.
constexpr Message kGaveUp{"电脑胜利！", "胜利", box::kOkInformation};
constexpr Message kComputerWins{"电脑胜利！", kAppTitle, box::kOk};
constexpr Message kStuck{"电脑憋死了！要继续游戏吗？", "问题", box::kYesNoInformation};
constexpr Message kQuit{"此次操作将使程序退出！继续吗？", "退出", box::kYesNoInformation};
// A record that could not be kept must not vanish without a word.
constexpr Message kNotSaved{"高分记录无法保存到 Data.dat，此次记录将会丢失。", kAppTitle,
                            box::kOkInformation};

// A fault in the rules: the program ends, leaving the replay script of the game behind.
constexpr char kFault[] = "Tessaro 出现了内部错误，需要退出。";
constexpr char kFaultSaved[] = "重现这次错误的记录已保存在：";
constexpr char kFaultNotSaved[] = "重现这次错误的记录无法保存。";

constexpr char kNamePrompt[] = "您的分数超过记录，请输入您的姓名:";
constexpr char kRecordsTitle[] = "高分记录";

constexpr char kRules[] =
    "规则:\r\n"
    "用你手中的牌任意组合成电脑出的牌\r\n"
    "你可以出一张也可以两张但是必须能\r\n"
    "够通过Tessaro形成电脑出的牌，最\r\n"
    "多可以摸十张牌，如果实在无法算出\r\n"
    "就输了．\r\n"
    "快捷键：\r\n"
    "+（ｚ或ｎｕｍ+）\r\n"
    "-（ｘ或ｎｕｍ-）\r\n"
    "*（ｃ或ｎｕｍ*）\r\n"
    "/（ｖ或ｎｕｍ/）\r\n";
constexpr char kCredits[] = "Tessaro 1.07 特别版 — Tessaro 开发组";

// The command labels draw, play and swap, with their tips; the operator buttons.
constexpr const char* kLabel1[] = {"摸牌", "出牌", "交换次序"};
constexpr const char* kLabel1Tip[] = {"点击可以摸一张牌（最多10张）", "点击将按照您排好的次序出牌",
                                      "交换牌面的先后顺序"};
constexpr const char* kOption1[] = {"+", "-", "*", "\\"};

// What a screen reader says: the operators, the cards by suit, rank and value, and the places.
constexpr const char* kOption1Names[] = {"加", "减", "乘", "整除"};
constexpr const char* kSuitNames[] = {"梅花", "方块", "红桃", "黑桃"};
constexpr const char* kCourtNames[] = {"A", "J", "Q", "K"};  // ace, jack, queen, king
constexpr char kBlackJokerName[] = "小王";
constexpr char kColourJokerName[] = "大王";
constexpr char kBackName[] = "背面";
constexpr char kNoCardName[] = "空";
constexpr char kPickedName[] = "，已选中";
constexpr const char* kImage4Names[] = {"桌上左边：", "目标："};
constexpr const char* kImage7Names[] = {"先出：", "后出："};
// What a screen reader hears after the computer's turn.
constexpr char kComputer[] = "电脑";
constexpr char kComputerDrew[] = "摸了 %d 张牌，";
constexpr char kComputerLaid[] = "出了 ";
constexpr char kAnd[] = " 和 ";
constexpr char kNewTarget[] = "，新目标：";

}  // namespace text
