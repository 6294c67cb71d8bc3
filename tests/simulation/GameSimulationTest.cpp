// Many random games through the engine, checked after every event; a failure prints the seed and
// the replay script that brings it back.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <set>

#include "MemoryRecords.h"
#include "ReplaySession.h"

namespace {

int held(const IndexedArray<CardValue, 0, 9>& hand) {
    int n = 0;
    while (n < kHandSlots && hand[n] != 0) ++n;
    return n;
}

bool loneMatch(const GameState& s) {
    return s.playerTurn && s.canPick && s.pickSlot[1] == -1 && s.pickValue[2] != 0;
}

// The simulated player: half of the events aimed at playing well enough to reach the game's
// ends, half of them anywhere at all, hidden cards and greyed labels included.
class Chooser {
public:
    explicit Chooser(std::uint32_t seed) : random_(seed) {}

    // Settings for the host where needed (an answer, a name), then one event.
    std::vector<std::string> next(const ReplaySession& session) {
        std::vector<std::string> lines;
        if (!session.loaded()) lines.push_back("seed " + std::to_string(random_()));
        if (session.host().queuedAnswers() == 0)
            lines.push_back(chance(0.5) ? "answer 6" : "answer 7");
        if (session.host().queuedInputs() == 0) lines.push_back("input " + name());
        lines.push_back(!session.loaded() ? "load"
                        : chance(0.55)    ? aimed(session.game())
                                          : anywhere());
        return lines;
    }

private:
    // Every card that completes a first pick, with the operator that makes the target.
    std::vector<std::pair<int, int>> partners(const GameState& s, int first) {
        std::vector<std::pair<int, int>> found;
        for (int k = 0; k < held(s.handValue); ++k) {
            const int a = s.handValue[first], b = s.handValue[k];
            const std::array<int, 4> results = {a + b, a - b, a * b, a / b};
            for (int option = op::kPlus; option <= op::kDivide; ++option)
                if (k != first && results[std::size_t(option)] == s.tableValue[1])
                    found.emplace_back(k, option);
        }
        return found;
    }

    std::string aimed(const Game& game) {
        const GameState& s = game.state();
        if (!s.playerTurn) return "menu new";  // before the first game, or after a stopped one
        if (!s.canPick) return chance(0.15) ? "label 2" : "label 1";
        if (s.pickValue[1] == 0) {
            std::vector<std::pair<int, int>> leads;
            for (int i = 0; i < held(s.handValue); ++i)
                if (s.handValue[i] == s.tableValue[1] || !partners(s, i).empty())
                    leads.emplace_back(i, 0);
            return leads.empty() ? "label 0" : "hand " + std::to_string(any(leads).first);
        }
        const auto found = partners(s, s.pickSlot[0]);
        if (found.empty() || (loneMatch(s) && chance(0.7)))
            return loneMatch(s)  ? "label 1"
                   : chance(0.5) ? "hand " + std::to_string(s.pickSlot[0])
                                 : "label 0";
        const auto [k, option] = any(found);
        if (option == game.board().Option1) return "hand " + std::to_string(k);
        if (chance(0.2)) return "option " + std::to_string(option);
        return "key " + std::to_string(int{(chance(0.5) ? "zxcv" : "+-*/")[option]});
    }

    std::string anywhere() {
        // Each kind of event with its weight; a last lone digit is the highest index it takes.
        static const std::array<const char*, 15> kLines = {
            "hand 9",      "label 2",       "option 3",      "key",       "move Label1 2",
            "move Frame2", "move Image1 9", "move Image5 1", "menu new",  "menu music",
            "menu gao",    "menu help",     "menu about",    "menu quit", "close"};
        static const std::array<double, 15> kWeights = {25,  15, 3,   6,   3,   3,   4,   2,
                                                        1.5, 1,  0.5, 0.3, 0.3, 0.5, 0.08};
        std::string line = kLines[std::size_t(
            std::discrete_distribution<int>(kWeights.begin(), kWeights.end())(random_))];
        if (line == "key") {
            static const std::string kKeys = "zxcv+-*/ZV\\n";
            return "key " +
                   std::to_string(chance(0.7) ? int{kKeys[std::size_t(upTo(11))]} : upTo(65535));
        }
        if (line[line.size() - 2] == ' ') line.back() = char('0' + upTo(line.back() - '0'));
        return line;
    }

    // Names of many lengths, with wide characters, blanks and comment signs; only characters
    // that Data.dat keeps as they are, so that a table printed with a failure can be rebuilt.
    std::string name() {
        static const std::array<const char*, 6> kNames = {"",     "a",       "张三",
                                                          " #ｚ", "Z7 张 #", "aZ7 #张三ｚ"};
        return kNames[std::size_t(upTo(5))];
    }

    template <typename T>
    const T& any(const std::vector<T>& from) {
        return from[std::size_t(upTo(int(from.size()) - 1))];
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    int upTo(int n) { return std::uniform_int_distribution<int>(0, n)(random_); }

    std::mt19937 random_;
};

// One run of the program, from its load to its end, with every line it was given. Runs of one
// seed share their records, as runs of the program share Data.dat, so that the table fills up.
struct ProgramRun {
    explicit ProgramRun(MemoryRecords& records) : store(records), tableAtStart(records.rows) {}
    MemoryRecords& store;
    const RecordRows tableAtStart;
    ReplaySession session{store, "/opt/tessaro"};
    std::string script;

    std::string reproduction() const {
        std::string table = "First put this table in the directory's Data.dat (iconv -t GBK):\n";
        for (const ScoreEntry& row : tableAtStart)
            table += "\"" + row.name + "\"," + std::to_string(row.points) + "\n";
        return (tableAtStart == records::defaultRows() ? "" : table) +
               "Then replay this with tessaro-replay --dir DIRECTORY:\n" + script;
    }
};

// Once ended, the program must take no event at all: a copy of the game is given one of each.
bool deafOnceEnded(const Game& game) {
    Game copy = game;
    for (int i = 0; i <= 2; ++i) {
        copy.image1Click(i), copy.label1Click(i), copy.image1MouseMove(i);
        copy.label1MouseMove(i), copy.option1Click(i), copy.keyPress("xcv"[i]);
    }
    copy.frame2MouseMove(), copy.newClick(), copy.musicClick(), copy.quitClick();
    return copy.state() == game.state() && copy.board() == game.board();
}

// Gives one line to the run; the rules it broke, if any. The deep places reached are counted,
// so that the simulation cannot quietly grow shallow.
std::vector<std::string> step(ProgramRun& run, const std::string& text,
                              std::map<std::string, int>& reached) {
    run.script += text + "\n";
    std::vector<std::string> faults;
    const auto expect = [&](bool ok, const std::string& what) {
        if (!ok) faults.push_back(what);
    };
    try {
        const ScriptLine line = readScriptLine(text);
        const Game& game = run.session.game();
        const GameState was = game.state();
        const Board board = game.board();
        const int saves = run.store.saves;
        const bool delivered = line.command == Command::Label && game.canClickLabel1(line.index);
        const auto outcome = run.session.run(line);
        if (!outcome) return {};
        const GameState& s = game.state();
        const Board& b = game.board();
        const std::string broken = game.checkInvariants();
        expect(broken.empty(), "checkInvariants: " + broken);
        const auto shown = [&](const Message& m, int answer = 0) {
            return std::count_if(outcome->dialogs.begin(), outcome->dialogs.end(), [&](auto& d) {
                return d.is(m) && (answer == 0 || d.answer == answer);
            });
        };
        const int change = 20 * int(shown(text::kPlayerWins)) - 10 * int(shown(text::kGaveUp)) -
                           20 * int(shown(text::kComputerWins)) +
                           10 * int(shown(text::kStuck, box::kAnswerYes));
        const bool saved = run.store.saves != saves;
        if (line.command == Command::Load)
            expect(s.records == run.store.rows, "the records loaded are not the stored ones");
        else
            expect(s.score - was.score == change && (saved || s.records == was.records),
                   "the score or the records changed unlike the games that ended");
        if (saved)
            expect(outcome->ended && run.store.rows == s.records, "a save did not end the program");
        if (outcome->ignored) expect(s == was && b == board, "an ignored click changed the game");
        if (game.ended()) expect(deafOnceEnded(game), "an event changed the game after its end");
        if (line.command != Command::Key && line.command != Command::Option)
            expect(b.Option1 == board.Option1, "the operator changed without a key or a button");
        if (delivered && line.index == label::kDraw && outcome->dialogs.empty()) {
            bool kept = held(s.handValue) == held(was.handValue) + 1;
            for (int k = 0; k < held(was.handValue); ++k)
                kept = kept && s.handValue[k] == was.handValue[k];
            expect(kept, "a draw did not add one card after the others");
        }
        if (delivered && line.index == label::kPlay && s.playerTurn)
            expect(b.Label1Enabled[label::kDraw] && s.canPick && s.pickValue[1] == 0 &&
                       s.pickValue[2] == 0 && s.picked == decltype(s.picked){},
                   "the turn came back with a card picked, or without draw");

        const bool record =
            !outcome->dialogs.empty() && outcome->dialogs.back().kind == ShownDialog::Kind::Input;
        reached["the player won"] += shown(text::kPlayerWins);
        reached["the player gave up"] += shown(text::kGaveUp);
        reached["the computer won"] += shown(text::kComputerWins);
        reached["a second card refused"] += shown(text::kThinkAgain);
        reached["the computer stuck"] += shown(text::kStuck);
        reached["a pair undone"] += shown(text::kUndo, box::kAnswerYes);
        reached["a record entered"] += record;
        reached["a game stopped after a stuck computer"] +=
            shown(text::kStuck, box::kAnswerNo) && !record && !outcome->ended;
        reached["the player holding ten cards"] += s.handValue[9] != 0;
        reached["the computer holding ten cards"] += s.cpuValue[9] != 0 && s.playerTurn;
        reached["a pair completed after a lone match"] +=
            loneMatch(was) && !s.canPick && s.playerTurn;
        reached["a pair swapped"] += delivered && line.index == label::kSwap;
        reached["a click ignored"] += outcome->ignored;
    } catch (const std::exception& e) {
        faults.push_back(std::string("the line failed: ") + e.what());
    }
    return faults;
}

TEST(Simulation, RandomEventsKeepTheRules) {
    std::map<std::string, int> reached;
    int failingRuns = 0;
    std::set<std::string> reported;  // the first fault of each kind printed in full
    for (std::uint32_t seed = 1; seed <= 50; ++seed) {
        Chooser chooser(seed);
        MemoryRecords records;
        auto run = std::make_unique<ProgramRun>(records);
        for (int runs = 1, e = 0; e < 4000; ++e) {
            std::vector<std::string> faults;
            for (const std::string& line : chooser.next(run->session))
                if (faults.empty()) faults = step(*run, line, reached);
            // One report for each kind of fault; a new run goes on, so that one fault does not
            // hide the others. Quit and the close box also end a run.
            if (!faults.empty() && ++failingRuns && reported.size() < 5 &&
                reported.insert(faults.front()).second)
                ADD_FAILURE() << "simulation seed " << seed << ", run " << runs << ", event "
                              << e + 1 << ": " << ::testing::PrintToString(faults) << "\n"
                              << run->reproduction();
            if (!faults.empty() || run->session.ended())
                run = std::make_unique<ProgramRun>(records), ++runs;
        }
    }
    EXPECT_EQ(failingRuns, 0) << "runs that broke a rule, in all";
    for (const auto& [what, count] : reached)
        EXPECT_GT(count, 0) << "the simulation never reached: " << what;
}

}  // namespace
