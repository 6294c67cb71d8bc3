// tessaro-replay: script lines read or refused, the JSON lines written, the program's statuses.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <random>
#include <sstream>

#include "MemoryRecords.h"
#include "ReplayRunner.h"
#include "ScriptLine.h"

namespace {

TEST(ScriptLine, EachLineIsTakenOrRefusedWithItsReason) {
    const std::pair<const char*, const char*> cases[] = {
        // The line, and why it is refused; nothing when it is taken.
        {"  \tmove   Label1 2   # a comment\r", ""},
        {"key 65535", ""},
        {"seed 4294967295", ""},
        {"inputs x", "unknown word \"inputs\""},
        {"hand 10", "\"10\" is out of range: hand takes 0 to 9"},
        {"seed -1", "\"-1\" is out of range: seed takes 0 to 4294967295"},
        {"move Image5 99999999999999999999",
         "\"99999999999999999999\" is out of range: Image5 takes 0 to 1"},
        {"hand 1.0", "\"1.0\" is not a whole number"},
        {"hand", "expected \"hand K\""},
        {"load now", "expected \"load\""},
        {"move Frame2 1", "expected \"move Frame2\""},
        {"move Image3 1",
         "the pointer moves over Label1, Frame2, Image1 or Image5, not \"Image3\""},
        {"menu open", "no menu item \"open\": expected \"menu new|music|gao|quit|help|about\""},
        {"rand", "expected \"rand R R ...\" with at least one number"},
        {"rand 0.5 1", "\"1\" is out of range: rand takes [0, 1)"},
        {"rand nan", "\"nan\" is out of range: rand takes [0, 1)"},
        {"rand 0,5", "\"0,5\" is not a number"},
        {"answer 1", "\"1\" is no answer: 6 is Yes, 7 is No"},
    };
    for (const auto& [line, reason] : cases) {
        std::string refused;
        try {
            readScriptLine(line);
        } catch (const ScriptError& e) {
            refused = e.what();
        }
        EXPECT_EQ(refused, reason) << line;
    }
    EXPECT_EQ(readScriptLine("  \tmove   Label1 2   # a comment\r").text, "move   Label1 2");
    EXPECT_EQ(readScriptLine("  input  x # y ").input, " x # y ");
}

// A script run through the library: its status, its errors and its JSON lines.
struct Replayed {
    MemoryRecords store;
    ReplaySession session{store, "/opt/tessaro"};
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
        for (std::string line; std::getline(output, line); raw.push_back(line))
            lines.push_back(QJsonDocument::fromJson(line.c_str()).object());
    }
};

TEST(Replay, WritesEachEventAsOneJsonLineWithItsKeysInOrder) {
    // Deals 7 2 9 9 9 against 5 3 4 8 6 with the target 5, every face a club.
    const Replayed run(
        "rand 0.43 0.3 0.1 0.1 0.17 0.1 0.57 0.23 0.1 0.57 0.5 0.1 0.57 0.37 0.1 0.3 0.1\n"
        "load\nmenu new\nhand 0\nhand 2 # 7 + 9 is no 5\nkey 45\nhand 1\nlabel 1\nhand 7\n"
        "label 2\nmenu quit\nanswer 6\ninput \"\\\t\xff\nmenu quit\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 11u);
    EXPECT_EQ(run.lines[1]["state"]["handValue"], (QJsonArray{7, 2, 9, 9, 9, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(run.raw[3].starts_with(
        "{\"event\": \"hand 2\", \"ignored\": false, \"dialogs\": [{\"kind\": \"message\", "
        "\"text\": \"你应该再想想！\", \"title\": \"Tessaro\", \"code\": 0, \"answer\": 1}], "
        "\"ended\": false, \"state\": {"))
        << run.raw[3];
    EXPECT_NE(run.raw[3].find("0\\r\\n【1】无记录"), std::string::npos);
    // The computer makes 2 with 6 - 4, the last pair in its scan; the player must make 4.
    EXPECT_EQ(run.lines[6]["state"]["cpuValue"], (QJsonArray{5, 3, 8, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(run.lines[6]["state"]["tableValue"], (QJsonArray{6, 4}));
    // Clicks the window would not deliver change nothing; an unanswered question is No.
    for (const std::size_t i : {7u, 8u}) {
        EXPECT_TRUE(run.lines[i]["ignored"].toBool()) << i;
        EXPECT_EQ(run.raw[i].substr(run.raw[i].find("\"dialogs\"")),
                  run.raw[6].substr(run.raw[6].find("\"dialogs\"")));
    }
    EXPECT_EQ(run.lines[9]["dialogs"][0]["answer"], 7);
    // The name is escaped and a byte that is not UTF-8 replaced.
    EXPECT_NE(run.raw[10].find("\"answer\": \"\\\"\\\\\\t\xEF\xBF\xBD\"}"), std::string::npos);
    EXPECT_TRUE(run.lines[10]["ended"].toBool());

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
        {"load\nhand 12 # far\n", replay::kBadLine,
         "line 2: \"12\" is out of range: hand takes 0 to 9: hand 12 # far"},
        {"load\nclose\n# no line\n\nmenu new\n", replay::kAfterEnd,
         "line 5: the program has already ended; nothing can follow: menu new"},
    };
    for (const auto& [script, status, error] : cases) {
        const Replayed run(script);
        EXPECT_EQ(run.status, status) << script;
        EXPECT_EQ(run.errors, "tessaro-replay: " + std::string(error) + "\n") << script;
    }
    // What a message quotes is cut; a line of more than 1 MiB is refused without keeping it.
    for (const std::string& line : {std::string(1000, 'w'), std::string(3 << 20, 'x')}) {
        const Replayed run("load\n" + line + "\nload\n");
        EXPECT_EQ(run.status, replay::kBadLine);
        EXPECT_NE(run.errors.find(line[0] == 'x' ? "longer than 1 MiB" : "unknown word"),
                  std::string::npos);
        EXPECT_LT(run.errors.size(), 700u);
        EXPECT_TRUE(run.errors.ends_with(std::string(200, line[0]) + "…\n"));
    }
}

// The program itself: its directory, Data.dat in it, and what it says on standard error.
TEST(Replay, TheProgramWritesDataDatInItsDirectoryOnly) {
    QTemporaryDir parent;
    const QString dir = QDir(parent.filePath("game")).absolutePath();  // made by the program
    QProcess program;
    program.start(QStringLiteral(TESSARO_REPLAY), {"--dir", dir});
    program.write("load\nmenu new\nanswer 6\ninput 张三丰 # kept\nmenu quit\nmenu new\n");
    program.closeWriteChannel();
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), replay::kAfterEnd);
    EXPECT_EQ(program.readAllStandardOutput().count('\n'), 3);
    EXPECT_EQ(QString::fromUtf8(program.readAllStandardError()),
              "tessaro-replay: directory " + dir +
                  "\ntessaro-replay: line 6: the program has already ended; nothing can follow: "
                  "menu new\n");
    QFile file(dir + "/Data.dat");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QStringDecoder("GBK").decode(file.readAll());
    EXPECT_TRUE(text.startsWith("\"张三丰 # \",100\r\n")) << text.toStdString();
    EXPECT_EQ(QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"game"});
    EXPECT_EQ(QProcess::execute(QStringLiteral(TESSARO_REPLAY), {"--dir", ""}), replay::kBadLine);
}

}  // namespace
