// SPDX-License-Identifier: MIT
// The texts and addresses the program builds on the maker's site, and the
// title of every window, as the design words them.
#pragma once

#include "common/Release.h"

#include <QString>
#include <QUrl>

// Every window's title.
inline const QString WindowTitle = QStringLiteral("Amorial v" AMORIAL_VERSION);

// The maker's site as this build has it, and what the windows show and open of it.
inline const QString SiteHost = QUrl(QStringLiteral(AMORIAL_SITE)).host();
inline const QString BannerText = QStringLiteral("The Most Popular Online Vesperin Discussion Board. Best Resource For "
                                                 "Everything Vesperin. Visit ")
                                  + SiteHost + QStringLiteral("/forum Now");
inline const QString HomePageInvitation = QStringLiteral("Click here to visit ") + SiteHost;
inline QString pageAddress(const QString &pageKey)
{
    return QStringLiteral(AMORIAL_SITE "/amorial/ssd.php?page=") + pageKey;
}
