// SPDX-License-Identifier: MIT
// What the windows are designed with, as the tests expect to find it: the
// colours, the promotional texts that two windows share, and the alignments
// (and, from Site.h, the title and the texts built on the maker's site).
#pragma once

#include "common/Site.h"

#include <QColor>
#include <QString>

inline const QColor Teal(0, 64, 64);
inline const QColor DarkGrey(64, 64, 64);
inline const QColor ButtonGrey(128, 128, 128);
inline const QColor Cyan(0, 255, 255);
inline const QColor White(255, 255, 255);
inline const QColor Magenta(255, 0, 255);
inline const QColor Orange(255, 128, 0);
inline const QColor Blue(0, 0, 255);

inline const QString CoBrandText = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &  "
    "link here. See \"Help\" for details.Click Here for more info on co-branding.");
inline const QString FullBrandText = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this software fully "
    "branded for your website. Click here for more details.");

inline constexpr int Centred = Qt::AlignHCenter | Qt::AlignTop;
inline constexpr int LeftTop = Qt::AlignLeft | Qt::AlignTop;
