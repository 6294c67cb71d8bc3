// The window's controls by their names in the layout, made where the layout puts them.
#pragma once

#include <array>

#include "Board.h"
#include "Layout.h"

class QButtonGroup;
class QFrame;
class QLabel;
class QRadioButton;
class QWidget;
class PictureControl;
class ShapeControl;

struct Controls {
    // Makes every control on `client` (the frame's own inside the frame), chains the keyboard's
    // stops and stacks them back to front.
    void build(QWidget* client);
    QWidget* control(Control control, int index) const;
    // Shows the commands' frame as the board has it: its colour, the commands enabled or
    // greyed on their frames, and the operator chosen.
    void showFrame2(const Board& board);

    QFrame* frame2 = nullptr;
    std::array<PictureControl*, 10> image1{}, image2{}, image3{};
    std::array<PictureControl*, 2> image4{}, image5{};
    std::array<PictureControl*, 3> image7{};
    PictureControl* image6 = nullptr;
    std::array<QLabel*, 3> label1{};
    std::array<ShapeControl*, 3> shape1{};
    std::array<QRadioButton*, 4> option1{};
    QButtonGroup* operators = nullptr;

private:
    QWidget* make(Control control, int index, QWidget* parent, QWidget* client);
    void stack();
};
