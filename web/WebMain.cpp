// The page's entry points: the layout and texts it builds the board from, and one event at a
// time into the engine, answered with the board as it then stands.
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "CardNames.h"
#include "Deliver.h"
#include "EventForms.h"
#include "EventJson.h"
#include "Game.h"
#include "JsonWriter.h"
#include "Layout.h"
#include "Menus.h"
#include "ScriptLine.h"
#include "Texts.h"
#include "Translation.h"
#include "WebHost.h"
#include "WebRecords.h"
#include "WebTexts.h"

// clang-format off
EM_JS(char*, pageTranslate, (const char* source), {
    const words = Module.page.t(UTF8ToString(source));
    const size = lengthBytesUTF8(words) + 1;
    const out = _malloc(size);
    stringToUTF8(words, out, size);
    return out;
});
// clang-format on

namespace {

// The texts the engine composes (the records list, card names, boxes) in the page's language.
std::string translate(const char* source) {
    char* words = pageTranslate(webtext::pageSource(source));
    std::string out = webtext::isolateNames(source, words);
    std::free(words);
    return out;
}
[[maybe_unused]] const bool translated = (text::setTranslator(translate), true);

struct Program {
    explicit Program(std::optional<std::uint32_t> seed) : host(seed), game(host, records, music) {}
    WebHost host;
    WebRecords records;
    WebMusic music;
    Game game;
    std::string fault;  // the replay script of a game stopped by a fault
    std::string told;   // what the last event tells a screen reader's user, if anything
};

std::unique_ptr<Program> program;
std::string answer;  // what the last entry point returned: valid until the next call

void strings(JsonWriter& json, const char* key, const char* const* items, int count) {
    json.key(key).beginArray();
    for (int i = 0; i < count; ++i) json.string(items[i]);
    json.endArray();
}

std::string layoutJson() {
    JsonWriter json;
    json.beginObject();
    json.key("width").number(layout::toPixels(layout::kClientWidth));
    json.key("height").number(layout::toPixels(layout::kClientHeight));
    json.key("twipsPerPixel").number(layout::kTwipsPerPixel);
    json.key("handRaisedTop").number(layout::kHandRaisedTop);
    json.key("backPicture").number(card::kBack);
    json.key("controls").beginArray();
    for (const layout::Row& row : layout::kControls) {
        for (int i = row.first; i <= row.last; ++i) {
            const Twips t = layout::place(row.control, i);
            json.beginObject()
                .key("control")
                .string(eventform::kControls[static_cast<int>(row.control)].control)
                .key("index")
                .number(i)
                .key("inFrame2")
                .boolean(row.inFrame2);
            json.key("left").number(layout::toPixels(t.left));
            json.key("top").number(layout::toPixels(t.top));
            json.key("width").number(layout::toPixels(t.width));
            json.key("height").number(layout::toPixels(t.height)).endObject();
        }
    }
    json.endArray();
    json.key("menus").beginArray();
    for (const Menu& menu : menus::kMenus) {
        json.beginObject().key("name").string(menu.name).key("caption").string(menu.caption);
        json.key("items").beginArray();
        for (const MenuItem& item : menu.items) {
            json.beginObject().key("name").string(item.name);
            if (item.caption) json.key("caption").string(item.caption);
            json.key("shortcut").string(webtext::shortcutOf(item.name));
            json.key("checkable").boolean(item.checkable).endObject();
        }
        json.endArray().endObject();
    }
    json.endArray();
    // The page composes every event it sends from these forms.
    json.key("events").beginObject();
    for (const eventform::ControlForms& forms : eventform::kControls) {
        json.key(forms.control).beginObject();
        if (forms.move) json.key("move").string(forms.move);
        if (forms.click) json.key("click").string(forms.click);
        json.endObject();
    }
    json.key("menu").string(eventform::kMenu).key("key").string(eventform::kKey);
    json.key("highestKey").number(eventform::kHighestKey).endObject();
    json.key("caption").string(text::kCaption);
    strings(json, "labels", text::kLabel1, 3);
    strings(json, "labelTips", text::kLabel1Tip, 3);
    strings(json, "options", text::kOption1, 4);
    strings(json, "optionNames", text::kOption1Names, 4);
    strings(json, "tableNames", text::kImage4Names, 2);
    strings(json, "selectionNames", text::kImage7Names, 2);
    json.key("pickedName").string(text::kPickedName);
    json.key("cardNames").beginArray();
    for (int picture = 0; picture <= card::kPictures; ++picture) json.string(names::card(picture));
    json.endArray();
    json.key("texts").beginObject();
    for (const auto& [key, value] : webtext::kPageTexts) json.key(key).string(value);
    json.key("fault").string(text::kFault);
    json.key("appTitle").string(text::kAppTitle);
    json.endObject();
    json.key("boxes").beginObject();
    json.key("yesNoQuestion").number(box::kYesNoQuestion);
    json.key("yesNoInformation").number(box::kYesNoInformation);
    json.key("okInformation").number(box::kOkInformation);
    json.key("answers").beginArray().number(box::kAnswerOk).number(box::kAnswerYes);
    json.number(box::kAnswerNo).endArray().endObject();
    json.key("buttons").beginObject();
    for (const auto& [key, value] : webtext::kButtons) json.key(key).string(value);
    json.endObject();
    json.endObject();
    return json.text();
}

std::string viewJson() {
    const Board& b = program->game.board();
    JsonWriter frame, told;
    told.string(program->told);
    frame.beginArray().number(b.Frame2Back.r).number(b.Frame2Back.g).number(b.Frame2Back.b);
    frame.endArray();
    return "{\"ended\": " + std::string(program->host.ended() ? "true" : "false") +
           ", \"fault\": " + (program->fault.empty() ? "false" : "true") +
           ", \"frame2\": " + frame.text() + ", \"told\": " + told.text() +
           ", \"state\": " + stateJson(program->game.state()) + ", \"board\": " + boardJson(b) +
           "}";
}

// The computer's cards in hand.
int cardsHeld() {
    int n = 0;
    while (n < kHandSlots && program->game.state().cpuValue[n] != 0) ++n;
    return n;
}

// Runs one event; a fault in the rules stops the game and keeps its script for the player.
template <typename Handler>
const char* run(const std::string& line, Handler&& handler) {
    if (!program || program->host.ended() || !program->fault.empty()) return "";
    try {
        handler();
        program->host.script().event(line);
    } catch (const std::exception& e) {
        program->fault = "# " + std::string(text::kFault) + " " + e.what() + "\n" +
                         program->host.script().text() + line + "  # the fault\n";
    }
    answer = viewJson();
    return answer.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* tessaro_layout() {
    answer = layoutJson();
    return answer.c_str();
}

// A seed outside 0 .. 2^32 - 1 (the page passes -1 for none) takes chance from the time of day.
EMSCRIPTEN_KEEPALIVE const char* tessaro_start(double seed) {
    std::optional<std::uint32_t> chosen;
    if (seed >= 0 && seed <= 4294967295.0) chosen = static_cast<std::uint32_t>(seed);
    program = std::make_unique<Program>(chosen);
    program->host.view = viewJson;
    if (chosen) program->host.script().event("seed " + std::to_string(*chosen));
    return run("load", [] { program->game.load(); });
}

// One window event as a line of a replay script ("hand 3", "menu new", "key 122", ...).
EMSCRIPTEN_KEEPALIVE const char* tessaro_event(const char* text) {
    const std::string line(text);
    if (program) program->told.clear();
    return run(line, [&] {
        const ScriptLine event = readScriptLine(line);
        if (!event.isEvent() || event.command == Command::Load || event.command == Command::Close)
            return;
        const Game& game = program->game;
        const bool turn = event.command == Command::Label && event.index == label::kPlay &&
                          game.canClickLabel1(event.index);
        const int before = cardsHeld(), boxes = program->host.boxes();
        deliver(program->game, event);
        if (!turn || program->host.ended()) return;
        // What the computer did, told as the window tells it; only the target when a box
        // (the end of a game) came in its turn.
        const Board& b = game.board();
        const int laid = b.Image4[0] == card::kBack ? 1 : 2;
        program->told =
            boxes != program->host.boxes()
                ? names::place(text::kImage4Names[1], names::card(b.Image4[1]))
                : names::computerTurn(cardsHeld() + laid - before, b.Image4[0], b.Image4[1]);
    });
}

// The replay script of the game so far, or of the fault that stopped it.
EMSCRIPTEN_KEEPALIVE const char* tessaro_script() {
    answer = !program                 ? ""
             : program->fault.empty() ? program->host.script().text()
                                      : program->fault;
    return answer.c_str();
}

EMSCRIPTEN_KEEPALIVE int tessaro_can_click(int image1, int label1) {
    // The page asks only of its own controls; any other index is no control, not a fault.
    if (!program || image1 > 9 || label1 > 2) return 0;
    return image1 >= 0 ? program->game.canClickImage1(image1)
                       : label1 >= 0 && program->game.canClickLabel1(label1);
}
}
