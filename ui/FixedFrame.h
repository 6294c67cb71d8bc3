// The frame of every window of the game on every desktop: a fixed size, a title and at most a
// close button, and no state a desktop asks for that could hide a window or end the program.
#pragma once

class QWidget;

namespace frame {

// Fixes `window` at its layout's size and gives it a frame with a title and, when `closable`, a
// close button; no minimise, no maximise. Call once, before the window is first shown.
void fix(QWidget* window, bool closable);

}  // namespace frame
