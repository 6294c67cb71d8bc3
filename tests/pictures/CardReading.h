// Reads a card face the way a player does: the corner index, the pips, the colours.
#pragma once

#include <QImage>
#include <QRect>

namespace CardReading {

enum class Suit { Clubs, Diamonds, Hearts, Spades, Unreadable };
enum class CourtLetter { Jack, Queen, King, Unreadable };

// Printed matter: anything dark or strongly coloured, as opposed to the white card.
bool isInk(QRgb pixel);
bool isRed(QRgb pixel);
bool isYellow(QRgb pixel);

// Pixels of image inside area for which test holds.
int countPixels(const QImage& image, const QRect& area, bool (*test)(QRgb));

// The suit sign under the rank in the top-left corner of a 72 x 97 face.
Suit cornerSuit(const QImage& face);

// The letter in the top-left corner of a court card.
CourtLetter cornerCourtLetter(const QImage& face);

// Pips in the middle of the card.  A pip with white detail inside it still counts once.
int pipCount(const QImage& face);

}  // namespace CardReading
