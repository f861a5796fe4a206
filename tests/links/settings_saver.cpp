// SPDX-License-Identifier: MIT
// The real settings store in a process of its own, set up as the program sets
// itself up, for tests that run it where the disk is full or a file-size limit
// holds, or kill it in the middle of a save.
//   settings_saver save VALUE    saves the reminder's date; exit status 0 saved, 3 refused
//   settings_saver loop A B      says "saving" on standard output, then saves
//                                A, then B, then A... until killed
#include "platform/Platform.h"
#include "platform/ProcessSetup.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

bool save(const QString &value)
{
    platform::SettingsStore &store = platform::settingsStore();
    return store.write(QStringLiteral("Settings"), QStringLiteral("Duration"), value) && store.save();
}

} // namespace

int main(int argc, char *argv[])
{
    if (platform::prepareProcess())
        return 2;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("amorial"));
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == QLatin1String("loop") && arguments.size() == 3) {
        std::fputs("saving\n", stdout);
        std::fflush(stdout);
        for (int i = 0;; i = 1 - i)
            save(arguments[1 + i]);
    }
    if (arguments.value(0) != QLatin1String("save") || arguments.size() != 2)
        return 2;
    return save(arguments[1]) ? 0 : 3;
}
