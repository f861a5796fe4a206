// SPDX-License-Identifier: MIT
// The maker's web pages, each opened by handing its address to the desktop,
// and the update reminder.
#pragma once

#include <QString>

namespace modHelp {

// Root of the maker's web site, fixed at build time, e.g. "http://www.amorial.example".
QString SiteAddress();
// SiteAddress() + "/amorial/ssd.php?page=" + key.
QString PageAddress(const QString &pageKey);

// Texts of the labels that show the site's addresses.
QString DiscussionBoardBanner();
QString HomePageInvitation();

// Each hands one address to the desktop, does not wait, and ignores failure.
void OpenHomePage();
void OpenHelpPage();
void OpenDownloadPage();
void OpenDonatePage();
void OpenCoBrandPage();
void OpenFullyBrandedPage();

// Once per start, before any window: asks at most once per fifteen days
// whether to open the download page.
void CheckUpdateReminder();

} // namespace modHelp
