// What a screen reader says of a card picture.
#include "Speech.h"

#include "Cards.h"
#include "Texts.h"

namespace speech {

QString card(int picture) {
    const CardValue value = card::valueOf(picture);
    if (picture == card::kBack) return QString::fromUtf8(text::kBackName);
    if (value == 0) return QString::fromUtf8(text::kNoCardName);
    if (value > card::kKing) {
        const char* joker =
            value == card::kBlackJoker ? text::kBlackJokerName : text::kColourJokerName;
        return QStringLiteral("%1 %2").arg(QString::fromUtf8(joker)).arg(value);
    }
    const QString suit = QString::fromUtf8(text::kSuitNames[card::suitOf(picture)]);
    // An ace and the court cards say their letter, then the value they count.
    const int court = value == 1 ? 0 : value > 10 ? value - 10 : -1;
    if (court < 0) return QStringLiteral("%1 %2").arg(suit).arg(value);
    return QStringLiteral("%1 %2 %3").arg(suit, QLatin1String(text::kCourtNames[court])).arg(value);
}

}  // namespace speech
