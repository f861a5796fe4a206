// SPDX-License-Identifier: MIT
// Leans on Qt: on Linux, Qt's font database (QFontconfigDatabase) reads the
// Fontconfig configuration and font caches, several milliseconds of work, on
// the main thread when the first text is laid out, through FcInit(), which
// does nothing once the configuration is loaded. Started here on a thread of
// its own, the reading overlaps with the connection to the display, and Qt
// finds it done. Fontconfig loads its configuration once per process and may
// be entered from several threads; whichever comes second waits for or finds
// the first's work. Checked with Qt 6.4.2; bench/fontwarmup.sh gives what it
// gains, which falls to nothing if Qt stops reading the configuration so.
#include "platform/FontWarmUp.h"

#if AMORIAL_FONTCONFIG

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

void platform::warmUpFontConfiguration()
{
    try {
        std::thread([] { FcInit(); }).detach();
    } catch (const std::system_error &) {
        // No thread to be had: Qt reads the configuration itself, as usual.
    }
}

#else

// Without Fontconfig (Windows) the system's font list is Qt's to read.
void platform::warmUpFontConfiguration() {}

#endif
