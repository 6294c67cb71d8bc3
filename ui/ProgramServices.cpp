// Chance, the clock, the pause's nap and the program's folder.
#include "ProgramServices.h"

#include <QCoreApplication>
#include <QTime>
#include <chrono>
#include <thread>

void ProgramServices::randomize() {
    generator_.seed(
        static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
}

double ProgramServices::rnd() {
    // Exact in a double and always below 1, as the engine's card formulas need.
    return static_cast<double>(generator_()) / 4294967296.0;
}

float ProgramServices::timer() {
    const int hundredths = QTime::currentTime().msecsSinceStartOfDay() / 10;
    return static_cast<float>(hundredths) / 100.0f;
}

void ProgramServices::nap() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::string ProgramServices::appPath() {
    return QCoreApplication::applicationDirPath().toStdString();
}
