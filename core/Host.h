// What the rules engine asks of the outside world: dialogs, redraws, the end, chance and time.
#pragma once

#include <string>

#include "Texts.h"

class Host {
public:
    virtual ~Host() = default;

    // Texts are UTF-8.  A message box is modal and returns the answer.
    virtual int messageBox(const std::string& text, const std::string& title, int code) = 0;
    // Returns the text entered; cancel gives an empty text.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // Show the board as it is now, without taking any input.
    virtual void redraw() = 0;
    // The program ends; the engine takes no further events.
    virtual void endProgram() = 0;
    // Seed the random source from the time of day.
    virtual void randomize() = 0;
    // The next number of the random source, in [0, 1).
    virtual double rnd() = 0;
    // Seconds since midnight, as a single-precision reading.
    virtual float timer() = 0;
    // Called between two clock readings of a pause, so that waiting does not spin a core.
    virtual void nap() = 0;
    // The program's own directory, without a trailing separator.
    virtual std::string appPath() = 0;
};
