#include "midi/backends/LibraryLogs.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <glib.h>

#include <cstdlib>
#include <mutex>

namespace tinsori {

namespace {

void dropAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

void dropGlibMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

void SilenceLibraryLogs() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (std::getenv("TINSORI_DEBUG")) return;
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        snd_lib_error_set_handler(&dropAlsaMessage);
        // FluidSynth's soundfont loader (libinstpatch) reports a damaged file through GLib.
        g_log_set_default_handler(&dropGlibMessage, nullptr);
    });
}

}  // namespace tinsori
