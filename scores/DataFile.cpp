// Data.dat: the record table as ten GBK text lines beside the program, saved atomically.
#include "DataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <algorithm>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string_view>

#include "RecordTable.h"

namespace {

constexpr char kFileName[] = "Data.dat";

// GBK spends at most two bytes on a character, so this many bytes of a quoted name hold
// more than its six characters even when some bytes are invalid.
constexpr qsizetype kNameBytesRead = 64;

// The name's characters as the file can hold them. The file has no escapes, so a double quote
// would end the name early and a line break would end the row: they become a full-width quote
// and a space. A character that does not come back from GBK unchanged becomes "?". Every name
// this yields survives a trip through the file as it is.
class GbkName {
public:
    GbkName()
        : encoder_("GBK", QStringConverter::Flag::Stateless),
          decoder_("GBK", QStringConverter::Flag::Stateless) {}

    // The six characters a name is stored as.
    std::string storable(const QString& text) {
        QString fitted;
        int count = 0;
        for (const char32_t c : text.toUcs4()) {
            if (count++ == records::kNameLength) break;
            if (c == U'"')
                fitted += QChar(0xFF02);
            else if (c < 0x20 || c == 0x7F)
                fitted += u' ';
            else if (roundTrips(c))
                fitted += QStringView(QChar::fromUcs4(c));
            else
                fitted += u'?';
        }
        return records::fitName(fitted.toStdString());
    }

    QByteArray toBytes(const std::string& name) {
        const QString text = QString::fromStdString(storable(QString::fromStdString(name)));
        return encoder_.encode(text);
    }

    // A name as read between the quotes. Invalid bytes come out as U+FFFD and then "?"; the
    // closing quote is passed along so that a lead byte cut off at the end counts as invalid
    // instead of vanishing.
    std::string fromBytes(std::string_view bytes) {
        QByteArray quoted(bytes.data(), std::min<qsizetype>(bytes.size(), kNameBytesRead));
        quoted += '"';
        QString text = decoder_.decode(quoted);
        if (text.endsWith(u'"')) text.chop(1);
        return storable(text);
    }

private:
    // hasError() stays set for good once an ICU converter met one error, so the test is the
    // trip itself: an unencodable character comes back as "?", an invalid byte as U+FFFD.
    // The answers are kept, as a name's characters repeat from row to row.
    bool roundTrips(char32_t c) {
        if (c < 0x7F) return true;
        if (c < known_.size() && known_[c]) return storable_[c];
        const QString one = QString::fromUcs4(&c, 1);
        const bool storable = decoder_.decode(encoder_.encode(one)) == one;
        if (c < known_.size()) {
            known_[c] = true;
            storable_[c] = storable;
        }
        return storable;
    }

    QStringEncoder encoder_;
    QStringDecoder decoder_;
    std::bitset<0x10000> known_;
    std::bitset<0x10000> storable_;
};

// Opening an ICU converter costs far more than a whole table's worth of converting; the
// stateless converters carry nothing from one use to the next.
GbkName& gbkName() {
    thread_local GbkName converter;
    return converter;
}

std::string_view trimmed(std::string_view s) {
    constexpr std::string_view kBlank = " \t\r";
    const auto first = s.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlank) - first + 1);
}

// An optionally signed run of decimal digits and nothing else, held to the 16-bit range.
std::optional<std::int16_t> readPoints(std::string_view text) {
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Anything past this is clamped anyway; stopping here keeps long digit runs from overflowing.
    constexpr std::int64_t kCeiling = 1'000'000;
    std::int64_t value = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') return std::nullopt;
        value = std::min(value * 10 + (digit - '0'), kCeiling);
    }
    return records::clampPoints(negative ? -value : value);
}

// A row is read when the line has a quoted name followed by a comma and an integer; a line
// that lacks any of these cannot be read and leaves its row at the default.
std::optional<ScoreEntry> readRow(std::string_view line, GbkName& gbk) {
    // No GBK trail byte is below 0x40, so quotes and commas can be found byte by byte.
    const auto open = line.find('"');
    if (open == std::string_view::npos) return std::nullopt;
    const auto close = line.find('"', open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    const auto comma = line.find_first_not_of(" \t", close + 1);
    if (comma == std::string_view::npos || line[comma] != ',') return std::nullopt;
    const auto points = readPoints(line.substr(comma + 1));
    if (!points) return std::nullopt;
    return ScoreEntry{gbk.fromBytes(line.substr(open + 1, close - open - 1)), *points};
}

// Unbuffered, with every write checked: Qt 6.4's commit() neither notices a write that fails
// while its buffer is flushed nor a short write, and would put the cut-off file in place.
bool writeAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    return file.commit();
}

}  // namespace

DataFile::DataFile(const QString& programDir, const QString& fallbackDir)
    : programDir_(programDir), fallbackDir_(fallbackDir), path_(programFile()) {}

QString DataFile::path() const {
    return path_;
}

QString DataFile::programFile() const {
    return QDir(programDir_).filePath(kFileName);
}

QString DataFile::fallbackFile() const {
    const QString dir = fallbackDir_.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                            : fallbackDir_;
    return dir.isEmpty() ? QString() : QDir(dir).filePath(kFileName);
}

RecordRows DataFile::load() {
    const QFileInfo program(programFile());
    const QString fallbackPath = fallbackFile();
    const QFileInfo fallback(fallbackPath);
    const bool inProgram = program.isFile();
    const bool inFallback = !fallbackPath.isEmpty() && fallback.isFile();

    if (!inProgram && !inFallback) {
        const RecordRows rows = records::defaultRows();
        save(rows);
        return rows;
    }

    // The fallback copy is only written when the program directory could not be, so when it is
    // the newer one it holds the last record entered.
    QStringList candidates;
    if (inFallback && (!inProgram || fallback.lastModified() > program.lastModified())) {
        candidates = {fallback.filePath()};
        if (inProgram) candidates << program.filePath();
    } else {
        candidates = {program.filePath()};
        if (inFallback) candidates << fallback.filePath();
    }
    for (const QString& candidate : candidates) {
        QFile file(candidate);
        if (file.open(QIODevice::ReadOnly)) {
            path_ = candidate;
            return decode(file.read(kMaxReadBytes));
        }
    }
    // A table that exists but cannot be read is left alone: only a record entry replaces it.
    path_ = candidates.front();
    return records::defaultRows();
}

bool DataFile::save(const RecordRows& rows) {
    const QByteArray bytes = encode(rows);
    const QString program = programFile();
    if (writeAtomically(program, bytes)) {
        path_ = program;
        return true;
    }
    const QString fallback = fallbackFile();
    if (fallback.isEmpty() || !QDir().mkpath(QFileInfo(fallback).absolutePath())) return false;
    if (!writeAtomically(fallback, bytes)) return false;
    path_ = fallback;
    return true;
}

QByteArray DataFile::encode(const RecordRows& rows) {
    GbkName& gbk = gbkName();
    QByteArray bytes;
    bytes.reserve(256);
    for (const ScoreEntry& row : rows) {
        bytes += '"';
        bytes += gbk.toBytes(row.name);
        bytes += "\",";
        bytes += QByteArray::number(row.points);
        bytes += "\r\n";
    }
    return bytes;
}

RecordRows DataFile::decode(const QByteArray& bytes) {
    GbkName& gbk = gbkName();
    RecordRows rows = records::defaultRows();
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    std::size_t start = 0;
    for (ScoreEntry& row : rows) {
        if (start > text.size()) break;
        const auto end = text.find('\n', start);
        const auto line = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (auto read = readRow(line, gbk)) row = std::move(*read);
        start = end == std::string_view::npos ? text.size() + 1 : end + 1;
    }
    return rows;
}
