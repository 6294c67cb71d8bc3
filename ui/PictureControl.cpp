// A picture control.
#include "PictureControl.h"

#include <QPainter>

PictureControl::PictureControl(QWidget* parent, Border border, bool stretch)
    : QWidget(parent), border_(border), stretch_(stretch) {}

void PictureControl::setPicture(const QPixmap& picture) {
    if (picture.cacheKey() == picture_.cacheKey() && !picture.isNull()) return;
    picture_ = picture;
    if (!stretch_ && !picture_.isNull()) {
        const QSize natural = picture_.deviceIndependentSize().toSize();
        resize(natural + QSize(2 * borderWidth(), 2 * borderWidth()));
    }
    update();
}

void PictureControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int b = borderWidth();
    const QRect inside = rect().adjusted(b, b, -b, -b);
    if (!picture_.isNull()) {
        // A card's corners are rounded and clear: inside a square border they would show the
        // table through; they take the colour of the card's own edge and the border's.
        if (border_ == Border::Flat) painter.fillRect(inside, Qt::black);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, stretch_);
        if (stretch_)
            painter.drawPixmap(inside, picture_);
        else
            painter.drawPixmap(inside.topLeft(), picture_);
    }
    // Only the keyboard gives a card the focus: its outline shows where the keys act.
    if (hasFocus()) {
        painter.setPen(QPen(QColor(0, 0, 255), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        return;
    }
    // The outline runs along the inside of the edge: on a line through pixel centres it would
    // lie half outside the control, and at scale 1.5 or 2 leave a device pixel of the table
    // between the border and the face.
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (border_ == Border::Flat) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(r);
    } else if (border_ == Border::Sunken) {
        painter.setPen(QPen(palette().color(QPalette::Dark), 1));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(QPen(palette().color(QPalette::Light), 1));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}
