// libFuzzer target: any bytes read as Data.dat give ten rows of six characters, free of quotes
// and control characters, that save as ten CR LF lines and read back as themselves.
#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "DataFile.h"
#include "RecordTable.h"

namespace {

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "Data.dat fault: %s\n", what);
    std::abort();
}

void checkRows(const RecordRows& rows) {
    for (const ScoreEntry& row : rows) {
        const QString name = QString::fromStdString(row.name);
        check(name.toStdString() == row.name && name.toUcs4().size() == records::kNameLength,
              "a name is not six valid characters");
        for (const QChar c : name) check(c != u'"' && c.unicode() >= 0x20, "a quote or a control");
    }
    const QByteArray saved = DataFile::encode(rows);
    check(saved.count("\r\n") == 10 && saved.count('\n') == 10, "not ten CR LF lines");
    check(DataFile::decode(saved) == rows, "the saved rows do not read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkRows(DataFile::decode(bytes));
    return 0;
}
