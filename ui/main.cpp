// Tessaro: an arithmetic card game against the computer.
#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

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
    return app.exec();
}
