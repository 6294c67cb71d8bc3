// tessaro-replay: script lines read or refused, the JSON lines written, the program's statuses.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <sstream>

#include "EventForms.h"
#include "Layout.h"
#include "MemoryRecords.h"
#include "Menus.h"
#include "ReplayRunner.h"

namespace {

// A script run through the library: its status, its errors and its output lines.
struct Replayed {
    MemoryRecords store;
    ReplaySession session{store, "/opt/tessaro"};
    int status = -1;
    std::string errors;
    std::vector<std::string> lines;

    explicit Replayed(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out, err;
        status = runReplay(in, out, err, session);
        errors = err.str();
        std::istringstream output(out.str());
        for (std::string line; std::getline(output, line);) lines.push_back(line);
    }
};

TEST(Replay, EachLineIsTakenOrRefusedWithItsReason) {
    const std::pair<const char*, const char*> cases[] = {
        // After "load": the line, and why it stops the replay; nothing when it is taken.
        {"  \tmove   Label1 2   # a comment\r", ""},
        {"inputs x", "unknown word \"inputs\""},
        {"hand 10", "\"10\" is out of range: hand takes 0 to 9"},
        {"hand", "expected \"hand K\""},
        {"move Image3 1",
         "the pointer moves over Label1, Frame2, Image1 or Image5, not \"Image3\""},
        {"menu open", "no menu item \"open\": expected \"menu new|music|gao|quit|help|about\""},
        {"rand 0.5 1", "\"1\" is out of range: rand takes [0, 1)"},
        {"answer 1", "\"1\" is no answer: 6 is Yes, 7 is No"},
        {"load", "the window has already loaded"},
    };
    for (const auto& [line, reason] : cases) {
        const Replayed run(std::string("load\n") + line + "\n");
        EXPECT_EQ(
            run.errors,
            *reason ? "tessaro-replay: line 2: " + std::string(reason) + ": " + line + "\n" : "")
            << line;
        EXPECT_EQ(run.status, *reason ? replay::kBadLine : replay::kDone) << line;
    }
    EXPECT_EQ(Replayed("menu new\n").errors,
              "tessaro-replay: line 1: the window has not loaded yet: \"load\" must come first: "
              "menu new\n");
    const Replayed ended("load\nclose\n# no line\n\nmenu new\n");
    EXPECT_EQ(ended.status, replay::kAfterEnd);
    EXPECT_EQ(
        ended.errors,
        "tessaro-replay: line 5: the program has already ended; nothing can follow: menu new\n");
    // What a message quotes is cut; a line of more than 1 MiB is refused without keeping it.
    for (const std::string& line : {std::string(1000, 'w'), std::string(3 << 20, 'x')}) {
        const Replayed run("load\n" + line + "\nload\n");
        EXPECT_EQ(run.status, replay::kBadLine);
        EXPECT_NE(run.errors.find(line[0] == 'x' ? "longer than 1 MiB" : "unknown word"),
                  std::string::npos);
        EXPECT_LT(run.errors.size(), 700u);
        EXPECT_TRUE(run.errors.ends_with(std::string(200, line[0]) + "…\n"));
    }
    // Every line the page can send, from the forms it is given: the pointer over each control it
    // builds, a click or tap on it, each menu item, the first and the last character it types.
    std::vector<std::string> page;
    for (const layout::Row& row : layout::kControls)
        for (int i = row.first; i <= row.last; ++i)
            for (const char* form : {eventform::kControls[static_cast<int>(row.control)].move,
                                     eventform::kControls[static_cast<int>(row.control)].click})
                if (form) page.push_back(eventform::fill(form, std::to_string(i)));
    for (const Menu& m : menus::kMenus)
        for (const MenuItem& item : m.items)
            if (item.click) page.push_back(eventform::fill(eventform::kMenu, item.name));
    for (int code : {1, 13, eventform::kHighestKey})
        page.push_back(eventform::fill(eventform::kKey, std::to_string(code)));
    EXPECT_EQ(page.size(), 1u + 4 + 6 + 20 + 2 + 6 + 3);
    for (const std::string& line : page) {
        const Replayed run("load\nmenu new\n" + line + "\n");
        EXPECT_EQ(run.errors, "") << line;
        EXPECT_EQ(run.status, replay::kDone) << line;
    }
}

TEST(Replay, WritesEachEventAsOneJsonLineWithItsKeysInOrder) {
    const Replayed run(
        "seed 42\nload\nrand 0.9999\nmenu new\nlabel 2\nhand 0\nhand 9\nmove Label1 0\n"
        "answer 6\ninput \"\\\t\xff\nmenu quit\n");
    ASSERT_EQ(run.lines.size(), 7u) << run.errors;
    QStringList keys;  // each at its first appearance
    const QRegularExpression key("\"(\\w+)\": ");
    for (const auto& match : key.globalMatch(QString::fromStdString(run.lines[0])))
        if (!keys.contains(match.captured(1))) keys << match.captured(1);
    EXPECT_EQ(keys.join(' ').toStdString(),
              "event ignored dialogs ended state handValue cpuValue tableValue picked pickValue "
              "pickSlot canPick playerTurn cpuPick score records board Image1 picture top visible "
              "Image2 Image3 Image4 Image7 Label1 Option1 music Shape1 solid fill border Text1");
    const std::string plain = "{\"solid\": false, \"fill\": [0, 0, 255], \"border\": [0, 0, 0]}";
    const std::string lit = "{\"solid\": true, \"fill\": [255, 255, 0], \"border\": [0, 0, 255]}";
    const std::string text1 = "\"Text1\": \"【0】无记录                 0\\r\\n【1】";
    EXPECT_NE(
        run.lines[6].find("\"Shape1\": [" + lit + ", " + plain + ", " + plain + "], " + text1),
        std::string::npos);
    EXPECT_TRUE(run.lines[2].starts_with(
        "{\"event\": \"label 2\", \"ignored\": true, \"dialogs\": [], \"ended\": false"));
    EXPECT_TRUE(run.lines[6].starts_with(
        "{\"event\": \"menu quit\", \"ignored\": false, \"dialogs\": [{\"kind\": \"message\", "
        "\"text\": \"此次操作将使程序退出！继续吗？\", \"title\": \"退出\", \"code\": 68, "
        "\"answer\": 6}, "
        "{\"kind\": \"input\", \"prompt\": \"您的分数超过记录，请输入您的姓名:\", \"title\": "
        "\"Tessaro\", "
        "\"answer\": \"\\\"\\\\\\t\xEF\xBF\xBD\"}], \"ended\": true, "))
        << run.lines[6];
}

// The program itself writes Data.dat in its directory, made when missing, and nowhere else.
TEST(Replay, TheProgramWritesDataDatInItsDirectoryOnly) {
    QTemporaryDir parent;
    QProcess program;
    program.start(QStringLiteral(TESSARO_REPLAY), {"--dir", parent.filePath("game")});
    program.write("load\nanswer 6\ninput 张三丰 # kept\nmenu quit\n");
    program.closeWriteChannel();
    ASSERT_TRUE(program.waitForFinished(30000) && program.exitCode() == replay::kDone);
    QFile file(parent.filePath("game/Data.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        QString(QStringDecoder("GBK").decode(file.readAll())).startsWith("\"张三丰 # \",100\r\n"));
    EXPECT_EQ(QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"game"});
    EXPECT_EQ(QProcess::execute(QStringLiteral(TESSARO_REPLAY), {"--dir", ""}), replay::kBadLine);
}

}  // namespace
