// Many random games through the engine, checked after every event; a failure prints the seed and
// the replay script that brings it back.
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "EventChooser.h"
#include "EventJson.h"
#include "MemoryRecords.h"
#include "RecordTable.h"
#include "ReplayRunner.h"
#include "ReplaySession.h"
#include "RuleChecks.h"

namespace {

constexpr std::uint32_t kSeeds = 50;
constexpr int kEventsPerSeed = 4000;
constexpr char kAppPath[] = "/opt/tessaro";

// One run of the program: from its load to its end, with every line it was given. Runs of one
// seed share their records, as runs of the program share Data.dat, so that the table fills up.
struct ProgramRun {
    explicit ProgramRun(MemoryRecords& records) : store(records), tableAtStart(records.rows) {}
    MemoryRecords& store;
    const RecordRows tableAtStart;
    ReplaySession session{store, kAppPath};
    RuleChecks checks;
    std::vector<std::string> script;
};

bool loneMatch(const GameState& s) {
    return s.playerTurn && s.canPick && s.pickSlot[1] == -1 && s.pickValue[2] != 0;
}

// The deep places of the game, counted so that the simulation cannot quietly grow shallow.
using Reached = std::map<std::string, int>;

void noteReached(Reached& reached, const EventOutcome& outcome, const GameState& s, bool wasLone,
                 bool wasSwap) {
    bool stuckNo = false, record = false;
    for (const ShownDialog& d : outcome.dialogs) {
        if (d.kind == ShownDialog::Kind::Input)
            record = true;
        else if (d.text == "祝贺你！你赢了！")
            ++reached["the player won"];
        else if (d.text == "电脑胜利！")
            ++reached[d.title == "胜利" ? "the player gave up" : "the computer won"];
        else if (d.text == "你应该再想想！")
            ++reached["a second card refused"];
        else if (d.text == "您是否要撤销已经选好的牌？" && d.answer == 6)
            ++reached["a pair undone"];
        else if (d.text == "电脑憋死了！要继续游戏吗？") {
            ++reached["the computer stuck"];
            stuckNo = d.answer == 7;
        }
    }
    if (record) ++reached["a record entered"];
    if (stuckNo && !record && !outcome.ended) ++reached["a game stopped after a stuck computer"];
    if (s.handValue[9] != 0) ++reached["the player holding ten cards"];
    if (s.cpuValue[9] != 0 && s.playerTurn) ++reached["the computer holding ten cards"];
    if (wasLone && !s.canPick && s.playerTurn) ++reached["a pair completed after a lone match"];
    if (wasSwap) ++reached["a pair swapped"];
    if (outcome.ignored) ++reached["a click ignored"];
}

std::string replayScript(const std::vector<std::string>& script) {
    std::string text;
    for (const std::string& line : script) text += line + "\n";
    return text;
}

// What a failure prints to bring it back: the table the run started with, then its script.
std::string reproduction(const ProgramRun& run) {
    std::string text;
    if (run.tableAtStart != records::defaultRows()) {
        text += "First put this table in the directory's Data.dat (in GBK: iconv -t GBK):\n";
        for (const ScoreEntry& row : run.tableAtStart)
            text += "\"" + row.name + "\"," + std::to_string(row.points) + "\n";
    }
    return text + "Then replay this with tessaro-replay --dir DIRECTORY:\n" +
           replayScript(run.script);
}

// Gives one line to the run and checks the event it carries; the faults found, if any.
std::vector<std::string> step(ProgramRun& run, const std::string& text, Reached* reached) {
    run.script.push_back(text);
    try {
        const ScriptLine line = readScriptLine(text);
        const Game& game = run.session.game();
        const bool wasLone = loneMatch(game.state);
        const bool wasSwap =
            line.command == Command::Label && line.index == 2 && game.canClickLabel1(2);
        if (line.isEvent()) run.checks.before(game, run.store);
        const auto outcome = run.session.run(line);
        if (!outcome) return {};
        if (reached) noteReached(*reached, *outcome, game.state, wasLone, wasSwap);
        return run.checks.after(line, *outcome, game, run.store);
    } catch (const std::exception& e) {
        return {std::string("the line failed: ") + e.what()};
    }
}

}  // namespace

TEST(Simulation, RandomEventsKeepTheRules) {
    Reached reached;
    long events = 0;
    int failingRuns = 0;
    std::set<std::string> reported;  // the first fault of each failure printed in full
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        EventChooser chooser(seed);
        MemoryRecords records;
        std::unique_ptr<ProgramRun> run;
        int runs = 0;
        for (int e = 0; e < kEventsPerSeed; ++e) {
            // Quit and the close box end the program: the next event belongs to a new run.
            if (!run || run->session.ended()) {
                run = std::make_unique<ProgramRun>(records);
                ++runs;
                step(*run, chooser.seedLine(), nullptr);
            }
            std::vector<std::string> faults;
            for (const std::string& line : chooser.next(run->session)) {
                faults = step(*run, line, &reached);
                if (!faults.empty()) break;
            }
            ++events;
            if (faults.empty()) continue;

            // One report for each kind of fault; the simulation goes on with a new run, so
            // that one fault does not hide the others.
            ++failingRuns;
            if (reported.size() < 5 && reported.insert(faults.front()).second) {
                std::ostringstream report;
                report << "simulation seed " << seed << ", run " << runs << ", event " << e + 1
                       << ":\n";
                for (const std::string& fault : faults) report << "  - " << fault << "\n";
                report << reproduction(*run);
                ADD_FAILURE() << report.str();
            }
            run.reset();
        }
    }
    EXPECT_EQ(failingRuns, 0) << "runs that broke a rule, in all";
    std::cout << events << " events\n";
    for (const auto& [what, count] : reached) std::cout << "  " << what << ": " << count << "\n";

    EXPECT_GE(events, 100000);
    for (const char* what :
         {"the player won", "the player gave up", "the computer won", "the computer stuck",
          "a record entered", "a game stopped after a stuck computer",
          "the player holding ten cards", "the computer holding ten cards", "a second card refused",
          "a pair undone", "a pair completed after a lone match", "a pair swapped",
          "a click ignored"})
        EXPECT_GT(reached[what], 0) << "the simulation never reached: " << what;
}

// The script a failure prints must bring back the very same game, through the replay driver.
TEST(Simulation, ARunsScriptReplaysIt) {
    EventChooser chooser(7);
    MemoryRecords records;
    ProgramRun run(records);
    step(run, chooser.seedLine(), nullptr);
    for (int e = 0; e < 400 && !run.session.ended(); ++e) {
        for (const std::string& line : chooser.next(run.session))
            ASSERT_EQ(step(run, line, nullptr), std::vector<std::string>{}) << line;
    }
    const std::string expected =
        stateJson(run.session.game().state) + boardJson(run.session.game().board);

    MemoryRecords store;
    ReplaySession replay(store, kAppPath);
    std::istringstream script(replayScript(run.script));
    std::ostringstream out, errors;
    ASSERT_EQ(runReplay(script, out, errors, replay), 0) << errors.str();
    EXPECT_EQ(stateJson(replay.game().state) + boardJson(replay.game().board), expected);
    EXPECT_EQ(store.rows, records.rows);
}
