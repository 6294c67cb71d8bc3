// Decodes each picture named on the command line into a pixmap, as the window does before its
// first frame, and prints the median and the fastest of 41 decodes. Without arguments, the
// parchment compiled into the game.
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList files = app.arguments().mid(1);
    if (files.isEmpty()) files << QStringLiteral(":/pictures/background.png");
    for (const QString& name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "picture_decode: cannot read %s\n", qPrintable(name));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        std::vector<double> ms;
        QSize size;
        for (int i = 0; i < 41; ++i) {
            QElapsedTimer timer;
            timer.start();
            QPixmap pixmap;
            pixmap.loadFromData(bytes);
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            size = pixmap.size();
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%-40s %8lld bytes  %4d x %-4d  median %6.2f ms  fastest %6.2f ms\n",
                    qPrintable(name), static_cast<long long>(bytes.size()), size.width(),
                    size.height(), ms[ms.size() / 2], ms.front());
    }
    return 0;
}
