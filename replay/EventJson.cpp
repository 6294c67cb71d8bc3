// Writing a replayed event, the game state and the board as JSON, keys in their fixed order.
#include "EventJson.h"

#include "JsonWriter.h"

namespace {

template <typename T, int Lo, int Hi, typename Write>
void array(JsonWriter& json, const IndexedArray<T, Lo, Hi>& items, Write write) {
    json.beginArray();
    for (int i = Lo; i <= Hi; ++i) write(items[i]);
    json.endArray();
}

template <typename T, int Lo, int Hi>
void numbers(JsonWriter& json, const char* key, const IndexedArray<T, Lo, Hi>& items) {
    json.key(key);
    array(json, items, [&](const T& v) { json.number(v); });
}

void rgb(JsonWriter& json, const char* key, const Rgb& c) {
    json.key(key).beginArray().number(c.r).number(c.g).number(c.b).endArray();
}

void dialog(JsonWriter& json, const ShownDialog& d) {
    json.beginObject();
    if (d.kind == ShownDialog::Kind::Message) {
        json.key("kind").string("message");
        json.key("text").string(d.text);
        json.key("title").string(d.title);
        json.key("code").number(d.code);
        json.key("answer").number(d.answer);
    } else {
        json.key("kind").string("input");
        json.key("prompt").string(d.text);
        json.key("title").string(d.title);
        json.key("answer").string(d.input);
    }
    json.endObject();
}

void writeState(JsonWriter& json, const GameState& s) {
    json.beginObject();
    numbers(json, "handValue", s.handValue);
    numbers(json, "cpuValue", s.cpuValue);
    numbers(json, "tableValue", s.tableValue);
    json.key("picked");
    array(json, s.picked, [&](bool p) { json.boolean(p); });
    numbers(json, "pickValue", s.pickValue);
    numbers(json, "pickSlot", s.pickSlot);
    json.key("canPick").boolean(s.canPick);
    json.key("playerTurn").boolean(s.playerTurn);
    numbers(json, "cpuPick", s.cpuPick);
    json.key("score").number(s.score);
    json.key("records").beginArray();
    for (const ScoreEntry& row : s.records)
        json.beginArray().string(row.name).number(row.points).endArray();
    json.endArray();
    json.endObject();
}

void writeBoard(JsonWriter& json, const Board& b) {
    json.beginObject();
    json.key("Image1");
    array(json, b.Image1, [&](const HandPicture& p) {
        json.beginObject();
        json.key("picture").number(p.picture);
        json.key("top").number(p.top);
        json.key("visible").boolean(p.visible);
        json.endObject();
    });
    json.key("Image2");
    array(json, b.Image2, [&](const CpuPicture& p) {
        json.beginObject();
        json.key("picture").number(p.picture);
        json.key("visible").boolean(p.visible);
        json.endObject();
    });
    json.key("Image3");
    array(json, b.Image3, [&](const Marker& m) {
        json.beginObject();
        json.key("top").number(m.top);
        json.key("visible").boolean(m.visible);
        json.endObject();
    });
    numbers(json, "Image4", b.Image4);
    numbers(json, "Image7", b.Image7);
    json.key("Label1");
    array(json, b.Label1Enabled, [&](bool enabled) { json.boolean(enabled); });
    json.key("Option1").number(b.Option1);
    json.key("music").boolean(b.musicChecked);
    json.key("Shape1");
    array(json, b.Shape1, [&](const ButtonFrame& f) {
        json.beginObject();
        json.key("solid").boolean(f.solid);
        rgb(json, "fill", f.fill);
        rgb(json, "border", f.border);
        json.endObject();
    });
    json.key("Text1").string(b.Text1);
    json.endObject();
}

}  // namespace

std::string eventJson(const EventOutcome& outcome, const Game& game) {
    JsonWriter json;
    json.beginObject();
    json.key("event").string(outcome.event);
    json.key("ignored").boolean(outcome.ignored);
    json.key("dialogs").beginArray();
    for (const ShownDialog& d : outcome.dialogs) dialog(json, d);
    json.endArray();
    json.key("ended").boolean(outcome.ended);
    json.key("state");
    writeState(json, game.state());
    json.key("board");
    writeBoard(json, game.board());
    json.endObject();
    return json.text();
}

std::string stateJson(const GameState& state) {
    JsonWriter json;
    writeState(json, state);
    return json.text();
}

std::string boardJson(const Board& board) {
    JsonWriter json;
    writeBoard(json, board);
    return json.text();
}
