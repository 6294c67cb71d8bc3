// A rounded-rectangle frame behind a command label; it takes no mouse events of its own.
#pragma once

#include <QColor>
#include <QWidget>

class ShapeControl : public QWidget {
public:
    explicit ShapeControl(QWidget* parent);

    void setLook(bool solid, const QColor& fill, const QColor& border);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool solid_ = false;
    QColor fill_{0, 0, 255};
    QColor border_{0, 0, 0};
};
