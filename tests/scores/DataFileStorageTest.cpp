// Data.dat on disk: creation, where it lives, malformed and huge files, failed and crashed saves.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "DataFile.h"
#include "RecordTable.h"
#include "ScoreEntryPrinter.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void setAge(const QString& path, int secondsAgo) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                                 QFileDevice::FileModificationTime));
}

RecordRows sampleRows(std::int16_t top) {
    RecordRows rows = records::defaultRows();
    rows[0] = {records::fitName("张三丰"), top};
    rows[1] = {records::fitName("Li Lei"), 20};
    return rows;
}

// A scratch area with the program's directory and the fallback directory inside it.
class DataFileStorage : public ::testing::Test {
protected:
    QString program() const { return root.filePath("bin"); }
    QString fallback() const { return root.filePath("home/data/Tessaro"); }
    QString programFile() const { return root.filePath("bin/Data.dat"); }
    QString fallbackFile() const { return root.filePath("home/data/Tessaro/Data.dat"); }
    // A directory nobody can write into, not even root: it lies below a regular file.
    QString unwritable() const { return root.filePath("not-a-dir/bin"); }

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath("bin"));
        writeAll(root.filePath("not-a-dir"), "x");
    }

    QTemporaryDir root;
};

TEST_F(DataFileStorage, FirstLoadCreatesTheDefaultFileBesideTheProgram) {
    DataFile file(program(), fallback());
    EXPECT_EQ(file.load(), records::defaultRows());
    EXPECT_EQ(file.path(), programFile());
    EXPECT_EQ(readAll(programFile()), DataFile::encode(records::defaultRows()));
    EXPECT_FALSE(QFile::exists(fallbackFile()));
}

TEST_F(DataFileStorage, SavedTableIsReadBackByTheNextRun) {
    ASSERT_TRUE(DataFile(program(), fallback()).save(sampleRows(120)));
    EXPECT_EQ(readAll(programFile()), DataFile::encode(sampleRows(120)));
    DataFile next(program(), fallback());
    EXPECT_EQ(next.load(), sampleRows(120));
    ASSERT_TRUE(next.save(sampleRows(140)));
    EXPECT_EQ(DataFile(program(), fallback()).load(), sampleRows(140));
}

TEST_F(DataFileStorage, MalformedFileLoadsUntouchedAndTheNextSaveIsWellFormed) {
    const QByteArray malformed = "\"Wang\",12\r\ngarbage\xFF\x81\r\n\"x\",1.5\r\n\"Zhao\",99999";
    writeAll(programFile(), malformed);
    DataFile file(program(), fallback());
    const RecordRows rows = file.load();
    EXPECT_EQ(rows[0], (ScoreEntry{"Wang  ", 12}));
    EXPECT_EQ(rows[1], records::defaultRow());
    EXPECT_EQ(rows[3], (ScoreEntry{"Zhao  ", 32767}));
    EXPECT_EQ(readAll(programFile()), malformed);  // loading never rewrites
    ASSERT_TRUE(file.save(rows));
    EXPECT_EQ(readAll(programFile()), DataFile::encode(rows));
    EXPECT_EQ(DataFile(program(), fallback()).load(), rows);
}

TEST_F(DataFileStorage, HugeFilesAreReadOnlyAsFarAsTheirFirstBytes) {
    writeAll(programFile(), DataFile::encode(sampleRows(7)));
    {
        // Sparse: a gibibyte of zeros after the table costs no disk.
        QFile file(programFile());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(qint64(1) << 30));
    }
    EXPECT_EQ(DataFile(program(), fallback()).load(), sampleRows(7));

    writeAll(programFile(), "\"" + QByteArray(DataFile::kMaxReadBytes * 4, 'a') + "\",5\r\n");
    EXPECT_EQ(DataFile(program(), fallback()).load(), records::defaultRows());
}

TEST_F(DataFileStorage, UnwritableProgramDirectoryMovesTheTableToTheFallback) {
    DataFile first(unwritable(), fallback());
    EXPECT_EQ(first.load(), records::defaultRows());
    EXPECT_EQ(first.path(), fallbackFile());  // its directory was created on the way
    EXPECT_EQ(readAll(fallbackFile()), DataFile::encode(records::defaultRows()));

    DataFile second(unwritable(), fallback());
    EXPECT_EQ(second.load(), records::defaultRows());
    ASSERT_TRUE(second.save(sampleRows(60)));
    EXPECT_EQ(second.path(), fallbackFile());
    EXPECT_EQ(DataFile(unwritable(), fallback()).load(), sampleRows(60));
}

TEST_F(DataFileStorage, ReadOnlyProgramDirectoryKeepsItsFileAndSavesToTheFallback) {
    writeAll(programFile(), DataFile::encode(sampleRows(30)));
    ASSERT_TRUE(QFile::setPermissions(program(), QFile::ReadOwner | QFile::ExeOwner));
    const bool ignored = QFile(program() + "/probe").open(QIODevice::WriteOnly);
    QFile::remove(program() + "/probe");
    if (ignored) {
        QFile::setPermissions(program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "permissions do not stop this user (root); the directory below a file "
                        "covers the fallback";
    }
    DataFile file(program(), fallback());
    EXPECT_EQ(file.load(), sampleRows(30));
    ASSERT_TRUE(file.save(sampleRows(90)));
    EXPECT_EQ(file.path(), fallbackFile());
    EXPECT_EQ(readAll(programFile()), DataFile::encode(sampleRows(30)));
    EXPECT_EQ(DataFile(program(), fallback()).load(), sampleRows(90));
    QFile::setPermissions(program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(DataFileStorage, TheNewerOfTwoCopiesIsRead) {
    ASSERT_TRUE(QDir().mkpath(fallback()));
    writeAll(programFile(), DataFile::encode(sampleRows(10)));
    writeAll(fallbackFile(), DataFile::encode(sampleRows(20)));
    setAge(programFile(), 7200);
    setAge(fallbackFile(), 3600);
    DataFile file(program(), fallback());
    EXPECT_EQ(file.load(), sampleRows(20));
    EXPECT_EQ(file.path(), fallbackFile());

    // The directory is writable again: the table goes home and is read from there from now on.
    ASSERT_TRUE(file.save(sampleRows(30)));
    EXPECT_EQ(file.path(), programFile());
    EXPECT_EQ(DataFile(program(), fallback()).load(), sampleRows(30));
    EXPECT_EQ(readAll(fallbackFile()), DataFile::encode(sampleRows(20)));  // never deleted

    setAge(programFile(), 7200);
    EXPECT_EQ(DataFile(program(), fallback()).load(), sampleRows(20));
}

TEST_F(DataFileStorage, ADirectoryNamedDataDatIsNoTable) {
    ASSERT_TRUE(QDir(program()).mkdir("Data.dat"));
    DataFile file(program(), fallback());
    EXPECT_EQ(file.load(), records::defaultRows());
    EXPECT_EQ(file.path(), fallbackFile());
    EXPECT_TRUE(QFileInfo(programFile()).isDir());
}

TEST_F(DataFileStorage, SaveReportsWhenTheTableCannotBeWrittenAnywhere) {
    DataFile file(unwritable(), root.filePath("not-a-dir/data"));
    EXPECT_EQ(file.load(), records::defaultRows());
    EXPECT_FALSE(file.save(sampleRows(50)));
}

// Runs body in a child process that may write at most fileLimit bytes to any one file; returns
// the child's wait status.
int inChildWithFileLimit(rlim_t fileLimit, bool killOnLimit, const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        if (!killOnLimit) signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileLimit, fileLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

TEST_F(DataFileStorage, CrashDuringSaveLeavesTheOldFileWhole) {
    const QByteArray old = DataFile::encode(sampleRows(30));
    writeAll(programFile(), old);
    // Past 40 bytes the kernel kills the writer, as a power cut would stop it mid-file.
    const int status = inChildWithFileLimit(
        40, true, [&] { return DataFile(program(), fallback()).save(sampleRows(99)) ? 0 : 1; });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(readAll(programFile()), old);
    EXPECT_EQ(DataFile(program(), fallback()).load(), sampleRows(30));
}

TEST_F(DataFileStorage, FullDiskDuringSaveFailsAndLeavesTheOldFileWhole) {
    const QByteArray old = DataFile::encode(sampleRows(30));
    writeAll(programFile(), old);
    const int status = inChildWithFileLimit(
        40, false, [&] { return DataFile(program(), fallback()).save(sampleRows(99)) ? 0 : 1; });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);  // save() said so
    EXPECT_EQ(readAll(programFile()), old);
    EXPECT_FALSE(QFile::exists(fallbackFile()));
    EXPECT_EQ(QDir(program()).entryList(QDir::Files), QStringList{"Data.dat"});
    EXPECT_EQ(DataFile(program(), fallback()).load(), sampleRows(30));
}

}  // namespace
