// The records list as the player reads it.
#include "RecordsText.h"

#include "RecordTable.h"
#include "Texts.h"
#include "Translation.h"

namespace records {

std::string shownText(const RecordRows& rows) {
    const std::string row = text::tr(text::kRecordRow);
    const std::string emptyName = defaultRow().name;
    // An untaken row names itself in the player's language, padded as a name is; the file
    // keeps its own name.
    const std::string shownEmptyName = fitName(text::tr(text::kNoRecordName));
    std::string out;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string& name = rows[k].name == emptyName ? shownEmptyName : rows[k].name;
        out += text::fill(row, {std::to_string(k), name, std::to_string(rows[k].points)}) + "\r\n";
    }
    return out;
}

}  // namespace records
