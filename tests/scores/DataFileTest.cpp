// Data.dat: the exact GBK lines, what any bytes read back as, and the table on disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "DataFile.h"
#include "RecordTable.h"
#include "SystemCalls.h"

namespace {

const QByteArray kDefaultLine = "\"\xCE\xDE\xBC\xC7\xC2\xBC   \",0\r\n";  // "无记录   ",0

RecordRows sampleRows(std::int16_t top) {
    RecordRows rows = records::defaultRows();
    rows[0] = {records::fitName("张三"), top};
    rows[9] = {records::fitName("Zoe"), -32768};
    return rows;
}

// Quoted GBK names, a comma and the points, each line ending in CR LF; names read back with
// their six characters, and what GBK cannot hold is replaced.
TEST(DataFileBytes, AreQuotedGbkNamesCommaAndPointsEndingInCrLf) {
    EXPECT_EQ(DataFile::encode(records::defaultRows()), kDefaultLine.repeated(10));
    EXPECT_EQ(
        DataFile::encode(sampleRows(-20)),
        "\"\xD5\xC5\xC8\xFD    \",-20\r\n" + kDefaultLine.repeated(8) + "\"Zoe   \",-32768\r\n");
    RecordRows rows;
    const char* names[] = {"无记录", "张三丰abcdef", "Li",  "",         "  lead",
                           "tail  ", "é·ü€ab",       "a,b", "a\"\tb\"", "한😀\uFEFFℵx"};
    for (std::size_t k = 0; k < rows.size(); ++k)
        rows[k] = {records::fitName(names[k]), static_cast<std::int16_t>(100 - 37 * int(k))};
    const RecordRows read = DataFile::decode(DataFile::encode(rows) + "\"eleventh\",1\r\n");
    EXPECT_TRUE(std::equal(rows.begin(), rows.begin() + 8, read.begin()));
    EXPECT_EQ(read[8].name, "a＂ b＂ ");  // a quote would end the name early
    EXPECT_EQ(read[9].name, "????x ");    // U+FEFF, which GBK drops without a word, too
}

// A line that cannot be read leaves its row at the default and the next line still counts.
TEST(DataFileBytes, EachLineIsReadOnItsOwn) {
    const ScoreEntry unread = records::defaultRow(), next{"next  ", 1};
    const QByteArray longest(DataFile::kMaxLineBytes - 4, 'x');
    const std::tuple<QByteArray, ScoreEntry, ScoreEntry> cases[] = {
        {"\n\"next\",1", unread, next},  // the first line ends at once
        {"no quotes,5\r\n\"next\",1", unread, next},
        {"\"one quote,5\n\"next\",1", unread, next},
        {"\"no comma\"55\r\"next\",1", unread, next},  // a lone CR ends a line too
        {"\"no number\",\r\n\"next\",1", unread, next},
        {"\"fraction\",1.5\n\"next\",1", unread, next},
        {"\"letters\",12x\n\"next\",1", unread, next},
        {"\"a\",32768\r\r\n\"next\",1", {"a     ", 32767}, unread},
        {"\"b\",-32769\r\"next\",1", {"b     ", -32768}, next},
        {"\"c\",99999999999999999999999999\n\"next\",1", {"c     ", 32767}, next},
        {"\"\x81 ab\",1\n\"next\",1", {"? ab  ", 1}, next},  // a lead byte GBK cannot pair
        {"\"ab\x81\",2\n\"next\",1", {"ab?   ", 2}, next},   // cut off by the closing quote
        {"\"\xD5\xC5\x80\",3\n\"next\",1", {"张€    ", 3}, next},
        {"\"a,b\" , 4 \n\"next\",1", {"a,b   ", 4}, next},
        {" \"\",5\n\"next\",1", {"      ", 5}, next},
        {"\"toolongname\",6\n\"next\",1", {"toolon", 6}, next},
        {"\"" + longest + "\",7\n\"next\",1", {"xxxxxx", 7}, next},  // as long as a row can be
        {"\"" + longest + "\",70\n\"next\",1", unread, next},
        // as long as a table can be: ten lines of the longest a row can be, each with CR LF
        {QByteArray(10 * (DataFile::kMaxLineBytes + 2) - 9, 'x') + "\n\"next\",1", unread, next},
        // no table is that long: the line the reader stops in is unread, however it reads
        {QByteArray(640000, 'x') + "\n\"cut\",7" + QByteArray(20000, ' '), unread, unread},
    };
    for (const auto& [bytes, first, second] : cases) {
        const RecordRows rows = DataFile::decode(bytes);
        EXPECT_EQ(rows[0], first) << bytes.left(40).toStdString();
        EXPECT_EQ(rows[1], second) << bytes.left(40).toStdString();
    }
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool enter(DataFile&& file, int score, const char* name) {
    return file.update([&](RecordRows& rows) { return records::enter(rows, score, name); })
        .has_value();
}

// What a process does as another user: as nobody in a child when the test runs as root, else as
// the same user, whom the folder's rules treat alike here. False when it failed.
bool asAnotherUser(const std::function<bool()>& act) {
    if (geteuid() != 0) return act();
    const pid_t child = fork();
    if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && act() ? 0 : 1);
    int status = -1;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A scratch area with the program's directory and the fallback directory inside it.
struct DataFileStorage : ::testing::Test {
    QTemporaryDir root;
    const QString program = root.filePath("bin"), programFile = program + "/Data.dat";
    const QString fallback = root.filePath("home"), fallbackFile = fallback + "/Data.dat";
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(program)); }
};

// The first start creates the table; a record goes into the table as it is stored now, which
// another copy of the game may have changed; a fallback copy does not count.
TEST_F(DataFileStorage, TwoCopiesKeepBothRecordsAndNeitherWritesThroughALink) {
    ASSERT_TRUE(QDir().mkpath(fallback) &&
                writeAll(fallbackFile, DataFile::encode(sampleRows(500))));
    DataFile a(program, fallback), b(program, fallback);
    EXPECT_EQ(a.load(), records::defaultRows());
    EXPECT_EQ(readAll(programFile), kDefaultLine.repeated(10));
    b.load();
    EXPECT_TRUE(enter(std::move(b), 200, "乙方"));
    EXPECT_TRUE(enter(std::move(a), 150, "甲方"));
    EXPECT_EQ(DataFile(program, fallback).load()[1], (ScoreEntry{"甲方    ", 150}));  // below 乙方
    const int held = open(QFile::encodeName(program), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);  // a copy that hangs while it saves
    EXPECT_FALSE(enter(DataFile(program, fallback), 300, "丙方"));
    // One that holds it a moment is waited for.
    std::thread release([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        close(held);
    });
    EXPECT_TRUE(enter(DataFile(program, fallback), 300, "丙方"));
    release.join();
    // Another user's process swaps the table for a link to a file of ours after it was read:
    // the save replaces the link, keeps the table's permissions and returns the rows as stored.
    ASSERT_EQ(chmod(QFile::encodeName(programFile), 0606), 0);
    const auto saved = DataFile(program, fallback).update([&](RecordRows& table) {
        EXPECT_TRUE(QFile::remove(programFile) && QFile::link(fallbackFile, programFile));
        return records::enter(table, 600, "\"\tx");
    });
    EXPECT_EQ(saved, DataFile(program, fallback).load());
    EXPECT_EQ(readAll(fallbackFile), DataFile::encode(sampleRows(500)));
    struct stat info {};
    EXPECT_TRUE(lstat(QFile::encodeName(programFile), &info) == 0 &&
                info.st_mode == (S_IFREG | 0606));
}

// A table in a folder that cannot be written is read there; records go to a fallback table
// that starts from it. Permissions do not stop root, so root checks this as nobody.
TEST_F(DataFileStorage, AReadOnlyFolderSendsRecordsToAFallbackThatStartsFromItsTable) {
    const QString readOnly = root.filePath("ro"), table = readOnly + "/Data.dat";
    QByteArray bytes = DataFile::encode(sampleRows(500)).chopped(2);  // its last read: one byte
    bytes.insert(bytes.indexOf('\r'), QByteArray(4097 - bytes.size(), ' '));
    ASSERT_TRUE(QDir().mkpath(readOnly) && chmod(QFile::encodeName(root.path()), 0777) == 0 &&
                writeAll(table, bytes) && chmod(QFile::encodeName(readOnly), 0555) == 0);
    EXPECT_TRUE(asAnotherUser([&] {
        EXPECT_EQ(DataFile(readOnly, fallback).load(), sampleRows(500));
        EXPECT_FALSE(QFile::exists(fallback));  // a table read makes not even its folder
        EXPECT_TRUE(enter(DataFile(readOnly, fallback), 900, "李四") &&
                    enter(DataFile(readOnly, fallback), 700, "王五"));
        EXPECT_EQ(DataFile(readOnly, fallback).load()[2], sampleRows(500)[0]);  // below both
        // With no fallback given, an installed game's table is ~/.local/share/tessaro/Data.dat,
        // also under a relative XDG_DATA_HOME, which the XDG rules say to ignore.
        QCoreApplication::setApplicationName("tessaro");
        qputenv("XDG_DATA_HOME", "relative");
        EXPECT_EQ(DataFile(readOnly).path(), QDir::homePath() + "/.local/share/tessaro/Data.dat");
        return !::testing::Test::HasFailure();
    }));
}

// Anything at the table's path but a regular file of its own is never written, a record that
// would go there is reported as not saved, and nothing there makes it wait for good.
TEST_F(DataFileStorage, LinksFifosDevicesAndUnreadableFilesAreNeverWritten) {
    const QString outside = root.filePath("outside");
    using Make = std::function<bool(const char*)>;
    const auto link = [](const QString& to) -> Make {
        return [=](const char* at) { return symlink(QFile::encodeName(to), at) == 0; };
    };
    ASSERT_TRUE(writeAll(outside, "mine"));
    const std::pair<const char*, Make> kinds[] = {
        {"a link to a file outside", link(outside)},
        {"a dangling link", link("nowhere/x")},
        {"a FIFO", [](const char* at) { return mkfifo(at, 0644) == 0; }},
        {"a directory", [](const char* at) { return mkdir(at, 0755) == 0; }},
        {"a character device",
         [](const char* at) { return mknod(at, S_IFCHR | 0644, makedev(1, 3)) == 0; }},
        {"a file that cannot be read",  // not for root
         [](const char* at) { return writeAll(at, "") && chmod(at, 0) == 0 && access(at, R_OK); }},
    };
    for (const auto& [kind, make] : kinds) {
        if (!QDir().remove(programFile)) QDir().rmdir(programFile);
        if (!make(QFile::encodeName(programFile))) {
            std::cout << "skipped (not possible for this user): " << kind << "\n";
            continue;
        }
        EXPECT_EQ(DataFile(program).load(), records::defaultRows()) << kind;
        EXPECT_FALSE(enter(DataFile(program), 120, "张三")) << kind;
        EXPECT_EQ(readAll(outside), "mine") << kind;
        EXPECT_EQ(QDir(program).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{"Data.dat"})
            << kind;
    }
}

// A disk that fills up during a save leaves the old table whole, and the save says it failed
// (the game dying at any call of a save is tried below).
TEST_F(DataFileStorage,
       AFullDiskDuringASaveLeavesTheOldFileWholeAndAHugeOneIsReadNoFurtherThanATable) {
    RecordRows full;
    full.fill({"六个汉字名字", -32768});
    const QByteArray old = DataFile::encode(full);  // 230 bytes
    ASSERT_TRUE(writeAll(programFile, old));
    const pid_t child = fork();
    if (child == 0) {
        // The kernel cuts the writer's write short past 150 bytes, as a full disk would.
        const rlimit limit{150, 150};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);
        const uint open = QDir("/proc/self/fd").count();
        const bool saved = enter(DataFile(program, fallback), 120, "张三");
        // One that fails leaves neither its new file nor an open descriptor behind.
        const bool left =
            QFile::exists(programFile + ".new") || QDir("/proc/self/fd").count() != open;
        _exit(saved ? 0 : left ? 2 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(readAll(programFile), old);
    EXPECT_TRUE(enter(DataFile(program, fallback), 120, "张三"));
    EXPECT_EQ(QDir(program).entryList(QDir::Files), QStringList{"Data.dat"});
    const RecordRows saved = DataFile(program).load();
    // Sparse, costing no disk: far more zeros than memory after the table, or no line end at all.
    QFile table(programFile);
    if (table.resize(qint64(1) << 40)) {
        EXPECT_EQ(DataFile(program).load(), saved);
        EXPECT_TRUE(table.resize(0) && table.resize(qint64(1) << 40));
        EXPECT_EQ(DataFile(program).load(), records::defaultRows());
    }
}

QStringList newFiles(const QString& dir) {
    return QDir(dir).entryList({"Data.dat.new*"}, QDir::AllEntries | QDir::System | QDir::Hidden);
}

// Each system call of a record entry in turn fails with an I/O error, or the game dies there:
// the table is then the old one or the new one, whole, and a record reported saved is in it;
// the next save clears what the dead one left. A table that cannot be looked at is never
// written, not even by the first start; and the folder reaches the disk before a save is
// reported (where the system can flush a folder at all), so that a power cut cannot bring the
// old table back.
TEST_F(DataFileStorage, ASaveFailingOrDyingAtAnyCallLosesNoRecordItReportedSaved) {
    const QByteArray old = DataFile::encode(sampleRows(500));
    RecordRows entered = sampleRows(500);
    records::enter(entered, 120, "张三");
    const QByteArray now = DataFile::encode(entered);
    std::vector<std::string> calls;
    ASSERT_TRUE(writeAll(programFile, old));
    syscalls::hook = [&](const char* call) {
        calls.push_back(call);
        return 0;
    };
    EXPECT_TRUE(enter(DataFile(program), 120, "张三"));
    syscalls::hook = nullptr;
    EXPECT_EQ(readAll(programFile), now);
    const auto renamed = std::find(calls.begin(), calls.end(), "renameat");
    EXPECT_NE(std::find(renamed, calls.end(), "fsync"), calls.end());
    for (std::size_t k = 0; k < calls.size(); ++k) {
        for (const bool dies : {false, true}) {
            const std::string at = calls[k] + (dies ? " (dies)" : " (EIO)") + std::to_string(k);
            ASSERT_TRUE(writeAll(programFile, old));
            const pid_t child = fork();
            if (child == 0) {
                std::size_t n = 0;
                syscalls::hook = [&](const char*) {
                    if (n++ == k && dies) _exit(3);
                    return n - 1 == k ? EIO : 0;
                };
                _exit(enter(DataFile(program), 120, "张三") ? 0 : 1);
            }
            int status = -1;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            EXPECT_EQ(code, dies ? 3 : code == 0 ? 0 : 1) << at;
            const QByteArray table = readAll(programFile);
            EXPECT_TRUE(code == 0 ? table == now : table == old || table == now) << at;
            EXPECT_TRUE(enter(DataFile(program), 130, "李四")) << at;
            EXPECT_EQ(newFiles(program), QStringList()) << at;
        }
    }
    // Every look at the table fails, from the start on.
    ASSERT_TRUE(writeAll(programFile, old));
    syscalls::hook = [](const char* call) { return std::string(call) == "fstatat" ? EIO : 0; };
    EXPECT_EQ(DataFile(program).load(), records::defaultRows());
    EXPECT_FALSE(enter(DataFile(program), 120, "张三"));
    EXPECT_EQ(readAll(programFile), old);
    // The new file's name taken by others (planted files): eight names are tried, then the save
    // gives up and says so.
    const auto newFileOpen =
        std::count(calls.begin(), std::find(calls.begin(), calls.end(), "write"), "openat") - 1;
    for (const int taken : {7, 8}) {
        ASSERT_TRUE(writeAll(programFile, old));
        long opened = 0;
        syscalls::hook = [&](const char* call) {
            if (std::string(call) != "openat") return 0;
            const long k = opened++;
            return k >= newFileOpen && k < newFileOpen + taken ? EEXIST : 0;
        };
        EXPECT_EQ(enter(DataFile(program), 120, "张三"), taken < 8) << taken;
        syscalls::hook = nullptr;
        EXPECT_EQ(readAll(programFile), taken < 8 ? now : old) << taken;
    }
    // A folder that the system cannot flush at all is no failure.
    syscalls::hook = [](const char* call) { return std::string(call) == "fsync" ? EINVAL : 0; };
    EXPECT_TRUE(enter(DataFile(program), 120, "张三"));
    syscalls::hook = nullptr;
    EXPECT_EQ(readAll(programFile), now);
}

// In a shared folder with the sticky bit, another user who made the lock's name, and the new
// file's, first puts a new file of hers at the lock while a copy of the game saves: another
// copy saving at that moment still keeps its record, and so does the first.
TEST_F(DataFileStorage, AnotherUserInASharedFolderCannotSwapTheLockOrBlockTheSaves) {
    const QString shared = root.filePath("shared"), lock = shared + "/Data.dat.lock";
    ASSERT_TRUE(QDir().mkpath(shared) && chmod(QFile::encodeName(root.path()), 0755) == 0 &&
                chmod(QFile::encodeName(shared), 01777) == 0);
    ASSERT_TRUE(asAnotherUser(
        [&] { return writeAll(lock, "") && writeAll(shared + "/Data.dat.new", "hers"); }));
    DataFile(shared).load();
    std::optional<bool> second;
    std::thread copy;
    const bool first =
        DataFile(shared)
            .update([&](RecordRows& rows) {
                EXPECT_TRUE(asAnotherUser([&] {
                    return writeAll(shared + "/hers", "") &&
                           rename(QFile::encodeName(shared + "/hers"), QFile::encodeName(lock)) ==
                               0;
                }));
                copy = std::thread([&] { second = enter(DataFile(shared), 200, "乙方"); });
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                return records::enter(rows, 150, "甲方");
            })
            .has_value();
    copy.join();
    EXPECT_TRUE(first && second.value_or(false));
    const RecordRows rows = DataFile(shared).load();
    EXPECT_EQ(rows[0], (ScoreEntry{"乙方    ", 200}));
    EXPECT_EQ(rows[1], (ScoreEntry{"甲方    ", 150}));
    EXPECT_EQ(readAll(shared + "/Data.dat.new"), "hers");
}

// A save carries the table's read and write bits, and only from a table of the player's own;
// one with no write bit at all was made read-only on purpose and is never replaced.
TEST_F(DataFileStorage, ASaveCarriesOnlyTheReadAndWriteBitsOfThePlayersOwnTable) {
    const mode_t umaskBefore = umask(022);
    const QByteArray old = DataFile::encode(sampleRows(500));
    // The table's mode, whether another user owns it, and its mode after a save (0: unsaved).
    const std::tuple<mode_t, bool, mode_t> cases[] = {
        {04777, false, 0666}, {02640, false, 0640}, {0606, false, 0606}, {04777, true, 0644},
        {0660, true, 0644},   {0444, false, 0},     {0400, false, 0},
    };
    for (const auto& [before, others, after] : cases) {
        const QByteArray name = QFile::encodeName(programFile);
        ASSERT_TRUE(QFile::remove(programFile) || !QFile::exists(programFile));
        ASSERT_TRUE(writeAll(programFile, old));
        if (others && (geteuid() != 0 || chown(name, 65534, 65534) != 0)) {
            std::cout << "skipped (not possible for this user): another user's table\n";
            continue;
        }
        ASSERT_EQ(chmod(name, before), 0);
        EXPECT_EQ(enter(DataFile(program), 120, "张三"), after != 0) << std::oct << before;
        struct stat info {};
        ASSERT_EQ(lstat(name, &info), 0);
        EXPECT_EQ(info.st_mode, S_IFREG | (after ? after : before)) << std::oct << before;
        EXPECT_EQ(readAll(programFile) == old, after == 0) << std::oct << before;
    }
    umask(umaskBefore);
}

}  // namespace
