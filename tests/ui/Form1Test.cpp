// The window on the offscreen platform: layout, stacking, clicks, keys, menus and dialogs.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <sstream>

#include "EventJson.h"
#include "Form1.h"
#include "MemoryRecords.h"
#include "PictureControl.h"
#include "Play.h"
#include "ReplayHost.h"
#include "ReplayMedia.h"
#include "ReplayRunner.h"
#include "ScriptLine.h"

namespace {

// Chance from the replay's host: queued numbers first, then its seeded generator; and a pause
// that can look at the window while it waits.
struct Dealer : ProgramServices {
    ReplayHost chance{""};
    std::function<void()> onNap;
    void randomize() override {}
    double rnd() override { return chance.rnd(); }
    float timer() override { return chance.timer(); }  // the pause costs no time
    void nap() override {
        if (onNap) std::exchange(onNap, nullptr)();
    }
    void queue(std::string_view line) {
        for (double r : readScriptLine(line).randoms) chance.queueRandom(r);
    }
    void deal(std::string_view cards) { queue(dealLine(cards)); }
};

// The window with scripted dialogs, so that menu items can be driven without blocking.
class TestForm : public Form1 {
public:
    // The engine keeps references to these; they are used only after construction.
    TestForm() : Form1(store, media, dealer) {}
    MemoryRecords store;
    ReplayMedia media;
    Dealer dealer;
    std::vector<std::string> titles;
    std::deque<int> answers;
    bool realDialogs = false;
    std::string faultOn;  // a box text on which the rules are made to fail

    int showMessageBox(const std::string& text, const std::string& title, int code) override {
        if (text == faultOn) throw std::out_of_range("a fault made for the test");
        if (realDialogs) return Form1::showMessageBox(text, title, code);
        titles.push_back(title);
        if (!box::isYesNo(code)) return box::kAnswerOk;
        const int answer = answers.empty() ? box::kAnswerNo : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    std::string showInputBox(const std::string&, const std::string& title,
                             const std::string&) override {
        titles.push_back(title);
        return "tester";
    }
};

QRect pixels(const Twips& t) {
    using layout::toPixels;
    return {toPixels(t.left), toPixels(t.top), toPixels(t.width), toPixels(t.height)};
}

struct Window : ::testing::Test {
    TestForm form;
    void SetUp() override {
        form.load();
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void deal(std::string_view cards) {
        form.dealer.deal(cards);
        form.menuItem("new")->trigger();
    }
    // Index in the stacking order: a higher number lies in front.
    int depth(Control c, int i = 0) const {
        QWidget* w = form.control(c, i);
        return static_cast<int>(w->parentWidget()->children().indexOf(w));
    }
};

TEST_F(Window, EveryControlStandsWhereTheLayoutPutsItInFrontOfTheRightNeighbours) {
    EXPECT_EQ(form.client()->size(), QSize(550, 404));
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8(text::kCaption));
    EXPECT_FALSE(form.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    for (const layout::Row& row : layout::kControls)
        for (int i = row.first; i <= row.last; ++i) {
            const QRect at = form.control(row.control, i)->geometry();
            const QRect expected = pixels(layout::place(row.control, i));
            // A hand card takes the size of the card back it shows from the start.
            EXPECT_EQ(at.topLeft(), expected.topLeft());
            if (row.control != Control::Image1) EXPECT_EQ(at.size(), expected.size());
        }
    EXPECT_EQ(form.Image1(3)->size(), QSize(70, 96));

    for (int k = 1; k < kHandSlots; ++k)
        EXPECT_GT(depth(Control::Image1, k), depth(Control::Image1, k - 1));
    EXPECT_GT(depth(Control::Image2, 9), depth(Control::Image4, 1));
    EXPECT_GT(depth(Control::Image4, 1), depth(Control::Image3, 9));
    EXPECT_GT(depth(Control::Image3, 0), depth(Control::Image2, 8));
    EXPECT_GT(depth(Control::Image2, 0), depth(Control::Image4, 0));
    EXPECT_GT(depth(Control::Image4, 0), depth(Control::Image6));
    EXPECT_GT(depth(Control::Image6), depth(Control::Image1, 9));
    EXPECT_GT(depth(Control::Image1, 0), depth(Control::Image5, 0));
    EXPECT_GT(depth(Control::Image5, 0), depth(Control::Image5, 1));
    EXPECT_GT(depth(Control::Frame2), depth(Control::Image7, 2));
    EXPECT_GT(depth(Control::Option1, 0), depth(Control::Label1, 2));
    EXPECT_GT(depth(Control::Label1, 0), depth(Control::Shape1, 0));
    EXPECT_GT(depth(Control::Image7, 1), depth(Control::Image7, 0));
}

TEST_F(Window, MirrorsADealAndAClickOnAVisibleStripPicksThatCard) {
    deal("7 2 9 4 6 / 1 1 1 1 1 / 15");
    for (int k = 0; k < kHandSlots; ++k) {
        EXPECT_EQ(form.Image1(k)->isVisible(), k < 5);
        EXPECT_EQ(form.control(Control::Image2, k)->isVisible(), k < 5);
    }
    EXPECT_EQ(form.Image1(0)->size(), QSize(74, 99));                    // a face
    EXPECT_EQ(form.control(Control::Image4, 0)->size(), QSize(70, 96));  // the back
    EXPECT_TRUE(form.Label1(0)->isEnabled());
    EXPECT_FALSE(form.Label1(1)->isEnabled());

    // Image1(2) shows only its left 16 pixels; its right neighbour covers the rest.
    const QPoint strip = form.Image1(2)->geometry().topLeft() + QPoint(8, 40);
    QWidget* under = form.client()->childAt(strip);
    ASSERT_EQ(under, form.Image1(2));
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(form.client(), strip));
    EXPECT_TRUE(form.game().state().picked[2]);
    EXPECT_EQ(form.Image1(2)->y(), 277);  // 4150 twips, to the nearest pixel
    QTest::mouseMove(form.Image1(2), QPoint(8, 10));
    EXPECT_TRUE(form.control(Control::Image3, 2)->isVisible());
    EXPECT_EQ(form.control(Control::Image3, 2)->y(), 253);  // 3790 twips
}

TEST_F(Window, GreyedLabelsIgnoreClicksAndADoubleClickIsOneClick) {
    deal("7 2 9 4 6 / 1 1 1 1 1 / 15");
    QTest::mouseClick(form.Label1(1), Qt::LeftButton);
    EXPECT_TRUE(form.game().state().playerTurn);
    // As the toolkit delivers a double click: press, release, double click, release.
    QTest::mouseClick(form.Label1(0), Qt::LeftButton);
    QTest::mouseDClick(form.Label1(0), Qt::LeftButton);
    QTest::mouseRelease(form.Label1(0), Qt::LeftButton);
    EXPECT_TRUE(form.Image1(5)->isVisible());
    EXPECT_FALSE(form.Image1(6)->isVisible());
    QTest::mouseClick(form.Label1(0), Qt::LeftButton);
    EXPECT_TRUE(form.Image1(6)->isVisible());
}

TEST_F(Window, OperatorKeysWorkWhateverHasTheFocusAndShortcutsLeaveThemAlone) {
    form.Option1(3)->setFocus();
    QTest::keyClick(form.Option1(3), 'x');
    EXPECT_TRUE(form.Option1(1)->isChecked());
    QTest::keyClick(form.Option1(1), 'V', Qt::ShiftModifier);
    EXPECT_TRUE(form.Option1(1)->isChecked());
    QTest::keyClick(form.Option1(1), Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_TRUE(form.Option1(2)->isChecked());
    QTest::mouseClick(form.Option1(0), Qt::LeftButton);
    EXPECT_EQ(form.game().board().Option1, op::kPlus);
    QTest::keyClick(&form, '/');
    EXPECT_EQ(form.game().board().Option1, op::kDivide);

    for (const char* phase : {"before the first game", "during a game"}) {
        SCOPED_TRACE(phase);
        form.titles.clear();
        QTest::keyClick(&form, Qt::Key_G, Qt::ControlModifier);
        QTest::keyClick(&form, Qt::Key_M, Qt::ControlModifier);
        EXPECT_FALSE(form.menuItem("music")->isChecked());
        QTest::keyClick(&form, Qt::Key_M, Qt::ControlModifier);
        EXPECT_TRUE(form.menuItem("music")->isChecked());
        QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);  // answered No: a new game
        EXPECT_EQ(form.titles, (std::vector<std::string>{text::kRecordsTitle, text::kQuit.title}));
        EXPECT_TRUE(form.game().state().playerTurn);
        EXPECT_TRUE(form.Option1(3)->isChecked());
    }
    form.answers = {box::kAnswerYes};
    QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(form.game().ended());
    EXPECT_EQ(form.titles.back(), text::kAppTitle);  // 100 beats the default table: a name
}

TEST_F(Window, ARefusedCardIsSeenRaisedWhileTheRealBoxIsOpen) {
    form.realDialogs = true;
    deal("1 1 1 1 1 / 1 1 1 1 1 / 15");
    QTest::mouseClick(form.Image1(0), Qt::LeftButton, {}, QPoint(8, 40));
    int seenTop = 0;
    QString text, button;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seenTop = form.Image1(1)->y();
        text = box->text();
        button = box->buttons().value(0)->text();
        box->accept();
    });
    QTest::mouseClick(form.Image1(1), Qt::LeftButton, {}, QPoint(8, 40));
    EXPECT_EQ(seenTop, 277);
    EXPECT_EQ(text, QString::fromUtf8(text::kThinkAgain.text));
    EXPECT_EQ(form.Image1(1)->y(), 296);
    EXPECT_FALSE(button.isEmpty());
}

// While the computer pauses between its two cards, the window shows its row as it now is: the
// cards it drew are painted, also where a card lay before, and the one it laid is gone.
TEST_F(Window, TheComputersRowIsPaintedAsItIsDuringThePause) {
    deal("5 5 1 1 1 / 15 15 15 15 5 / 5");
    form.dealer.queue("rand 0.1");  // the computer lays its 5 alone: four cards left
    QTest::mouseClick(form.Image1(0), Qt::LeftButton, {}, QPoint(8, 40));
    QTest::mouseClick(form.Label1(1), Qt::LeftButton);
    QTest::qWait(20);
    form.dealer.queue("rand 0.01 0.01 0.22");  // it draws 1, 1 and 4, then lays 4 on 1
    std::array<int, kHandSlots> paints{};
    struct Counter : QObject {
        int& count;
        Counter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            return count += e->type() == QEvent::Paint, false;
        }
    };
    std::vector<std::unique_ptr<Counter>> counters;
    for (int k = 0; k < kHandSlots; ++k) {
        counters.push_back(std::make_unique<Counter>(paints[std::size_t(k)]));
        form.control(Control::Image2, k)->installEventFilter(counters.back().get());
    }
    std::vector<bool> shown, painted;
    form.dealer.onNap = [&] {
        for (int k = 0; k < kHandSlots; ++k) {
            shown.push_back(form.control(Control::Image2, k)->isVisible());
            painted.push_back(paints[std::size_t(k)] > 0);
        }
    };
    QTest::mouseClick(form.Image1(0), Qt::LeftButton, {}, QPoint(8, 40));
    paints = {};
    QTest::mouseClick(form.Label1(1), Qt::LeftButton);
    EXPECT_EQ(shown, (std::vector<bool>{1, 1, 1, 1, 1, 1, 0, 0, 0, 0}));
    for (int k = 4; k <= 5; ++k) EXPECT_TRUE(painted[std::size_t(k)]) << k;
}

// Yes/No boxes keep Esc and their close button from answering; OK boxes take both as OK.
TEST_F(Window, OnlyTheButtonsOfAYesNoBoxAnswerIt) {
    form.realDialogs = true;
    for (const int code :
         {box::kYesNoQuestion, box::kYesNoInformation, box::kOk, box::kOkInformation}) {
        bool open = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Escape);
            box->close();
            open = box->isVisible();
            if (open) box->button(QMessageBox::No)->click();
        });
        const int answer = form.messageBox("?", text::kAppTitle, code);
        EXPECT_EQ(open, box::isYesNo(code)) << code;
        EXPECT_EQ(answer, box::isYesNo(code) ? box::kAnswerNo : box::kAnswerOk) << code;
    }
}

// A fault in the rules ends the program with one box and leaves the game's replay script.
TEST_F(Window, AFaultLeavesAReplayScriptThatBringsItBack) {
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    deal("7 2 9 4 6 / 1 1 1 1 1 / 5");
    const auto click = [&](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 40)); };
    click(form.Image1(0));
    QTest::keyClick(&form, 'x');
    click(form.Image1(1));
    form.answers = {box::kAnswerYes};
    click(form.Image1(3));                              // the pair undone
    QTest::mouseClick(form.Label1(0), Qt::LeftButton);  // a card drawn
    const std::string before = stateJson(form.game().state());
    form.faultOn = text::kThinkAgain.text;
    click(form.Image1(0));
    click(form.Image1(2));
    EXPECT_FALSE(form.isVisible());
    ASSERT_NE(form.titles.size(), 0u);
    const QDir dir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const QStringList reports = dir.entryList({"fault-*.txt"});
    ASSERT_EQ(reports.size(), 1);
    QFile report(dir.filePath(reports[0]));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    std::istringstream script(report.readAll().toStdString());
    MemoryRecords store;
    ReplaySession replay(store, "/opt/tessaro");
    std::ostringstream out, errors;
    ASSERT_EQ(runReplay(script, out, errors, replay), replay::kDone) << errors.str();
    std::vector<std::string> lines;
    for (std::istringstream in(out.str()); std::getline(in, lines.emplace_back());) {
    }
    ASSERT_GE(lines.size(), 4u);
    EXPECT_NE(lines[lines.size() - 4].find(before), std::string::npos);
    EXPECT_NE(lines[lines.size() - 2].find(text::kThinkAgain.text), std::string::npos);
}

// A whole game with keys only: a deal, a pair picked and played, draws to ten cards, a give-up.
TEST_F(Window, AGameCanBePlayedWithKeysOnly) {
    const auto key = [](int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); };
    const auto tabTo = [&](QWidget* w) {
        for (int i = 0; i < 20 && QApplication::focusWidget() != w; ++i) key(Qt::Key_Tab);
        return QApplication::focusWidget() == w;
    };
    form.dealer.deal("7 2 9 4 6 / 3 5 12 12 12 / 5");
    QTest::keyClick(&form, Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(tabTo(form.Image1(0)));
    key(Qt::Key_Space);                                 // the 7
    QTest::keyClick(QApplication::focusWidget(), 'x');  // minus
    key(Qt::Key_Right);
    key(Qt::Key_Return);  // the 2: 7 - 2 = 5
    ASSERT_TRUE(tabTo(form.Label1(1)));
    key(Qt::Key_Space);  // played: the computer answers 2 with 5 - 3
    EXPECT_EQ(form.game().state().tableValue[1], 3);
    ASSERT_TRUE(tabTo(form.Label1(0)));
    for (int i = 0; i < 8; ++i) key(Qt::Key_Enter);  // seven drawn, then a question answered No
    EXPECT_NE(form.game().state().handValue[9], 0);
    EXPECT_EQ(form.titles.back(), text::kHandFull.title);
    form.answers = {box::kAnswerYes};
    key(Qt::Key_Space);
    EXPECT_EQ(form.game().state().score, 90);
    EXPECT_EQ(form.titles.back(), text::kGaveUp.title);
}

TEST_F(Window, AScreenReaderHearsWhatEachControlNowIs) {
    deal("7 2 14 15 13 / 1 1 1 1 1 / 5");
    QTest::mouseClick(form.Image1(0), Qt::LeftButton, {}, QPoint(8, 40));
    const auto heard = [&](Control c, int i) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(form.control(c, i));
        return node->text(QAccessible::Name).toStdString() +
               (node->state().disabled ? "（不可用）" : "");
    };
    const std::tuple<Control, int, const char*> names[] = {
        {Control::Image1, 0, "梅花 7，已选中"}, {Control::Image1, 1, "梅花 2"},
        {Control::Image1, 2, "小王 14"},        {Control::Image1, 3, "大王 15"},
        {Control::Image1, 4, "梅花 K 13"},      {Control::Image2, 0, "背面"},
        {Control::Image4, 0, "桌上左边：背面"}, {Control::Image4, 1, "目标：梅花 5"},
        {Control::Image7, 0, "先出：梅花 7"},   {Control::Image7, 1, "后出：空"},
        {Control::Label1, 0, "摸牌"},           {Control::Label1, 1, "出牌（不可用）"},
        {Control::Option1, 3, "整除"},
    };
    for (const auto& [control, i, name] : names) EXPECT_EQ(heard(control, i), name);
}

}  // namespace
