// What a screen reader says of the window.
#include "ScreenReader.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>

#include "Board.h"
#include "CardNames.h"
#include "Cards.h"
#include "Controls.h"
#include "GameState.h"
#include "PictureControl.h"
#include "Texts.h"

namespace {

constexpr char kToggle[] = "tessaroToggle";
constexpr char kPicked[] = "tessaroPicked";
constexpr char kCommand[] = "tessaroCommand";
constexpr char kNotice[] = "tessaroNotice";

QString said(int picture) {
    return QString::fromStdString(names::card(picture));
}

QString placed(const char* placeTemplate, int picture) {
    return QString::fromStdString(names::place(placeTemplate, names::card(picture)));
}

// A card as a reader sees it: a hand card is a check box, picked or not, that can be pressed;
// any other card a picture.
class CardNode : public QAccessibleWidget {
public:
    CardNode(QWidget* w, bool toggle)
        : QAccessibleWidget(w, toggle ? QAccessible::CheckBox : QAccessible::Graphic) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (role() == QAccessible::CheckBox) {
            s.checkable = true;
            s.checked = widget()->property(kPicked).toBool();
        }
        return s;
    }
    QStringList actionNames() const override {
        return role() == QAccessible::CheckBox ? QStringList{pressAction(), setFocusAction()}
                                               : QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction() || role() == QAccessible::Graphic)
            return QAccessibleWidget::doAction(action);
        // Pressed as Space presses it, where the window takes its keys.
        widget()->setFocus(Qt::OtherFocusReason);
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(widget(), &space);
    }
};

// A command is a button named by its caption, pressed as a card is.
class CommandNode : public CardNode {
public:
    explicit CommandNode(QWidget* w) : CardNode(w, false) {}
    QAccessible::Role role() const override { return QAccessible::Button; }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel*>(widget())->text();
        return CardNode::text(t);
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
};

QAccessibleInterface* cardNode(const QString&, QObject* object) {
    if (auto* card = dynamic_cast<PictureControl*>(object))
        return new CardNode(card, card->property(kToggle).toBool());
    if (object->isWidgetType() && object->objectName() == QLatin1String(kNotice))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    auto* label = qobject_cast<QLabel*>(object);
    return label && label->property(kCommand).toBool() ? new CommandNode(label) : nullptr;
}

// What was told on a control is told once: it is gone when the focus leaves.
class ToldOnce : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusOut && !w->accessibleDescription().isEmpty())
            w->setAccessibleDescription(QString());
        return false;
    }
};

int setName(QWidget* w, const QString& name) {
    if (w->accessibleName() == name) return 0;
    w->setAccessibleName(name);
    return 1;
}

}  // namespace

namespace screenreader {

void install(const Controls& c) {
    auto* toldOnce = new ToldOnce(c.image1[0]->parentWidget());
    for (auto* card : c.image1) {
        card->setProperty(kToggle, true);
        card->installEventFilter(toldOnce);
    }
    QAccessible::installFactory(cardNode);
    // What is told where the focus is not: a notice, unseen, that a reader speaks as it appears.
    auto* notice = new QWidget(c.image1[0]->parentWidget());
    notice->setObjectName(QLatin1String(kNotice));
    notice->setGeometry(0, 0, 0, 0);
    notice->hide();
    for (auto* command : c.label1) {
        command->setProperty(kCommand, true);
        command->installEventFilter(toldOnce);
        // A label made its reader's node as a plain label when its caption was set.
        if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(command);
            made && made->role() != QAccessible::Button)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

int name(const Controls& c, const Board& b) {
    int renamed = 0;
    for (int k = 0; k < kHandSlots; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const bool picked = b.Image1[k].top == layout::kHandRaisedTop;
        // Picked or not is the check box's state, which a reader speaks as it changes.
        renamed += setName(c.image1[s], said(b.Image1[k].picture));
        if (c.image1[s]->property(kPicked).toBool() != picked) {
            c.image1[s]->setProperty(kPicked, picked);
            QAccessible::State checked;
            checked.checked = true;
            QAccessibleStateChangeEvent event(c.image1[s], checked);
            QAccessible::updateAccessibility(&event);
        }
        renamed += setName(c.image2[s], said(b.Image2[k].picture));
    }
    for (int i = 0; i <= 1; ++i) {
        const auto s = static_cast<std::size_t>(i);
        renamed += setName(c.image4[s], placed(text::kImage4Names[i], b.Image4[i]));
        // A lone answer stands in the second slot; the back in the first marks it as empty.
        const int picture = i == 0 && b.Image7[0] == card::kBack ? card::kNoPicture : b.Image7[i];
        renamed += setName(c.image7[s], placed(text::kImage7Names[i], picture));
    }
    return renamed;
}

void tellComputersTurn(const Controls& c, const Board& b, int drawn, bool boxed, bool focus) {
    const std::string told = boxed ? names::place(text::kImage4Names[1], names::card(b.Image4[1]))
                                   : names::computerTurn(drawn, b.Image4[0], b.Image4[1]);
    c.image1[0]->setAccessibleDescription(QString::fromStdString(told));
    if (focus) c.image1[0]->setFocus(Qt::OtherFocusReason);
}

}  // namespace screenreader

namespace screenreader {

void tellDrawn(const Controls& c, const Board& b, int slot) {
    auto* notice = c.image1[0]->parentWidget()->findChild<QWidget*>(QLatin1String(kNotice));
    notice->hide();
    notice->setAccessibleName(QString::fromStdString(names::drawn(b.Image1[slot].picture)));
    notice->show();
}

}  // namespace screenreader
