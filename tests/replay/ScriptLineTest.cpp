// Reading replay script lines, and the JSON writer under the output: what is taken, what refused.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "JsonWriter.h"
#include "ScriptLine.h"

namespace {

std::string refusal(std::string_view line) {
    try {
        readScriptLine(line);
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.kind(), ScriptError::Kind::BadLine);
        return e.what();
    }
    return "(taken)";
}

}  // namespace

TEST(ScriptLine, CommentsAndBlanksAreNotPartOfTheEvent) {
    const ScriptLine line = readScriptLine("  \tmove   Label1 2   # lights draw\r");
    EXPECT_EQ(line.command, Command::MoveLabel1);
    EXPECT_EQ(line.index, 2);
    EXPECT_EQ(line.text, "move   Label1 2");
    EXPECT_TRUE(line.isEvent());
    for (const char* blank : {"", "   ", "# a comment", "\r", "\t# x"})
        EXPECT_EQ(readScriptLine(blank).command, Command::Blank) << blank;
}

TEST(ScriptLine, InputTakesTheRestOfTheLineAsWritten) {
    EXPECT_EQ(readScriptLine("input 张三 #1 ").input, "张三 #1 ");
    EXPECT_EQ(readScriptLine("  input  x").input, " x");
    EXPECT_EQ(readScriptLine("input").input, "");
    EXPECT_EQ(readScriptLine("input \r").input, "");
    EXPECT_FALSE(readScriptLine("input x").isEvent());
    EXPECT_EQ(refusal("inputs x"), "unknown word \"inputs\"");
}

TEST(ScriptLine, SettingsQueueTheirNumbers) {
    EXPECT_EQ(readScriptLine("seed 4294967295").seed, 4294967295u);
    EXPECT_EQ(readScriptLine("rand 0 0.5 1e-3").randoms, (std::vector<double>{0, 0.5, 0.001}));
    EXPECT_EQ(readScriptLine("answer 6 7 6").answers, (std::vector<int>{6, 7, 6}));
    EXPECT_EQ(readScriptLine("key 65535").index, 65535);
    EXPECT_EQ(readScriptLine("menu about").menu, "about");
}

TEST(ScriptLine, EveryBadLineIsRefusedWithItsReason) {
    EXPECT_EQ(refusal("deal"), "unknown word \"deal\"");
    EXPECT_EQ(refusal("hand 10"), "\"10\" is out of range: hand takes 0 to 9");
    EXPECT_EQ(refusal("hand -1"), "\"-1\" is out of range: hand takes 0 to 9");
    EXPECT_EQ(refusal("label 3"), "\"3\" is out of range: label takes 0 to 2");
    EXPECT_EQ(refusal("option 4"), "\"4\" is out of range: option takes 0 to 3");
    EXPECT_EQ(refusal("key 65536"), "\"65536\" is out of range: key takes 0 to 65535");
    EXPECT_EQ(refusal("move Image5 2"), "\"2\" is out of range: Image5 takes 0 to 1");
    EXPECT_EQ(refusal("move Image1 99999999999999999999"),
              "\"99999999999999999999\" is out of range: Image1 takes 0 to 9");
    EXPECT_EQ(refusal("seed -1"), "\"-1\" is out of range: seed takes 0 to 4294967295");
    EXPECT_EQ(refusal("hand x"), "\"x\" is not a whole number");
    EXPECT_EQ(refusal("hand 1.0"), "\"1.0\" is not a whole number");
    EXPECT_EQ(refusal("hand"), "expected \"hand K\"");
    EXPECT_EQ(refusal("hand 1 2"), "expected \"hand K\"");
    EXPECT_EQ(refusal("load now"), "expected \"load\"");
    EXPECT_EQ(refusal("menu open"),
              "no menu item \"open\": expected \"menu new|music|gao|quit|help|about\"");
    EXPECT_EQ(refusal("move Frame2 1"), "expected \"move Frame2\"");
    EXPECT_EQ(refusal("move Image3 1"),
              "the pointer moves over Label1, Frame2, Image1 or Image5, not \"Image3\"");
    EXPECT_EQ(refusal("rand"), "expected \"rand R R ...\" with at least one number");
    EXPECT_EQ(refusal("rand 0.5 1"), "\"1\" is out of range: rand takes [0, 1)");
    EXPECT_EQ(refusal("rand nan"), "\"nan\" is out of range: rand takes [0, 1)");
    EXPECT_EQ(refusal("rand 0,5"), "\"0,5\" is not a number");
    EXPECT_EQ(refusal("answer 1"), "\"1\" is no answer: 6 is Yes, 7 is No");
    EXPECT_EQ(refusal("Load"), "unknown word \"Load\"");
}

TEST(JsonWriter, KeepsKeysInOrderAndEveryStringValid) {
    JsonWriter json;
    json.beginObject();
    json.key("z").string("a\"b\\c\r\n\t\x01 张");
    json.key("a").beginArray().number(-3).boolean(true).beginArray().endArray().endArray();
    json.key("bad").string("x\xff\xc3(\xed\xa0\x80y");  // stray, cut and surrogate bytes
    json.key("empty").beginObject().endObject();
    json.endObject();
    EXPECT_EQ(json.text(),
              "{\"z\": \"a\\\"b\\\\c\\r\\n\\t\\u0001 张\", \"a\": [-3, true, []], "
              "\"bad\": \"x\xEF\xBF\xBD\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDy\", "
              "\"empty\": {}}");

    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.text()), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(doc.object()["z"].toString(), QString::fromUtf8("a\"b\\c\r\n\t\x01 张"));
}
