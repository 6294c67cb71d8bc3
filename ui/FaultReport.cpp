// The report a fault in the rules leaves behind.
#include "FaultReport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "Texts.h"
#include "Translation.h"

void FaultReport::startWith(const RecordRows& records) {
    tableAtLoad_.clear();
    for (const ScoreEntry& row : records)
        tableAtLoad_ += "#   \"" + row.name + "\"," + std::to_string(row.points) + "\n";
}

std::string FaultReport::save(const std::string& event, const char* what) const {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString path = QDir(dir).filePath(
        QDateTime::currentDateTime().toString(QStringLiteral("'fault-'yyyyMMdd-hhmmss'.txt'")));
    const std::string report =
        "# Tessaro stopped on a fault in its rules: " + std::string(what) +
        "\n# To see it again, put these rows in Data.dat (in GBK) in a directory DIR and run\n"
        "# tessaro-replay --dir DIR < THIS-FILE\n" +
        tableAtLoad_ + script_.text() + event + "  # the fault\n";
    QFile file(path);
    const bool saved = QDir().mkpath(dir) && file.open(QIODevice::WriteOnly) &&
                       file.write(report.data(), qint64(report.size())) == qint64(report.size());
    file.close();
    return text::tr(text::kFault) + "\n" +
           (saved ? text::fill(text::tr(text::kFaultSaved),
                               {QDir::toNativeSeparators(path).toStdString()})
                  : text::tr(text::kFaultNotSaved));
}
