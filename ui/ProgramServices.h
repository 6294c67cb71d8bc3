// What the engine asks of the running program that needs no window: chance, the clock, the
// pause's nap and the program's folder.
#pragma once

#include <random>
#include <string>

class ProgramServices {
public:
    virtual ~ProgramServices() = default;
    // Seeds the random source from the time of day.
    virtual void randomize();
    // The next number of the random source, in [0, 1).
    virtual double rnd();
    // Seconds since midnight, from a clock that ticks in hundredths of a second.
    virtual float timer();
    // Sleeps a millisecond between two clock readings of a pause, so that it does not spin a core.
    virtual void nap();
    // The directory of the executable.
    virtual std::string appPath();

private:
    std::mt19937 generator_;
};
