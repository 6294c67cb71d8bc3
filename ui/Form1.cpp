// The game's one window.
#include "Form1.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStandardPaths>
#include <algorithm>
#include <memory>
#include <utility>

#include "CardNames.h"
#include "ImageList1.h"
#include "Menus.h"
#include "PictureControl.h"
#include "ShapeControl.h"
#include "Translation.h"

namespace {

QRect pixels(const Twips& t) {
    using layout::toPixels;
    return {toPixels(t.left), toPixels(t.top), toPixels(t.width), toPixels(t.height)};
}

QColor color(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

// The index of a control in its control array, or -1.
template <typename Widget, std::size_t N>
int indexOf(const std::array<Widget*, N>& controls, const QObject* w) {
    const auto it = std::find(controls.begin(), controls.end(), w);
    return it == controls.end() ? -1 : static_cast<int>(it - controls.begin());
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// A text of Texts.h or Menus.h in the player's language.
QString trq(const char* source) {
    return qs(text::tr(source));
}

// A Yes/No box that only its buttons answer: Esc does nothing and there is no close button, so
// the player has to choose.
class ChoiceBox : public QMessageBox {
public:
    explicit ChoiceBox(QWidget* parent) : QMessageBox(parent) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            event->accept();
        else
            QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (clickedButton())
            QMessageBox::closeEvent(event);
        else
            event->ignore();
    }
};

// A command label that shows a thin outline while it has the focus, which only the keyboard
// gives it.
class CommandLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!hasFocus()) return;
        QPainter painter(this);
        painter.setPen(QColor(0, 0, 255));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

QPixmap asset(const char* name) {
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(name));
}

}  // namespace

Form1::Form1(RecordStore& store, MediaControl& mm1, ProgramServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), game_(*this, store, mm1) {
    // The pictures live in a static library; make sure the linker keeps them.
    Q_INIT_RESOURCE(pictures);
    setWindowTitle(trq(text::kCaption));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessaro-32.png")));
    // A fixed dialog border: no minimise, no maximise, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

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

    for (const layout::Row& row : layout::kControls) {
        for (int i = row.first; i <= row.last; ++i) {
            QWidget* w = makeControl(row.control, i, row.inFrame2 ? frame2_ : client_);
            w->setGeometry(pixels(layout::place(row.control, i)));
        }
    }
    // The operators from the right, then the hand from the left, then the commands.
    std::vector<QWidget*> chain{option1_[3], option1_[2], option1_[1], option1_[0]};
    chain.insert(chain.end(), image1_.begin(), image1_.end());
    chain.insert(chain.end(), label1_.begin(), label1_.end());
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
    connect(operators_, &QButtonGroup::idClicked, this, [this](int id) {
        handle("option " + std::to_string(id), [&] { game_.option1Click(id); });
    });

    buildMenus();
    stack();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    qApp->installEventFilter(this);
    mirror();
}

Form1::~Form1() {
    qApp->removeEventFilter(this);
}

QWidget* Form1::makeControl(Control control, int i, QWidget* parent) {
    using B = PictureControl::Border;
    const auto s = static_cast<std::size_t>(i);
    switch (control) {
        case Control::Frame2:
            frame2_ = new QFrame(parent);
            frame2_->setFrameStyle(QFrame::Box | QFrame::Sunken);
            frame2_->setAutoFillBackground(true);
            frame2_->setMouseTracking(true);
            return frame2_;
        case Control::Option1: {
            if (!operators_) operators_ = new QButtonGroup(this);
            auto* o = new QRadioButton(QString::fromUtf8(text::kOption1[i]), parent);
            o->setAccessibleName(trq(text::kOption1Names[i]));
            o->setAttribute(Qt::WA_NoMousePropagation);
            o->setAutoFillBackground(true);
            operators_->addButton(o, i);
            return option1_[s] = o;
        }
        case Control::Label1: {
            auto* l = new CommandLabel(trq(text::kLabel1[i]), parent);
            l->setFocusPolicy(Qt::TabFocus);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            l->setToolTip(trq(text::kLabel1Tip[i]));
            l->setMouseTracking(true);
            return label1_[s] = l;
        }
        case Control::Shape1:
            return shape1_[s] = new ShapeControl(parent);
        case Control::Image7: {
            auto* p = new PictureControl(parent, B::Sunken, true);
            // Moving over a selected card is not moving over the frame's surface.
            p->setAttribute(Qt::WA_NoMousePropagation);
            p->setVisible(i != 2);  // the spare for the swap is never seen
            return image7_[s] = p;
        }
        case Control::Image2:
            return image2_[s] = new PictureControl(parent, B::Flat, false);
        case Control::Image4:
            return image4_[s] = new PictureControl(parent, B::Flat, false);
        case Control::Image3:
            image3_[s] = new PictureControl(parent, B::None, false);
            image3_[s]->setPicture(asset("marker.png"));
            return image3_[s];
        case Control::Image6:
            image6_ = new PictureControl(parent, B::None, false);
            image6_->setPicture(asset("ornament.png"));
            return image6_;
        case Control::Image1:
            image1_[s] = new PictureControl(parent, B::Flat, false);
            image1_[s]->setMouseTracking(true);
            image1_[s]->setFocusPolicy(Qt::TabFocus);
            return image1_[s];
        case Control::Image5:
            image5_[s] = new PictureControl(parent, B::None, false);
            image5_[s]->setPicture(asset("background.png"));
            image5_[s]->setMouseTracking(true);
            return image5_[s];
    }
    return nullptr;
}

QWidget* Form1::control(Control control, int i) const {
    const auto s = static_cast<std::size_t>(i);
    switch (control) {
        case Control::Frame2:
            return frame2_;
        case Control::Option1:
            return option1_.at(s);
        case Control::Label1:
            return label1_.at(s);
        case Control::Shape1:
            return shape1_.at(s);
        case Control::Image7:
            return image7_.at(s);
        case Control::Image2:
            return image2_.at(s);
        case Control::Image4:
            return image4_.at(s);
        case Control::Image3:
            return image3_.at(s);
        case Control::Image6:
            return image6_;
        case Control::Image1:
            return image1_.at(s);
        case Control::Image5:
            return image5_.at(s);
    }
    return nullptr;
}

void Form1::buildMenus() {
    for (const Menu& m : menus::kMenus) {
        QMenu* menu = menuBar()->addMenu(trq(m.caption));
        menu->setObjectName(QLatin1String(m.name));
        for (const MenuItem& item : m.items) {
            if (!item.click) {
                menu->addSeparator()->setObjectName(QLatin1String(item.name));
                continue;
            }
            QAction* a = menu->addAction(trq(item.caption));
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
    handle("load", [&] { game_.load(); });
    for (const ScoreEntry& row : game_.state().records)
        tableAtLoad_ += "#   \"" + row.name + "\"," + std::to_string(row.points) + "\n";
}

template <typename Handler>
bool Form1::handle(const std::string& event, Handler&& handler) {
    try {
        handler();
        script_.event(event);
    } catch (const std::exception& e) {
        fail(event, e.what());
    }
    if (!game_.ended() && !failed_) mirror();
    return true;
}

void Form1::fail(const std::string& event, const char* what) {
    failed_ = true;
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString path = QDir(dir).filePath(
        QDateTime::currentDateTime().toString(QStringLiteral("'fault-'yyyyMMdd-hhmmss'.txt'")));
    const std::string report =
        "# Tessaro stopped on a fault in its rules: " + std::string(what) +
        "\n# To see it again, put these rows in Data.dat (in GBK) in a directory DIR and run\n"
        "# tessaro-replay --dir DIR < THIS-FILE\n" +
        tableAtLoad_ + script_.text() + event + "  # the fault\n";
    QFile file(path);
    const bool saved = QDir().mkpath(dir) && file.open(QIODevice::WriteOnly) &&
                       file.write(report.data(), qint64(report.size())) == qint64(report.size());
    file.close();
    messageBox(text::tr(text::kFault) + "\n" +
                   (saved ? text::fill(text::tr(text::kFaultSaved),
                                       {QDir::toNativeSeparators(path).toStdString()})
                          : text::tr(text::kFaultNotSaved)),
               text::tr(text::kAppTitle), box::kOkInformation);
    hide();
    qApp->exit(1);
}

double Form1::rnd() {
    const double r = services_.rnd();
    script_.random(r);
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
        show(image1_[s], shown1_[s], b.Image1[k].picture);
        image1_[s]->move(image1_[s]->x(), layout::toPixels(b.Image1[k].top));
        image1_[s]->setVisible(b.Image1[k].visible);
        show(image2_[s], shown2_[s], b.Image2[k].picture);
        image2_[s]->setVisible(b.Image2[k].visible);
        image3_[s]->move(image3_[s]->x(), layout::toPixels(b.Image3[k].top));
        image3_[s]->setVisible(b.Image3[k].visible);
    }
    for (std::size_t i = 0; i < image4_.size(); ++i)
        show(image4_[i], shown4_[i], b.Image4[static_cast<int>(i)]);
    for (int i = 0; i <= 2; ++i) {
        const auto s = static_cast<std::size_t>(i);
        show(image7_[s], shown7_[s], b.Image7[i]);
        label1_[s]->setEnabled(b.Label1Enabled[i]);
        shape1_[s]->setLook(b.Shape1[i].solid, color(b.Shape1[i].fill), color(b.Shape1[i].border));
    }
    QPalette framePalette = frame2_->palette();
    framePalette.setColor(QPalette::Window, color(b.Frame2Back));
    frame2_->setPalette(framePalette);
    for (int i = 0; i <= op::kDivide; ++i) {
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
    music_->setChecked(b.musicChecked);

    // What a screen reader says; setting a name tells it that the name has changed.
    for (int k = 0; k < kHandSlots; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const bool picked = b.Image1[k].top == layout::kHandRaisedTop;
        const std::string name = names::card(b.Image1[k].picture);
        image1_[s]->setAccessibleName(qs(picked ? names::picked(name) : name));
        image2_[s]->setAccessibleName(qs(names::card(b.Image2[k].picture)));
    }
    for (int i = 0; i <= 1; ++i) {
        const auto s = static_cast<std::size_t>(i);
        image4_[s]->setAccessibleName(
            qs(names::place(text::kImage4Names[i], names::card(b.Image4[i]))));
        image7_[s]->setAccessibleName(
            qs(names::place(text::kImage7Names[i], names::card(b.Image7[i]))));
    }
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
        if (const int k = indexOf(image1_, w); k >= 0)
            return handle("hand " + std::to_string(k), [&] { game_.image1Click(k); });
        if (const int i = indexOf(label1_, w); i >= 0)
            return handle("label " + std::to_string(i), [&] { game_.label1Click(i); });
    }
    if (event->type() == QEvent::MouseMove) {
        if (const int k = indexOf(image1_, w); k >= 0)
            return handle("move Image1 " + std::to_string(k), [&] { game_.image1MouseMove(k); });
        if (const int i = indexOf(label1_, w); i >= 0)
            return handle("move Label1 " + std::to_string(i), [&] { game_.label1MouseMove(i); });
        if (const int i = indexOf(image5_, w); i >= 0)
            return handle("move Image5 " + std::to_string(i), [&] { game_.image5MouseMove(); });
        if (w == frame2_) return handle("move Frame2", [&] { game_.frame2MouseMove(); });
    }
    return false;
}

bool Form1::keyOnControl(QWidget* w, int key) {
    const int k = indexOf(image1_, w), i = indexOf(label1_, w);
    // Space or Enter acts as a click on the card or command that has the focus.
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (k >= 0) return handle("hand " + std::to_string(k), [&] { game_.image1Click(k); });
        if (i >= 0) return handle("label " + std::to_string(i), [&] { game_.label1Click(i); });
    }
    // Left and Right move along the hand, over the cards that are there.
    if (k >= 0 && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        const int step = key == Qt::Key_Left ? -1 : 1;
        for (int j = k + step; j >= 0 && j < kHandSlots; j += step) {
            if (image1_[static_cast<std::size_t>(j)]->isVisible()) {
                image1_[static_cast<std::size_t>(j)]->setFocus(Qt::TabFocusReason);
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
    const int answer = showMessageBox(text, title, code);
    if (box::isYesNo(code)) script_.answer(answer);
    return answer;
}

std::string Form1::inputBox(const std::string& prompt, const std::string& title,
                            const std::string& defaultText) {
    mirror();
    const std::string name = showInputBox(prompt, title, defaultText);
    script_.input(name);
    return name;
}

int Form1::showMessageBox(const std::string& text, const std::string& title, int code) {
    const bool yesNo = box::isYesNo(code);
    std::unique_ptr<QMessageBox> shown(yesNo ? new ChoiceBox(this) : new QMessageBox(this));
    QMessageBox& box = *shown;
    box.setWindowTitle(qs(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(qs(text));
    if (code == box::kYesNoQuestion)
        box.setIcon(QMessageBox::Question);
    else if (code == box::kOkInformation || code == box::kYesNoInformation)
        box.setIcon(QMessageBox::Information);
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

std::string Form1::showInputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    QInputDialog dialog(this);
    dialog.setWindowTitle(qs(title));
    dialog.setLabelText(qs(prompt));
    dialog.setTextValue(qs(defaultText));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().toStdString() : "";
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
