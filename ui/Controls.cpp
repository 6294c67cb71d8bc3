// The window's controls, made where the layout puts them.
#include "Controls.h"

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

QPixmap asset(const char* name) {
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(name));
}

}  // namespace

void Controls::build(QWidget* client) {
    for (const layout::Row& row : layout::kControls) {
        for (int i = row.first; i <= row.last; ++i) {
            QWidget* w = make(row.control, i, row.inFrame2 ? frame2 : client, client);
            w->setGeometry(pixels(layout::place(row.control, i)));
        }
    }
    // The operators from the right, then the hand from the left, then the commands.
    std::vector<QWidget*> chain{option1[3], option1[2], option1[1], option1[0]};
    chain.insert(chain.end(), image1.begin(), image1.end());
    chain.insert(chain.end(), label1.begin(), label1.end());
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
            image3[s]->setPicture(asset("marker.png"));
            return image3[s];
        case Control::Image6:
            image6 = new PictureControl(parent, B::None, false);
            image6->setPicture(asset("ornament.png"));
            return image6;
        case Control::Image1:
            image1[s] = new PictureControl(parent, B::Flat, false);
            image1[s]->setMouseTracking(true);
            image1[s]->setFocusPolicy(Qt::TabFocus);
            return image1[s];
        case Control::Image5:
            image5[s] = new PictureControl(parent, B::None, false);
            image5[s]->setPicture(asset("background.png"));
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
