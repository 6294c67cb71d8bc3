// What must hold for any bytes read as Data.dat: shared by the fuzz target and the corpus test.
#include "DataFileInvariants.h"

#include <QList>
#include <QString>

#include "DataFile.h"
#include "RecordTable.h"

namespace datafile_invariants {
namespace {

std::string rowFault(const ScoreEntry& row) {
    const QString name = QString::fromStdString(row.name);
    if (name.toStdString() != row.name) return "name is not valid UTF-8";
    if (name.toUcs4().size() != records::kNameLength) return "name is not six characters";
    for (const QChar c : name)
        if (c == u'"' || c.unicode() < 0x20) return "name holds a quote or a control character";
    return {};
}

std::string rowsFault(const RecordRows& rows) {
    for (const ScoreEntry& row : rows)
        if (auto fault = rowFault(row); !fault.empty()) return fault;

    const std::string display = records::displayText(rows);
    std::size_t start = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string head = "【" + std::to_string(k) + "】" + rows[k].name;
        if (display.compare(start, head.size(), head) != 0) return "display line " + head;
        start = display.find("\r\n", start);
        if (start == std::string::npos) return "display text has fewer than ten lines";
        start += 2;
    }
    if (start != display.size()) return "display text goes on after ten lines";

    const QByteArray saved = DataFile::encode(rows);
    if (saved.count('\n') != 10 || saved.count("\r\n") != 10 || !saved.endsWith("\r\n"))
        return "saved file is not ten CR LF lines";
    if (saved.count('"') != 20) return "saved file does not have two quotes a line";
    if (DataFile::decode(saved) != rows) return "saved rows do not read back";
    return {};
}

}  // namespace

std::string decodeFault(const QByteArray& bytes) {
    return rowsFault(DataFile::decode(bytes));
}

std::string encodeFault(const QByteArray& bytes) {
    RecordRows rows;
    const qsizetype slice = bytes.size() / 10;
    for (qsizetype k = 0; k < 10; ++k) {
        const QByteArray name = bytes.mid(k * slice, slice);
        rows[static_cast<std::size_t>(k)].name = name.toStdString();
        rows[static_cast<std::size_t>(k)].points = static_cast<std::int16_t>(
            name.isEmpty() ? k : static_cast<unsigned char>(name.front()) * 257 - 32768);
    }
    const QByteArray saved = DataFile::encode(rows);
    const RecordRows read = DataFile::decode(saved);
    if (auto fault = rowsFault(read); !fault.empty()) return fault;
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (read[k].points != rows[k].points) return "points changed on the way through the file";
    if (DataFile::encode(read) != saved) return "a saved table saves differently once read back";
    return {};
}

}  // namespace datafile_invariants
