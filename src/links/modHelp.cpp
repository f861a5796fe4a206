// SPDX-License-Identifier: MIT
#include "links/modHelp.h"

#include "platform/IgnoreErrors.h"
#include "platform/Platform.h"

#include <QUrl>

namespace modHelp {
namespace {

// A page that cannot be opened is no concern of the user's.
void openPage(const char *pageKey) noexcept
{
    platform::ignoreErrors([pageKey] { platform::urlOpener().open(QUrl(PageAddress(QLatin1String(pageKey)))); });
}

QString siteHost()
{
    return QUrl(SiteAddress()).host();
}

} // namespace

QString SiteAddress()
{
    return QStringLiteral(AMORIAL_SITE);
}

QString PageAddress(const QString &pageKey)
{
    return SiteAddress() + QStringLiteral("/amorial/ssd.php?page=") + pageKey;
}

QString DiscussionBoardBanner()
{
    return QStringLiteral("The Most Popular Online Vesperin Discussion Board. Best Resource For Everything "
                          "Vesperin. Visit ")
           + siteHost() + QStringLiteral("/forum Now");
}

QString HomePageInvitation()
{
    return QStringLiteral("Click here to visit ") + siteHost();
}

void OpenHomePage() { openPage("home-page"); }
void OpenHelpPage() { openPage("help-web-page"); }
void OpenDownloadPage() { openPage("download-web-page"); }
void OpenDonatePage() { openPage("donate"); }
void OpenCoBrandPage() { openPage("co-brand"); }
void OpenFullyBrandedPage() { openPage("fully-branded"); }

} // namespace modHelp
