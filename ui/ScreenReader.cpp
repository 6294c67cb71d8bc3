// What a screen reader says of the window.
#include "ScreenReader.h"

#include "Board.h"
#include "CardNames.h"
#include "Controls.h"
#include "GameState.h"
#include "PictureControl.h"
#include "Speech.h"
#include "Texts.h"

namespace screenreader {

void name(const Controls& c, const Board& b) {
    // Setting a name tells the reader that the name has changed.
    for (int k = 0; k < kHandSlots; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const bool picked = b.Image1[k].top == layout::kHandRaisedTop;
        const std::string card = names::card(b.Image1[k].picture);
        c.image1[s]->setAccessibleName(QString::fromStdString(picked ? names::picked(card) : card));
        c.image2[s]->setAccessibleName(speech::card(b.Image2[k].picture));
    }
    for (int i = 0; i <= 1; ++i) {
        const auto s = static_cast<std::size_t>(i);
        c.image4[s]->setAccessibleName(
            QString::fromStdString(names::place(text::kImage4Names[i], names::card(b.Image4[i]))));
        c.image7[s]->setAccessibleName(
            QString::fromStdString(names::place(text::kImage7Names[i], names::card(b.Image7[i]))));
    }
}

}  // namespace screenreader
