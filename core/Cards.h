// A card is its value; the picture store shows it as one of its faces.
#pragma once

#include <cstdint>

// 1 ace .. 13 king, 14 the black-and-white joker, 15 the coloured joker; 0 means no card.
using CardValue = std::int16_t;

namespace card {

constexpr CardValue kKing = 13;
constexpr CardValue kBlackJoker = 14;
constexpr CardValue kColourJoker = 15;
constexpr int kSuits = 4;  // clubs, diamonds, hearts, spades

// Picture numbers of the store: 1..52 the faces by rank then suit, the two jokers, the back.
constexpr int kNoPicture = 0;
constexpr int kBlackJokerFace = 53;
constexpr int kColourJokerFace = 54;
constexpr int kBack = 55;
constexpr int kPictures = 55;

// The face of a value in a suit; a joker has one face whatever the suit.
constexpr int faceOf(CardValue value, int suit) {
    if (value == kBlackJoker) return kBlackJokerFace;
    if (value == kColourJoker) return kColourJokerFace;
    return 4 * (value - 1) + 1 + suit;
}

// The value a picture shows: 0 for the back, no picture or a number outside the store.
constexpr CardValue valueOf(int picture) {
    if (picture == kBlackJokerFace) return kBlackJoker;
    if (picture == kColourJokerFace) return kColourJoker;
    if (picture < 1 || picture > faceOf(kKing, kSuits - 1)) return 0;
    return static_cast<CardValue>((picture - 1) / kSuits + 1);
}

// The suit of a face of an ordinary card (0..3).
constexpr int suitOf(int picture) {
    return (picture - 1) % kSuits;
}

}  // namespace card
