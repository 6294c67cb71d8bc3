// The tessaro-replay program itself: its directory, Data.dat there, and its exit statuses.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

struct Result {
    int status = -1;
    QStringList lines;  // standard output
    QString errors;
};

Result replay(const QStringList& arguments, const QByteArray& script) {
    QProcess program;
    program.start(QStringLiteral(TESSARO_REPLAY), arguments);
    Result result;
    if (!program.waitForStarted()) return result;
    program.write(script);
    program.closeWriteChannel();
    if (!program.waitForFinished(30000)) return result;
    result.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    result.lines =
        QString::fromUtf8(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    result.errors = QString::fromUtf8(program.readAllStandardError());
    return result;
}

}  // namespace

TEST(ReplayProgram, QuitWithARecordWritesDataDatInItsDirectory) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString inside = dir.filePath("game");  // made by the program
    const Result r =
        replay({"--dir", inside}, "load\nmenu new\nanswer 6\ninput 张三丰 # kept\nmenu quit\n");
    ASSERT_EQ(r.status, 0) << r.errors.toStdString();
    ASSERT_EQ(r.lines.size(), 3);
    EXPECT_TRUE(r.lines[2].contains("\"ended\": true"));
    EXPECT_TRUE(r.lines[2].contains(QString::fromUtf8(
        "{\"kind\": \"input\", \"prompt\": \"您的分数超过记录，请输入您的姓名:\", \"title\": "
        "\"Tessaro\", \"answer\": \"张三丰 # kept\"}")));
    EXPECT_TRUE(r.errors.contains(QDir(inside).absolutePath())) << r.errors.toStdString();

    QFile file(QDir(inside).filePath("Data.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QStringDecoder("GBK").decode(file.readAll());
    EXPECT_TRUE(text.startsWith(QString::fromUtf8("\"张三丰 # \",100\r\n"))) << text.toStdString();
}

TEST(ReplayProgram, AFaultyLineStopsItWithItsNumber) {
    QTemporaryDir dir;
    const Result bad = replay({"--dir", dir.path()}, "load\n\nhand 12 # too far\nmenu new\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.lines.size(), 1);
    EXPECT_TRUE(bad.errors.contains(
        "tessaro-replay: line 3: \"12\" is out of range: hand takes 0 to 9: hand 12 # too far"))
        << bad.errors.toStdString();

    const Result after = replay({"--dir", dir.path()}, "load\nclose\nload\n");
    EXPECT_EQ(after.status, 3);
    EXPECT_EQ(after.lines.size(), 2);
    EXPECT_TRUE(after.errors.contains("line 3: the program has already ended"));

    EXPECT_EQ(replay({"--directory"}, "").status, 2);
}

TEST(ReplayProgram, WithoutADirectoryItMakesATemporaryOne) {
    const Result r = replay({}, "load\n");
    ASSERT_EQ(r.status, 0);
    const QString prefix = "tessaro-replay: directory ";
    ASSERT_TRUE(r.errors.startsWith(prefix)) << r.errors.toStdString();
    QDir made(r.errors.mid(prefix.size()).trimmed());
    EXPECT_TRUE(made.exists("Data.dat"));
    EXPECT_TRUE(made.path().startsWith(QDir::tempPath()));
    made.removeRecursively();
}
