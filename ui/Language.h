// The player's language: which catalog the environment asks for, and putting it to work.
#pragma once

#include <QStringList>

class QTranslator;

namespace language {

// The languages to try, best first, from the first of LANGUAGE (a list, "fr:en"), LC_ALL,
// LC_MESSAGES and LANG that is set: "en_GB.UTF-8" asks for "en_GB" (whose catalog may be the
// one of "en"). Nothing for the C and POSIX locales, which keep the game's own language.
QStringList wanted();

// Loads the first catalog the game has of those wanted into `catalog`, installs it for the
// window and the engine, and says whether one was found.
bool install(QTranslator& catalog);

}  // namespace language
