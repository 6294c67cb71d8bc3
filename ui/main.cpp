// Tessaro: an arithmetic card game against the computer.
#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

#include "Program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaro"));
    // An installed game never writes beside itself, even when root could: a Data.dat left in
    // the system's program folder would outlive the package.
    QString recordsDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(recordsDir).canonicalFilePath() ==
        QFileInfo(QStringLiteral(TESSARO_INSTALL_BINDIR)).canonicalFilePath())
        recordsDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    Program program(recordsDir);
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
