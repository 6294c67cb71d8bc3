// The frame of every window of the game on every desktop.
#include "FixedFrame.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr auto kHiddenStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

// Puts back a window that a desktop minimised, maximised or made full screen anyway: its size
// is fixed, and a minimised box would hide a question that waits for its answer.
class Keeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::WindowStateChange && (w->windowState() & kHiddenStates))
            QTimer::singleShot(0, w, [w] {
                w->setWindowState(Qt::WindowNoState);
                w->raise();
            });
        return false;
    }
};

// On Wayland the toolkit's own title bar always offers minimise and maximise, and a compositor
// that maximises a window of fixed size ends the connection. The game's windows draw this strip
// instead: the title, a close button where the window has one, and a move by dragging.
class TitleStrip : public QWidget {
public:
    TitleStrip(QWidget* window, bool closable) : QWidget(window), closable_(closable) {
        QMargins m = window->contentsMargins();
        m.setTop(m.top() + kHeight);
        window->setContentsMargins(m);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            setGeometry(0, 0, parentWidget()->width(), kHeight);
            raise();
        }
        if (event->type() == QEvent::WindowTitleChange) update();
        return false;
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Highlight));
        painter.setPen(QPen(palette().color(QPalette::HighlightedText), 2));
        painter.drawText(rect(), Qt::AlignCenter, parentWidget()->windowTitle());
        if (!closable_) return;
        const QRect x = closeButton().adjusted(7, 7, -7, -7);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawLine(x.topLeft(), x.bottomRight());
        painter.drawLine(x.topRight(), x.bottomLeft());
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        if (closable_ && closeButton().contains(event->position().toPoint()))
            window()->close();
        else if (window()->windowHandle())
            window()->windowHandle()->startSystemMove();
    }

private:
    static constexpr int kHeight = 24;
    QRect closeButton() const { return {width() - kHeight, 0, kHeight, kHeight}; }
    bool closable_;
};

}  // namespace

namespace frame {

void fix(QWidget* window, bool closable) {
    const bool ownTitle = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    // A normal window, not a dialog: a dialog without a parent is made transient for the
    // toolkit's hidden leader window, and a window manager iconifies the whole group with it.
    Qt::WindowFlags flags = window->parentWidget() ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
    if (closable) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (ownTitle) flags = (flags & Qt::WindowType_Mask) | Qt::FramelessWindowHint;
    window->setWindowFlags(flags);
    if (ownTitle) new TitleStrip(window, closable);
    if (window->layout()) window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    window->installEventFilter(new Keeper(window));
}

}  // namespace frame
