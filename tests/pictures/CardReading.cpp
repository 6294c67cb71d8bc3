// Reads a card face the way a player does: the corner index, the pips, the colours.
#include "CardReading.h"

#include <QColor>
#include <algorithm>
#include <vector>

namespace CardReading {

namespace {

// Where the deck prints things on a 72 x 97 face.  The index lies in the left 13 columns, inside
// the 16 that a covering hand card leaves visible; reading columns 1 to 11 keeps clear of the
// frame of the court pictures, which starts at column 12.
constexpr QRect kRankArea(1, 3, 11, 15);
constexpr QRect kSuitArea(1, 18, 11, 14);
constexpr QRect kField(13, 3, 46, 91);

// The inked pixels of an area, cut down to the box around them.
struct InkMask {
    int width = 0;
    int height = 0;
    std::vector<char> ink;

    InkMask(const QImage& image, const QRect& area) {
        QRect box;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (isInk(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
        width = box.width();
        height = box.height();
        ink.resize(std::size_t(width) * std::size_t(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ink[index(x, y)] = isInk(image.pixel(box.left() + x, box.top() + y));
    }
    bool empty() const { return width == 0; }
    std::size_t index(int x, int y) const { return std::size_t(y) * width + x; }
    bool at(int x, int y) const { return ink[index(x, y)] != 0; }
};

// Runs of ink along a row of the mask, and the width from the first inked pixel to the last.
struct RowRuns {
    int runs = 0;
    int span = 0;
};

RowRuns rowRuns(const InkMask& mask, int y) {
    RowRuns result;
    int first = -1, last = -1;
    for (int x = 0; x < mask.width; ++x) {
        if (!mask.at(x, y)) continue;
        if (x == 0 || !mask.at(x - 1, y)) ++result.runs;
        if (first < 0) first = x;
        last = x;
    }
    if (first >= 0) result.span = last - first + 1;
    return result;
}

// White pixels of the mask that cannot reach its edge: the counters of letters such as Q.
bool hasEnclosedWhite(const InkMask& mask) {
    std::vector<char> reached(mask.ink.size(), 0);
    std::vector<QPoint> todo;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if ((x == 0 || y == 0 || x == mask.width - 1 || y == mask.height - 1) &&
                !mask.at(x, y)) {
                reached[mask.index(x, y)] = 1;
                todo.push_back({x, y});
            }
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + step;
            if (q.x() < 0 || q.y() < 0 || q.x() >= mask.width || q.y() >= mask.height) continue;
            const std::size_t i = mask.index(q.x(), q.y());
            if (reached[i] || mask.at(q.x(), q.y())) continue;
            reached[i] = 1;
            todo.push_back(q);
        }
    }
    for (std::size_t i = 0; i < mask.ink.size(); ++i)
        if (!mask.ink[i] && !reached[i]) return true;
    return false;
}

}  // namespace

bool isInk(QRgb pixel) {
    return qAlpha(pixel) >= 128 && std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) < 128;
}

bool isRed(QRgb pixel) {
    return qAlpha(pixel) >= 128 && qRed(pixel) >= 170 && qGreen(pixel) <= 100 &&
           qBlue(pixel) <= 100;
}

bool isYellow(QRgb pixel) {
    return qAlpha(pixel) >= 128 && qRed(pixel) >= 200 && qGreen(pixel) >= 170 &&
           qBlue(pixel) <= 120;
}

int countPixels(const QImage& image, const QRect& area, bool (*test)(QRgb)) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y))) ++count;
    return count;
}

Suit cornerSuit(const QImage& face) {
    const InkMask sign(face, kSuitArea);
    if (sign.empty()) return Suit::Unreadable;
    const bool red = 2 * countPixels(face, kSuitArea, isRed) > countPixels(face, kSuitArea, isInk);
    // Read from the top: a heart has two lobes there, a diamond and a spade a point, a club
    // a round leaf.
    const RowRuns top = rowRuns(sign, 0);
    if (red) {
        if (top.runs == 2) return Suit::Hearts;
        if (top.runs == 1 && top.span <= 2) return Suit::Diamonds;
    } else if (top.runs == 1) {
        if (top.span >= 3) return Suit::Clubs;
        return Suit::Spades;
    }
    return Suit::Unreadable;
}

CourtLetter cornerCourtLetter(const QImage& face) {
    const InkMask letter(face, kRankArea);
    if (letter.empty()) return CourtLetter::Unreadable;
    if (hasEnclosedWhite(letter)) return CourtLetter::Queen;
    // The stem, the one stroke from top to bottom: on the left of a K, the right of a J.
    for (int x = 0; x < letter.width; ++x) {
        int inked = 0;
        for (int y = 0; y < letter.height; ++y) inked += letter.at(x, y);
        if (inked * 10 >= letter.height * 9)
            return 2 * x < letter.width ? CourtLetter::King : CourtLetter::Jack;
    }
    return CourtLetter::Unreadable;
}

int pipCount(const QImage& face) {
    const int width = kField.width();
    const int height = kField.height();
    std::vector<int> label(std::size_t(width) * std::size_t(height), -1);
    auto inkAt = [&](int x, int y) {
        return isInk(face.pixel(kField.left() + x, kField.top() + y));
    };
    std::vector<QRect> boxes;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (label[std::size_t(y) * width + x] >= 0 || !inkAt(x, y)) continue;
            const int id = int(boxes.size());
            QRect box;
            std::vector<QPoint> todo{{x, y}};
            label[std::size_t(y) * width + x] = id;
            while (!todo.empty()) {
                const QPoint p = todo.back();
                todo.pop_back();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint step :
                     {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + step;
                    if (q.x() < 0 || q.y() < 0 || q.x() >= width || q.y() >= height) continue;
                    int& l = label[std::size_t(q.y()) * width + q.x()];
                    if (l >= 0 || !inkAt(q.x(), q.y())) continue;
                    l = id;
                    todo.push_back(q);
                }
            }
            boxes.push_back(box);
        }
    // Detail inside a pip lies within the pip's outline; pips never lie within each other.
    int pips = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        bool inside = false;
        for (std::size_t j = 0; j < boxes.size() && !inside; ++j)
            inside = j != i && boxes[j].contains(boxes[i]) && boxes[j] != boxes[i];
        pips += !inside;
    }
    return pips;
}

}  // namespace CardReading
