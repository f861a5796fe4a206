// SPDX-License-Identifier: MIT
#include "links/modHelp.h"

#include "platform/Platform.h"

#include <QDate>

#ifndef AMORIAL_UPDATE_REMINDER
#define AMORIAL_UPDATE_REMINDER 1
#endif

namespace modHelp {

#if AMORIAL_UPDATE_REMINDER

namespace {

const QString ReminderSection = QStringLiteral("Settings");
const QString ReminderKey = QStringLiteral("Duration");
// Two lines joined by a lone carriage return.
const QString ReminderQuestion = QStringLiteral("There maybe an update to this software available\r"
                                                "Do you want to check for an update?");
constexpr qint64 QuietDays = 14;

// ISO 8601 text reads back the same whatever the user's locale.
QString dateText(const QDate &date) { return date.toString(Qt::ISODate); }

bool rememberToday(const QDate &today)
{
    return platform::settingsStore().write(ReminderSection, ReminderKey, dateText(today));
}

} // namespace

void CheckUpdateReminder()
{
    const std::optional<QString> stored = platform::settingsStore().read(ReminderSection, ReminderKey);
    if (!stored)
        return;
    const QDate today = platform::clock().today();
    if (stored->isEmpty()) {
        rememberToday(today);
        return;
    }
    const QDate remembered = QDate::fromString(*stored, Qt::ISODate);
    if (!remembered.isValid())
        return;
    const qint64 daysAway = today.daysTo(remembered);
    if (daysAway >= -QuietDays && daysAway <= QuietDays)
        return;

    const platform::Answer answer = platform::messageBoxes().askYesNo(ReminderQuestion);
    // A store that cannot take the date stops the reminder here, without a word.
    // The date is on disk before any page goes out.
    if (!rememberToday(today) || !platform::settingsStore().save())
        return;
    if (answer == platform::Answer::Yes)
        OpenDownloadPage();
}

#else

// Built for a distribution whose package manager keeps the program up to date:
// no question at start-up and nothing written to the settings. Help > Check for
// Software Update still opens the download page.
void CheckUpdateReminder() {}

#endif

} // namespace modHelp
