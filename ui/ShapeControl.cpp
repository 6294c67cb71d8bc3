// A rounded-rectangle frame.
#include "ShapeControl.h"

#include <QPainter>

ShapeControl::ShapeControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::setLook(bool solid, const QColor& fill, const QColor& border) {
    if (solid == solid_ && fill == fill_ && border == border_) return;
    solid_ = solid;
    fill_ = fill;
    border_ = border;
    update();
}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(border_, 1));
    painter.setBrush(solid_ ? QBrush(fill_) : Qt::NoBrush);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min(r.width(), r.height()) / 4;
    painter.drawRoundedRect(r, radius, radius);
}
