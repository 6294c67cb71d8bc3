// The picture store: 55 distinct pictures at both scales, in the order the game numbers them.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <ranges>
#include <vector>

#include "ImageList1.h"

namespace {

QImage image(int n, qreal ratio = 1.0) {
    return ImageList1::picture(n, ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

QSize logicalSize(int n) {
    return n == 55 ? QSize(68, 94) : QSize(72, 97);
}

bool isInk(QRgb p) {
    return qAlpha(p) >= 128 && std::min({qRed(p), qGreen(p), qBlue(p)}) < 128;
}
bool isRed(QRgb p) {
    return qAlpha(p) >= 128 && qRed(p) >= 170 && qGreen(p) <= 100 && qBlue(p) <= 100;
}
bool isYellow(QRgb p) {
    return qAlpha(p) >= 128 && qRed(p) >= 200 && qGreen(p) >= 170 && qBlue(p) <= 120;
}
bool isGrey(QRgb p) {
    return std::abs(qRed(p) - qGreen(p)) <= 16 && std::abs(qGreen(p) - qBlue(p)) <= 16;
}

int count(const QImage& image, const QRect& area, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixel(x, y));
    return n;
}

double difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum;
}

}  // namespace

TEST(ImageList1, GivesFiftyFivePicturesAtBothScales) {
    for (int n = 1; n <= ImageList1::kCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(ImageList1::picture(n).size(), logicalSize(n));
        const QPixmap sharp = ImageList1::picture(n, 2.0);
        EXPECT_EQ(sharp.size(), logicalSize(n) * 2);
        EXPECT_EQ(sharp.deviceIndependentSize().toSize(), logicalSize(n));
    }
    EXPECT_TRUE(ImageList1::picture(0).isNull());
    EXPECT_TRUE(ImageList1::picture(56, 2.0).isNull());
}

// A double-size picture, halved, is nearer its own number's picture than any other.
TEST(ImageList1, PicturesAreDistinctAndEachDoubleSizeShowsItsOwn) {
    std::vector<QImage> normal;
    for (int n = 1; n <= ImageList1::kCount; ++n) normal.push_back(image(n));
    for (int n = 1; n <= ImageList1::kCount; ++n) {
        for (int m = n + 1; m <= ImageList1::kCount; ++m)
            EXPECT_NE(normal[n - 1], normal[m - 1]) << n << " and " << m;
        const QImage halved =
            image(n, 2.0).scaled(logicalSize(n), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_EQ(std::ranges::min(std::views::iota(1, ImageList1::kCount + 1), {},
                                   [&](int m) { return difference(halved, normal[m - 1]); }),
                  n);
    }
}

// Face n is 4 x (rank - 1) + suit + 1 with suits clubs, diamonds, hearts, spades; checked
// through what the corner index, the middle and the colours show.
TEST(ImageList1, FacesGoByRankThenClubsDiamondsHeartsSpades) {
    const QRect suitSign(1, 18, 11, 14), middle(13, 3, 46, 91);
    int belowInk[4] = {};
    for (int n = 1; n <= 52; ++n) {
        SCOPED_TRACE(n);
        const int rank = (n - 1) / 4 + 1, suit = (n - 1) % 4;
        const QImage face = image(n);

        EXPECT_EQ(count(face, suitSign, isRed) > 10, suit == 1 || suit == 2);
        // A club's leaf and a heart's two lobes make the sign's top row wide; the others are
        // pointed.
        int top = suitSign.top();
        while (top < suitSign.bottom() && count(face, QRect(1, top, 11, 1), isInk) == 0) ++top;
        EXPECT_EQ(count(face, QRect(1, top, 11, 1), isInk) >= 3, suit == 0 || suit == 2);

        EXPECT_EQ(count(face, face.rect(), isYellow) > 50, rank > 10) << "court colours";
        // Each pip adds ink; only the ace of spades' one big pip outweighs the two.
        const int ink = count(face, middle, isInk);
        if (rank == 2) {
            EXPECT_EQ(ink > belowInk[suit], suit != 3);
        } else if (rank > 2 && rank <= 10) {
            EXPECT_GT(ink, belowInk[suit]);
        }
        belowInk[suit] = ink;

        // The letter's upright strokes: a K's on the left, a J's on the right, a Q's on both.
        const auto upright = [&](int from, int to) {
            for (int x = from; x <= to; ++x)
                if (count(face, QRect(x, 3, 1, 15), isInk) >= 11) return true;
            return false;
        };
        if (rank > 10) {
            EXPECT_EQ(upright(2, 5), rank >= 12) << "left stroke";
            EXPECT_EQ(upright(6, 10), rank <= 12) << "right stroke";
        }
    }
}

TEST(ImageList1, JokersAndBackHaveTheirColours) {
    const QImage plain = image(53), coloured = image(54), back = image(55);
    const QRect inside(1, 1, 70, 95);
    EXPECT_EQ(count(plain, inside, isGrey), inside.width() * inside.height());
    EXPECT_GT(count(plain, inside, isInk), 600);
    EXPECT_GT(count(coloured, inside, isYellow), 600);
    EXPECT_GT(count(coloured, inside, isRed), 60);

    // Every sixth of the colour wheel shows on the back's rainbow.
    int sixths[6] = {};
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x) {
            const QColor c = QColor::fromRgba(back.pixel(x, y));
            if (c.hsvSaturationF() >= 0.5 && c.valueF() >= 0.5) ++sixths[c.hsvHue() / 60];
        }
    for (const int pixels : sixths) EXPECT_GT(pixels, 40);
}
