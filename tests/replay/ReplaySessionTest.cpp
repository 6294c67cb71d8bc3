// Replaying scripts through the library: a whole short game, dialogs, ignored clicks, the end,
// the documented random source, and the output line's fields.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <random>
#include <sstream>

#include "DataFile.h"
#include "EventJson.h"
#include "RecordTable.h"
#include "ReplayRunner.h"
#include "ReplaySession.h"

namespace {

// The random numbers that make card value v with a club face.
std::string card(int v) {
    return std::to_string((v - 0.5) / 15) + " 0.1";
}

std::string deal(const std::vector<int>& hand, const std::vector<int>& cpu, int target) {
    std::string line = "rand";
    for (std::size_t i = 0; i < 5; ++i)
        line += " " + std::to_string((hand[i] - 0.5) / 15) + " " +
                std::to_string((cpu[i] - 0.5) / 15) + " 0.1";
    return line + " " + card(target);
}

struct Replay : ::testing::Test {
    QTemporaryDir dir;
    DataFile store{dir.path(), dir.path()};
    ReplaySession session{store, dir.path().toStdString()};
    std::vector<QJsonObject> lines;
    std::vector<std::string> raw;
    std::string errors;

    // Runs a script; the output lines are parsed, so every one must be valid JSON.
    int run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out, err;
        const int status = runReplay(in, out, err, session);
        errors = err.str();
        std::istringstream output(out.str());
        for (std::string line; std::getline(output, line);) {
            QJsonParseError error;
            const QJsonDocument doc =
                QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
            lines.push_back(doc.object());
            raw.push_back(line);
        }
        return status;
    }
    static std::vector<int> ints(const QJsonValue& array) {
        std::vector<int> v;
        for (const QJsonValue& x : array.toArray()) v.push_back(x.toInt());
        return v;
    }
    const QJsonObject& last() const { return lines.back(); }
    QJsonObject state() const { return last()["state"].toObject(); }
    QJsonObject board() const { return last()["board"].toObject(); }
};

}  // namespace

TEST_F(Replay, AShortGameDealPickPlayAndTheComputersAnswer) {
    ASSERT_TRUE(dir.isValid());
    const std::string script = deal({7, 2, 9, 9, 9}, {5, 3, 4, 8, 6}, 5) +
                               "\n"
                               "load\n"
                               "menu new\n"
                               "hand 0      # the 7\n"
                               "key 45      # minus\n"
                               "hand 1      # 7 - 2 = 5\n"
                               "rand 0.1 0.1\n"
                               "label 1\n";
    ASSERT_EQ(run(script), 0) << errors;
    ASSERT_EQ(lines.size(), 6u);

    EXPECT_EQ(lines[1]["event"].toString(), "menu new");
    EXPECT_EQ(ints(lines[1]["state"].toObject()["handValue"]),
              (std::vector<int>{7, 2, 9, 9, 9, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ints(lines[1]["state"].toObject()["tableValue"]), (std::vector<int>{0, 5}));
    EXPECT_EQ(ints(lines[1]["board"].toObject()["Image4"]), (std::vector<int>{55, 17}));

    EXPECT_EQ(lines[2]["event"].toString(), "hand 0");
    const QJsonObject picked = lines[2]["board"].toObject()["Image1"].toArray()[0].toObject();
    EXPECT_EQ(picked["top"].toInt(), 4150);
    EXPECT_EQ(lines[3]["board"].toObject()["Option1"].toInt(), 1);
    EXPECT_EQ(ints(lines[4]["board"].toObject()["Image7"]), (std::vector<int>{25, 5, 0}));
    EXPECT_EQ(lines[4]["state"].toObject()["canPick"].toBool(), false);

    // The computer makes 2 with 6 - 4, the last pair in its scan, and the player must make 4.
    EXPECT_EQ(last()["event"].toString(), "label 1");
    EXPECT_EQ(last()["dialogs"].toArray().size(), 0);
    EXPECT_EQ(ints(state()["handValue"]), (std::vector<int>{9, 9, 9, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ints(state()["cpuValue"]), (std::vector<int>{5, 3, 8, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ints(state()["tableValue"]), (std::vector<int>{6, 4}));
    EXPECT_EQ(ints(board()["Image4"]), (std::vector<int>{21, 13}));
    EXPECT_TRUE(state()["playerTurn"].toBool());
    EXPECT_EQ(ints(state()["pickValue"]), (std::vector<int>{0, 0}));
    EXPECT_EQ(board()["Label1"].toArray(), (QJsonArray{true, false, false}));
    EXPECT_FALSE(last()["ended"].toBool());
}

TEST_F(Replay, TheOutputLineHasItsKeysInTheirOrder) {
    ASSERT_EQ(run("load"), 0);
    const std::string line = eventJson(EventOutcome{"load", false, {}, false}, session.game());
    std::size_t at = 0;
    for (const char* key : {"\"event\": ",
                            "\"ignored\": ",
                            "\"dialogs\": ",
                            "\"ended\": ",
                            "\"state\": {\"handValue\": ",
                            "\"cpuValue\": ",
                            "\"tableValue\": ",
                            "\"picked\": ",
                            "\"pickValue\": ",
                            "\"pickSlot\": ",
                            "\"canPick\": ",
                            "\"playerTurn\": ",
                            "\"cpuPick\": ",
                            "\"score\": ",
                            "\"records\": ",
                            "\"board\": {\"Image1\": [{\"picture\": 55, \"top\": 4440, "
                            "\"visible\": true}",
                            "\"Image2\": [{\"picture\": 55, \"visible\": true}",
                            "\"Image3\": [{\"top\": 4080, \"visible\": false}",
                            "\"Image4\": ",
                            "\"Image7\": [0, 0, 0]",
                            "\"Label1\": [false, false, false]",
                            "\"Option1\": 0",
                            "\"music\": true",
                            "\"Shape1\": [{\"solid\": false, \"fill\": [0, 0, 255], "
                            "\"border\": [0, 0, 0]}",
                            "\"Text1\": "}) {
        const std::size_t found = line.find(key, at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found;
    }
    EXPECT_EQ(state()["records"].toArray()[9].toArray(),
              (QJsonArray{QString::fromUtf8("无记录   "), 0}));
    EXPECT_EQ(state()["picked"].toArray().size(), 10);
}

TEST_F(Replay, TheRefusalAndOtherDialogsAreReportedAsShown) {
    const std::string script = deal({7, 2, 9, 9, 9}, {5, 3, 4, 8, 6}, 5) +
                               "\nload\nmenu new\nhand 0\nhand 2\nkey 45\nhand 1\n"
                               "answer 7 6\nhand 3\nhand 3\nmenu help\n";
    ASSERT_EQ(run(script), 0) << errors;
    // 7 + 9 is no 5: refused, with the OK box's answer.
    const std::string refusedLine =
        "{\"event\": \"hand 2\", \"ignored\": false, \"dialogs\": [{\"kind\": \"message\", "
        "\"text\": \"你应该再想想！\", \"title\": \"Tessaro\", \"code\": 0, \"answer\": 1}], "
        "\"ended\": false, ";
    EXPECT_TRUE(raw[3].starts_with(refusedLine)) << raw[3];
    const QJsonArray refused = lines[3]["dialogs"].toArray();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused[0].toObject(), (QJsonObject{{"kind", "message"},
                                                  {"text", QString::fromUtf8("你应该再想想！")},
                                                  {"title", "Tessaro"},
                                                  {"code", 0},
                                                  {"answer", 1}}));
    // With the pair complete, the undo question takes the queued answers in order.
    EXPECT_EQ(lines[6]["dialogs"].toArray()[0].toObject()["answer"].toInt(), 7);
    EXPECT_FALSE(lines[6]["state"].toObject()["canPick"].toBool());
    EXPECT_EQ(lines[7]["dialogs"].toArray()[0].toObject()["answer"].toInt(), 6);
    EXPECT_TRUE(lines[7]["state"].toObject()["canPick"].toBool());
    // Texts keep their CR LF.
    EXPECT_TRUE(last()["dialogs"].toArray()[0].toObject()["text"].toString().endsWith("\r\n"));
}

TEST_F(Replay, ClicksTheWindowWouldNotDeliverAreIgnored) {
    ASSERT_EQ(run("load\nhand 3\nlabel 0\nmenu new\nhand 7\nlabel 1\nlabel 0\n"), 0);
    // Before the first game the card backs take clicks, the greyed labels do not.
    EXPECT_FALSE(lines[1]["ignored"].toBool());
    EXPECT_TRUE(lines[2]["ignored"].toBool());
    EXPECT_TRUE(lines[4]["ignored"].toBool());  // slot 7 holds no card
    EXPECT_TRUE(lines[5]["ignored"].toBool());  // nothing to play
    EXPECT_FALSE(lines[6]["ignored"].toBool());
    EXPECT_NE(ints(lines[6]["state"].toObject()["handValue"])[5], 0);  // drawn
}

TEST_F(Replay, TheSeedAndTheQueueDecideTheCards) {
    // The queued number comes first, then the documented generator from its start: mt19937
    // seeded with N, each number its output over 2^32. A deal draws player, computer, suit.
    ASSERT_EQ(run("seed 42\nload\nrand 0.9999\nmenu new\n"), 0);
    std::mt19937 generator(42);
    const auto value = [&] { return static_cast<int>(generator() / 4294967296.0 * 15) + 1; };
    const int cpu0 = value();
    generator();
    const int hand1 = value();
    const int cpu1 = value();
    EXPECT_EQ(ints(state()["handValue"])[0], 15);
    EXPECT_EQ(ints(state()["cpuValue"])[0], cpu0);
    EXPECT_EQ(ints(state()["handValue"])[1], hand1);
    EXPECT_EQ(ints(state()["cpuValue"])[1], cpu1);
}

TEST_F(Replay, NothingFollowsTheEnd) {
    EXPECT_EQ(run("load\nclose\n# a comment is no line\n\nmenu new\n"), replay::kAfterEnd);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(last()["ended"].toBool());
    EXPECT_EQ(errors,
              "tessaro-replay: line 5: the program has already ended; nothing can follow: menu "
              "new\n");
    // The close box saves nothing: Data.dat is as loading created it.
    EXPECT_EQ(store.load(), records::defaultRows());
}

TEST_F(Replay, EventsNeedTheWindowLoadedOnce) {
    EXPECT_EQ(run("answer 6\nmenu new\n"), replay::kBadLine);
    EXPECT_EQ(errors,
              "tessaro-replay: line 2: the window has not loaded yet: \"load\" must come first: "
              "menu new\n");
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(run("load\nload\n"), replay::kBadLine);
    EXPECT_EQ(errors, "tessaro-replay: line 2: the window has already loaded: load\n");
}
