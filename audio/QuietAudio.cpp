// Keeps the sound libraries from writing to the terminal.
#include "QuietAudio.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <initializer_list>
#include <mutex>

namespace {
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

void quietAudioLibraries() {
    static std::once_flag once;
    std::call_once(once, [] {
        snd_lib_error_set_handler(ignoreAlsaError);
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}
