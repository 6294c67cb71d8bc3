// A picture control: a card, marker or texture at its natural size, or stretched to the control.
#pragma once

#include <QPixmap>
#include <QWidget>

class PictureControl : public QWidget {
public:
    enum class Border { None, Flat, Sunken };

    PictureControl(QWidget* parent, Border border, bool stretch);

    // Gives the control a picture; a control that does not stretch takes its size plus border.
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int borderWidth() const { return border_ == Border::None ? 0 : 1; }

    Border border_;
    bool stretch_;
    QPixmap picture_;
};
