// Shows the game's window (or, built as bare_window, a window linked with Qt alone that has the
// game's size, caption and Chinese menu bar, so that both load the same CJK font) and, once its
// first frame is painted, prints the monotonic clock, the processor time and the peak memory so
// far; the start-up bench runs it as a child.
#include <sys/resource.h>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

#ifndef BARE_WINDOW
#include "Program.h"
#endif

namespace {

// Nanoseconds on the monotonic clock, processor microseconds, peak resident KiB.
void report() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto micros = [](const timeval& t) { return t.tv_sec * 1000000LL + t.tv_usec; };
    std::printf("%lld %lld %ld\n", now.tv_sec * 1000000000LL + now.tv_nsec,
                micros(usage.ru_utime) + micros(usage.ru_stime), usage.ru_maxrss);
    std::fflush(stdout);
}

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == window_ && !done_) {
            done_ = true;
            // Report once the frame has been handed to the screen.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    report();
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* window_;
    bool done_ = false;
};

#ifdef BARE_WINDOW
// The game's caption and menus, as they read on its window.
void dressLikeTheGame(QMainWindow& window) {
    window.setWindowTitle(QStringLiteral("Tessaro1.07（特别版）"));
    QMenu* game = window.menuBar()->addMenu(QStringLiteral("游戏"));
    game->addAction(QStringLiteral("新的开始"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    game->addAction(QStringLiteral("游戏音乐"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
    game->addAction(QStringLiteral("高分记录"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
    game->addSeparator();
    game->addAction(QStringLiteral("退出游戏"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    QMenu* about = window.menuBar()->addMenu(QStringLiteral("关于"));
    about->addAction(QStringLiteral("游戏帮助"));
    about->addAction(QStringLiteral("关于……"));
    auto* client = new QWidget(&window);
    client->setFixedSize(550, 404);
    window.setCentralWidget(client);
}
#endif

}  // namespace

// argv[1], when given, is the game's program directory (where Data.dat is read or created).
int main(int argc, char** argv) {
    QApplication app(argc, argv);
#ifdef BARE_WINDOW
    QMainWindow window;
    dressLikeTheGame(window);
    FirstPaint probe(&window);
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
#else
    QTemporaryDir scratch;
    Program program(argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path());
    FirstPaint probe(&program.window());
    program.window().installEventFilter(&probe);
    program.start();
    return app.exec();
#endif
}
