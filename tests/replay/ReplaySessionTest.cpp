// Replaying scripts through the library: a short game, dialogs, ignored clicks, chance, keys.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <random>
#include <sstream>
#include <tuple>

#include "DataFile.h"
#include "ReplayRunner.h"
#include "ReplaySession.h"

namespace {

// The random numbers that deal these cards and the target, every face a club.
std::string deal(const std::vector<int>& hand, const std::vector<int>& cpu, int target) {
    const auto card = [](int v) { return " " + std::to_string((v - 0.5) / 15); };
    std::string line = "rand";
    for (std::size_t i = 0; i < 5; ++i) line += card(hand[i]) + card(cpu[i]) + " 0.1";
    return line + card(target) + " 0.1\n";
}

// A script run in a directory of its own; every output line must be valid JSON.
struct Replayed {
    QTemporaryDir dir;
    DataFile store{dir.path(), dir.path()};
    ReplaySession session{store, dir.path().toStdString()};
    int status = -1;
    std::string errors;
    std::vector<std::string> raw;
    std::vector<QJsonObject> lines;

    explicit Replayed(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out, err;
        status = runReplay(in, out, err, session);
        errors = err.str();
        std::istringstream output(out.str());
        for (std::string line; std::getline(output, line); raw.push_back(line)) {
            lines.push_back(QJsonDocument::fromJson(line.c_str()).object());
            EXPECT_FALSE(lines.back().isEmpty()) << line;
        }
    }
};

}  // namespace

TEST(Replay, AShortGameItsRefusalAndTheComputersAnswer) {
    const Replayed run(deal({7, 2, 9, 9, 9}, {5, 3, 4, 8, 6}, 5) +
                       "load\n"
                       "menu new\n"
                       "hand 0      # the 7\n"
                       "answer 6    # for the quit: the OK box below takes nothing\n"
                       "hand 2      # 7 + 9 is no 5\n"
                       "key 45      # minus\n"
                       "hand 1      # 7 - 2 = 5\n"
                       "label 1\n"
                       "input \"\\\t\xff\n"
                       "menu quit\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 8u);
    EXPECT_EQ(run.lines[1]["state"]["handValue"], (QJsonArray{7, 2, 9, 9, 9, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(run.raw[3].starts_with(
        "{\"event\": \"hand 2\", \"ignored\": false, \"dialogs\": [{\"kind\": \"message\", "
        "\"text\": \"你应该再想想！\", \"title\": \"Tessaro\", \"code\": 0, \"answer\": 1}], "
        "\"ended\": false, \"state\": {"))
        << run.raw[3];
    EXPECT_NE(run.raw[3].find("0\\r\\n【1】无记录"), std::string::npos) << run.raw[3];
    // The computer makes 2 with 6 - 4, the last pair in its scan, and the player must make 4.
    EXPECT_EQ(run.lines[6]["state"]["handValue"], (QJsonArray{9, 9, 9, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(run.lines[6]["state"]["cpuValue"], (QJsonArray{5, 3, 8, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(run.lines[6]["state"]["tableValue"], (QJsonArray{6, 4}));
    EXPECT_TRUE(run.lines[6]["state"]["playerTurn"].toBool());
    // The quit takes the queued Yes; the name is escaped, a byte that is not UTF-8 replaced.
    EXPECT_EQ(run.lines[7]["dialogs"][0]["answer"], 6);
    EXPECT_NE(run.raw[7].find("\"answer\": \"\\\"\\\\\\t\xEF\xBF\xBD\"}"), std::string::npos);
    EXPECT_TRUE(run.lines[7]["ended"].toBool());
}

TEST(Replay, UndeliveredClicksChangeNothingAndAnUnansweredQuestionIsNo) {
    const Replayed run("load\nhand 3\nlabel 0\nmenu new\nhand 7\nlabel 1\nlabel 0\nmenu quit\n");
    ASSERT_EQ(run.lines.size(), 8u);
    // Before the first game the card backs take clicks, the greyed labels do not; in the game
    // slot 7 holds no card and nothing is picked to play.
    for (const std::size_t i : {2u, 4u, 5u}) {
        EXPECT_TRUE(run.lines[i]["ignored"].toBool()) << i;
        EXPECT_EQ(run.raw[i].substr(run.raw[i].find("\"dialogs\"")),
                  run.raw[i - 1].substr(run.raw[i - 1].find("\"dialogs\"")));
    }
    EXPECT_FALSE(run.lines[1]["ignored"].toBool());
    EXPECT_NE(run.lines[6]["state"]["handValue"][5], 0);  // drawn
    EXPECT_EQ(run.lines[7]["dialogs"][0]["answer"], 7);
    EXPECT_FALSE(run.lines[7]["ended"].toBool());

    QStringList keys;  // each at its first appearance
    const QRegularExpression key("\"(\\w+)\": ");
    for (const auto& match : key.globalMatch(QString::fromStdString(run.raw[0])))
        if (!keys.contains(match.captured(1))) keys << match.captured(1);
    EXPECT_EQ(keys.join(' ').toStdString(),
              "event ignored dialogs ended state handValue cpuValue tableValue picked pickValue "
              "pickSlot canPick playerTurn cpuPick score records board Image1 picture top visible "
              "Image2 Image3 Image4 Image7 Label1 Option1 music Shape1 solid fill border Text1");
}

TEST(Replay, QueuedNumbersComeFirstThenTheSeededGenerator) {
    const Replayed run("seed 42\nload\nrand 0.9999\nmenu new\n");
    // mt19937 seeded with N, each number its output over 2^32; a deal draws player, cpu, suit.
    std::mt19937 generator(42);
    const auto value = [&] { return static_cast<int>(generator() / 4294967296.0 * 15) + 1; };
    const int cpu0 = value();
    generator();
    EXPECT_EQ(run.lines[1]["state"]["handValue"][0], 15);
    EXPECT_EQ(run.lines[1]["state"]["cpuValue"][0], cpu0);
    EXPECT_EQ(run.lines[1]["state"]["handValue"][1], value());
}

TEST(Replay, ALineThatCannotRunStopsTheReplay) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"answer 6\nmenu new\n", replay::kBadLine,
         "line 2: the window has not loaded yet: \"load\" must come first: menu new"},
        {"load\nload\n", replay::kBadLine, "line 2: the window has already loaded: load"},
        {"load\nclose\n# no line\n\nmenu new\n", replay::kAfterEnd,
         "line 5: the program has already ended; nothing can follow: menu new"},
    };
    for (const auto& [script, status, error] : cases) {
        const Replayed run(script);
        EXPECT_EQ(run.status, status) << script;
        EXPECT_EQ(run.errors, "tessaro-replay: " + std::string(error) + "\n") << script;
    }
}
