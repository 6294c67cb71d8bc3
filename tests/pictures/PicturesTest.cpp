// The pictures as the game gets them: each at its size and at twice it, and each its own.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "Cards.h"
#include "ImageList1.h"

namespace {

QImage image(int n, qreal ratio) {
    return ImageList1::picture(n, ratio).toImage().convertToFormat(QImage::Format_RGBA8888);
}

// A double-size picture, halved, is nearer its own number's picture than any other.
TEST(Pictures, EveryPictureHasItsSizeAtBothScalesAndIsItsOwn) {
    std::vector<QImage> normal{QImage()};
    for (int n = 1; n <= card::kPictures; ++n) normal.push_back(image(n, 1));
    for (int n = 1; n <= card::kPictures; ++n) {
        const QSize size = n == card::kBack ? QSize(68, 94) : QSize(72, 97);
        EXPECT_EQ(normal[n].size(), size) << n;
        EXPECT_EQ(ImageList1::picture(n, 2).deviceIndependentSize().toSize(), size) << n;
        const QImage halved =
            image(n, 2).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int nearest = 0;
        for (std::size_t m = 1, best = 0; m <= card::kPictures; ++m) {
            const QImage& other = normal[m];
            if (other.size() != size) continue;
            std::size_t difference = 0;
            for (qsizetype i = 0; i < other.sizeInBytes(); ++i)
                difference += std::abs(other.constBits()[i] - halved.constBits()[i]);
            if (nearest == 0 || difference < best) best = difference, nearest = int(m);
        }
        EXPECT_EQ(nearest, n);
    }
    EXPECT_TRUE(ImageList1::picture(0).isNull());
    const std::pair<const char*, QSize> own[] = {
        {":/pictures/marker.png", {20, 21}},       {":/pictures/marker@2x.png", {40, 42}},
        {":/pictures/background.png", {560, 246}}, {":/pictures/ornament.png", {227, 246}},
        {":/icons/tessaro-32.png", {32, 32}},      {":/icons/tessaro-256.png", {256, 256}},
    };
    for (const auto& [path, size] : own)
        EXPECT_EQ(QImage(QString::fromLatin1(path)).size(), size) << path;
}

}  // namespace
