// Finds the music module and makes its player.
#include "MusicModule.h"

#include <QLibrary>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

MakeMusicPlayer findEntry() {
    namespace fs = std::filesystem;
    std::vector<fs::path> dirs;
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (!error) dirs = {exe.parent_path(), exe.parent_path() / TESSARO_MUSIC_RELATIVE_DIR};
    dirs.emplace_back(TESSARO_MUSIC_DIR);
    for (const fs::path& dir : dirs) {
        // Only a file that is there: QLibrary would try other names for one that is not.
        const fs::path file = dir / TESSARO_MUSIC_MODULE;
        if (!fs::is_regular_file(file, error)) continue;
        // A QLibrary object does not unload its library when destroyed: the module stays for
        // as long as a player of its making may run.
        QLibrary module(QString::fromStdString(file.string()));
        if (auto make = reinterpret_cast<MakeMusicPlayer>(module.resolve(TESSARO_MUSIC_ENTRY)))
            return make;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<MusicPlayer> loadMusicPlayer(const MusicOutput& output) {
    static const MakeMusicPlayer make = findEntry();
    return std::unique_ptr<MusicPlayer>(make ? make(&output) : nullptr);
}
