// SPDX-License-Identifier: MIT
#include "platform/ProcessSetup.h"

#include <QCoreApplication>
#include <QFontDatabase>

namespace {

// Qt for WebAssembly brings DejaVu Sans but not its bold, which the captions
// use; without it Qt would embolden the regular face, which measures wider.
// Run as the application starts (a start-up function of QCoreApplication):
// the font database needs the platform integration, which exists by then.
void addProgramFonts()
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/amorial/fonts/DejaVuSans-Bold.ttf"));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(addProgramFonts)

namespace platform {

// A browser page has no limits, signals or folders to prepare.
std::optional<QString> prepareProcess()
{
    return std::nullopt;
}

} // namespace platform
