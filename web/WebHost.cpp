// The host calls of the page: the waiting ones suspend the engine (ASYNCIFY) until the page
// answers, so no other event runs inside it meanwhile.
#include "WebHost.h"

#include <emscripten.h>

#include <cstdlib>

#include "Texts.h"

// clang-format off
EM_ASYNC_JS(int, pageMessageBox, (const char* text, const char* title, int code), {
    return await Module.page.messageBox(UTF8ToString(text), UTF8ToString(title), code);
});
EM_ASYNC_JS(char*, pageInputBox, (const char* prompt, const char* title, const char* value), {
    const name = await Module.page.inputBox(UTF8ToString(prompt), UTF8ToString(title),
                                            UTF8ToString(value));
    const size = lengthBytesUTF8(name) + 1;
    const out = _malloc(size);
    stringToUTF8(name, out, size);
    return out;
});
EM_JS(void, pageShow, (const char* view), { Module.page.show(UTF8ToString(view)); });
EM_JS(double, pageMillisecondsToday, (), {
    const now = new Date();
    return now - new Date(now).setHours(0, 0, 0, 0);
});
EM_JS(void, pageMusic, (const char* verb, const char* file), {
    Module.page.music(UTF8ToString(verb), UTF8ToString(file));
});
// clang-format on

WebHost::WebHost(std::optional<std::uint32_t> seed) : seeded_(seed.has_value()) {
    if (seed) generator_.seed(*seed);
}

int WebHost::messageBox(const std::string& text, const std::string& title, int code) {
    redraw();
    ++boxes_;
    const int answer = pageMessageBox(text.c_str(), title.c_str(), code);
    if (box::isYesNo(code)) script_.answer(answer);
    return answer;
}

std::string WebHost::inputBox(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) {
    redraw();
    ++boxes_;
    char* entered = pageInputBox(prompt.c_str(), title.c_str(), defaultText.c_str());
    std::string name(entered);
    std::free(entered);
    script_.input(name);
    return name;
}

void WebHost::redraw() {
    if (view) pageShow(view().c_str());
}

void WebHost::randomize() {
    // A seed from the address stands for the time of day, as in a replay.
    if (!seeded_) generator_.seed(static_cast<std::mt19937::result_type>(pageMillisecondsToday()));
}

double WebHost::rnd() {
    // Exact in a double and always below 1, as the engine's card formulas need.
    const double r = static_cast<double>(generator_()) / 4294967296.0;
    script_.random(r);
    return r;
}

float WebHost::timer() {
    const int hundredths = static_cast<int>(pageMillisecondsToday()) / 10;
    return static_cast<float>(hundredths) / 100.0f;
}

void WebHost::nap() {
    // Hands the browser its turn: it paints the cards laid before the pause.
    emscripten_sleep(4);
}

void WebMusic::command(const std::string& verb) {
    pageMusic(verb.c_str(), fileName_.c_str());
}
