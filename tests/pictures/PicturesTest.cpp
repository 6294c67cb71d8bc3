// The pictures as the game gets them: every one at its size and at twice it, each its own.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>

#include "Cards.h"
#include "ImageList1.h"

namespace {

QImage image(int n, qreal ratio = 1.0) {
    return ImageList1::picture(n, ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

double difference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int shift : {0, 8, 16, 24})
                sum += std::abs(int(a.pixel(x, y) >> shift & 0xFF) -
                                int(b.pixel(x, y) >> shift & 0xFF));
    return sum;
}

// Each picture of the store, halved from its double size, is nearer itself than any other.
TEST(Pictures, TheStoreGivesFiftyFiveDistinctPicturesAtBothScales) {
    std::vector<QImage> normal;
    for (int n = 1; n <= card::kPictures; ++n) {
        const QSize size = n == card::kBack ? QSize(68, 94) : QSize(72, 97);
        normal.push_back(image(n));
        ASSERT_EQ(normal.back().size(), size) << n;
        const QPixmap sharp = ImageList1::picture(n, 2.0);
        EXPECT_EQ(sharp.size(), size * 2) << n;
        EXPECT_EQ(sharp.deviceIndependentSize().toSize(), size) << n;
    }
    for (int n = 1; n <= card::kPictures; ++n) {
        const QImage halved = image(n, 2.0).scaled(normal[n - 1].size(), Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation);
        int nearest = 0;
        double best = 1e18;
        for (int m = 1; m <= card::kPictures; ++m)
            if (normal[m - 1].size() == halved.size() && difference(halved, normal[m - 1]) < best)
                best = difference(halved, normal[m - 1]), nearest = m;
        EXPECT_EQ(nearest, n);
    }
    EXPECT_TRUE(ImageList1::picture(0).isNull());
    EXPECT_TRUE(ImageList1::picture(card::kPictures + 1, 2.0).isNull());
}

TEST(Pictures, TheWindowsOwnPicturesHaveTheirSizes) {
    const std::pair<const char*, QSize> pictures[] = {
        {":/pictures/marker.png", {20, 21}},        {":/pictures/marker@2x.png", {40, 42}},
        {":/pictures/background.png", {1024, 246}}, {":/pictures/ornament.png", {227, 246}},
        {":/icons/tessaro-32.png", {32, 32}},       {":/icons/tessaro-256.png", {256, 256}},
    };
    for (const auto& [path, size] : pictures)
        EXPECT_EQ(QImage(QString::fromLatin1(path)).size(), size) << path;
}

}  // namespace
