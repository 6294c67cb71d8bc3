// The window's own pictures: gem marker, table background, ornament and icons.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

TEST(WindowPictures, HaveTheirSizes) {
    const struct {
        const char* path;
        QSize size;
    } pictures[] = {
        {":/pictures/marker.png", {20, 21}},        {":/pictures/marker@2x.png", {40, 42}},
        {":/pictures/background.png", {1024, 246}}, {":/pictures/ornament.png", {227, 246}},
        {":/icons/tessaro-32.png", {32, 32}},       {":/icons/tessaro-48.png", {48, 48}},
        {":/icons/tessaro-64.png", {64, 64}},       {":/icons/tessaro-128.png", {128, 128}},
        {":/icons/tessaro-256.png", {256, 256}},
    };
    for (const auto& picture : pictures)
        EXPECT_EQ(QImage(QString::fromLatin1(picture.path)).size(), picture.size) << picture.path;
}

TEST(WindowPictures, MarkerIsARedGemWithClearCorners) {
    for (const char* path : {":/pictures/marker.png", ":/pictures/marker@2x.png"}) {
        SCOPED_TRACE(path);
        const QImage gem = QImage(QString::fromLatin1(path)).convertToFormat(QImage::Format_ARGB32);
        const int w = gem.width(), h = gem.height();
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            EXPECT_EQ(qAlpha(gem.pixel(corner)), 0);
        const QColor centre = gem.pixelColor(w / 2, h / 2);
        EXPECT_EQ(centre.alpha(), 255);
        EXPECT_GT(centre.red(), 170);
        EXPECT_LT(std::max(centre.green(), centre.blue()), 100);
    }
}

// The light falls from the right; the fading top rows are left out.
TEST(WindowPictures, BackgroundIsDarkerAtTheLeftThanAtTheRight) {
    const QImage paper(QStringLiteral(":/pictures/background.png"));
    const auto lightness = [&](int x) {
        return paper.copy(x, 16, 16, 230)
            .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .pixelColor(0, 0)
            .lightnessF();
    };
    EXPECT_LT(lightness(0), 0.85 * lightness(paper.width() - 16));
}
