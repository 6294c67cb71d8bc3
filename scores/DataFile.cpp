// Data.dat: the record table as ten GBK text lines beside the program, saved atomically.
#include "DataFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "Folder.h"
#include "RecordTable.h"
#include "SystemCalls.h"

namespace {

using syscalls::made;

constexpr char kFileName[] = "Data.dat";

// GBK spends at most two bytes on a character, so this many bytes of a quoted name hold
// more than its six characters even when some bytes are invalid.
constexpr qsizetype kNameBytesRead = 64;

// Names in GBK: the file holds a character that comes back from GBK unchanged, and a name as
// stored survives a trip through the file as it is.
class GbkName {
public:
    GbkName()
        : encoder_("GBK", QStringConverter::Flag::Stateless),
          decoder_("GBK", QStringConverter::Flag::Stateless) {}

    // The six characters a name is stored as.
    std::string storable(const QString& text) {
        return records::storableName(text.toStdString(),
                                     [this](char32_t c) { return roundTrips(c); });
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
    bool roundTrips(char32_t c) {
        // Not QString::fromUcs4, which drops a byte order mark and would let U+FEFF pass.
        const QString one = QStringView(QChar::fromUcs4(c)).toString();
        return decoder_.decode(encoder_.encode(one)) == one;
    }

    QStringEncoder encoder_;
    QStringDecoder decoder_;
};

// Opening an ICU converter costs far more than a whole table's worth of converting; the
// stateless converters carry nothing from one use to the next.
GbkName& gbkName() {
    thread_local GbkName converter;
    return converter;
}

// 0 when something stands at `name` in the folder, with its status in `info` (a link's own);
// ENOENT when nothing at all does; any other error when that cannot be told, and then the
// table there is neither read nor written.
int look(int dir, const char* name, struct stat& info) {
    return made("fstatat", [&] { return fstatat(dir, name, &info, AT_SYMLINK_NOFOLLOW); }) == 0
               ? 0
               : errno;
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
    if (text.starts_with('+') && !text.starts_with("+-")) text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size() || error == std::errc::invalid_argument)
        return std::nullopt;
    // Digits past 64 bits only say the number is far out of the 16-bit range.
    if (error == std::errc::result_out_of_range) value = text.starts_with('-') ? -65536 : 65536;
    return records::clampPoints(value);
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

constexpr char kNewPrefix[] = "Data.dat.new";

// A crash during a save may have left its new file. Under the lock no save is under way, so
// any there is stale; only the player's own are cleared, and another user's never stand in
// the way, since each save makes a name of its own.
void clearStale(int dir) {
    const int listed =
        made("openat", [&] { return openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    DIR* entries = listed < 0 ? nullptr : fdopendir(listed);
    if (!entries) {
        if (listed >= 0) close(listed);
        return;
    }
    struct stat info {};
    while (const dirent* entry = readdir(entries)) {
        if (std::string_view(entry->d_name).starts_with(kNewPrefix) &&
            look(dir, entry->d_name, info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == geteuid())
            made("unlinkat", [&] { return unlinkat(dir, entry->d_name, 0); });
    }
    closedir(entries);
}

// Writes the table into a new file of its own beside it and renames that file onto the
// table's name: the rename replaces whatever stands at the name itself, never a link's target,
// and a crash at any moment leaves the old table whole. Done under the lock.
// `keep`: the permissions to keep; without them the new file gets the umask's.
bool replaceFile(int dir, const QByteArray& bytes, std::optional<mode_t> keep) {
    clearStale(dir);
    std::random_device chance;
    std::string temporary;
    int fd = -1;
    // A name no one can tell beforehand, so no file planted there blocks the save.
    for (int attempt = 0; fd < 0 && attempt < 8; ++attempt) {
        temporary = kNewPrefix + ("-" + std::to_string(chance()));
        fd = made("openat", [&] {
            return openat(dir, temporary.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        });
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    // One write of a few hundred bytes: a short one means a full disk. The umask does not trim
    // a table's own permissions; the data reaches the disk before the name points at it.
    bool saved = made("write", [&] { return ::write(fd, bytes.constData(), bytes.size()); }) ==
                     bytes.size() &&
                 (!keep || made("fchmod", [&] { return fchmod(fd, *keep); }) == 0) &&
                 made("fdatasync", [&] { return fdatasync(fd); }) == 0;
    saved = close(fd) == 0 && saved;
    saved = saved &&
            made("renameat", [&] { return renameat(dir, temporary.c_str(), dir, kFileName); }) == 0;
    if (!saved) {
        unlinkat(dir, temporary.c_str(), 0);
        return false;
    }
    // The new name reaches the disk too, or a power cut could bring the old table back. A
    // folder that cannot be synced at all (EINVAL) is no failure.
    return made("fsync", [&] { return fsync(dir); }) == 0 || errno == EINVAL;
}

// Splits a table's bytes into its first ten lines, which end at LF, CR LF or a lone CR, and
// reads a row from each. Fed in pieces, so that a file is read only as far as its tenth line.
class RowReader {
public:
    RowReader() : rows_(records::defaultRows()) {}

    void feed(std::string_view bytes) {
        for (const char c : bytes) {
            // Ten lines of the longest length that can be a row fit in these; anything longer is
            // no table (a file of gigabytes without a line end), and the line it cuts is unread.
            if (++fed_ > kMaxTableBytes) {
                cut_ = true;
                return;
            }
            if (std::exchange(afterCr_, false) && c == '\n') continue;
            if (c == '\r' || c == '\n') {
                afterCr_ = c == '\r';
                endLine();
                if (done()) return;
            } else if (line_.size() < DataFile::kMaxLineBytes) {
                line_ += c;
            } else {
                overlong_ = true;
            }
        }
    }

    // Once ten lines have been read, the rest of the bytes do not count.
    bool done() const { return row_ == rows_.size() || cut_; }

    RecordRows finish() {
        if (!done() && (!line_.empty() || overlong_)) endLine();
        return rows_;
    }

private:
    void endLine() {
        // at(): a reader fed past its tenth line would throw rather than write past the table.
        if (auto read = overlong_ ? std::nullopt : readRow(line_, gbkName()))
            rows_.at(row_) = std::move(*read);
        ++row_;
        line_.clear();
        overlong_ = false;
    }

    static constexpr std::size_t kMaxTableBytes = 10 * (DataFile::kMaxLineBytes + 2);

    RecordRows rows_;
    std::size_t row_ = 0, fed_ = 0;
    bool cut_ = false;
    std::string line_;
    bool overlong_ = false;
    bool afterCr_ = false;
};

// A save takes milliseconds; longer means a hung copy. A copy that died holds no lock.
constexpr int kLockWaitMs = 3000;

// The table as found in a folder.
struct Table {
    int error = 0;                   // 0: it stands there; ENOENT: none; else it cannot be told
    std::optional<RecordRows> rows;  // what was read; nothing when it cannot be read
    struct stat info {};             // the status of the file read
};

// A table that is not a regular file of its own, or cannot be read, is read as nothing: it is
// then never written over.
Table findTable(const Folder& folder) {
    Table table;
    table.error = folder.fd() < 0 ? folder.error() : look(folder.fd(), kFileName, table.info);
    // A device is not even opened; no link is followed and a FIFO does not hold the start up.
    if (table.error != 0 || !S_ISREG(table.info.st_mode)) return table;
    const int fd = made("openat", [&] {
        return openat(folder.fd(), kFileName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    });
    if (fd < 0) return table;
    // The status of what was opened, which may have been put there since it was looked at.
    if (made("fstat", [&] { return fstat(fd, &table.info); }) == 0 && S_ISREG(table.info.st_mode)) {
        RowReader reader;
        std::array<char, 4096> buffer;
        ssize_t n = 0;
        while (!reader.done() &&
               (n = made("read", [&] { return ::read(fd, buffer.data(), buffer.size()); })) > 0)
            reader.feed({buffer.data(), static_cast<std::size_t>(n)});
        if (n >= 0) table.rows = reader.finish();
    }
    close(fd);
    return table;
}

}  // namespace

DataFile::DataFile(const QString& programDir, const QString& fallbackDir)
    : programDir_(programDir), fallbackDir_(fallbackDir) {}

QString DataFile::programFile() const {
    return QDir(programDir_).filePath(kFileName);
}

QString DataFile::path() const {
    if (QFileInfo(programDir_).isWritable()) return programFile();
    QString dir = fallbackDir_;
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        // Qt takes a relative XDG_DATA_HOME as given; the XDG rules say to ignore it.
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (QDir::isRelativePath(data))
            dir = QDir::homePath() + QStringLiteral("/.local/share") + dir.mid(data.size());
    }
    return QDir(dir).filePath(kFileName);
}

RecordRows DataFile::load() {
    const QString file = path();
    Table table = findTable(Folder(QFileInfo(file).absolutePath(), false));
    // A folder that cannot be written may still hold a table; a record goes to the fallback.
    if (table.error == ENOENT && file != programFile())
        table = findTable(Folder(programDir_, false));
    // Only a table that is not there at all is created; one that cannot be told is left alone.
    if (table.error != ENOENT) return table.rows.value_or(records::defaultRows());
    return save({}, true).value_or(records::defaultRows());
}

std::optional<RecordRows> DataFile::update(const std::function<bool(RecordRows&)>& change) {
    return save(change, false);
}

std::optional<RecordRows> DataFile::save(const std::function<bool(RecordRows&)>& change,
                                         bool onlyNew) {
    const QString file = path(), folderPath = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folderPath)) return std::nullopt;
    Folder folder(folderPath, true);
    if (!folder.lock(kLockWaitMs)) return std::nullopt;

    Table table = findTable(folder);
    const bool replacing = table.error == 0;
    // A new table in the fallback starts from the one in a folder that cannot be written.
    if (table.error == ENOENT && file != programFile())
        table = findTable(Folder(programDir_, false));
    if (table.error != ENOENT && !table.rows) return std::nullopt;
    // Another copy of the game may have created it meanwhile.
    if (onlyNew && table.error == 0) return table.rows;
    RecordRows rows = table.rows.value_or(records::defaultRows());
    if (!onlyNew && !change(rows)) return rows;
    // A table with no write bit at all (chmod a-w) was frozen by its player: it stays as it is.
    if (replacing && (table.info.st_mode & 0222) == 0) return std::nullopt;
    // Only the read and write bits, and only of a table of the player's own: a set-user-ID bit,
    // or another user's choice, is no one's to hand on.
    std::optional<mode_t> keep;
    if (table.error == 0 && table.info.st_uid == geteuid()) keep = table.info.st_mode & 0666;
    const QByteArray bytes = encode(rows);
    if (!replaceFile(folder.fd(), bytes, keep)) return std::nullopt;
    // What the file holds, a name as typed may not be: the rows are the stored ones.
    return decode(bytes);
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
    RowReader reader;
    reader.feed({bytes.constData(), static_cast<std::size_t>(bytes.size())});
    return reader.finish();
}
