// The window's boxes: a message box (a Yes/No box only its buttons answer) and the input box.
#pragma once

#include <string>

class QWidget;

namespace boxes {

// Shows a modal box over `parent` and returns the answer as a box code names it.
int message(QWidget* parent, const std::string& text, const std::string& title, int code);
// Shows the input box over `parent`; cancel gives an empty text.
std::string input(QWidget* parent, const std::string& prompt, const std::string& title,
                  const std::string& defaultText);

}  // namespace boxes
