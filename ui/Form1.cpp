// The game's one window.
#include "Form1.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTime>
#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "ImageList1.h"
#include "PictureControl.h"
#include "ShapeControl.h"

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) {
    return twips / kTwipsPerPixel;
}

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(px(left), px(top), px(width), px(height));
}

QColor color(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

// The index of a control in its control array, or -1.
template <typename Control, std::size_t N>
int indexOf(const std::array<Control*, N>& controls, const QObject* w) {
    const auto it = std::find(controls.begin(), controls.end(), w);
    return it == controls.end() ? -1 : static_cast<int>(it - controls.begin());
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QPixmap asset(const QString& name) {
    return QPixmap(QStringLiteral(":/pictures/") + name);
}

}  // namespace

Form1::Form1(RecordStore& store, MediaControl& mm1, QWidget* parent)
    : QMainWindow(parent), game_(*this, store, mm1) {
    // The pictures live in a static library; make sure the linker keeps them.
    Q_INIT_RESOURCE(pictures);
    setWindowTitle(QStringLiteral("Tessaro1.07（特别版）"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessaro-32.png")));
    // A fixed dialog border: no minimise, no maximise, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildControls();
    buildMenus();
    stack();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    qApp->installEventFilter(this);
    mirror();
}

Form1::~Form1() {
    qApp->removeEventFilter(this);
}

void Form1::buildControls() {
    client_ = new QWidget(this);
    client_->setFixedSize(px(8250), px(6060));
    client_->setAutoFillBackground(true);
    QPalette back = client_->palette();
    back.setColor(QPalette::Window, QColor(0, 128, 0));
    client_->setPalette(back);
    QFont font = client_->font();
    font.setPixelSize(12);
    client_->setFont(font);
    setCentralWidget(client_);

    using B = PictureControl::Border;
    for (int i = 0; i < 2; ++i) {
        auto* p = new PictureControl(client_, B::None, false);
        place(p, i == 0 ? 0 : -120, i == 0 ? 2520 : -240, 15360, 3690);
        p->setPicture(asset(QStringLiteral("background.png")));
        p->setMouseTracking(true);
        image5_[static_cast<std::size_t>(i)] = p;
    }
    image6_ = new PictureControl(client_, B::None, false);
    place(image6_, -120, 0, 3405, 3690);
    image6_->setPicture(asset(QStringLiteral("ornament.png")));

    const QPixmap back55 = ImageList1::picture(kCardBack, devicePixelRatioF());
    for (int k = 0; k < 10; ++k) {
        const auto s = static_cast<std::size_t>(k);
        image1_[s] = new PictureControl(client_, B::Flat, false);
        place(image1_[s], Board::image1Left(k), kHandRestTop, 1110, 1485);
        image1_[s]->setMouseTracking(true);
        image2_[s] = new PictureControl(client_, B::Flat, false);
        place(image2_[s], Board::image2Left(k), 120, 1050, 1440);
        image3_[s] = new PictureControl(client_, B::None, false);
        place(image3_[s], Board::image3Left(k), kMarkerTop, 300, 315);
        image3_[s]->setPicture(asset(QStringLiteral("marker.png")));
    }
    for (int i = 0; i < 2; ++i) {
        image4_[static_cast<std::size_t>(i)] = new PictureControl(client_, B::Flat, false);
        place(image4_[static_cast<std::size_t>(i)], i == 0 ? 3960 : 4440, 2280, 1050, 1440);
    }
    image7_[2] = new PictureControl(client_, B::Sunken, true);
    place(image7_[2], 7440, 3120, 615, 735);
    image7_[2]->hide();

    frame2_ = new QFrame(client_);
    place(frame2_, 5400, 4200, 2415, 1695);
    frame2_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame2_->setAutoFillBackground(true);
    frame2_->setMouseTracking(true);

    const int shapeTop[] = {255, 615, 960}, shapeHeight[] = {240, 255, 255};
    const int labelTop[] = {285, 645, 990}, labelHeight[] = {210, 225, 225};
    const char* captions[] = {"摸牌", "出牌", "交换次序"};
    const char* tips[] = {"点击可以摸一张牌（最多10张）", "点击将按照您排好的次序出牌",
                          "交换牌面的先后顺序"};
    for (int i = 0; i < 3; ++i) {
        const auto s = static_cast<std::size_t>(i);
        shape1_[s] = new ShapeControl(frame2_);
        place(shape1_[s], 240, shapeTop[i], 870, shapeHeight[i]);
        label1_[s] = new QLabel(QString::fromUtf8(captions[i]), frame2_);
        place(label1_[s], 240, labelTop[i], 855, labelHeight[i]);
        label1_[s]->setAlignment(Qt::AlignCenter);
        label1_[s]->setToolTip(QString::fromUtf8(tips[i]));
        label1_[s]->setMouseTracking(true);
    }
    for (int i = 0; i < 2; ++i) {
        image7_[static_cast<std::size_t>(i)] = new PictureControl(frame2_, B::Sunken, true);
        place(image7_[static_cast<std::size_t>(i)], i == 0 ? 1320 : 1680, i == 0 ? 240 : 480, 615,
              735);
        // Moving over a selected card is not moving over the frame's surface.
        image7_[static_cast<std::size_t>(i)]->setAttribute(Qt::WA_NoMousePropagation);
    }

    operators_ = new QButtonGroup(this);
    const char* signs[] = {"+", "-", "*", "\\"};
    for (int i = 0; i < 4; ++i) {
        auto* o = new QRadioButton(QString::fromLatin1(signs[i]), frame2_);
        place(o, 240 + 480 * i, 1320, 495, 255);
        o->setAttribute(Qt::WA_NoMousePropagation);
        o->setAutoFillBackground(true);
        operators_->addButton(o, i);
        option1_[static_cast<std::size_t>(i)] = o;
    }
    QWidget::setTabOrder(option1_[3], option1_[2]);
    QWidget::setTabOrder(option1_[2], option1_[1]);
    QWidget::setTabOrder(option1_[1], option1_[0]);
    connect(operators_, &QButtonGroup::idClicked, this,
            [this](int id) { handle([&] { game_.option1Click(id); }); });
}

void Form1::buildMenus() {
    QMenu* game = menuBar()->addMenu(QStringLiteral("游戏"));
    game->setObjectName(QStringLiteral("game"));
    auto item = [this](QMenu* menu, const char* name, const char* caption, QKeySequence key,
                       void (Game::*handler)()) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this,
                [this, handler] { handle([&] { (game_.*handler)(); }); });
        return a;
    };
    item(game, "new", "新的开始", QKeySequence(Qt::CTRL | Qt::Key_N), &Game::newClick);
    music_ = item(game, "music", "游戏音乐", QKeySequence(Qt::CTRL | Qt::Key_M), &Game::musicClick);
    music_->setCheckable(true);
    item(game, "gao", "高分记录", QKeySequence(Qt::CTRL | Qt::Key_G), &Game::gaoClick);
    game->addSeparator()->setObjectName(QStringLiteral("a"));
    item(game, "quit", "退出游戏", QKeySequence(Qt::CTRL | Qt::Key_Q), &Game::quitClick);
    QMenu* about1 = menuBar()->addMenu(QStringLiteral("关于"));
    about1->setObjectName(QStringLiteral("about1"));
    item(about1, "help", "游戏帮助", {}, &Game::helpClick);
    item(about1, "about", "关于……", {}, &Game::aboutClick);
}

void Form1::stack() {
    // Back to front; each hand card lies on the one to its left.
    image5_[1]->raise();
    image5_[0]->raise();
    for (auto* p : image1_) p->raise();
    image6_->raise();
    image4_[0]->raise();
    for (int k = 0; k <= 8; ++k) image2_[static_cast<std::size_t>(k)]->raise();
    for (auto* p : image3_) p->raise();
    image4_[1]->raise();
    image2_[9]->raise();
    image7_[2]->raise();
    frame2_->raise();
    // Inside the frame, back to front.
    shape1_[1]->raise();
    shape1_[0]->raise();
    label1_[0]->raise();
    label1_[1]->raise();
    image7_[0]->raise();
    image7_[1]->raise();
    shape1_[2]->raise();
    label1_[2]->raise();
    for (auto* o : option1_) o->raise();
}

QAction* Form1::menuItem(const QString& name) const {
    return menuBar()->findChild<QAction*>(name);
}

void Form1::load() {
    game_.load();
    mirror();
}

template <typename Handler>
bool Form1::handle(Handler&& handler) {
    handler();
    if (!game_.ended()) mirror();
    return true;
}

void Form1::mirror() {
    const Board& b = game_.board;
    const qreal dpr = devicePixelRatioF();
    auto show = [dpr](PictureControl* p, int& shown, int picture) {
        if (shown == picture) return;
        shown = picture;
        p->setPicture(ImageList1::picture(picture, dpr));
    };
    for (int k = 0; k < 10; ++k) {
        const auto s = static_cast<std::size_t>(k);
        show(image1_[s], shown1_[s], b.Image1[k].picture);
        image1_[s]->move(px(Board::image1Left(k)), px(b.Image1[k].top));
        image1_[s]->setVisible(b.Image1[k].visible);
        show(image2_[s], shown2_[s], b.Image2[k].picture);
        image2_[s]->setVisible(b.Image2[k].visible);
        image3_[s]->move(px(Board::image3Left(k)), px(b.Image3[k].top));
        image3_[s]->setVisible(b.Image3[k].visible);
    }
    for (int i = 0; i < 2; ++i)
        show(image4_[static_cast<std::size_t>(i)], shown4_[static_cast<std::size_t>(i)],
             b.Image4[i]);
    for (int i = 0; i < 3; ++i) {
        const auto s = static_cast<std::size_t>(i);
        show(image7_[s], shown7_[s], b.Image7[i]);
        label1_[s]->setEnabled(b.Label1Enabled[i]);
        shape1_[s]->setLook(b.Shape1[i].solid, color(b.Shape1[i].fill), color(b.Shape1[i].border));
    }
    QPalette framePalette = frame2_->palette();
    framePalette.setColor(QPalette::Window, color(b.Frame2Back));
    frame2_->setPalette(framePalette);
    for (int i = 0; i < 4; ++i) {
        QRadioButton* o = option1_[static_cast<std::size_t>(i)];
        QPalette p = o->palette();
        p.setColor(QPalette::Window, color(b.Frame2Back));
        p.setColor(QPalette::Button, color(b.Frame2Back));
        p.setColor(QPalette::WindowText, Qt::white);
        p.setColor(QPalette::ButtonText, Qt::white);
        o->setPalette(p);
        const QSignalBlocker quiet(o);
        if (b.Option1 == i) o->setChecked(true);
    }
    if (b.Option1 < 0 || b.Option1 > 3) {
        operators_->setExclusive(false);
        for (auto* o : option1_) o->setChecked(false);
        operators_->setExclusive(true);
    }
    music_->setChecked(b.musicChecked);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (game_.ended() || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);

    // Key preview: the window sees every typed character before the focused control does.
    if (event->type() == QEvent::KeyPress && w->window() == this &&
        (w == QApplication::focusWidget() || w == this)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        if (!(key->modifiers() & chord) && key->text().size() == 1)
            handle([&] { game_.keyPress(key->text().at(0).unicode()); });
        return false;
    }
    // The second click of a double click is no click: a quick double click on "摸牌" draws one
    // card, and one on a hand card picks it rather than picking and putting it back.
    const bool clickable = indexOf(image1_, w) >= 0 || indexOf(label1_, w) >= 0;
    if (event->type() == QEvent::MouseButtonDblClick && clickable) {
        secondClick_ = true;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (std::exchange(secondClick_, false)) return clickable;
        if (mouse->button() != Qt::LeftButton || !w->rect().contains(mouse->position().toPoint()))
            return false;
        if (const int k = indexOf(image1_, w); k >= 0) return handle([&] { game_.image1Click(k); });
        if (const int i = indexOf(label1_, w); i >= 0) return handle([&] { game_.label1Click(i); });
    }
    if (event->type() == QEvent::MouseMove) {
        if (const int k = indexOf(image1_, w); k >= 0)
            return handle([&] { game_.image1MouseMove(k); });
        if (const int i = indexOf(label1_, w); i >= 0)
            return handle([&] { game_.label1MouseMove(i); });
        if (const int i = indexOf(image5_, w); i >= 0)
            return handle([&] { game_.image5MouseMove(i); });
        if (w == frame2_) return handle([&] { game_.frame2MouseMove(); });
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
    QMessageBox box(this);
    box.setWindowTitle(qs(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(qs(text));
    const bool yesNo = code == box::kYesNoQuestion || code == box::kYesNoInformation;
    if (code == box::kYesNoQuestion)
        box.setIcon(QMessageBox::Question);
    else if (code == box::kOkInformation || code == box::kYesNoInformation)
        box.setIcon(QMessageBox::Information);
    else
        box.setIcon(QMessageBox::NoIcon);
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (!yesNo) return box::kAnswerOk;
    return answer == QMessageBox::Yes ? box::kAnswerYes : box::kAnswerNo;
}

std::string Form1::inputBox(const std::string& prompt, const std::string& title,
                            const std::string& defaultText) {
    mirror();
    QInputDialog dialog(this);
    dialog.setWindowTitle(qs(title));
    dialog.setLabelText(qs(prompt));
    dialog.setTextValue(qs(defaultText));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue().toStdString();
}

void Form1::redraw() {
    mirror();
    repaint();
}

void Form1::endProgram() {
    hide();
    qApp->quit();
}

void Form1::randomize() {
    generator_.seed(
        static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
}

double Form1::rnd() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
}

float Form1::timer() {
    // Seconds since midnight, read from a clock that ticks in hundredths of a second.
    const int hundredths = QTime::currentTime().msecsSinceStartOfDay() / 10;
    return static_cast<float>(hundredths) / 100.0f;
}

void Form1::nap() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::string Form1::appPath() {
    return QCoreApplication::applicationDirPath().toStdString();
}
