// The pictures as the game gets them: each at its size and at twice it, no two alike.
#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "Cards.h"
#include "ImageList1.h"

namespace {

TEST(Pictures, EveryPictureHasItsSizeAtBothScalesAndNoTwoAreAlike) {
    std::set<QByteArray> seen;
    for (int n = 1; n <= card::kPictures; ++n) {
        const QSize size = n == card::kBack ? QSize(68, 94) : QSize(72, 97);
        for (const qreal ratio : {1.0, 2.0}) {
            const QImage image = ImageList1::picture(n, ratio).toImage();
            EXPECT_EQ(image.size(), size * ratio) << n;
            EXPECT_EQ(image.deviceIndependentSize().toSize(), size) << n;
            EXPECT_TRUE(
                seen.emplace(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes())
                    .second)
                << n;
        }
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
