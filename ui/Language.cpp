// The player's language.
#include "Language.h"

#include <QCoreApplication>
#include <QTranslator>

#include "Translation.h"

// The catalogs live in a static library; make sure the linker keeps them. (Outside any
// namespace, where the resource's own function is.)
static void keepCatalogs() {
    Q_INIT_RESOURCE(catalogs);
}

namespace {

std::string translate(const char* source) {
    return QCoreApplication::translate("", source).toStdString();
}

}  // namespace

namespace language {

QStringList wanted() {
    QStringList names;
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (value.isEmpty()) continue;
        for (const QString& locale : value.split(u':', Qt::SkipEmptyParts)) {
            // language[_territory][.codeset][@modifier]
            const QString name = locale.section(u'.', 0, 0).section(u'@', 0, 0);
            if (name == u"C" || name == u"POSIX") break;
            names << name;
        }
        break;
    }
    return names;
}

bool install(QTranslator& catalog) {
    keepCatalogs();
    for (const QString& name : wanted()) {
        // "en_GB" finds en_GB.qm, else en.qm.
        if (catalog.load(name, QStringLiteral(":/i18n"))) {
            QCoreApplication::installTranslator(&catalog);
            text::setTranslator(&translate);
            return true;
        }
    }
    return false;
}

}  // namespace language
