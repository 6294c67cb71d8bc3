// The window's boxes.
#include "Boxes.h"

#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <memory>

#include "FixedFrame.h"
#include "Texts.h"

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// A Yes/No box that only its buttons answer: Esc does nothing and there is no close button, so
// the player has to choose.
class ChoiceBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            event->accept();
        else
            QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (clickedButton())
            QMessageBox::closeEvent(event);
        else
            event->ignore();
    }
};

// Without a window manager nothing gives the keyboard back to the window a box was over.
void giveBack(QWidget* parent) {
    if (parent && parent->isVisible()) parent->activateWindow();
}

}  // namespace

namespace boxes {

int message(QWidget* parent, const std::string& text, const std::string& title, int code) {
    const bool yesNo = box::isYesNo(code);
    std::unique_ptr<QMessageBox> shown(yesNo ? new ChoiceBox(parent) : new QMessageBox(parent));
    QMessageBox& box = *shown;
    box.setWindowTitle(qs(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(qs(text));
    if (code == box::kYesNoQuestion)
        box.setIcon(QMessageBox::Question);
    else if (code == box::kOkInformation || code == box::kYesNoInformation)
        box.setIcon(QMessageBox::Information);
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    frame::fix(&box, !yesNo);
    const int answer = box.exec();
    giveBack(parent);
    if (!yesNo) return box::kAnswerOk;
    return answer == QMessageBox::Yes ? box::kAnswerYes : box::kAnswerNo;
}

std::string input(QWidget* parent, const std::string& prompt, const std::string& title,
                  const std::string& defaultText) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(qs(title));
    dialog.setLabelText(qs(prompt));
    dialog.setTextValue(qs(defaultText));
    frame::fix(&dialog, true);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveBack(parent);
    return accepted ? dialog.textValue().toStdString() : "";
}

}  // namespace boxes
