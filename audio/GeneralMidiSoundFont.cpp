// Finds a General MIDI SoundFont installed by the system's packages.
#include "GeneralMidiSoundFont.h"

#include <array>
#include <filesystem>
#include <system_error>

std::string generalMidiSoundFont() {
    // Debian's default-GM links follow the SoundFont package the user chose; the known
    // names cover a system where the alternatives were never set up.
    static constexpr std::array candidates{
        "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf3/MuseScore_General.sf3",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/soundfonts/default.sf2",
        "/usr/share/soundfonts/FluidR3_GM.sf2",
    };
    for (const char* path : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) return path;
    }
    return {};
}
