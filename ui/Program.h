// The running program: the player's language, the record file, the music and the window.
#pragma once

#include <QTranslator>
#include <memory>

#include "DataFile.h"
#include "Form1.h"
#include "MM1.h"
#include "ProgramServices.h"

class Program {
public:
    // Needs a QApplication.  `programDir` is where Data.dat is looked for first (see DataFile).
    explicit Program(const QString& programDir);

    // Loads the window and shows it at the centre of the screen.
    void start();
    Form1& window() { return *window_; }
    // Lets the music go, waiting at most a second for it. False when the music thread is stuck
    // (a sound server that stopped answering): then leave the process without waiting for it.
    bool stopMusic();

private:
    QTranslator catalog_;  // the player's language, when the game speaks it
    QTranslator qtbase_;
    DataFile records_;
    MM1 mm1_;
    ProgramServices services_;
    std::unique_ptr<Form1> window_;
};
