// Tessaro: an arithmetic card game against the computer.
#include <QApplication>

#include "Program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaro"));
    Program program(QCoreApplication::applicationDirPath());
    program.start();
    return app.exec();
}
