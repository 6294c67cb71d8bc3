// The window's controls, made where the layout puts them.
#include "Controls.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <vector>

#include "PictureControl.h"
#include "ShapeControl.h"
#include "Texts.h"
#include "Translation.h"

namespace {

QRect pixels(const Twips& t) {
    using layout::toPixels;
    return {toPixels(t.left), toPixels(t.top), toPixels(t.width), toPixels(t.height)};
}

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

QColor color(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

// A picture of ours, from its twice-as-large drawing on a high-density screen (a plain pixmap
// never looks for one by itself).
QPixmap asset(const char* name) {
    const QString path = QStringLiteral(":/pictures/") + QLatin1String(name);
    if (qApp->devicePixelRatio() > 1.0) {
        QPixmap big(path + QStringLiteral("@2x.png"));
        if (!big.isNull()) {
            big.setDevicePixelRatio(2.0);
            return big;
        }
    }
    return QPixmap(path + QStringLiteral(".png"));
}

}  // namespace

void Controls::build(QWidget* client) {
    for (const layout::Row& row : layout::kControls) {
        for (int i = row.first; i <= row.last; ++i) {
            QWidget* w = make(row.control, i, row.inFrame2 ? frame2 : client, client);
            w->setGeometry(pixels(layout::place(row.control, i)));
        }
    }
    // The operators from the right, then the hand from the left, the commands, and the cards on
    // the table and in the selection, which a screen reader reads when they have the focus.
    std::vector<QWidget*> chain{option1[3], option1[2], option1[1], option1[0]};
    chain.insert(chain.end(), image1.begin(), image1.end());
    chain.insert(chain.end(), label1.begin(), label1.end());
    chain.insert(chain.end(), {image4[0], image4[1], image7[0], image7[1]});
    for (QWidget* card : {image4[0], image4[1], image7[0], image7[1]})
        card->setFocusPolicy(Qt::TabFocus);
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
    stack();
}

QWidget* Controls::make(Control control, int i, QWidget* parent, QWidget* client) {
    using B = PictureControl::Border;
    const auto s = static_cast<std::size_t>(i);
    switch (control) {
        case Control::Frame2:
            frame2 = new QFrame(parent);
            frame2->setFrameStyle(QFrame::Box | QFrame::Sunken);
            frame2->setAutoFillBackground(true);
            frame2->setMouseTracking(true);
            return frame2;
        case Control::Option1: {
            if (!operators) operators = new QButtonGroup(client);
            auto* o = new QRadioButton(QString::fromUtf8(text::kOption1[i]), parent);
            o->setAccessibleName(QString::fromStdString(text::tr(text::kOption1Names[i])));
            o->setAttribute(Qt::WA_NoMousePropagation);
            o->setAutoFillBackground(true);
            operators->addButton(o, i);
            return option1[s] = o;
        }
        case Control::Label1: {
            auto* l = new CommandLabel(QString::fromStdString(text::tr(text::kLabel1[i])), parent);
            l->setFocusPolicy(Qt::TabFocus);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            l->setToolTip(QString::fromStdString(text::tr(text::kLabel1Tip[i])));
            l->setMouseTracking(true);
            return label1[s] = l;
        }
        case Control::Shape1:
            return shape1[s] = new ShapeControl(parent);
        case Control::Image7: {
            auto* p = new PictureControl(parent, B::Sunken, true);
            // Moving over a selected card is not moving over the frame's surface.
            p->setAttribute(Qt::WA_NoMousePropagation);
            p->setVisible(i != 2);  // the spare for the swap is never seen
            return image7[s] = p;
        }
        case Control::Image2:
            return image2[s] = new PictureControl(parent, B::Flat, false);
        case Control::Image4:
            return image4[s] = new PictureControl(parent, B::Flat, false);
        case Control::Image3:
            image3[s] = new PictureControl(parent, B::None, false);
            image3[s]->setPicture(asset("marker"));
            return image3[s];
        case Control::Image6:
            image6 = new PictureControl(parent, B::None, false);
            image6->setPicture(asset("ornament"));
            return image6;
        case Control::Image1:
            image1[s] = new PictureControl(parent, B::Flat, false);
            image1[s]->setMouseTracking(true);
            image1[s]->setFocusPolicy(Qt::TabFocus);
            return image1[s];
        case Control::Image5:
            image5[s] = new PictureControl(parent, B::None, false);
            image5[s]->setPicture(asset("background"));
            image5[s]->setMouseTracking(true);
            return image5[s];
    }
    return nullptr;
}

QWidget* Controls::control(Control control, int i) const {
    const auto s = static_cast<std::size_t>(i);
    switch (control) {
        case Control::Frame2:
            return frame2;
        case Control::Option1:
            return option1.at(s);
        case Control::Label1:
            return label1.at(s);
        case Control::Shape1:
            return shape1.at(s);
        case Control::Image7:
            return image7.at(s);
        case Control::Image2:
            return image2.at(s);
        case Control::Image4:
            return image4.at(s);
        case Control::Image3:
            return image3.at(s);
        case Control::Image6:
            return image6;
        case Control::Image1:
            return image1.at(s);
        case Control::Image5:
            return image5.at(s);
    }
    return nullptr;
}

void Controls::showFrame2(const Board& b) {
    for (int i = 0; i <= 2; ++i) {
        const auto s = static_cast<std::size_t>(i);
        label1[s]->setEnabled(b.Label1Enabled[i]);
        shape1[s]->setLook(b.Shape1[i].solid, color(b.Shape1[i].fill), color(b.Shape1[i].border));
        // A greyed caption is written in the disabled text colour. The toolkit's light grey
        // reads at 1.7 : 1 on a lit (yellow) frame; this grey at 4.7 : 1, still plainly
        // lighter than an enabled command's black.
        QPalette p = label1[s]->palette();
        p.setColor(QPalette::Disabled, QPalette::Text,
                   b.Shape1[i].solid
                       ? QColor(110, 110, 110)
                       : QApplication::palette().color(QPalette::Disabled, QPalette::Text));
        label1[s]->setPalette(p);
    }
    QPalette framePalette = frame2->palette();
    framePalette.setColor(QPalette::Window, color(b.Frame2Back));
    frame2->setPalette(framePalette);
    for (int i = 0; i <= op::kDivide; ++i) {
        QRadioButton* o = option1[static_cast<std::size_t>(i)];
        QPalette p = o->palette();
        p.setColor(QPalette::Window, color(b.Frame2Back));
        p.setColor(QPalette::Button, color(b.Frame2Back));
        p.setColor(QPalette::WindowText, Qt::white);
        p.setColor(QPalette::ButtonText, Qt::white);
        o->setPalette(p);
        const QSignalBlocker quiet(o);
        if (b.Option1 == i) o->setChecked(true);
    }
}

void Controls::stack() {
    // Back to front; each hand card lies on the one to its left.
    image5[1]->raise();
    image5[0]->raise();
    for (auto* p : image1) p->raise();
    image6->raise();
    image4[0]->raise();
    for (int k = 0; k <= 8; ++k) image2[static_cast<std::size_t>(k)]->raise();
    for (auto* p : image3) p->raise();
    image4[1]->raise();
    image2[9]->raise();
    image7[2]->raise();
    frame2->raise();
    // Inside the frame, back to front.
    shape1[1]->raise();
    shape1[0]->raise();
    label1[0]->raise();
    label1[1]->raise();
    image7[0]->raise();
    image7[1]->raise();
    shape1[2]->raise();
    label1[2]->raise();
    for (auto* o : option1) o->raise();
}
