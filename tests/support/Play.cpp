// A game for the rules' tests, driven by replay script lines and summed up in one line.
#include "Play.h"

#include <sstream>

#include "RecordTable.h"

namespace {

std::string value(int v) {
    return " " + std::to_string((v - 0.5) / 15);
}

std::string suit(int s) {
    return " " + std::to_string((s + 0.5) / 4);
}

std::string picture(int n) {
    return n == card::kNoPicture ? "-" : n == card::kBack ? "B" : std::to_string(card::valueOf(n));
}

}  // namespace

std::string dealLine(std::string_view cards) {
    std::istringstream in{std::string(cards)};
    std::vector<int> v;
    for (std::string word; in >> word;)
        if (word != "/") v.push_back(std::stoi(word));
    // Slot by slot the player's card, the computer's and the player's suit, then the target.
    std::string line = "rand";
    for (std::size_t i = 0; i < 5; ++i) line += value(v[i]) + value(v[i + 5]) + suit(int(i % 4));
    return line + value(v[10]) + suit(3);
}

Play::Play() {
    session.host().onRedraw = [this] { pause = summary(false); };
    run("load");
}

void Play::run(std::string_view steps) {
    boxes.clear();
    GameState& s = GameTestAccess::state(game);
    Board& b = GameTestAccess::board(game);
    std::istringstream in{std::string(steps)};
    for (std::string step; std::getline(in, step, ';');) {
        std::istringstream words(step);
        std::string word, which;
        words >> word;
        if (word == "set") words >> which;
        std::vector<int> n;
        for (int v; words >> v;) n.push_back(v);
        if (word == "deal" || word == "next") {
            session.run(dealLine(step.substr(step.find(word) + 5)));
            if (word == "deal") session.run("menu new");
        } else if (word == "draws" || word == "cards") {
            std::string line = "rand";
            for (int v : n) line += value(v) + (word == "draws" ? suit(1) : "");
            session.run(line);
        } else if (which == "hand" || which == "cpu") {
            for (int k = 0; k < kHandSlots; ++k) {
                const auto v = static_cast<CardValue>(k < int(n.size()) ? n[std::size_t(k)] : 0);
                (which == "hand" ? s.handValue : s.cpuValue)[k] = v;
                s.picked[k] = s.picked[k] && which == "cpu";
                if (which == "hand")
                    b.Image1[k] = {v ? card::faceOf(v, 0) : 0, layout::kHandRestTop, v != 0};
                if (which == "cpu") b.Image2[k] = {card::kBack, v != 0};
            }
        } else if (which == "points") {
            for (std::size_t k = 0; k < n.size(); ++k)
                store.rows[k].points = s.records[k].points = static_cast<std::int16_t>(n[k]);
        } else if (which == "score") {
            s.score = n.at(0);
        } else if (which == "failing") {
            store.failSaves = true;
        } else if (const auto outcome = session.run(step)) {
            boxes.insert(boxes.end(), outcome->dialogs.begin(), outcome->dialogs.end());
        }
    }
}

std::string Play::summary(bool checked) const {
    const GameState& s = game.state();
    const Board& b = game.board();
    std::ostringstream out;
    out << "hand";
    for (int k = 0; k < kHandSlots && s.handValue[k]; ++k)
        out << ' ' << s.handValue[k] << (b.Image1[k].top == layout::kHandRaisedTop ? "^" : "");
    out << " | cpu";
    bool up = false;
    for (int k = 0; k < kHandSlots && s.cpuValue[k]; ++k) {
        out << ' ' << s.cpuValue[k];
        up = up || b.Image2[k].picture != card::kBack;
    }
    out << (up ? " up" : "") << " | table " << picture(b.Image4[0]) << ' ' << picture(b.Image4[1]);
    if (b.Image7[0] || b.Image7[1])
        out << " | sel " << picture(b.Image7[0]) << ' ' << picture(b.Image7[1]);
    if (s.pickValue[1] || s.pickValue[2] || s.pickSlot[0] || s.pickSlot[1])
        out << " | pick " << s.pickValue[1] << ' ' << s.pickValue[2] << " @" << s.pickSlot[0] << ' '
            << s.pickSlot[1];
    out << " | ";
    for (int i = 0; i <= 2; ++i) out << (b.Label1Enabled[i] ? "DPS"[i] : '-');
    out << " | " << (!s.playerTurn ? "off" : s.canPick ? "you" : "done");
    if (b.Option1 != op::kPlus) out << " | op " << text::kOption1[b.Option1];
    for (int k = 0; k < kHandSlots; ++k)
        if (b.Image3[k].visible) out << " | gem " << k << '@' << b.Image3[k].top;
    for (int i = 0, lit = 0; i <= 2; ++i)
        if (b.Shape1[i] == kLitFrame) out << (lit++ ? " " : " | lit ") << i;
    out << " | " << s.score;
    for (const ShownDialog& d : boxes)
        out << " | " << d.text << ' '
            << (d.kind == ShownDialog::Kind::Input ? "input" : std::to_string(d.code));
    if (game.ended()) out << (session.host().programEnded() ? " | ended" : " | ended, not told");
    if (store.saves) out << " | saved";
    for (std::size_t k = 0; store.saves && k < store.rows.size(); ++k)
        if (store.rows[k] != records::defaultRow())
            out << ' ' << store.rows[k].name << ':' << store.rows[k].points;
    if (const std::string broken = checked ? game.checkInvariants() : ""; !broken.empty())
        out << " | BROKEN " << broken;
    return out.str();
}
