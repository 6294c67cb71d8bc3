// Entering a new record at the end of the program, and saving the table.
#include "Game.h"
#include "RecordTable.h"
#include "Translation.h"

bool Game::enterRecord(int nameKeep) {
    if (!records::qualifies(state_.records, state_.score)) return false;
    const std::string name =
        records::fitName(records::fitName(host_.inputBox(text::tr(text::kNamePrompt),
                                                         text::tr(text::kAppTitle), "")),
                         nameKeep);
    // The record goes where it belongs in the table as it is stored now, which another copy of
    // the game may have changed since this one loaded it.
    const auto saved =
        store_.update([&](RecordRows& rows) { return records::enter(rows, state_.score, name); });
    if (saved)
        state_.records = *saved;
    else
        ask(text::kNotSaved);
    endProgram();
    return true;
}
