// tessaro-replay: the rules engine without a window, driven by a script on standard input.
#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <iostream>

#include "DataFile.h"
#include "ReplayRunner.h"
#include "ReplaySession.h"

namespace {

constexpr char kUsage[] =
    "usage: tessaro-replay [--dir DIR] < SCRIPT\n"
    "Runs the game without a window; DIR holds Data.dat (default: a new temporary directory).\n"
    "The script's format is described in replay/README.md.\n";

}  // namespace

int main(int argc, char** argv) {
    QString dir;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dir") == 0) {
            if (i + 1 == argc || argv[i + 1][0] == '\0') {
                std::cerr << "tessaro-replay: --dir needs a directory\n" << kUsage;
                return replay::kBadLine;
            }
            dir = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kUsage;
            return replay::kDone;
        } else {
            std::cerr << "tessaro-replay: unexpected argument \"" << argv[i] << "\"\n" << kUsage;
            return replay::kBadLine;
        }
    }

    if (dir.isEmpty()) {
        // Kept after the run, so that the Data.dat it wrote can be looked at.
        QTemporaryDir temporary(QDir::tempPath() + "/tessaro-replay-XXXXXX");
        if (!temporary.isValid()) {
            std::cerr << "tessaro-replay: cannot make a temporary directory: "
                      << temporary.errorString().toStdString() << '\n';
            return replay::kFailed;
        }
        temporary.setAutoRemove(false);
        dir = temporary.path();
    } else if (!QDir().mkpath(dir)) {
        std::cerr << "tessaro-replay: cannot make the directory \"" << dir.toStdString() << "\"\n";
        return replay::kFailed;
    }
    dir = QDir(dir).absolutePath();
    std::cerr << "tessaro-replay: directory " << QDir::toNativeSeparators(dir).toStdString()
              << std::endl;

    // The fallback is the same directory: nothing of a replay may reach the user's own records.
    DataFile store(dir, dir);
    ReplaySession session(store, dir.toStdString());
    return runReplay(std::cin, std::cout, std::cerr, session);
}
