// What a screen reader says of the window.
#include "ScreenReader.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>

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

QString said(int picture) {
    return QString::fromStdString(names::card(picture));
}

QString placed(const char* placeTemplate, int picture) {
    return QString::fromStdString(names::place(placeTemplate, names::card(picture)));
}

// A card as a reader sees it: a hand card is a toggle button, picked or not, that can be
// pressed; any other card a picture.
class CardNode : public QAccessibleWidget {
public:
    CardNode(QWidget* w, bool toggle)
        : QAccessibleWidget(w, toggle ? QAccessible::Button : QAccessible::Graphic) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (role() == QAccessible::Button) {
            s.checkable = true;
            s.checked = widget()->property(kPicked).toBool();
        }
        return s;
    }
    QStringList actionNames() const override {
        return role() == QAccessible::Button ? QStringList{pressAction(), setFocusAction()}
                                             : QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction() || role() != QAccessible::Button)
            return QAccessibleWidget::doAction(action);
        // Pressed as Space presses it, where the window takes its keys.
        widget()->setFocus(Qt::OtherFocusReason);
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(widget(), &space);
    }
};

QAccessibleInterface* cardNode(const QString&, QObject* object) {
    auto* card = dynamic_cast<PictureControl*>(object);
    return card ? new CardNode(card, card->property(kToggle).toBool()) : nullptr;
}

int setName(QWidget* w, const QString& name) {
    if (w->accessibleName() == name) return 0;
    w->setAccessibleName(name);
    return 1;
}

}  // namespace

namespace screenreader {

void install(const Controls& c) {
    for (auto* card : c.image1) card->setProperty(kToggle, true);
    QAccessible::installFactory(cardNode);
}

int name(const Controls& c, const Board& b) {
    int renamed = 0;
    for (int k = 0; k < kHandSlots; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const bool picked = b.Image1[k].top == layout::kHandRaisedTop;
        const std::string card = names::card(b.Image1[k].picture);
        renamed +=
            setName(c.image1[s], QString::fromStdString(picked ? names::picked(card) : card));
        if (c.image1[s]->property(kPicked).toBool() != picked) {
            c.image1[s]->setProperty(kPicked, picked);
            QAccessible::State checked;
            checked.checked = true;
            QAccessibleStateChangeEvent event(c.image1[s], checked);
            QAccessible::updateAccessibility(&event);
        }
        renamed += setName(c.image2[s], said(b.Image2[k].picture));
        // What was told after the computer's turn is not told again once the focus has left.
        if (!c.image1[s]->hasFocus() && !c.image1[s]->accessibleDescription().isEmpty())
            c.image1[s]->setAccessibleDescription(QString());
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
