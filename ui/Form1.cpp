// The game's one window.
#include "Form1.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <algorithm>
#include <utility>

#include "ImageList1.h"
#include "Menus.h"
#include "PictureControl.h"
#include "ShapeControl.h"

namespace {

QRect pixels(const Twips& t) {
    using layout::toPixels;
    return {toPixels(t.left), toPixels(t.top), toPixels(t.width), toPixels(t.height)};
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

QPixmap asset(const char* name) {
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(name));
}

}  // namespace

Form1::Form1(RecordStore& store, MediaControl& mm1, ProgramServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), game_(*this, store, mm1) {
    // The pictures live in a static library; make sure the linker keeps them.
    Q_INIT_RESOURCE(pictures);
    setWindowTitle(QString::fromUtf8(text::kCaption));
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
    QWidget::setTabOrder(option1_[3], option1_[2]);
    QWidget::setTabOrder(option1_[2], option1_[1]);
    QWidget::setTabOrder(option1_[1], option1_[0]);
    connect(operators_, &QButtonGroup::idClicked, this,
            [this](int id) { handle([&] { game_.option1Click(id); }); });

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
            o->setAttribute(Qt::WA_NoMousePropagation);
            o->setAutoFillBackground(true);
            operators_->addButton(o, i);
            return option1_[s] = o;
        }
        case Control::Label1: {
            auto* l = new QLabel(QString::fromUtf8(text::kLabel1[i]), parent);
            l->setAlignment(Qt::AlignCenter);
            l->setToolTip(QString::fromUtf8(text::kLabel1Tip[i]));
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
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QLatin1String(m.name));
        for (const MenuItem& item : m.items) {
            if (!item.click) {
                menu->addSeparator()->setObjectName(QLatin1String(item.name));
                continue;
            }
            QAction* a = menu->addAction(QString::fromUtf8(item.caption));
            a->setObjectName(QLatin1String(item.name));
            a->setShortcut(QKeySequence(QLatin1String(item.shortcut)));
            a->setShortcutContext(Qt::WindowShortcut);
            a->setCheckable(item.checkable);
            connect(a, &QAction::triggered, this,
                    [this, click = item.click] { handle([&] { (game_.*click)(); }); });
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
        if (indexOf(image5_, w) >= 0) return handle([&] { game_.image5MouseMove(); });
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
    const bool yesNo = box::isYesNo(code);
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
