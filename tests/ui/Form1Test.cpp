// The window on the offscreen platform: layout, clicks, keys, boxes, the pause and its names.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <set>
#include <sstream>

#include "Boxes.h"
#include "EventJson.h"
#include "Form1.h"
#include "Language.h"
#include "MemoryRecords.h"
#include "PictureControl.h"
#include "Play.h"
#include "ReplayMedia.h"
#include "ScreenReader.h"
#include "Translation.h"

namespace {

// Chance and the clock from the replay's host, so that deals are known and the pause costs no
// time; the pause's first nap can look at the window.
struct Dealer : ProgramServices {
    ReplayHost chance{""};
    std::function<void()> onNap;
    bool failSeed = false;
    void randomize() override {
        if (failSeed) throw std::runtime_error("a fault made for the test");
    }
    double rnd() override { return chance.rnd(); }
    float timer() override { return chance.timer(); }
    void nap() override {
        if (onNap) std::exchange(onNap, nullptr)();
    }
};

// The window with the replay's scripted boxes: Yes/No boxes take the queued answers, else No.
class TestForm : public Form1 {
public:
    // The engine keeps references to these; they are used only after construction.
    TestForm() : Form1(store, media, dealer) {}
    MemoryRecords store;
    ReplayMedia media;
    Dealer dealer;
    ReplayHost& boxes = dealer.chance;
    std::function<void(const std::string&)> onBox;  // sees the window while a box is open
    bool realBoxes = false;

    void queue(std::string_view line) {
        for (double r : readScriptLine(line).randoms) boxes.queueRandom(r);
    }
    int showMessageBox(const std::string& text, const std::string& title, int code) override {
        if (onBox) onBox(text);
        return realBoxes ? Form1::showMessageBox(text, title, code)
                         : boxes.messageBox(text, title, code);
    }
    std::string showInputBox(const std::string& prompt, const std::string& title,
                             const std::string& text) override {
        return boxes.inputBox(prompt, title, text);
    }
};

struct Window : ::testing::Test {
    TestForm form;
    void SetUp() override {
        form.load();
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void deal(std::string_view cards) {
        form.queue(dealLine(cards));
        form.menuItem("new")->trigger();
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 10)); }
    int depth(Control c, int i = 0) const {  // a higher number lies in front
        return int(form.control(c, i)->parentWidget()->children().indexOf(form.control(c, i)));
    }
};

// Each control lies in front of the ones the window's stacking order puts behind it.
TEST_F(Window, EveryControlLiesInFrontOfItsRightNeighbours) {
    EXPECT_EQ(form.client()->size(), QSize(550, 404));
    const std::pair<std::pair<Control, int>, std::pair<Control, int>> inFront[] = {
        {{Control::Image1, 9}, {Control::Image1, 8}}, {{Control::Image2, 9}, {Control::Image4, 1}},
        {{Control::Image4, 1}, {Control::Image3, 9}}, {{Control::Image3, 0}, {Control::Image2, 8}},
        {{Control::Image2, 0}, {Control::Image4, 0}}, {{Control::Image4, 0}, {Control::Image6, 0}},
        {{Control::Image6, 0}, {Control::Image1, 9}}, {{Control::Image1, 0}, {Control::Image5, 0}},
        {{Control::Frame2, 0}, {Control::Image7, 2}}, {{Control::Label1, 0}, {Control::Shape1, 0}},
        {{Control::Image7, 1}, {Control::Image7, 0}},
    };
    for (const auto& [front, back] : inFront)
        EXPECT_GT(depth(front.first, front.second), depth(back.first, back.second))
            << int(front.first);
}

// A card's rounded corners do not show the table inside its square border.
TEST_F(Window, ACardsCornersAreItsEdgesColour) {
    deal("7 2 9 4 6 / 1 1 1 1 1 / 15");
    for (QWidget* card : {form.control(Control::Image1, 0), form.control(Control::Image4, 1)}) {
        const QImage shot = card->grab().toImage();
        for (const QPoint p : {QPoint(1, 1), QPoint(shot.width() - 2, shot.height() - 2)})
            EXPECT_EQ(shot.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
    }
}

// A double click is one click, as the toolkit delivers it: press, release, double click, release.
TEST_F(Window, ADoubleClickIsOneClick) {
    deal("7 2 9 4 6 / 1 1 1 1 1 / 15");
    QTest::mouseClick(form.Label1(0), Qt::LeftButton);
    QTest::mouseDClick(form.Label1(0), Qt::LeftButton);
    QTest::mouseRelease(form.Label1(0), Qt::LeftButton);
    EXPECT_TRUE(form.Image1(5)->isVisible());
    EXPECT_FALSE(form.Image1(6)->isVisible());
}

// A whole game with keys only: a deal, a pair picked and played, the menus' shortcuts, which
// leave the operator alone, draws to ten cards and a give-up.
TEST_F(Window, AGameCanBePlayedWithKeysOnly) {
    const auto key = [](int k, Qt::KeyboardModifiers m = {}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
    };
    const auto tabTo = [&](QWidget* w) {
        for (int i = 0; i < 20 && QApplication::focusWidget() != w; ++i) key(Qt::Key_Tab);
        return QApplication::focusWidget() == w;
    };
    form.queue(dealLine("7 2 9 4 6 / 3 5 12 12 12 / 5"));
    key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(tabTo(form.Image1(0)));
    key(Qt::Key_Space);                                       // the 7
    QTest::keyClick(form.Image1(0), 'x');                     // minus, whatever has the focus
    QTest::keyClick(form.Image1(0), 'V', Qt::ShiftModifier);  // no operator
    key(Qt::Key_Right);
    key(Qt::Key_Return);  // the 2: 7 - 2 = 5
    EXPECT_TRUE(form.Option1(1)->isChecked());
    ASSERT_TRUE(tabTo(form.Label1(1)));
    key(Qt::Key_Space);  // played: the computer answers 2 with 5 - 3
    EXPECT_EQ(form.game().state().tableValue[1], 3);
    ASSERT_EQ(QApplication::focusWidget(), form.Image1(0));  // heard without moving
    EXPECT_EQ(QApplication::focusWidget()->accessibleDescription().toStdString(),
              "电脑出了 方块 5 和 黑桃 3，新目标：黑桃 3");
    key(Qt::Key_Right);
    key(Qt::Key_Left);  // back on the first card, which has told its sentence once
    EXPECT_EQ(form.Image1(0)->accessibleDescription(), "");

    key(Qt::Key_Asterisk, Qt::KeypadModifier);
    for (const int k : {Qt::Key_G, Qt::Key_M, Qt::Key_M, Qt::Key_Q}) key(k, Qt::ControlModifier);
    const auto shown = form.boxes.takeDialogs();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].title == text::kRecordsTitle && shown[1].is(text::kQuit));
    EXPECT_TRUE(form.menuItem("music")->isChecked());
    EXPECT_TRUE(form.Option1(2)->isChecked());

    ASSERT_TRUE(tabTo(form.Label1(0)));
    form.queue("rand 0.7");  // an 11, the jack of the deal's suit
    key(Qt::Key_Enter);
    const auto* notice = form.client()->findChild<QWidget*>("tessaroNotice");
    EXPECT_TRUE(notice->isVisible() && notice->accessibleName().startsWith("摸到 "));
    for (int i = 0; i < 5; ++i) key(Qt::Key_Enter);  // four drawn, then a question answered No
    EXPECT_NE(form.game().state().handValue[9], 0);
    form.boxes.queueAnswer(box::kAnswerYes);
    key(Qt::Key_Space);
    EXPECT_EQ(form.game().state().score, 90);
    EXPECT_TRUE(form.boxes.takeDialogs().back().is(text::kGaveUp));
}

// A window no desktop can minimise or maximise: no such buttons, a fixed size, and a state a
// desktop forces on it anyway is put back.
void expectFixedFrame(QWidget* w, bool closable) {
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowFullscreenButtonHint));
    EXPECT_EQ(bool(w->windowFlags() & Qt::WindowCloseButtonHint), closable);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    w->setWindowState(Qt::WindowMinimized);
    QTest::qWait(1);
    EXPECT_EQ(w->windowState(), Qt::WindowNoState);
}

// The name box too has one size: its line edit does not make it wider.
TEST_F(Window, NoDesktopCanMinimiseOrMaximiseItOrItsNameBox) {
    expectFixedFrame(&form, true);
    EXPECT_NE(form.windowType(), Qt::Dialog);  // a dialog is iconified with the hidden leader
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        expectFixedFrame(box, true);
        box->close();
    });
    EXPECT_EQ(boxes::input(&form, "?", text::kAppTitle, ""), "");
}

// Yes/No boxes keep Esc and their close button from answering; OK boxes take both as OK. A card
// being refused is seen raised while its box is open.
TEST_F(Window, OnlyTheButtonsOfAYesNoBoxAnswerIt) {
    deal("1 1 1 1 1 / 1 1 1 1 1 / 15");
    int raised = 0;
    form.onBox = [&](const std::string&) { raised = form.Image1(1)->y(); };
    click(form.Image1(0));
    click(form.Image1(1));
    EXPECT_EQ(raised, 277);
    EXPECT_EQ(form.Image1(1)->y(), 296);

    form.realBoxes = true;
    for (const int code :
         {box::kYesNoQuestion, box::kYesNoInformation, box::kOk, box::kOkInformation}) {
        bool open = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            expectFixedFrame(box, !box::isYesNo(code));
            QTest::keyClick(box, Qt::Key_Escape);
            box->close();
            if ((open = box->isVisible())) box->button(QMessageBox::No)->click();
        });
        const int answer = form.messageBox("?", text::kAppTitle, code);
        EXPECT_EQ(open, box::isYesNo(code)) << code;
        EXPECT_EQ(answer, box::isYesNo(code) ? box::kAnswerNo : box::kAnswerOk) << code;
    }
}

// While the computer pauses between its two cards, the window shows its row as it now is: the
// cards it drew are painted, also where a card lay before, and the one it laid is gone.
TEST_F(Window, TheComputersRowIsPaintedAsItIsDuringThePause) {
    deal("5 5 1 1 1 / 15 15 15 15 5 / 5");
    form.queue("rand 0.1");  // the computer lays its 5 alone: four cards left
    click(form.Image1(0));
    QTest::mouseClick(form.Label1(1), Qt::LeftButton);
    QTest::qWait(20);                   // the window shows the turn, as between two clicks
    form.queue("rand 0.01 0.01 0.22");  // it draws 1, 1 and 4, then lays 4 on 1
    struct Painted : QObject {
        std::set<QObject*> widgets;
        bool eventFilter(QObject* w, QEvent* e) override {
            if (e->type() == QEvent::Paint) widgets.insert(w);
            return false;
        }
    } painted;
    std::string seen;  // for each card: hidden, or shown and painted, or shown and not painted
    form.dealer.onNap = [&] {
        for (int k = 0; k < kHandSlots; ++k) {
            QWidget* card = form.control(Control::Image2, k);
            seen += !card->isVisible() ? '-' : painted.widgets.count(card) ? 'P' : 's';
        }
    };
    click(form.Image1(0));
    for (int k = 0; k < kHandSlots; ++k)
        form.control(Control::Image2, k)->installEventFilter(&painted);
    QTest::mouseClick(form.Label1(1), Qt::LeftButton);
    EXPECT_EQ(seen.substr(4), "PP----");
    EXPECT_TRUE(form.Image1(0)->accessibleDescription().startsWith("电脑摸了 3 张牌，出了 "));
    EXPECT_EQ(seen.substr(0, 4).find('-'), std::string::npos);
}

// A fault in the rules ends the program with one box and leaves the game's replay script.
TEST_F(Window, AFaultLeavesAReplayScriptThatBringsItBack) {
    QStandardPaths::setTestModeEnabled(true);
    const QDir dir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QDir(dir).removeRecursively();
    deal("7 2 9 4 6 / 1 1 1 1 1 / 5");
    click(form.Image1(0));
    QTest::keyClick(&form, 'x');
    click(form.Image1(1));
    form.boxes.queueAnswer(box::kAnswerYes);
    click(form.Image1(3));                              // the pair undone
    QTest::mouseClick(form.Label1(0), Qt::LeftButton);  // a card drawn
    form.onBox = [](const std::string& text) {
        if (text == text::kThinkAgain.text) throw std::out_of_range("a fault made for the test");
    };
    click(form.Image1(0));
    const std::string before = stateJson(form.game().state());
    click(form.Image1(2));  // 7 - 9 is refused: its box fails
    EXPECT_FALSE(form.isVisible());
    QFile report(dir.filePath(dir.entryList({"fault-*.txt"}).value(0)));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    Play replay;  // the script plays the game again, and the event that failed shows its box
    std::istringstream script(report.readAll().toStdString());
    for (std::string line; std::getline(script, line);) {
        if (line.ends_with("# the fault")) {
            EXPECT_EQ(stateJson(replay.game.state()), before);
        }
        if (line != "load") replay.run(line);
    }
    ASSERT_EQ(replay.boxes.size(), 1u);
    EXPECT_EQ(replay.boxes[0].text, text::kThinkAgain.text);
}

// A fault while loading ends the program with status 1 once its event loop runs, and no later
// event reaches the rules.
TEST(Start, AFaultWhileLoadingEndsTheProgramWithStatus1) {
    QStandardPaths::setTestModeEnabled(true);
    TestForm form;
    form.dealer.failSeed = true;
    form.load();
    form.menuItem("quit")->trigger();
    EXPECT_EQ(form.boxes.takeDialogs().size(), 1u);  // the fault's, and no question
    const auto later = [](auto f) { QMetaObject::invokeMethod(qApp, f, Qt::QueuedConnection); };
    later([=] { later([] { QCoreApplication::exit(7); }); });  // a turn later, if nothing else
    EXPECT_EQ(QCoreApplication::exec(), 1);
}

// After a box has told how the computer's turn went, the hand tells only the new target.
TEST_F(Window, AfterABoxTheHandTellsOnlyTheNewTarget) {
    deal("5 1 1 1 1 / 1 1 1 1 1 / 5");
    form.queue("rand 0.03 0.03 0.03 0.03 0.03");  // the computer draws aces only: stuck
    form.boxes.queueAnswer(box::kAnswerYes);      // play on
    click(form.Image1(0));
    QTest::mouseClick(form.Label1(1), Qt::LeftButton);
    EXPECT_TRUE(form.boxes.takeDialogs().back().is(text::kStuck));
    EXPECT_EQ(form.Image1(0)->accessibleDescription(),
              form.control(Control::Image4, 1)->accessibleName());  // 目标：…
}

// A card says what it is, a hand card that it is a check box and whether it is picked; the
// commands are buttons.
TEST_F(Window, AScreenReaderHearsWhatEachControlNowIs) {
    EXPECT_EQ(QApplication::focusWidget(), form.Option1(0));  // the selected operator
    deal("7 2 14 15 13 / 1 1 1 1 1 / 7");
    QAccessible::queryAccessibleInterface(form.Image1(0))  // a lone answer, pressed by a reader
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    const auto heard = [&](Control c, int i) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(form.control(c, i));
        const QAccessible::State s = node->state();
        return node->text(QAccessible::Name).toStdString() + (s.disabled ? "（不可用）" : "") +
               (node->role() == QAccessible::CheckBox ? (s.checked ? " [x]" : " [ ]") : "") +
               (node->role() == QAccessible::Button ? " button" : "");
    };
    const std::tuple<Control, int, const char*> names[] = {
        {Control::Image1, 0, "梅花 7 [x]"},   {Control::Image1, 1, "方块 2 [ ]"},
        {Control::Image1, 2, "小王 14 [ ]"},  {Control::Image1, 4, "梅花 K 13 [ ]"},
        {Control::Image2, 0, "背面"},         {Control::Image4, 0, "桌上左边：背面"},
        {Control::Image4, 1, "目标：黑桃 7"}, {Control::Image7, 0, "先出：空"},
        {Control::Image7, 1, "后出：梅花 7"}, {Control::Label1, 0, "摸牌（不可用） button"},
        {Control::Label1, 1, "出牌 button"},  {Control::Option1, 3, "整除"},
    };
    for (const auto& [control, i, name] : names) EXPECT_EQ(heard(control, i), name);
}

// Under an English locale (a territory the game has no catalog of falls back to the language)
// the window, its menus, the screen-reader names and the records box are English. (The catalog
// leaves the application as it goes.)
TEST(English, TheWindowAndItsBoxesSpeakTheLocalesLanguage) {
    qputenv("LANGUAGE", "en_GB");
    QTranslator catalog;
    ASSERT_TRUE(language::install(catalog));
    TestForm form;
    form.load();
    QStringList bar;
    for (QAction* menu : form.menuBar()->actions()) bar << menu->text();
    EXPECT_EQ(bar.join(u'|'), "Game|Help");
    EXPECT_EQ(form.control(Control::Image4, 1)->accessibleName(), "Target: face down");
    QString seen;
    form.realBoxes = true;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        seen = box->windowTitle() + "|" + box->text().section(u'\n', 0, 0);
        box->button(QMessageBox::Ok)->click();
    });
    form.menuItem("gao")->trigger();
    EXPECT_EQ(seen, "High Scores|0.  nobody              0\r");
    text::setTranslator(nullptr);
}

// Each name is set once per change, as a reader hears every name it is told of.
TEST(ScreenReader, NamesOnlyWhatChanged) {
    QWidget client;
    Controls c;
    c.build(&client);
    Board b;
    EXPECT_EQ(screenreader::name(c, b), 24);
    EXPECT_EQ(screenreader::name(c, b), 0);
    b.Image1[3].picture = 7;
    b.Image7[1] = 7;
    EXPECT_EQ(screenreader::name(c, b), 2);
}

}  // namespace
