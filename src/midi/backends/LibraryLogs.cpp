#include "midi/backends/LibraryLogs.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <cstdlib>
#include <mutex>

namespace tinsori {

namespace {

void dropAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void SilenceLibraryLogs() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (std::getenv("TINSORI_DEBUG")) return;
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        snd_lib_error_set_handler(&dropAlsaMessage);
    });
}

}  // namespace tinsori
