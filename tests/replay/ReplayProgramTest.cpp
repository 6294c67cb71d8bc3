// The tessaro-replay program itself: Data.dat in its directory, its messages and exit statuses.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <tuple>

namespace {

// The exit status, the output lines and standard error of one run.
std::tuple<int, QStringList, QString> replay(const QString& dir, const QByteArray& script) {
    QProcess program;
    program.start(QStringLiteral(TESSARO_REPLAY), {"--dir", dir});
    program.write(script);
    program.closeWriteChannel();
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return {-1, {}, {}};
    return {program.exitCode(),
            QString::fromUtf8(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
            QString::fromUtf8(program.readAllStandardError())};
}

}  // namespace

TEST(ReplayProgram, QuitWritesDataDatInItsDirectoryAndAFaultyLineStopsIt) {
    QTemporaryDir parent;
    const QString dir = QDir(parent.filePath("game")).absolutePath();  // made by the program
    const auto [status, lines, errors] =
        replay(dir, "load\nmenu new\nanswer 6\ninput 张三丰 # kept\nmenu quit\nmenu new\n");
    EXPECT_EQ(status, 3);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].contains(QString::fromUtf8(
        "{\"kind\": \"input\", \"prompt\": \"您的分数超过记录，请输入您的姓名:\", \"title\": "
        "\"Tessaro\", \"answer\": \"张三丰 # kept\"}], \"ended\": true, ")));
    EXPECT_EQ(errors, "tessaro-replay: directory " + dir +
                          "\ntessaro-replay: line 6: the program has already ended; nothing "
                          "can follow: menu new\n");
    QFile file(dir + "/Data.dat");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QStringDecoder("GBK").decode(file.readAll());
    EXPECT_TRUE(text.startsWith(QString::fromUtf8("\"张三丰 # \",100\r\n"))) << text.toStdString();

    const auto [bad, output, message] = replay(dir, "load\n\nhand 12 # far\nmenu new\n");
    EXPECT_EQ(bad, 2);
    EXPECT_EQ(output.size(), 1);
    EXPECT_TRUE(message.endsWith(
        "tessaro-replay: line 3: \"12\" is out of range: hand takes 0 to 9: hand 12 # far\n"))
        << message.toStdString();
}
