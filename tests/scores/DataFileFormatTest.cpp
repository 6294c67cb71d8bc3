// Data.dat's bytes: the exact GBK lines written, and what any bytes at all read back as.
#include <gtest/gtest.h>

#include <QList>

#include "DataFile.h"
#include "RecordTable.h"
#include "ScoreEntryPrinter.h"

namespace {

const QByteArray kDefaultLine = "\"\xCE\xDE\xBC\xC7\xC2\xBC   \",0\r\n";  // "无记录   ",0

QByteArray lines(std::initializer_list<const char*> texts) {
    QByteArray bytes;
    for (const char* text : texts) bytes += QByteArray(text) + "\r\n";
    return bytes;
}

TEST(DataFileBytes, DefaultTableIsTenGbkLines) {
    EXPECT_EQ(DataFile::encode(records::defaultRows()), kDefaultLine.repeated(10));
}

TEST(DataFileBytes, RowsAreWrittenAsQuotedGbkNameCommaAndPoints) {
    RecordRows rows = records::defaultRows();
    rows[0] = {records::fitName("张三"), -20};
    rows[1] = {records::fitName("Zoe"), 32767};
    rows[9] = {records::fitName("张三丰"), -32768};
    const QByteArray bytes = DataFile::encode(rows);
    EXPECT_EQ(bytes,
              "\"\xD5\xC5\xC8\xFD    \",-20\r\n"
              "\"Zoe   \",32767\r\n" +
                  kDefaultLine.repeated(7) + "\"\xD5\xC5\xC8\xFD\xB7\xE1   \",-32768\r\n");
}

TEST(DataFileBytes, NamesRoundTripWithAllSixCharacters) {
    RecordRows rows;
    const char* names[] = {"无记录", "张三丰abcdef", "Li",  "",       "  lead",
                           "tail  ", "é·ü€ab",       "a,b", "１２３", "欧阳Sophie"};
    for (std::size_t k = 0; k < rows.size(); ++k)
        rows[k] = {records::fitName(names[k]), static_cast<std::int16_t>(100 - 37 * int(k))};
    EXPECT_EQ(DataFile::decode(DataFile::encode(rows)), rows);
    EXPECT_EQ(DataFile::decode(DataFile::encode(rows))[1].name, "张三丰abc");
}

TEST(DataFileBytes, CharactersTheFileCannotHoldAreReplaced) {
    RecordRows rows = records::defaultRows();
    rows[0].name = "a\"b\"  ";   // a quote would end the name early
    rows[1].name = "한😀ℵx  ";    // not in GBK
    rows[2].name = "a\r\nb\tc";  // a line break would end the row
    rows[3].name = "Sophie Li";  // longer than six
    rows[4].name = "bad\xFF";    // not UTF-8
    const RecordRows read = DataFile::decode(DataFile::encode(rows));
    EXPECT_EQ(read[0].name, "a＂b＂  ");
    EXPECT_EQ(read[1].name, "???x  ");
    EXPECT_EQ(read[2].name, "a  b c");
    EXPECT_EQ(read[3].name, "Sophie");
    EXPECT_EQ(read[4].name, "bad?  ");
    EXPECT_TRUE(
        DataFile::encode(rows).startsWith("\"a\xA3\xA2"
                                          "b\xA3\xA2  \",0\r\n"));
}

TEST(DataFileReading, IsLenientAboutLayoutButNotAboutContent) {
    const RecordRows rows = DataFile::decode(
        "\xEF\xBB\xBF\"bom\",1\n"  // text before the first quote is ignored; LF alone ends a line
        "\"spaced\" , 42 \r\n"
        "\"plus\",+7\r\n"
        "\"a,b\",3\r\n"
        "\"\",4\r\n"
        "\"toolongname\",5\r\n"
        "\"a\rb\",6\r\n"
        "\"0007\",0007\r\n"
        "\"last\",-9");  // no line end after the last line
    EXPECT_EQ(rows[0], (ScoreEntry{"bom   ", 1}));
    EXPECT_EQ(rows[1], (ScoreEntry{"spaced", 42}));
    EXPECT_EQ(rows[2], (ScoreEntry{"plus  ", 7}));
    EXPECT_EQ(rows[3], (ScoreEntry{"a,b   ", 3}));
    EXPECT_EQ(rows[4], (ScoreEntry{"      ", 4}));
    EXPECT_EQ(rows[5], (ScoreEntry{"toolon", 5}));
    EXPECT_EQ(rows[6], (ScoreEntry{"a b   ", 6}));
    EXPECT_EQ(rows[7], (ScoreEntry{"0007  ", 7}));
    EXPECT_EQ(rows[8], (ScoreEntry{"last  ", -9}));
    EXPECT_EQ(rows[9], records::defaultRow());
}

TEST(DataFileReading, RowsThatCannotBeReadBecomeDefaultRowsInPlace) {
    const RecordRows rows = DataFile::decode(lines({
        "\"ok0\",10",
        "no quotes,5",
        "\"one quote,5",
        "\"no comma\"5",
        "\"no number\",",
        "\"fraction\",1.5",
        "\"letters\",12x",
        "",
        "\"ok8\",80",
        "\"sign only\",-",
        "\"eleventh\",11",
    }));
    EXPECT_EQ(rows[0], (ScoreEntry{"ok0   ", 10}));
    for (std::size_t k = 1; k <= 7; ++k) EXPECT_EQ(rows[k], records::defaultRow()) << k;
    EXPECT_EQ(rows[8], (ScoreEntry{"ok8   ", 80}));
    EXPECT_EQ(rows[9], records::defaultRow());
}

TEST(DataFileReading, MissingLinesAndEmptyFilesGiveDefaultRows) {
    EXPECT_EQ(DataFile::decode({}), records::defaultRows());
    EXPECT_EQ(DataFile::decode("\r\n"), records::defaultRows());
    const RecordRows three = DataFile::decode(lines({"\"a\",3", "\"b\",2", "\"c\",1"}));
    EXPECT_EQ(three[2], (ScoreEntry{"c     ", 1}));
    for (std::size_t k = 3; k < 10; ++k) EXPECT_EQ(three[k], records::defaultRow());
}

TEST(DataFileReading, NumbersOutsideSixteenBitsAreClamped) {
    const RecordRows rows = DataFile::decode(lines({
        "\"a\",32768",
        "\"b\",-32769",
        "\"c\",99999999999999999999999999",
        "\"d\",-99999999999999999999999999",
        "\"e\",32767",
    }));
    EXPECT_EQ(rows[0].points, 32767);
    EXPECT_EQ(rows[1].points, -32768);
    EXPECT_EQ(rows[2].points, 32767);
    EXPECT_EQ(rows[3].points, -32768);
    EXPECT_EQ(rows[4].points, 32767);
}

TEST(DataFileReading, InvalidGbkBytesBecomeQuestionMarks) {
    const RecordRows rows = DataFile::decode(lines({
        "\"\x81\x30"
        "ab\",1",              // a lead byte with a trail byte GBK does not have
        "\"ab\x81\",2",        // a lead byte cut off by the closing quote
        "\"\xD5\xC5\x80\",3",  // 张 and the euro sign of code page 936
    }));
    EXPECT_EQ(rows[0], (ScoreEntry{"?0ab  ", 1}));
    EXPECT_EQ(rows[1], (ScoreEntry{"ab?   ", 2}));
    EXPECT_EQ(rows[2], (ScoreEntry{"张€    ", 3}));
}

TEST(DataFileReading, BinaryBytesGiveTenSixCharacterRows) {
    QByteArray noise;
    for (int k = 0; k < 4096; ++k) noise += static_cast<char>((k * 131 + k / 7) & 0xFF);
    noise.replace('\n', '"');
    QByteArray withLines = noise;
    for (qsizetype k = 40; k < withLines.size(); k += 97) withLines[k] = '\n';
    for (const QByteArray& bytes : {noise, withLines, QByteArray(1 << 20, '\0')}) {
        const RecordRows rows = DataFile::decode(bytes);
        for (const ScoreEntry& row : rows)
            EXPECT_EQ(QString::fromStdString(row.name).toUcs4().size(), 6) << row.name;
        EXPECT_EQ(DataFile::decode(DataFile::encode(rows)), rows);
    }
}

}  // namespace
