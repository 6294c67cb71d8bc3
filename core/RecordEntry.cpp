// Entering a new record at the end of the program, and saving the table.
#include "Game.h"
#include "RecordTable.h"

bool Game::enterRecord(int nameKeep) {
    if (!records::qualifies(state.records, state.score)) return false;
    const int pos = records::insertionPlace(state.records, state.score);
    records::insert(state.records, pos, records::defaultRow());

    const std::string name = host_.inputBox("您的分数超过记录，请输入您的姓名:", "Tessaro", "");
    ScoreEntry& row = state.records[static_cast<std::size_t>(pos)];
    row.name = records::fitName(records::fitName(name), nameKeep);
    row.points = records::clampPoints(state.score);

    // A record that could not be kept must not vanish without a word.
    if (!store_.save(state.records))
        host_.messageBox("高分记录无法保存到 Data.dat，此次记录将会丢失。", "Tessaro",
                         box::kOkInformation);
    endProgram();
    return true;
}
