// SPDX-License-Identifier: MIT
#include "app/FontWarmUp.h"

#if AMORIAL_FONTCONFIG

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

void warmUpFontConfiguration()
{
    // Reading the configuration files and the font caches takes several
    // milliseconds, and Qt would do it on the main thread at the first text it
    // lays out. Done here, it overlaps with the connection to the display.
    // Fontconfig loads the configuration once per process and is safe to enter
    // from several threads; whichever thread comes second finds it loaded.
    try {
        std::thread([] { FcInit(); }).detach();
    } catch (const std::system_error &) {
        // No thread to be had: Qt reads the configuration itself, as usual.
    }
}

#else

// Without Fontconfig (Windows, macOS) the system's font list is Qt's to read.
void warmUpFontConfiguration() {}

#endif
