// SPDX-License-Identifier: MIT
// Design measures are in twips; 15 make one pixel. Also what a control's
// caption says and whether it fits the room the design gives it.
#pragma once

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

#include <climits>
#include <cmath>

inline int twipsToPixels(int twips)
{
    return int(std::lround(twips / 15.0));
}

// A rectangle of the design, in pixels.
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

inline QRect twipsRect(const QRect &twips)
{
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

// The text a label, button, line edit or group box shows; null for others.
inline QString shownText(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    return QString();
}

// The room a control's caption needs, drawn in the control's own font, when
// `width` pixels across are free for it: a label's text broken and aligned as
// the label has it; a push button's caption without its access-key mark, with
// `buttonFrame` pixels to spare both across and down. Invalid for any other
// control.
inline QSize captionNeeds(const QWidget *control, int width, int buttonFrame)
{
    const QFontMetrics metrics(control->font());
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
        return metrics.boundingRect(QRect(0, 0, width, INT_MAX / 2), flags, label->text()).size();
    }
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        const QString caption = QString(button->text()).remove(QLatin1Char('&'));
        return QSize(metrics.horizontalAdvance(caption) + buttonFrame, metrics.height() + buttonFrame);
    }
    return QSize();
}

// Whether the control's caption fits within the whole control; a button's
// must leave at least a pixel to spare either way.
inline bool captionFits(const QWidget *control)
{
    const QSize needed = captionNeeds(control, control->width(), 1);
    return needed.isValid() && needed.width() <= control->width() && needed.height() <= control->height();
}
