// The running program.
#include "Program.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QScreen>

#include "Language.h"

Program::Program(const QString& programDir) : records_(programDir) {
    // The player's language where the game has a catalog for it, the toolkit's own buttons in
    // the toolkit's English; otherwise they (是/否/确定/取消) speak Chinese like the rest.
    if (!language::install(catalog_) &&
        qtbase_.load(QStringLiteral("qtbase_zh_CN"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtbase_);
    mm1_.setFallbackDir(TESSARO_DATA_DIR);
    window_ = std::make_unique<Form1>(records_, mm1_, services_);
}

void Program::start() {
    window_->load();
    if (window_->failed()) return;  // its box has told, and the event loop ends at once
    window_->adjustSize();
    const QRect screen = window_->screen()->availableGeometry();
    window_->move(screen.center() - window_->rect().center());
    window_->show();
}

bool Program::stopMusic() {
    return mm1_.close(MM1::kCloseBound);
}
