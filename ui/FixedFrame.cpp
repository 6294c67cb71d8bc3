// The frame of every window of the game on every desktop.
#include "FixedFrame.h"

#include <QtCore/private/qobject_p.h>  // QMetaCallEvent: which queued call reaches a window
#include <qpa/qplatformwindow.h>

#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

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

// On Wayland the toolkit's own title bar always offers minimise and maximise, which a window of
// fixed size cannot take. The game's windows draw this strip instead: the title, a close button
// where the window has one, and a move by dragging.
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
        // Above the window's content, which margins may centre in a larger window.
        if (event->type() == QEvent::Resize || event->type() == QEvent::ContentsRectChange) {
            const QWidget* w = parentWidget();
            const QMargins m = w->contentsMargins();
            setGeometry(m.left(), m.top() - kHeight, w->width() - m.left() - m.right(), kHeight);
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

// A compositor's configure reaches the toolkit's Wayland window as a queued call of its
// applyConfigure(), which takes the new state and size, bounds the size by the window's minimum
// and maximum, acknowledges the configure and commits. A maximised window must commit exactly the
// size it was given (weston ends the connection otherwise), and a compositor acts on a new state
// only when the window commits after acknowledging it. So the maximum is lifted before each
// configure is applied, and put back after it: a window in the normal state gets its fixed size
// again (which commits once more), a maximised or full-screen one keeps the size it was given,
// its content centred at the fixed size, until the keeper has it normal again.
class WaylandSizes : public QObject {
public:
    explicit WaylandSizes(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_) {
            if (event->type() == QEvent::Show) watchPlatformWindow();
            // A message box sizes itself anew on each layout request: not while it is lifted.
            if (lifted_ && event->type() == QEvent::LayoutRequest) return true;
            if (lifted_ && event->type() == QEvent::Resize) centre();
            // Put back in the normal state by the compositor, at whatever size it gave with it
            // (the window's own request changes its state before the compositor has answered).
            if (lifted_ && event->type() == QEvent::WindowStateChange && event->spontaneous() &&
                !(window_->windowState() & kHiddenStates))
                restore();
        } else if (event->type() == QEvent::MetaCall &&
                   static_cast<QMetaCallEvent*>(event)->id() == applyConfigure_) {
            lift();
            // Runs once the configure was applied, before the window learns its state: a window
            // given its own size can take its fixed size again whatever the state.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QWindow* handle = window_->windowHandle();
                    if (lifted_ && handle && handle->geometry().size() == fixed_) restore();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    void watchPlatformWindow() {
        QWindow* handle = window_->windowHandle();
        auto* platform = handle ? dynamic_cast<QObject*>(handle->handle()) : nullptr;
        if (!platform || platform == platform_) return;
        platform_ = platform;
        applyConfigure_ = platform->metaObject()->indexOfMethod("applyConfigure()");
        if (applyConfigure_ >= 0) platform->installEventFilter(this);
    }
    void lift() {
        if (lifted_) return;
        lifted_ = true;
        if (fixed_.isEmpty()) fixed_ = window_->size();
        margins_ = window_->contentsMargins();
        if (QLayout* l = window_->layout()) {
            constraint_ = l->sizeConstraint();
            l->setSizeConstraint(QLayout::SetNoConstraint);
        }
        // Also smaller, on a screen smaller than the window.
        window_->setMinimumSize(0, 0);
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    // A size the compositor gave is taken as given: the content stays its size, centred.
    void centre() {
        const QSize extra = window_->size() - fixed_;
        const int x = std::max(0, extra.width() / 2), y = std::max(0, extra.height() / 2);
        window_->setContentsMargins(margins_ + QMargins(x, y, std::max(0, extra.width() - x),
                                                        std::max(0, extra.height() - y)));
        if (QLayout* l = window_->layout()) l->activate();
    }
    void restore() {
        lifted_ = false;
        window_->setContentsMargins(margins_);
        window_->setFixedSize(fixed_);
        if (QLayout* l = window_->layout()) l->setSizeConstraint(constraint_);
    }

    QWidget* window_;
    QPointer<QObject> platform_;
    int applyConfigure_ = -1;
    bool lifted_ = false;
    QSize fixed_;
    QMargins margins_;
    QLayout::SizeConstraint constraint_ = QLayout::SetDefaultConstraint;
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
    // A dialog may make its layout only when asked for its size (the input box does).
    if (!window->layout()) window->sizeHint();
    if (window->layout()) window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    if (ownTitle) new WaylandSizes(window);
    window->installEventFilter(new Keeper(window));
}

}  // namespace frame
