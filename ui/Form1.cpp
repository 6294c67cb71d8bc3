// The game's one window.
#include "Form1.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <algorithm>
#include <utility>

#include "Boxes.h"
#include "FixedFrame.h"
#include "ImageList1.h"
#include "Menus.h"
#include "PictureControl.h"
#include "ScreenReader.h"
#include "ShapeControl.h"
#include "Translation.h"

namespace {

// The index of a control in its control array, or -1.
template <typename Widget, std::size_t N>
int indexOf(const std::array<Widget*, N>& controls, const QObject* w) {
    const auto it = std::find(controls.begin(), controls.end(), w);
    return it == controls.end() ? -1 : static_cast<int>(it - controls.begin());
}

}  // namespace

Form1::Form1(RecordStore& store, MediaControl& mm1, ProgramServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), game_(*this, store, mm1) {
    // The pictures live in a static library; make sure the linker keeps them.
    Q_INIT_RESOURCE(pictures);
    setWindowTitle(QString::fromStdString(text::tr(text::kCaption)));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessaro-32.png")));
    client_ = new QWidget(this);
    client_->setFixedSize(layout::toPixels(layout::kClientWidth),
                          layout::toPixels(layout::kClientHeight));
    client_->setAutoFillBackground(true);
    QPalette back = client_->palette();
    back.setColor(QPalette::Window, QColor(0, 128, 0));  // never seen: the paper covers it
    client_->setPalette(back);
    QFont font = client_->font();
    font.setPixelSize(12);
    client_->setFont(font);
    setCentralWidget(client_);

    c_.build(client_);
    screenreader::install(c_);
    connect(c_.operators, &QButtonGroup::idClicked, this, [this](int id) {
        handle("option " + std::to_string(id), [&] { game_.option1Click(id); });
    });

    buildMenus();
    frame::fix(this, true);
    qApp->installEventFilter(this);
}

Form1::~Form1() {
    qApp->removeEventFilter(this);
}

QWidget* Form1::control(Control control, int i) const {
    return c_.control(control, i);
}

void Form1::buildMenus() {
    for (const Menu& m : menus::kMenus) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(text::tr(m.caption)));
        menu->setObjectName(QLatin1String(m.name));
        for (const MenuItem& item : m.items) {
            if (!item.click) {
                menu->addSeparator()->setObjectName(QLatin1String(item.name));
                continue;
            }
            QAction* a = menu->addAction(QString::fromStdString(text::tr(item.caption)));
            a->setObjectName(QLatin1String(item.name));
            a->setShortcut(QKeySequence(QLatin1String(item.shortcut)));
            a->setShortcutContext(Qt::WindowShortcut);
            a->setCheckable(item.checkable);
            connect(a, &QAction::triggered, this, [this, &item] {
                handle(std::string("menu ") + item.name, [&] { (game_.*item.click)(); });
            });
            if (item.checkable) music_ = a;
        }
    }
}

QAction* Form1::menuItem(const QString& name) const {
    return menuBar()->findChild<QAction*>(name);
}

void Form1::load() {
    handle("load", [&] { game_.load(); });
    c_.option1[static_cast<std::size_t>(game_.board().Option1)]->setFocus();
    report_.startWith(game_.state().records);
}

template <typename Handler>
bool Form1::handle(const std::string& event, Handler&& handler) {
    if (failed_) return true;  // the program is ending: no event reaches the rules any more
    try {
        handler();
    } catch (const std::exception& e) {
        fail(event, e.what());
        return true;
    }
    report_.script().event(event);
    try {
        if (!game_.ended()) mirror();
    } catch (const std::exception& e) {
        fail("# the window after the last event", e.what());
    }
    return true;
}

void Form1::fail(const std::string& event, const char* what) {
    failed_ = true;
    showMessageBox(report_.save(event, what), text::tr(text::kAppTitle), box::kOkInformation);
    hide();
    QCoreApplication::exit(1);
    // Also once the event loop runs: an exit asked for before it starts is lost, as when the
    // fault comes while loading.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
}

double Form1::rnd() {
    const double r = services_.rnd();
    report_.script().random(r);
    return r;
}

void Form1::mirror() {
    const Board& b = game_.board();
    const qreal dpr = devicePixelRatioF();
    auto show = [dpr](PictureControl* p, int& shown, int picture) {
        if (shown == picture) return;
        shown = picture;
        p->setPicture(ImageList1::picture(picture, dpr));
    };
    for (int k = 0; k < kHandSlots; ++k) {
        const auto s = static_cast<std::size_t>(k);
        show(c_.image1[s], shown1_[s], b.Image1[k].picture);
        c_.image1[s]->move(c_.image1[s]->x(), layout::toPixels(b.Image1[k].top));
        c_.image1[s]->setVisible(b.Image1[k].visible);
        show(c_.image2[s], shown2_[s], b.Image2[k].picture);
        c_.image2[s]->setVisible(b.Image2[k].visible);
        c_.image3[s]->move(c_.image3[s]->x(), layout::toPixels(b.Image3[k].top));
        c_.image3[s]->setVisible(b.Image3[k].visible);
    }
    for (std::size_t i = 0; i < c_.image4.size(); ++i)
        show(c_.image4[i], shown4_[i], b.Image4[static_cast<int>(i)]);
    for (int i = 0; i <= 2; ++i)
        show(c_.image7[static_cast<std::size_t>(i)], shown7_[static_cast<std::size_t>(i)],
             b.Image7[i]);
    c_.showFrame2(b);
    music_->setChecked(b.musicChecked);

    screenreader::name(c_, b);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (game_.ended() || failed_ || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);

    // Key preview: the window sees every typed character before the focused control does.
    if (event->type() == QEvent::KeyPress && w->window() == this &&
        (w == QApplication::focusWidget() || w == this)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        if (!(key->modifiers() & chord) && key->text().size() == 1) {
            const int code = key->text().at(0).unicode();
            handle("key " + std::to_string(code), [&] { game_.keyPress(code); });
        }
        return keyOnControl(w, key->key());
    }
    // The second click of a double click is no click: a quick double click on "摸牌" draws one
    // card, and one on a hand card picks it rather than picking and putting it back.
    const bool clickable = indexOf(c_.image1, w) >= 0 || indexOf(c_.label1, w) >= 0;
    if (event->type() == QEvent::MouseButtonDblClick && clickable) {
        secondClick_ = true;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (std::exchange(secondClick_, false)) return clickable;
        if (mouse->button() != Qt::LeftButton || !w->rect().contains(mouse->position().toPoint()))
            return false;
        if (const int k = indexOf(c_.image1, w); k >= 0)
            return handle("hand " + std::to_string(k), [&] { game_.image1Click(k); });
        if (const int i = indexOf(c_.label1, w); i >= 0) return command(i, false);
    }
    if (event->type() == QEvent::MouseMove) {
        if (const int k = indexOf(c_.image1, w); k >= 0)
            return handle("move Image1 " + std::to_string(k), [&] { game_.image1MouseMove(k); });
        if (const int i = indexOf(c_.label1, w); i >= 0)
            return handle("move Label1 " + std::to_string(i), [&] { game_.label1MouseMove(i); });
        if (const int i = indexOf(c_.image5, w); i >= 0)
            return handle("move Image5 " + std::to_string(i), [&] { game_.image5MouseMove(); });
        if (w == c_.frame2) return handle("move Frame2", [&] { game_.frame2MouseMove(); });
    }
    return false;
}

bool Form1::command(int i, bool byKey) {
    const auto held = [this] {
        int n = 0;
        while (n < kHandSlots && game_.state().cpuValue[n] != 0) ++n;
        return n;
    };
    const bool turn = i == label::kPlay && game_.canClickLabel1(i);
    const int before = held(), boxes = boxesShown_;
    int hand = 0;
    while (hand < kHandSlots && game_.state().handValue[hand] != 0) ++hand;
    handle("label " + std::to_string(i), [&] { game_.label1Click(i); });
    // A card drawn on the keys, or by a reader's user, is told: it is not where the focus is.
    if (i == label::kDraw && !failed_ && !game_.ended() && hand < kHandSlots &&
        game_.state().handValue[hand] != 0 && boxes == boxesShown_ &&
        (byKey || QAccessible::isActive()))
        screenreader::tellDrawn(c_, game_.board(), hand);
    if (!turn || failed_ || game_.ended()) return true;
    const int laid = game_.board().Image4[0] == card::kBack ? 1 : 2;
    // Mouse users keep their focus; a reader's user, or a player on keys, goes on in the hand.
    screenreader::tellComputersTurn(c_, game_.board(), held() + laid - before, boxes != boxesShown_,
                                    byKey || QAccessible::isActive());
    return true;
}

bool Form1::keyOnControl(QWidget* w, int key) {
    const int k = indexOf(c_.image1, w), i = indexOf(c_.label1, w);
    // Space or Enter acts as a click on the card or command that has the focus.
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (k >= 0) return handle("hand " + std::to_string(k), [&] { game_.image1Click(k); });
        if (i >= 0) return command(i, true);
    }
    // Left and Right move along the hand, over the cards that are there.
    if (k >= 0 && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        const int step = key == Qt::Key_Left ? -1 : 1;
        for (int j = k + step; j >= 0 && j < kHandSlots; j += step) {
            if (c_.image1[static_cast<std::size_t>(j)]->isVisible()) {
                c_.image1[static_cast<std::size_t>(j)]->setFocus(Qt::TabFocusReason);
                break;
            }
        }
        return true;
    }
    return false;
}

void Form1::closeEvent(QCloseEvent* event) {
    // The close box ends the program at once: no question and no save.
    event->accept();
    qApp->quit();
}

int Form1::messageBox(const std::string& text, const std::string& title, int code) {
    mirror();
    ++boxesShown_;
    const int answer = showMessageBox(text, title, code);
    if (box::isYesNo(code)) report_.script().answer(answer);
    return answer;
}

std::string Form1::inputBox(const std::string& prompt, const std::string& title,
                            const std::string& defaultText) {
    mirror();
    const std::string name = showInputBox(prompt, title, defaultText);
    report_.script().input(name);
    return name;
}

int Form1::showMessageBox(const std::string& text, const std::string& title, int code) {
    return boxes::message(this, text, title, code);
}

std::string Form1::showInputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    return boxes::input(this, prompt, title, defaultText);
}

void Form1::redraw() {
    mirror();
    // A card shown again is painted through an update the toolkit posts for later: deliver it
    // now, as the pause that follows takes no events.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    repaint();
}

void Form1::endProgram() {
    hide();
    qApp->quit();
}
