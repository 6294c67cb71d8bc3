// Data.dat: the exact GBK lines written, what any bytes read back as, and saves on disk.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "DataFile.h"
#include "DataFileInvariants.h"
#include "RecordTable.h"
#include "ScoreEntryPrinter.h"

namespace {

const QByteArray kDefaultLine = "\"\xCE\xDE\xBC\xC7\xC2\xBC   \",0\r\n";  // "无记录   ",0

RecordRows sampleRows(std::int16_t top) {
    RecordRows rows = records::defaultRows();
    rows[0] = {records::fitName("张三"), top};
    rows[9] = {records::fitName("Zoe"), -32768};
    return rows;
}

TEST(DataFileBytes, AreQuotedGbkNamesCommaAndPointsEndingInCrLf) {
    EXPECT_EQ(DataFile::encode(records::defaultRows()), kDefaultLine.repeated(10));
    EXPECT_EQ(
        DataFile::encode(sampleRows(-20)),
        "\"\xD5\xC5\xC8\xFD    \",-20\r\n" + kDefaultLine.repeated(8) + "\"Zoe   \",-32768\r\n");
}

TEST(DataFileBytes, NamesRoundTripWithAllSixCharacters) {
    RecordRows rows;
    const char* names[] = {"无记录", "张三丰abcdef", "Li",  "",       "  lead",
                           "tail  ", "é·ü€ab",       "a,b", "１２３", "欧阳Sophie"};
    for (std::size_t k = 0; k < rows.size(); ++k)
        rows[k] = {records::fitName(names[k]), static_cast<std::int16_t>(100 - 37 * int(k))};
    EXPECT_EQ(DataFile::decode(DataFile::encode(rows)), rows);
}

TEST(DataFileBytes, QuotesAndCharactersOutsideGbkAreReplaced) {
    RecordRows rows = records::defaultRows();
    rows[0].name = "a\"b\"  ";  // a quote would end the name early
    rows[1].name = "한😀ℵx  ";
    const QByteArray bytes = DataFile::encode(rows);
    EXPECT_TRUE(
        bytes.startsWith("\"a\xA3\xA2"
                         "b\xA3\xA2  \",0\r\n"));
    EXPECT_EQ(DataFile::decode(bytes)[0].name, "a＂b＂  ");
    EXPECT_EQ(DataFile::decode(bytes)[1].name, "???x  ");
}

// A line that cannot be read leaves its row at the default and the next line still counts.
TEST(DataFileReading, EachLineIsReadOnItsOwn) {
    const ScoreEntry unread = records::defaultRow();
    const std::pair<const char*, ScoreEntry> cases[] = {
        {"", unread},
        {"no quotes,5", unread},
        {"\"one quote,5", unread},
        {"\"no comma\"55", unread},
        {"\"no number\",", unread},
        {"\"fraction\",1.5", unread},
        {"\"letters\",12x", unread},
        {"\"a\",32768", {"a     ", 32767}},
        {"\"b\",-32769", {"b     ", -32768}},
        {"\"c\",99999999999999999999999999", {"c     ", 32767}},
        {"\"\x81 ab\",1", {"? ab  ", 1}},  // a lead byte with a trail byte GBK lacks
        {"\"ab\x81\",2", {"ab?   ", 2}},   // a lead byte cut off by the closing quote
        {"\"\xD5\xC5\x80\",3", {"张€    ", 3}},
        {"\"a,b\" , 4 ", {"a,b   ", 4}},
        {"\"\",5", {"      ", 5}},
        {"\"toolongname\",6", {"toolon", 6}},
    };
    for (const auto& [line, row] : cases) {
        const RecordRows rows = DataFile::decode(QByteArray(line) + "\r\n\"next\",1");
        EXPECT_EQ(rows[0], row) << line;
        EXPECT_EQ(rows[1], (ScoreEntry{"next  ", 1})) << line;
    }
}

TEST(DataFileReading, MissingLinesAndEmptyFilesGiveDefaultRows) {
    EXPECT_EQ(DataFile::decode({}), records::defaultRows());
    RecordRows expected = records::defaultRows();
    expected[0] = {"a     ", 3};
    expected[1] = {"b     ", 2};
    EXPECT_EQ(DataFile::decode("\"a\",3\n\"b\",2\n"), expected);
}

// The fuzzing seeds, binary noise among them, replayed in every build.
TEST(DataFileReading, EveryCorpusFileGivesTenRowsThatSaveUnchanged) {
    const QDir corpus(TESSARO_DATAFILE_CORPUS);
    ASSERT_GE(corpus.entryList(QDir::Files).size(), 5);
    for (const QString& name : corpus.entryList(QDir::Files)) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(datafile_invariants::decodeFault(bytes), "") << name.toStdString();
        EXPECT_EQ(datafile_invariants::encodeFault(bytes), "") << name.toStdString();
    }
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A scratch area with the program's directory and the fallback directory inside it.
class DataFileStorage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(root.path()).mkpath("bin"));
        writeAll(root.filePath("file"), "x");  // no directory below it can ever be made
    }

    QTemporaryDir root;
    const QString program = root.filePath("bin");
    const QString programFile = root.filePath("bin/Data.dat");
    const QString fallback = root.filePath("home/Tessaro");
    const QString fallbackFile = root.filePath("home/Tessaro/Data.dat");
};

TEST_F(DataFileStorage, FirstLoadCreatesTheDefaultFileAndTheNextRunReadsWhatWasSaved) {
    DataFile file(program, fallback);
    EXPECT_EQ(file.load(), records::defaultRows());
    EXPECT_EQ(readAll(programFile), kDefaultLine.repeated(10));
    ASSERT_TRUE(file.save(sampleRows(120)));
    EXPECT_EQ(DataFile(program, fallback).load(), sampleRows(120));
    EXPECT_FALSE(QFile::exists(fallbackFile));
}

TEST_F(DataFileStorage, HugeFilesAreReadOnlyAsFarAsTheirFirstBytes) {
    writeAll(programFile, DataFile::encode(sampleRows(7)));
    QFile file(programFile);
    // Sparse: far more zeros than memory after the table, costing no disk. A loader that read
    // the whole file would run out of memory.
    if (!file.resize(qint64(1) << 40)) GTEST_SKIP() << "no sparse 1 TiB file on this filesystem";
    EXPECT_EQ(DataFile(program, fallback).load(), sampleRows(7));
}

TEST_F(DataFileStorage, ReadOnlyDirectorySavesToTheFallbackOrReportsFailure) {
    QString readOnly = root.filePath("ro");
    ASSERT_TRUE(QDir().mkpath(readOnly));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
    if (QFile(readOnly + "/probe").open(QIODevice::WriteOnly)) {
        // Permissions do not stop root; a directory below a regular file stops anyone.
        readOnly = root.filePath("file/bin");
    }
    DataFile file(readOnly, fallback);
    EXPECT_EQ(file.load(), records::defaultRows());
    ASSERT_TRUE(file.save(sampleRows(60)));
    EXPECT_EQ(file.path(), fallbackFile);
    EXPECT_EQ(DataFile(readOnly, fallback).load(), sampleRows(60));
    EXPECT_FALSE(DataFile(readOnly, root.filePath("file/home")).save(sampleRows(60)));
}

TEST_F(DataFileStorage, CrashOrFullDiskDuringSaveLeavesTheOldFileWhole) {
    const QByteArray old = DataFile::encode(sampleRows(30));
    for (const bool crash : {true, false}) {
        writeAll(programFile, old);
        const pid_t child = fork();
        if (child == 0) {
            // Past 40 bytes the kernel stops the writer, as a power cut or a full disk would.
            const rlimit noCore{0, 0}, limit{40, 40};
            setrlimit(RLIMIT_CORE, &noCore);
            setrlimit(RLIMIT_FSIZE, &limit);
            if (!crash) signal(SIGXFSZ, SIG_IGN);
            _exit(DataFile(program, fallback).save(sampleRows(99)) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(crash ? WIFSIGNALED(status) : WIFEXITED(status) && WEXITSTATUS(status) == 1)
            << status;  // a save that ran out of room says so
        EXPECT_EQ(readAll(programFile), old);
    }
    EXPECT_EQ(QDir(program).entryList(QDir::Files), QStringList{"Data.dat"});
    EXPECT_FALSE(QFile::exists(fallbackFile));
}

}  // namespace
