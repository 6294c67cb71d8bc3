// The checks after each simulated event. They judge outcomes, never redo a handler's work: the
// engine's effects are pinned down case by case in its own tests.
#include "RuleChecks.h"

#include "EventJson.h"

namespace {

bool isFace(int picture, int value) {
    if (value >= 1 && value <= 13) return picture >= 4 * value - 3 && picture <= 4 * value;
    return (value == 14 && picture == 53) || (value == 15 && picture == 54);
}

int held(const IndexedArray<CardValue, 0, 9>& hand) {
    int n = 0;
    while (n < kHandSlots && hand[n] != 0) ++n;
    return n;
}

std::string snapshot(const GameState& state, const Board& board) {
    return stateJson(state) + boardJson(board);
}

// What the games that ended in one event did to the score, told by the dialogs that ended them.
int scoreChange(const std::vector<ShownDialog>& dialogs) {
    int change = 0;
    for (const ShownDialog& d : dialogs) {
        if (d.text == "祝贺你！你赢了！") change += 20;
        if (d.text == "电脑胜利！") change += d.title == "胜利" ? -10 : -20;
        if (d.text == "电脑憋死了！要继续游戏吗？" && d.answer == 6) change += 10;
    }
    return change;
}

// Once ended, the program must take no event at all. The run's session refuses further lines, so
// a copy of the game, which shares the run's finished host, is given one of each.
bool deafOnceEnded(const Game& game) {
    Game copy = game;
    for (int i = 0; i <= 2; ++i) {
        copy.image1Click(i);
        copy.label1Click(i);
        copy.image1MouseMove(i);
        copy.label1MouseMove(i);
    }
    copy.option1Click(3);
    copy.keyPress('x');
    copy.frame2MouseMove();
    copy.newClick();
    copy.musicClick();
    copy.quitClick();
    return snapshot(copy.state, copy.board) == snapshot(game.state, game.board);
}

}  // namespace

void RuleChecks::before(const Game& game, const MemoryRecords& store) {
    state_ = game.state;
    board_ = game.board;
    saves_ = store.saves;
}

std::vector<std::string> RuleChecks::after(const ScriptLine& line, const EventOutcome& outcome,
                                           const Game& game, const MemoryRecords& store) const {
    std::vector<std::string> faults;
    const auto expect = [&](bool ok, const std::string& what) {
        if (!ok) faults.push_back(what);
    };
    const GameState& s = game.state;
    const Board& b = game.board;
    if (const std::string broken = game.checkInvariants(); !broken.empty())
        faults.push_back("checkInvariants: " + broken);

    const bool loading = line.command == Command::Load;
    const bool saved = store.saves != saves_;
    if (loading) {
        expect(s.records == store.rows, "the records loaded are not the stored ones");
    } else {
        expect(s.score - state_.score == scoreChange(outcome.dialogs),
               "the score went from " + std::to_string(state_.score) + " to " +
                   std::to_string(s.score) + " unlike the games that ended");
        expect(saved || s.records == state_.records, "the records changed without a save");
    }
    if (saved) expect(outcome.ended && store.rows == s.records, "a save did not end the program");
    if (outcome.ignored)
        expect(snapshot(s, b) == snapshot(state_, board_), "an ignored click changed the game");
    if (game.ended()) expect(deafOnceEnded(game), "an event changed the game after its end");
    if (line.command != Command::Key && line.command != Command::Option)
        expect(b.Option1 == board_.Option1, "the operator changed without a key or a button");

    for (int k = 0; k < kHandSlots; ++k)
        if (s.cpuValue[k] != 0)
            expect(b.Image2[k].picture == kCardBack || isFace(b.Image2[k].picture, s.cpuValue[k]),
                   "Image2(" + std::to_string(k) + ") shows another card");
    const bool delivered = !outcome.ignored && line.command == Command::Label;
    if (delivered && line.index == 0 && outcome.dialogs.empty()) {
        const int n = held(state_.handValue);
        bool kept = held(s.handValue) == n + 1;
        for (int k = 0; k < n; ++k) kept = kept && s.handValue[k] == state_.handValue[k];
        expect(kept, "a draw did not add one card after the others");
    }
    if (delivered && line.index == 1 && s.playerTurn)
        expect(b.Label1Enabled[0] && s.canPick && s.pickValue[1] == 0 && s.pickValue[2] == 0 &&
                   s.picked == decltype(s.picked){},
               "the turn came back with a card picked, or without draw");
    return faults;
}
