// The window on the offscreen platform: layout, stacking, clicks, keys, menus and dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "Form1.h"
#include "PictureControl.h"
#include "ScriptedHost.h"
#include "ShapeControl.h"

namespace {

// The real window with scripted dialogs, so that menu items can be driven without blocking.
class ScriptedForm : public Form1 {
public:
    std::vector<std::string> titles;
    std::deque<int> answers;
    bool realDialogs = false;

    // The engine keeps references to these; they are used only after construction.
    ScriptedForm() : Form1(store, media) {}
    MemoryStore store;
    std::vector<std::string> mediaLog;
    ScriptedMedia media{mediaLog};

    int messageBox(const std::string& text, const std::string& title, int code) override {
        if (realDialogs) return Form1::messageBox(text, title, code);
        titles.push_back(title);
        int answer = box::kAnswerOk;
        if (code == box::kYesNoQuestion || code == box::kYesNoInformation) {
            answer = answers.empty() ? box::kAnswerNo : answers.front();
            if (!answers.empty()) answers.pop_front();
        }
        return answer;
    }
    std::string inputBox(const std::string&, const std::string& title,
                         const std::string&) override {
        titles.push_back(title);
        return "tester";
    }
};

struct Window : ::testing::Test {
    ScriptedForm form;
    void SetUp() override {
        form.load();
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    QPoint at(int leftTwips, int topTwips) const { return {leftTwips / 15, topTwips / 15}; }
    // Clicks the client area at a point, on whichever control lies on top there.
    void clickAt(QPoint p) {
        QWidget* w = form.client()->childAt(p);
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, {}, w->mapFrom(form.client(), p));
    }
    // Index in the stacking order: a higher number lies in front.
    static int depth(QWidget* w) { return w->parentWidget()->children().indexOf(w); }
};

}  // namespace

TEST_F(Window, ControlsStandAtTheirPlacesInFrontOfTheRightNeighbours) {
    EXPECT_EQ(form.client()->size(), QSize(550, 404));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tessaro1.07（特别版）"));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.Frame2()->geometry(), QRect(360, 280, 161, 113));
    EXPECT_EQ(form.Image1(3)->geometry(), QRect(112, 296, 70, 96));  // a card back
    EXPECT_EQ(form.Image2(9)->pos(), QPoint(272, 8));
    EXPECT_EQ(form.Image4(1)->geometry(), QRect(296, 152, 70, 96));
    EXPECT_EQ(form.Image5(1)->pos(), QPoint(-8, -16));
    EXPECT_EQ(form.Image6()->pos(), QPoint(-8, 0));
    EXPECT_EQ(form.Option1(3)->geometry(), QRect(112, 88, 33, 17));
    EXPECT_EQ(form.Label1(2)->geometry(), QRect(16, 66, 57, 15));
    EXPECT_EQ(form.Image7(1)->geometry(), QRect(112, 32, 41, 49));
    for (int k = 0; k < 10; ++k) {
        EXPECT_TRUE(form.Image1(k)->isVisible());
        EXPECT_FALSE(form.Image3(k)->isVisible());
    }
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(form.Label1(i)->isEnabled());
    EXPECT_TRUE(form.Option1(0)->isChecked());
    EXPECT_TRUE(form.menuItem("music")->isChecked());
    EXPECT_EQ(form.Label1(0)->toolTip(), QStringLiteral("点击可以摸一张牌（最多10张）"));

    for (int k = 1; k < 10; ++k) EXPECT_GT(depth(form.Image1(k)), depth(form.Image1(k - 1)));
    EXPECT_GT(depth(form.Image2(9)), depth(form.Image4(1)));
    EXPECT_GT(depth(form.Image4(1)), depth(form.Image3(9)));
    EXPECT_GT(depth(form.Image3(0)), depth(form.Image2(8)));
    EXPECT_GT(depth(form.Image4(0)), depth(form.Image6()));
    EXPECT_GT(depth(form.Image6()), depth(form.Image1(9)));
    EXPECT_GT(depth(form.Image1(0)), depth(form.Image5(0)));
    EXPECT_GT(depth(form.Image5(0)), depth(form.Image5(1)));
    EXPECT_GT(depth(form.Frame2()), depth(form.Image2(9)));
    EXPECT_GT(depth(form.Label1(0)), depth(form.Shape1(0)));
}

TEST_F(Window, TheWindowMirrorsADeal) {
    form.menuItem("new")->trigger();
    const Board& b = form.game().board;
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(form.Image1(k)->isVisible(), k < 5);
        EXPECT_EQ(form.Image2(k)->isVisible(), k < 5);
    }
    EXPECT_EQ(form.Image1(0)->size(), QSize(74, 99));  // a face
    EXPECT_EQ(form.Image2(0)->size(), QSize(70, 96));  // a back
    EXPECT_EQ(form.Image4(1)->size(), QSize(74, 99));
    EXPECT_EQ(form.Image4(0)->size(), QSize(70, 96));
    EXPECT_EQ(b.Image4[0], kCardBack);
    EXPECT_TRUE(form.Label1(0)->isEnabled());
    EXPECT_FALSE(form.Label1(1)->isEnabled());
    EXPECT_EQ(form.mediaLog,
              (std::vector<std::string>{"file " + form.appPath() + "/r07.mid", "open", "play"}));
}

TEST_F(Window, AClickOnAVisibleStripPicksThatCard) {
    form.menuItem("new")->trigger();
    Game& g = form.game();
    g.state.tableValue[1] = 99;  // no lone match: every card waits for a partner
    // Image1(2) shows only its left 16 pixels; its right neighbour covers the rest.
    clickAt(at(960 + 240 * 2, 4440) + QPoint(8, 40));
    EXPECT_TRUE(g.state.picked[2]);
    EXPECT_FALSE(g.state.picked[1]);
    EXPECT_FALSE(g.state.picked[3]);
    EXPECT_EQ(form.Image1(2)->y(), 4150 / 15);
    clickAt(at(960 + 240 * 2, 4150) + QPoint(8, 10));
    EXPECT_FALSE(g.state.picked[2]);
    EXPECT_EQ(form.Image1(2)->y(), 4440 / 15);
}

TEST_F(Window, GreyedLabelsIgnoreClicksAndADoubleClickIsOneClick) {
    form.menuItem("new")->trigger();
    ASSERT_FALSE(form.Label1(1)->isEnabled());
    QTest::mouseClick(form.Label1(1), Qt::LeftButton);
    EXPECT_TRUE(form.game().state.playerTurn);
    // As the toolkit delivers a double click: press, release, double click, release.
    QTest::mouseClick(form.Label1(0), Qt::LeftButton);
    QTest::mouseDClick(form.Label1(0), Qt::LeftButton);
    QTest::mouseRelease(form.Label1(0), Qt::LeftButton);
    EXPECT_TRUE(form.Image1(5)->isVisible());
    EXPECT_FALSE(form.Image1(6)->isVisible());
    QTest::mouseClick(form.Label1(0), Qt::LeftButton);
    EXPECT_TRUE(form.Image1(6)->isVisible());
}

TEST_F(Window, OperatorKeysWorkWhateverHasTheFocus) {
    form.Option1(3)->setFocus();
    QTest::keyClick(form.Option1(3), 'x');
    EXPECT_TRUE(form.Option1(1)->isChecked());
    EXPECT_EQ(form.game().board.Option1, 1);
    QTest::keyClick(form.Option1(1), 'V', Qt::ShiftModifier);
    EXPECT_TRUE(form.Option1(1)->isChecked());
    QTest::keyClick(form.Option1(1), Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_TRUE(form.Option1(2)->isChecked());
    QTest::keyClick(&form, '/');
    EXPECT_TRUE(form.Option1(3)->isChecked());
    QTest::mouseClick(form.Option1(0), Qt::LeftButton);
    EXPECT_EQ(form.game().board.Option1, 0);
}

TEST_F(Window, ShortcutsWorkInEveryPhaseAndLeaveTheOperatorAlone) {
    form.Option1(2)->click();
    Game& g = form.game();
    auto menus = [&](const char* phase) {
        SCOPED_TRACE(phase);
        const std::size_t before = form.titles.size();
        QTest::keyClick(&form, Qt::Key_G, Qt::ControlModifier);
        QTest::keyClick(&form, Qt::Key_M, Qt::ControlModifier);
        EXPECT_FALSE(form.menuItem("music")->isChecked());
        QTest::keyClick(&form, Qt::Key_M, Qt::ControlModifier);
        EXPECT_TRUE(form.menuItem("music")->isChecked());
        QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);  // answered No: a new game
        ASSERT_EQ(form.titles.size(), before + 2);
        EXPECT_EQ(form.titles[before], "高分记录");
        EXPECT_EQ(form.titles[before + 1], "退出");
        g.state.handValue[0] = 0;  // so that only a deal can fill the hand again
        QTest::keyClick(&form, Qt::Key_N, Qt::ControlModifier);
        EXPECT_NE(g.state.handValue[0], 0);
        EXPECT_TRUE(g.state.playerTurn);
        EXPECT_EQ(g.board.Option1, 2);
        EXPECT_TRUE(form.Option1(2)->isChecked());
    };
    menus("before the first game");
    menus("during a game");

    // The computer is stuck and playing on is declined without a record: the game stops.
    g.state.records[9].points = 1000;
    for (int k = 0; k < 10; ++k) g.state.cpuValue[k] = 15;
    g.state.tableValue[1] = 2;
    g.state.playerTurn = false;
    g.AI();
    ASSERT_FALSE(g.state.playerTurn);
    ASSERT_FALSE(g.ended());
    menus("after the end of a game");

    form.answers = {6};
    g.state.records[9].points = 0;
    QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(g.ended());
    EXPECT_EQ(form.titles.back(), "Tessaro");  // 100 beats the default table: a name is asked
}

TEST_F(Window, ARefusedCardIsSeenRaisedWhileTheRealBoxIsOpen) {
    form.realDialogs = true;
    form.menuItem("new")->trigger();
    Game& g = form.game();
    for (int k = 0; k < 5; ++k) g.state.handValue[k] = 1;
    g.state.tableValue[1] = 15;
    g.image1Click(0);
    form.mirror();
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
    EXPECT_EQ(seenTop, 4150 / 15);
    EXPECT_EQ(text, QStringLiteral("你应该再想想！"));
    EXPECT_EQ(form.Image1(1)->y(), 4440 / 15);
    EXPECT_FALSE(button.isEmpty());
}
