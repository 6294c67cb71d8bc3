// What must hold for any bytes read as Data.dat: shared by the fuzz target and the corpus test.
#include "DataFileInvariants.h"

#include <QList>
#include <QString>

#include "DataFile.h"
#include "RecordTable.h"

namespace datafile_invariants {
namespace {

// Ten rows of six valid characters, no quote or control character among them, that save as ten
// CR LF lines and read back as themselves.
std::string rowsFault(const RecordRows& rows) {
    for (const ScoreEntry& row : rows) {
        const QString name = QString::fromStdString(row.name);
        if (name.toStdString() != row.name || name.toUcs4().size() != records::kNameLength)
            return "a name is not six valid characters";
        for (const QChar c : name)
            if (c == u'"' || c.unicode() < 0x20)
                return "a name holds a quote or a control character";
    }
    const QByteArray saved = DataFile::encode(rows);
    if (saved.count("\r\n") != 10 || saved.count('\n') != 10 || !saved.endsWith("\r\n"))
        return "the saved file is not ten CR LF lines";
    if (DataFile::decode(saved) != rows) return "the saved rows do not read back";
    return {};
}

}  // namespace

std::string decodeFault(const QByteArray& bytes) {
    return rowsFault(DataFile::decode(bytes));
}

std::string encodeFault(const QByteArray& bytes) {
    // Names cut from the bytes as they come, as the engine might hand them over.
    RecordRows rows;
    const qsizetype slice = bytes.size() / 10;
    for (qsizetype k = 0; k < 10; ++k)
        rows[static_cast<std::size_t>(k)] = {bytes.mid(k * slice, slice).toStdString(),
                                             static_cast<std::int16_t>(k * 6553 - 32768)};
    const RecordRows read = DataFile::decode(DataFile::encode(rows));
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (read[k].points != rows[k].points) return "points changed on the way through the file";
    return rowsFault(read);
}

}  // namespace datafile_invariants
