// What a screen reader says of a card picture.
#include "Speech.h"

#include "CardNames.h"

namespace speech {

QString card(int picture) {
    return QString::fromStdString(names::card(picture));
}

}  // namespace speech
