// The picture store: 55 pictures of the right sizes, in the order the game numbers them.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <limits>

#include "CardReading.h"
#include "ImageList1.h"

using namespace CardReading;

namespace {

constexpr int kBack = 55;
constexpr int kPlainJoker = 53;
constexpr int kColouredJoker = 54;
const QSize kFaceSize(72, 97);
const QSize kBackSize(68, 94);

QImage image(int n, qreal ratio = 1.0) {
    return ImageList1::picture(n, ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

QSize expectedSize(int n) {
    return n == kBack ? kBackSize : kFaceSize;
}

// Mean difference per channel of two pictures of the same size.
double difference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * a.width() * a.height());
}

bool isGrey(QRgb p) {
    return std::abs(qRed(p) - qGreen(p)) <= 16 && std::abs(qGreen(p) - qBlue(p)) <= 16;
}

bool isNotWhite(QRgb p) {
    return qAlpha(p) >= 128 && std::min({qRed(p), qGreen(p), qBlue(p)}) < 200;
}

const char* suitName(Suit s) {
    switch (s) {
        case Suit::Clubs:
            return "clubs";
        case Suit::Diamonds:
            return "diamonds";
        case Suit::Hearts:
            return "hearts";
        case Suit::Spades:
            return "spades";
        case Suit::Unreadable:
            break;
    }
    return "unreadable";
}

const char* letterName(CourtLetter l) {
    switch (l) {
        case CourtLetter::Jack:
            return "J";
        case CourtLetter::Queen:
            return "Q";
        case CourtLetter::King:
            return "K";
        case CourtLetter::Unreadable:
            break;
    }
    return "unreadable";
}

}  // namespace

TEST(ImageList1, GivesFiftyFivePicturesAtBothScalesAndNothingOutsideThem) {
    for (int n = 1; n <= ImageList1::kCount; ++n) {
        SCOPED_TRACE(n);
        const QPixmap normal = ImageList1::picture(n);
        ASSERT_FALSE(normal.isNull());
        EXPECT_EQ(normal.size(), expectedSize(n));
        EXPECT_EQ(normal.devicePixelRatio(), 1.0);

        const QPixmap sharp = ImageList1::picture(n, 2.0);
        ASSERT_FALSE(sharp.isNull());
        EXPECT_EQ(sharp.size(), expectedSize(n) * 2);
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        EXPECT_EQ(sharp.deviceIndependentSize().toSize(), expectedSize(n));
    }
    EXPECT_TRUE(ImageList1::picture(0).isNull());
    EXPECT_TRUE(ImageList1::picture(56).isNull());
    EXPECT_TRUE(ImageList1::picture(-1, 2.0).isNull());
}

TEST(ImageList1, NoTwoPicturesAreAlike) {
    std::vector<QImage> pictures;
    for (int n = 1; n <= ImageList1::kCount; ++n) pictures.push_back(image(n));
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << "pictures " << i + 1 << " and " << j + 1;
}

// Picture 4 x (rank - 1) + suit + 1, suits clubs, diamonds, hearts, spades: read off each face.
TEST(ImageList1, FacesGoByRankThenClubsDiamondsHeartsSpades) {
    const Suit suits[] = {Suit::Clubs, Suit::Diamonds, Suit::Hearts, Suit::Spades};
    const CourtLetter courts[] = {CourtLetter::Jack, CourtLetter::Queen, CourtLetter::King};
    const QRect corner(1, 3, 11, 29);
    const QRect whole(0, 0, 72, 97);
    for (int n = 1; n <= 52; ++n) {
        SCOPED_TRACE(n);
        const int rank = (n - 1) / 4 + 1;
        const Suit suit = suits[(n - 1) % 4];
        const QImage face = image(n);

        EXPECT_STREQ(suitName(cornerSuit(face)), suitName(suit));
        const bool red = suit == Suit::Diamonds || suit == Suit::Hearts;
        EXPECT_EQ(countPixels(face, corner, isRed) > 20, red);

        const bool court = rank > 10;
        EXPECT_EQ(countPixels(face, whole, isYellow) > 50, court) << "court picture";
        if (court)
            EXPECT_STREQ(letterName(cornerCourtLetter(face)), letterName(courts[rank - 11]));
        else
            EXPECT_EQ(pipCount(face), rank);
    }
}

TEST(ImageList1, EachDoubleSizePictureShowsItsOwnCard) {
    std::vector<QImage> normal;
    for (int n = 1; n <= ImageList1::kCount; ++n) normal.push_back(image(n));
    for (int n = 1; n <= ImageList1::kCount; ++n) {
        SCOPED_TRACE(n);
        const QImage halved =
            image(n, 2.0).scaled(expectedSize(n), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int nearest = 0;
        double best = std::numeric_limits<double>::max();
        for (int m = 1; m <= ImageList1::kCount; ++m) {
            if (normal[m - 1].size() != halved.size()) continue;
            const double d = difference(halved, normal[m - 1]);
            if (d < best) best = d, nearest = m;
        }
        EXPECT_EQ(nearest, n);
        EXPECT_LT(best, 12.0);
    }
}

TEST(ImageList1, JokersAreOneBirdInBlackAndWhiteAndInColour) {
    const QImage plain = image(kPlainJoker);
    const QImage coloured = image(kColouredJoker);
    const QRect inside(1, 1, 70, 95);

    EXPECT_EQ(countPixels(plain, inside, isGrey), inside.width() * inside.height());
    EXPECT_GT(countPixels(plain, inside, isInk), 600);  // the black bird
    EXPECT_GT(countPixels(coloured, inside, isYellow), 600);
    EXPECT_GT(countPixels(coloured, inside, isRed), 60);  // beak and word

    // The same outline: what is printed on one is printed on the other.
    int both = 0, either = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const bool a = isNotWhite(plain.pixel(x, y)), b = isNotWhite(coloured.pixel(x, y));
            both += a && b;
            either += a || b;
        }
    EXPECT_GT(both * 100, either * 85);

    // The word runs down the edge that a covering hand card leaves visible.
    const QRect strip(1, 4, 12, 64);
    EXPECT_GT(countPixels(plain, strip, isInk), 120);
    EXPECT_GT(countPixels(coloured, strip, isRed), 120);
}

TEST(ImageList1, BackIsOnARainbowGround) {
    const QImage back = image(kBack);
    // Hue bands of the rainbow, in degrees.
    const int bands[][2] = {{345, 15}, {35, 65}, {90, 150}, {200, 240}, {255, 300}};
    for (const auto& band : bands) {
        int count = 0;
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x) {
                const QColor c = QColor::fromRgba(back.pixel(x, y));
                if (c.alpha() < 255 || c.hsvSaturationF() < 0.5 || c.valueF() < 0.5) continue;
                const int h = c.hsvHue();
                count +=
                    band[0] < band[1] ? h >= band[0] && h <= band[1] : h >= band[0] || h <= band[1];
            }
        EXPECT_GT(count, 40) << "hues " << band[0] << " to " << band[1];
    }
}
