// The checks after each simulated event: a model of every handler's effect, built from the rules,
// compared with what the engine did, and the rules that hold between any two events.
#include "RuleChecks.h"

#include <algorithm>
#include <array>
#include <set>

#include "Answers.h"
#include "EventJson.h"
#include "RecordTable.h"

namespace {

constexpr int kBack = 55;
constexpr int kRest = 4440;
constexpr int kRaised = 4150;

using Hand = IndexedArray<CardValue, 0, 9>;

bool isFace(int picture, int value) {
    if (value >= 1 && value <= 13) return picture >= 4 * value - 3 && picture <= 4 * value;
    return (value == 14 && picture == 53) || (value == 15 && picture == 54);
}

std::vector<int> cards(const Hand& hand) {
    std::vector<int> held;
    for (int k = 0; k < kHandSlots && hand[k] != 0; ++k) held.push_back(hand[k]);
    return held;
}

bool packed(const Hand& hand) {
    for (int k = 0; k < kHandSlots; ++k) {
        if (hand[k] < 0 || hand[k] > 15) return false;
        if (k > 0 && hand[k] != 0 && hand[k - 1] == 0) return false;
    }
    return true;
}

// picIndex is a routine's scratch answer, not part of what the game is in.
bool sameState(const GameState& a, const GameState& b) {
    return a.handValue == b.handValue && a.cpuValue == b.cpuValue && a.tableValue == b.tableValue &&
           a.picked == b.picked && a.pickValue == b.pickValue && a.pickSlot == b.pickSlot &&
           a.canPick == b.canPick && a.playerTurn == b.playerTurn && a.cpuPick == b.cpuPick &&
           a.score == b.score && a.records == b.records;
}

bool sameBoard(const Board& a, const Board& b) {
    return a.Image1 == b.Image1 && a.Image2 == b.Image2 && a.Image3 == b.Image3 &&
           a.Image4 == b.Image4 && a.Image7 == b.Image7 && a.Label1Enabled == b.Label1Enabled &&
           a.Option1 == b.Option1 && a.musicChecked == b.musicChecked && a.Shape1 == b.Shape1 &&
           a.Frame2Back == b.Frame2Back && a.Text1 == b.Text1 && a.Text2 == b.Text2;
}

// The first place where two texts part, with some of each around it.
std::string difference(const std::string& expected, const std::string& actual) {
    const auto at = static_cast<std::size_t>(
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first -
        expected.begin());
    const std::size_t from = at > 80 ? at - 80 : 0;
    return "expected ..." + expected.substr(from, 160) + "...\n      got ..." +
           actual.substr(from, 160) + "...";
}

struct KnownDialog {
    const char* name;
    const char* text;  // nullptr: the record table's display text
    const char* title;
    int code;
};

const KnownDialog kKnownDialogs[] = {
    {"refused", "你应该再想想！", "Tessaro", 0},
    {"undo", "您是否要撤销已经选好的牌？", "提示", 36},
    {"win", "祝贺你！你赢了！", "获胜", 64},
    {"full", "您已经不能再摸牌了！要重新再来吗？", "提示", 68},
    {"giveUp", "电脑胜利！", "胜利", 64},
    {"computerWin", "电脑胜利！", "Tessaro", 0},
    {"stuck", "电脑憋死了！要继续游戏吗？", "问题", 68},
    {"quit", "此次操作将使程序退出！继续吗？", "退出", 68},
    {"gao", nullptr, "高分记录", 0},
    {"help", Game::kRules, "Tessaro", 0},
    {"about", Game::kCredits, "Tessaro", 0},
};

// The dialogs of one event, by name, with their answers and what they do to the score.
struct Dialogs {
    std::vector<std::string> names;
    std::vector<int> answers;
    std::string entered;  // the name typed at a record entry
    int scoreChange = 0;
    std::vector<std::string> unknown;

    bool has(const std::string& name) const {
        return std::find(names.begin(), names.end(), name) != names.end();
    }
    int answerTo(const std::string& name) const {
        const auto at = std::find(names.begin(), names.end(), name);
        return at == names.end() ? 0 : answers[static_cast<std::size_t>(at - names.begin())];
    }
    bool are(std::initializer_list<const char*> expected) const {
        return std::equal(names.begin(), names.end(), expected.begin(), expected.end());
    }
};

Dialogs readDialogs(const std::vector<ShownDialog>& shown, const std::string& text1) {
    Dialogs d;
    for (const ShownDialog& dialog : shown) {
        if (dialog.kind == ShownDialog::Kind::Input) {
            const bool known =
                dialog.text == "您的分数超过记录，请输入您的姓名:" && dialog.title == "Tessaro";
            if (!known) d.unknown.push_back(dialog.text);
            d.names.push_back("record");
            d.answers.push_back(0);
            d.entered = dialog.input;
            continue;
        }
        const auto known = std::find_if(std::begin(kKnownDialogs), std::end(kKnownDialogs),
                                        [&](const KnownDialog& k) {
                                            return dialog.text == (k.text ? k.text : text1) &&
                                                   dialog.title == k.title && dialog.code == k.code;
                                        });
        if (known == std::end(kKnownDialogs)) {
            d.unknown.push_back(dialog.text + " / " + dialog.title);
            continue;
        }
        d.names.push_back(known->name);
        d.answers.push_back(dialog.answer);
        const std::string name = known->name;
        if (name == "win") d.scoreChange += 20;
        if (name == "giveUp") d.scoreChange -= 10;
        if (name == "computerWin") d.scoreChange -= 20;
        if (name == "stuck" && dialog.answer == 6) d.scoreChange += 10;
    }
    return d;
}

class Review {
public:
    Review(const GameState& s0, const Board& b0, int saves0, const ScriptLine& line,
           const EventOutcome& outcome, const Game& game, const MemoryRecords& store)
        : s0(s0),
          b0(b0),
          saves0(saves0),
          line(line),
          outcome(outcome),
          game(game),
          s(game.state),
          b(game.board),
          store(store),
          d(readDialogs(outcome.dialogs, b0.Text1)) {}

    std::vector<std::string> run() {
        always();
        switch (line.command) {
            case Command::Load:
                load();
                break;
            case Command::Menu:
                menu();
                break;
            case Command::Hand:
                if (!outcome.ignored) handClick(line.index);
                break;
            case Command::Label:
                if (outcome.ignored) break;
                if (line.index == 0) draw();
                if (line.index == 1) play();
                if (line.index == 2) swap();
                break;
            case Command::Option:
                operatorChosen(line.index);
                break;
            case Command::Key:
                key(line.index);
                break;
            case Command::MoveLabel1:
            case Command::MoveFrame2:
            case Command::MoveImage1:
            case Command::MoveImage5:
                pointer();
                break;
            case Command::Close:
                nothingElse("the close box");
                break;
            default:
                break;
        }
        return faults;
    }

private:
    void expect(bool ok, const std::string& what) {
        if (!ok) faults.push_back(what);
    }

    // The whole state and board against a model of them.
    void expectModel(const GameState& es, const Board& eb, const std::string& what) {
        if (!sameState(es, s))
            faults.push_back(what + ": state " + difference(stateJson(es), stateJson(s)));
        if (!sameBoard(eb, b))
            faults.push_back(what + ": board " + difference(boardJson(eb), boardJson(b)));
    }

    void nothingElse(const std::string& what) {
        expect(d.names.empty(), what + " showed a dialog");
        expectModel(s0, b0, what + " changed the game");
    }

    bool lone(const GameState& st) const {
        return st.canPick && st.pickSlot[1] == -1 && st.pickValue[2] != 0;
    }

    // ---- After every event ----

    void always() {
        for (const std::string& u : d.unknown) faults.push_back("unknown dialog: " + u);
        if (const std::string broken = game.checkInvariants(); !broken.empty())
            faults.push_back("checkInvariants: " + broken);
        expect(packed(s.handValue), "the player's hand is not packed");
        expect(packed(s.cpuValue), "the computer's hand is not packed");
        if (line.command != Command::Load)
            expect(s.score - s0.score == d.scoreChange,
                   "the score went from " + std::to_string(s0.score) + " to " +
                       std::to_string(s.score) + " while the games ended changed it by " +
                       std::to_string(d.scoreChange));
        expect(b.Text2 == Game::kRules, "Text2 is not the rules");
        if (line.command != Command::Load) {
            expect(b.Text1 == b0.Text1, "Text1 changed after loading");
            if (!d.has("record")) expect(s.records == s0.records, "the records changed");
        }
        // A record entry comes only from quit answered Yes or a stuck computer answered No, and
        // exactly when the score beats the last row.
        const bool occasion = d.answerTo("quit") == 6 || d.answerTo("stuck") == 7;
        if (occasion)
            expect(d.has("record") == (s.score > s0.records[9].points),
                   "a record entry, or its absence, unlike the score " + std::to_string(s.score));
        else
            expect(!d.has("record"), "a record entry without its occasion");
        if (d.has("record"))
            expect(s.records == recordEntered(d.has("stuck") ? 4 : 6), "the record entered");
        expect(store.saves - saves0 == (d.has("record") ? 1 : 0),
               "Data.dat was saved " + std::to_string(store.saves - saves0) + " times");
        if (d.has("record")) expect(store.rows == s.records, "the saved table is not the game's");

        const bool quitYes = d.answerTo("quit") == 6;
        expect(outcome.ended == (line.command == Command::Close || quitYes || d.has("record")),
               "the program ended, or did not, unlike the rules");

        bool deliverable = true;
        if (line.command == Command::Hand) deliverable = b0.Image1[line.index].visible;
        if (line.command == Command::Label) deliverable = b0.Label1Enabled[line.index];
        expect(outcome.ignored == !deliverable, "a click was ignored, or delivered, wrongly");
        if (outcome.ignored) nothingElse("an ignored click");

        int markers = 0;
        for (int k = 0; k < kHandSlots; ++k) {
            if (!b.Image3[k].visible) continue;
            ++markers;
            expect(b.Image3[k].top == kRaised - 360, "a marker is not above a raised card");
        }
        expect(markers <= 1, "more than one marker shows");
        for (int i = 0; i <= 2; ++i) {
            const ButtonFrame& f = b.Shape1[i];
            const bool lit = f.solid && f.fill == Rgb{255, 255, 0} && f.border == Rgb{0, 0, 255};
            const bool plain = !f.solid && f.fill == Rgb{0, 0, 255} && f.border == Rgb{0, 0, 0};
            expect(lit || plain, "Shape1(" + std::to_string(i) + ") is neither lit nor plain");
        }
        expect(b.Option1 >= 0 && b.Option1 <= 3, "no operator button is set");

        if (s0.handValue[0] != 0)
            expect(s.handValue[0] != 0 && s.cpuValue[0] != 0, "a hand stayed empty");
        if (s.handValue[0] != 0)
            dealtBoard();
        else
            undealtBoard();
    }

    void undealtBoard() {
        expect(!s.playerTurn, "the player is to move before the first game");
        for (int k = 0; k < kHandSlots; ++k) {
            expect(b.Image1[k] == HandPicture{kBack, kRest, true},
                   "Image1(" + std::to_string(k) + ") is not a card back before the first game");
            expect(!s.picked[k] && s.cpuValue[k] == 0, "cards before the first game");
        }
        for (int i = 0; i <= 2; ++i) expect(!b.Label1Enabled[i], "a label enabled before a game");
    }

    void dealtBoard() {
        for (int k = 0; k < kHandSlots; ++k) {
            const std::string slot = "(" + std::to_string(k) + ")";
            const int value = s.handValue[k];
            expect(b.Image1[k].visible == (value != 0), "Image1" + slot + " visibility");
            if (value != 0)
                expect(isFace(b.Image1[k].picture, value), "Image1" + slot + " shows another card");
            expect(!s.picked[k] || value != 0, "empty slot " + slot + " is picked");
            expect(b.Image1[k].top == (s.picked[k] ? kRaised : kRest),
                   "Image1" + slot + " is raised unlike its pick");
            const int cpu = s.cpuValue[k];
            expect(b.Image2[k].visible == (cpu != 0), "Image2" + slot + " visibility");
            // Face up only after a stuck computer, and then showing its own card.
            if (cpu != 0)
                expect(b.Image2[k].picture == kBack || isFace(b.Image2[k].picture, cpu),
                       "Image2" + slot + " shows another card");
        }
        const int left = s.tableValue[0], right = s.tableValue[1];
        if (right != 0) expect(isFace(b.Image4[1], right), "Image4(1) is not the target");
        expect(b.Image4[0] == kBack || (left != 0 && isFace(b.Image4[0], left)),
               "Image4(0) shows another card");
        if (s.playerTurn) {
            expect(right >= 1 && right <= 15, "the target is " + std::to_string(right));
            selection();
        } else {
            for (int i = 0; i <= 2; ++i)
                expect(!b.Label1Enabled[i], "a label is enabled outside the player's turn");
        }
    }

    // The four states of the selection, each with its picks, slots and labels.
    void selection() {
        std::set<int> picked;
        for (int k = 0; k < kHandSlots; ++k)
            if (s.picked[k]) picked.insert(k);
        const int ps0 = s.pickSlot[0], ps1 = s.pickSlot[1];
        const auto value = [&](int k) { return k >= 0 && k < 10 ? int{s.handValue[k]} : -1; };
        const auto picture = [&](int k) { return k >= 0 && k < 10 ? b.Image1[k].picture : -1; };
        const auto labels = [&](bool draw, bool play, bool swap) {
            return b.Label1Enabled[0] == draw && b.Label1Enabled[1] == play &&
                   b.Label1Enabled[2] == swap;
        };
        const int target = s.tableValue[1];
        if (!s.canPick) {
            expect(picked == std::set<int>{ps0, ps1} && ps0 != ps1, "a pair is not both raised");
            bool gives = false;
            for (int option = 0; option < 4; ++option)
                gives = gives || playerResult(option, static_cast<CardValue>(value(ps0)),
                                              static_cast<CardValue>(value(ps1))) == target;
            expect(gives, "an accepted pair does not give the target");
            const std::array<int, 4> asPicked{value(ps0), picture(ps0), value(ps1), picture(ps1)};
            const std::array<int, 4> swapped{value(ps1), picture(ps1), value(ps0), picture(ps0)};
            const std::array<int, 4> shown{s.pickValue[1], b.Image7[0], s.pickValue[2],
                                           b.Image7[1]};
            expect(shown == asPicked || shown == swapped, "the selection slots are not the pair");
            expect(labels(true, true, true), "labels of a complete pair");
        } else if (lone(s)) {
            expect(picked == std::set<int>{ps0}, "the lone card is not the one raised");
            expect(s.pickValue[1] == target && s.pickValue[2] == target && value(ps0) == target,
                   "the lone card is not the target");
            expect(b.Image7[0] == kBack && b.Image7[1] == picture(ps0), "the lone card's slots");
            expect(labels(false, true, false), "labels of a lone match");
        } else if (s.pickValue[1] != 0) {
            expect(picked == std::set<int>{ps0}, "the first card is not the one raised");
            expect(s.pickValue[1] == value(ps0) && s.pickValue[1] != target && s.pickValue[2] == 0,
                   "the first card's values");
            expect(b.Image7[0] == picture(ps0) && b.Image7[1] == 0, "the first card's slots");
            expect(labels(true, false, false), "labels with a first card");
        } else {
            expect(picked.empty() && s.pickValue[2] == 0, "picks with nothing picked");
            expect(b.Image7[0] == 0 && b.Image7[1] == 0, "selection slots with nothing picked");
            expect(labels(true, false, false), "labels with nothing picked");
        }
    }

    // ---- Events ----

    void load() {
        expect(d.names.empty(), "loading showed a dialog");
        expect(s.score == 100, "the score does not start at 100");
        expect(s.records == store.rows, "the records are not the stored ones");
        expect(b.Text1 == records::displayText(s.records), "Text1 is not the record table");
        expect(!s.playerTurn, "the player is to move at load");
        expect(b.Frame2Back == (Rgb{200, 107, 14}), "Frame2's colour");
        expect(b.Option1 == 0 && b.musicChecked, "the operator or the music at start");
        for (int k = 0; k < kHandSlots; ++k) expect(!b.Image3[k].visible, "a marker shows at load");
    }

    void freshDeal(const std::string& what) {
        for (int k = 0; k < kHandSlots; ++k) {
            const bool dealt = k < 5;
            const std::string slot = "(" + std::to_string(k) + ")";
            expect(dealt ? s.handValue[k] >= 1 && s.handValue[k] <= 15 : s.handValue[k] == 0,
                   what + ": handValue" + slot);
            expect(dealt ? s.cpuValue[k] >= 1 && s.cpuValue[k] <= 15 : s.cpuValue[k] == 0,
                   what + ": cpuValue" + slot);
            expect(!s.picked[k] && b.Image1[k].top == kRest, what + ": a card is raised");
            expect(b.Image1[k].visible == dealt, what + ": Image1" + slot + " visibility");
            expect(b.Image2[k] == CpuPicture{kBack, dealt}, what + ": Image2" + slot);
        }
        expect(s.tableValue[0] == 0 && s.tableValue[1] >= 1 && s.tableValue[1] <= 15,
               what + ": the table");
        expect(b.Image4[0] == kBack, what + ": Image4(0)");
        expect(
            s.pickValue[1] == 0 && s.pickValue[2] == 0 && s.pickSlot[0] == 0 && s.pickSlot[1] == 0,
            what + ": the picks");
        expect(s.canPick && s.playerTurn, what + ": the player is not to move");
        expect(b.Image7[0] == 0 && b.Image7[1] == 0 && b.Image7[2] == b0.Image7[2],
               what + ": the selection slots");
        expect(b.Label1Enabled[0] && !b.Label1Enabled[1] && !b.Label1Enabled[2],
               what + ": the labels");
        expect(b.Option1 == b0.Option1 && b.musicChecked == b0.musicChecked &&
                   b.Shape1 == b0.Shape1 && b.Image3 == b0.Image3,
               what + ": touched the operator, the music or the hover effects");
    }

    void menu() {
        const std::string& item = line.menu;
        if (item == "new") {
            expect(d.names.empty(), "new showed a dialog");
            freshDeal("new");
        } else if (item == "music") {
            Board eb = b0;
            eb.musicChecked = !b0.musicChecked;
            expect(d.names.empty(), "music showed a dialog");
            expectModel(s0, eb, "music");
        } else if (item == "gao" || item == "help" || item == "about") {
            expect(d.are({item.c_str()}), item + " did not show its box alone");
            expectModel(s0, b0, item);
        } else if (item == "quit") {
            quit();
        }
    }

    void quit() {
        if (d.answerTo("quit") != 6) {
            expect(d.are({"quit"}), "quit, answered No, showed more");
            freshDeal("quit answered No");
            return;
        }
        const bool qualifies = s0.score > s0.records[9].points;
        expect(qualifies ? d.are({"quit", "record"}) : d.are({"quit"}),
               "the record entry after quit, or its absence");
        GameState es = s0;
        if (d.has("record")) es.records = recordEntered(6);
        expectModel(es, b0, "quit answered Yes");
    }

    // The table after a record entry with the score as it stands, worked out from the rules.
    RecordRows recordEntered(int nameKeep) const {
        RecordRows rows = s0.records;
        int pos = 0;
        while (pos < 9 && s.score <= rows[static_cast<std::size_t>(pos)].points) ++pos;
        for (int k = 8; k >= pos; --k)
            rows[static_cast<std::size_t>(k + 1)] = rows[static_cast<std::size_t>(k)];
        rows[static_cast<std::size_t>(pos)] = {
            records::fitName(d.entered, nameKeep),
            static_cast<std::int16_t>(std::clamp(s.score, -32768, 32767))};
        return rows;
    }

    void handClick(int k) {
        GameState es = s0;
        Board eb = b0;
        const CardValue target = s0.tableValue[1];
        const auto unpick = [&](bool wasLone) {
            eb.Image1[k].top = kRest;
            es.picked[k] = false;
            es.pickValue[1] = 0;
            es.pickSlot[0] = 0;
            eb.Image7[0] = 0;
            if (wasLone) {
                es.pickValue[2] = 0;
                es.pickSlot[1] = 0;
                eb.Image7[1] = 0;
                eb.Label1Enabled[1] = false;
                eb.Label1Enabled[0] = true;
            }
        };
        std::string what = "a click on a card";
        bool refused = false, undo = false;
        if (!s0.playerTurn) {
            unpick(false);
        } else if (!s0.picked[k] && s0.canPick) {
            eb.Image1[k].top = kRaised;
            es.picked[k] = true;
            const int picture = b0.Image1[k].picture;
            if (s0.pickValue[1] == 0) {
                what = "a first card";
                es.pickValue[1] = s0.handValue[k];
                es.pickSlot[0] = static_cast<std::int16_t>(k);
                eb.Image7[0] = picture;
                if (s0.handValue[k] == target) {
                    what = "a lone match";
                    eb.Label1Enabled[0] = eb.Label1Enabled[2] = false;
                    es.pickValue[2] = s0.handValue[k];
                    es.pickSlot[1] = -1;
                    eb.Image7[0] = kBack;
                    eb.Image7[1] = picture;
                    eb.Label1Enabled[1] = true;
                }
            } else if (playerResult(b0.Option1, s0.pickValue[1], s0.handValue[k]) != target) {
                what = "a refused second card";
                refused = true;
                es = s0;
                eb = b0;
            } else {
                what = "an accepted second card";
                if (lone(s0)) {
                    eb.Image7[0] = b0.Image1[s0.pickSlot[0]].picture;
                    eb.Label1Enabled[0] = true;
                }
                es.canPick = false;
                es.pickValue[2] = s0.handValue[k];
                es.pickSlot[1] = static_cast<std::int16_t>(k);
                eb.Image7[1] = picture;
                eb.Label1Enabled[1] = eb.Label1Enabled[2] = true;
            }
        } else if (!s0.canPick) {
            what = "the undo question";
            undo = true;
            if (d.answerTo("undo") == 6) {
                for (int i = 0; i < kHandSlots; ++i) {
                    eb.Image1[i].top = kRest;
                    es.picked[i] = false;
                }
                eb.Label1Enabled[1] = eb.Label1Enabled[2] = false;
                es.pickValue[1] = es.pickValue[2] = 0;
                es.pickSlot[0] = es.pickSlot[1] = 0;
                eb.Image7[0] = eb.Image7[1] = 0;
                es.canPick = true;
            }
        } else {
            what = "taking a card back";
            unpick(lone(s0));
        }
        if (refused)
            expect(d.are({"refused"}), what + " without its message");
        else if (undo)
            expect(d.are({"undo"}), what + " not asked");
        else
            expect(d.names.empty(), what + " showed a dialog");
        expectModel(es, eb, what);
    }

    void draw() {
        expect(s0.playerTurn, "draw was enabled outside the player's turn");
        const int n = static_cast<int>(cards(s0.handValue).size());
        if (n < kHandSlots) {
            expect(d.names.empty(), "a draw showed a dialog");
            GameState es = s0;
            Board eb = b0;
            es.handValue[n] = s.handValue[n];
            expect(s.handValue[n] >= 1 && s.handValue[n] <= 15, "a drawn card's value");
            eb.Image1[n].picture = b.Image1[n].picture;
            eb.Image1[n].visible = true;
            expectModel(es, eb, "a draw");
            return;
        }
        if (d.answerTo("full") != 6) {
            expect(d.are({"full"}), "a full hand's draw, answered No, showed more");
            expectModel(s0, b0, "a full hand's draw answered No");
            return;
        }
        expect(d.are({"full", "giveUp"}), "giving up did not say that the computer won");
        freshDeal("giving up");
    }

    void swap() {
        expect(s0.playerTurn && !s0.canPick, "swap was enabled without a complete pair");
        GameState es = s0;
        Board eb = b0;
        std::swap(es.pickValue[1], es.pickValue[2]);
        eb.Image7[2] = b0.Image7[0];
        eb.Image7[0] = b0.Image7[1];
        eb.Image7[1] = b0.Image7[0];
        expect(d.names.empty(), "swap showed a dialog");
        expectModel(es, eb, "swap");
    }

    void play() {
        expect(s0.playerTurn && (lone(s0) || !s0.canPick), "play was enabled without an answer");
        const int ps0 = s0.pickSlot[0], ps1 = s0.pickSlot[1];
        std::vector<int> values, pictures;
        for (int k = 0; k < kHandSlots && s0.handValue[k] != 0; ++k) {
            if (k == ps0 || k == ps1) continue;
            values.push_back(s0.handValue[k]);
            pictures.push_back(b0.Image1[k].picture);
        }
        for (const std::string& name : d.names) {
            const bool allowed = name == "win" || name == "computerWin" || name == "stuck" ||
                                 (name == "record" && d.answerTo("stuck") == 7);
            expect(allowed, "a play showed " + name);
        }
        expect(d.has("win") == values.empty(), "the player's win and his empty hand disagree");
        if (d.has("computerWin") || d.answerTo("stuck") == 6) {
            freshDeal("a game ended in the computer's turn");
            return;
        }
        if (d.has("win")) return;  // the computer's turn ran in a new deal: nothing to compare

        expect(cards(s.handValue) == values, "the player's hand after his play");
        for (std::size_t k = 0; k < pictures.size(); ++k)
            expect(b.Image1[static_cast<int>(k)].picture == pictures[k],
                   "the player's pictures did not close up with his cards");
        const int target = s0.pickValue[2];
        const std::vector<int> cpuBefore = cards(s0.cpuValue), cpuAfter = cards(s.cpuValue);
        if (d.has("stuck")) {
            expect(computerStuck(cpuBefore, cpuAfter, target),
                   "the computer is stuck although the rules give it an answer to " +
                       std::to_string(target));
            for (int k = 0; k < kHandSlots; ++k)
                expect(isFace(b.Image2[k].picture, s.cpuValue[k]), "a stuck hand is not shown");
            if (d.has("record")) return;
            expect(!s.playerTurn, "the turn was handed back after a stuck computer");
            expect(s.tableValue[0] == s0.pickValue[1] && s.tableValue[1] == target &&
                       b.Image4[0] == b0.Image7[0] && b.Image4[1] == b0.Image7[1],
                   "the table does not hold the player's play");
            return;
        }
        const int left = s.tableValue[0], right = s.tableValue[1];
        expect(computerLaid(cpuBefore, cpuAfter, left, right, target),
               "the computer's answer " + std::to_string(left) + ", " + std::to_string(right) +
                   " to " + std::to_string(target) + " is not the rules' choice");
        expect(left == 0 ? b.Image4[0] == kBack : isFace(b.Image4[0], left),
               "Image4(0) is not the computer's left card");
        expect(s.playerTurn && s.canPick && s.pickValue[1] == 0 && s.pickValue[2] == 0,
               "the turn was not handed back");
    }

    void operatorChosen(int option) {
        Board eb = b0;
        eb.Option1 = option;
        expect(d.names.empty(), "an operator button showed a dialog");
        expectModel(s0, eb, "an operator button");
    }

    void key(int code) {
        static const std::array<std::pair<int, int>, 8> kShortcuts = {
            {{'z', 0}, {'x', 1}, {'c', 2}, {'v', 3}, {'+', 0}, {'-', 1}, {'*', 2}, {'/', 3}}};
        Board eb = b0;
        for (const auto& [character, option] : kShortcuts)
            if (code == character) eb.Option1 = option;
        expect(d.names.empty(), "a key showed a dialog");
        expectModel(s0, eb, "key " + std::to_string(code));
    }

    void pointer() {
        Board eb = b0;
        const int i = line.index;
        switch (line.command) {
            case Command::MoveLabel1:
                eb.Shape1[i] = {true, {255, 255, 0}, {0, 0, 255}};
                break;
            case Command::MoveFrame2:
                for (int f = 0; f <= 2; ++f) eb.Shape1[f] = {false, {0, 0, 255}, {0, 0, 0}};
                break;
            case Command::MoveImage1:
            case Command::MoveImage5:
                for (int k = 0; k < kHandSlots; ++k) eb.Image3[k].visible = false;
                if (line.command == Command::MoveImage1 && s0.picked[i])
                    eb.Image3[i] = {b0.Image1[i].top - 360, true};
                break;
            default:
                break;
        }
        expect(d.names.empty(), "a pointer move showed a dialog");
        expectModel(s0, eb, "a pointer move");
    }

    const GameState& s0;
    const Board& b0;
    const int saves0;
    const ScriptLine& line;
    const EventOutcome& outcome;
    const Game& game;
    const GameState& s;
    const Board& b;
    const MemoryRecords& store;
    const Dialogs d;
    std::vector<std::string> faults;
};

}  // namespace

void RuleChecks::before(const Game& game, const MemoryRecords& store) {
    state_ = game.state;
    board_ = game.board;
    saves_ = store.saves;
}

std::vector<std::string> RuleChecks::after(const ScriptLine& line, const EventOutcome& outcome,
                                           const Game& game, const MemoryRecords& store) const {
    return Review(state_, board_, saves_, line, outcome, game, store).run();
}
