// Tessaro: an arithmetic card game against the computer.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "Program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaro"));
    Program program(QCoreApplication::applicationDirPath());
    program.start();
    const int status = app.exec();
    // The records were saved before the event loop ended, so a music thread held up by a
    // frozen sound server is all there is to lose by leaving at once.
    if (!program.stopMusic()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
