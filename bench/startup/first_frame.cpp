// Shows the game's window (or, built as bare_window, a bare window of the same size linked with
// Qt alone) and prints the monotonic clock at its first painted frame; the start-up bench runs
// it as a child and subtracts the time it was started.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <memory>

#ifndef BARE_WINDOW
#include "Program.h"
#endif

namespace {

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
                    timespec now{};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("%lld\n",
                                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                    std::fflush(stdout);
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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
#ifdef BARE_WINDOW
    QWidget window;
    window.setFixedSize(550, 424);
    FirstPaint probe(&window);
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
#else
    QTemporaryDir dir;  // a program directory of its own, so no Data.dat is touched
    Program program(dir.path());
    FirstPaint probe(&program.window());
    program.window().installEventFilter(&probe);
    program.start();
    return app.exec();
#endif
}
