// The window's own pictures: gem marker, table background, ornament and icon.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

namespace {

QImage load(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

double meanLightness(const QImage& image, const QRect& area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += QColor::fromRgba(image.pixel(x, y)).lightnessF();
    return sum / (area.width() * area.height());
}

bool isRedGem(QRgb p) {
    return qAlpha(p) == 255 && qRed(p) >= 150 && qGreen(p) <= 110 && qBlue(p) <= 110;
}

bool isWhiteInk(QRgb p) {
    return qAlpha(p) >= 200 && qRed(p) >= 235 && qGreen(p) >= 235 && qBlue(p) >= 220;
}

}  // namespace

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
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.path);
        const QImage image(QString::fromLatin1(picture.path));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), picture.size);
    }
}

TEST(WindowPictures, MarkerIsARedGemInADarkFrameWithClearCorners) {
    for (const char* path : {":/pictures/marker.png", ":/pictures/marker@2x.png"}) {
        SCOPED_TRACE(path);
        const QImage gem = load(QString::fromLatin1(path));
        const int w = gem.width(), h = gem.height();
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            EXPECT_EQ(qAlpha(gem.pixel(corner)), 0);
        int red = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) red += isRedGem(gem.pixel(x, y));
        EXPECT_GT(red * 6, w * h);  // a rhombus fills half its box, less the frame
        // Coming in from the left along the middle, the first solid pixel is the frame.
        int x = 0;
        while (x < w && qAlpha(gem.pixel(x, h / 2)) < 200) ++x;
        ASSERT_LT(x, w);
        EXPECT_LT(QColor::fromRgba(gem.pixel(x, h / 2)).lightnessF(), 0.3);
    }
}

TEST(WindowPictures, BackgroundIsOrangePaperDarkerAtTheLeft) {
    const QImage paper = load(QStringLiteral(":/pictures/background.png"));
    ASSERT_EQ(paper.size(), QSize(1024, 246));
    const QRect middle(400, 16, 200, 230);
    const QColor mean = QColor::fromRgba(
        paper.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
    EXPECT_GT(mean.red(), mean.green());
    EXPECT_GT(mean.green(), mean.blue());
    EXPECT_GT(mean.hsvSaturationF(), 0.4);
    EXPECT_LT(meanLightness(paper, QRect(0, 16, 8, 230)), 0.85 * meanLightness(paper, middle));
}

// Two copies cover the 550 x 404 client area, the lower one in front; nothing of the window's
// own colour may show through, not even where the copies meet.
TEST(WindowPictures, TwoBackgroundsCoverTheWindow) {
    const QImage paper = load(QStringLiteral(":/pictures/background.png"));
    const QColor windowColour(0, 128, 0);
    QImage window(550, 404, QImage::Format_ARGB32);
    window.fill(windowColour);
    {
        QPainter painter(&window);
        painter.drawImage(QPoint(-8, -16), paper);
        painter.drawImage(QPoint(0, 168), paper);
    }
    int green = 0;
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x) {
            const QRgb p = window.pixel(x, y);
            green += qGreen(p) > qRed(p);
        }
    EXPECT_EQ(green, 0);
}

TEST(WindowPictures, OrnamentIsWhiteFlourishesOnDarkerPaper) {
    const QImage ornament = load(QStringLiteral(":/pictures/ornament.png"));
    const QImage paper = load(QStringLiteral(":/pictures/background.png"));
    const QRect inside(20, 20, 160, 170);
    int white = 0, solid = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            white += isWhiteInk(ornament.pixel(x, y));
            solid += qAlpha(ornament.pixel(x, y)) == 255;
        }
    EXPECT_EQ(solid, inside.width() * inside.height());
    EXPECT_GT(white, 500);
    // Measured away from the flourishes, in a strip down the left.
    EXPECT_LT(meanLightness(ornament, QRect(10, 90, 12, 60)),
              0.9 * meanLightness(paper, QRect(400, 16, 200, 230)));
}

TEST(WindowPictures, IconIsAYellowLetterOnRed) {
    for (const int size : {32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon = load(QStringLiteral(":/icons/tessaro-%1.png").arg(size));
        ASSERT_EQ(icon.size(), QSize(size, size));
        const auto at = [&](double x, double y) {
            return QColor::fromRgba(icon.pixel(int(x * size / 32), int(y * size / 32)));
        };
        const QColor crossbar = at(16, 7.5), stem = at(16, 18), field = at(5, 20);
        for (const QColor& letter : {crossbar, stem}) {
            EXPECT_GT(letter.red(), 200);
            EXPECT_GT(letter.green(), 150);
            EXPECT_LT(letter.blue(), 120);
        }
        EXPECT_GT(field.red(), 150);
        EXPECT_LT(field.green(), 80);
        EXPECT_EQ(at(0, 0).alpha(), 255);
    }
}
