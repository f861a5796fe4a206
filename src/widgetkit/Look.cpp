// SPDX-License-Identifier: MIT
#include "widgetkit/Look.h"

#include "widgetkit/ClassicStyle.h"
#include "widgetkit/ComboListDresser.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionMenuItem>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace look {
namespace {

// The contrast that text needs against what it is drawn on (WCAG's 4.5:1).
constexpr double ReadableContrast = 4.5;

double relativeLuminance(const QColor &colour)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) + 0.0722 * linear(colour.blue());
}

double contrast(const QColor &one, const QColor &other)
{
    const double first = relativeLuminance(one);
    const double second = relativeLuminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The first colour on the way from the design's towards the end that reads
// against the theme's, with the number of steps (of 255) it took.
std::optional<std::pair<int, QColor>> firstReadableTowards(const QColor &design, const QColor &end,
                                                           const QColor &theme)
{
    for (int step = 1; step <= 255; ++step) {
        const auto mix = [step](int from, int to) { return from + qRound((to - from) * step / 255.0); };
        const QColor mixed(mix(design.red(), end.red()), mix(design.green(), end.green()),
                           mix(design.blue(), end.blue()));
        if (contrast(mixed, theme) >= ReadableContrast)
            return std::pair{step, mixed};
    }
    return std::nullopt;
}

// The design's colour, as long as it reads against the theme's colour; where
// the theme makes it unreadable, the nearest colour that reads, on its way to
// white or to black.
QColor readableAgainst(const QColor &design, const QColor &theme)
{
    if (contrast(design, theme) >= ReadableContrast)
        return design;
    const auto lighter = firstReadableTowards(design, White, theme);
    const auto darker = firstReadableTowards(design, Black, theme);
    if (lighter && (!darker || lighter->first <= darker->first))
        return lighter->second;
    if (darker)
        return darker->second;
    return contrast(White, theme) > contrast(Black, theme) ? White : Black;
}

// The colour the menu bar's style paints the bar in. Fusion and the other
// drawn styles take the palette's window colour; the Windows styles paint the
// system theme's bar, whatever the palette says. The bar's empty area is
// drawn as the bar itself draws it, across the whole bar, and the colour most
// of it shows counts: a theme may paint a small piece of the bar otherwise
// than the bar (wine 10's theme paints an 8-pixel square white and the bar
// as a whole not at all, so that the palette's colour shows).
QColor menuBarBackground(QMenuBar *bar)
{
    const QSize size = bar->size().expandedTo(bar->sizeHint());
    QImage image(size, QImage::Format_RGB32);
    image.fill(bar->palette().color(QPalette::Window));
    QPainter painter(&image);
    QStyleOptionMenuItem option;
    option.initFrom(bar);
    option.rect = image.rect();
    option.menuItemType = QStyleOptionMenuItem::EmptyArea;
    bar->style()->drawControl(QStyle::CE_MenuBarEmptyArea, &option, &painter, bar);
    painter.end();
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    const auto most = std::max_element(counts.cbegin(), counts.cend());
    return QColor(most.key());
}

// One style serves every window; the application owns it.
ClassicStyle *classicStyle()
{
    static QPointer<ClassicStyle> style;
    if (!style) {
        style = new ClassicStyle;
        style->setParent(qApp);
    }
    return style;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// The list a combo box drops down stands in a black box, its scroll bar in
// the usual colours.
void dressList(QWidget *list)
{
    setColour(list, QPalette::WindowText, Black);
    setColour(list, QPalette::ButtonText, QApplication::palette().color(QPalette::ButtonText));
}

} // namespace

QFont verdana(double points, Weight weight, Decoration decoration)
{
    // Where Verdana is missing, as on Debian, DejaVu Sans stands in for it. It is
    // named alone: asking for a missing family, even with another behind it,
    // makes Qt sort every installed font for the missing one.
    static const QString family = QFontDatabase::families().contains(Verdana, Qt::CaseInsensitive) ? Verdana
                                                                                                   : VerdanaStandIn;
    QFont font(family);
    font.setPixelSize(qRound(points * 96 / 72));
    font.setBold(weight == Bold);
    font.setUnderline(decoration == Underlined);
    return font;
}

void fill(QWidget *area, const QColor &colour)
{
    setColour(area, QPalette::Window, colour);
    area->setAutoFillBackground(true);
}

void caption(QLabel *label, const QFont &font, const QColor &colour)
{
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(label->foregroundRole(), colour);
    palette.setColor(QPalette::Window, Qt::transparent);
    label->setPalette(palette);
}

void promotion(QLabel *label)
{
    label->setFont(verdana(8.25, Bold, Underlined));
    label->setBackgroundRole(QPalette::Button);
    label->setForegroundRole(QPalette::WindowText);
    label->setAutoFillBackground(true);
    setColour(label, QPalette::WindowText, readableAgainst(Blue, label->palette().color(QPalette::Button)));
}

void captionedFrame(QGroupBox *frame, const QFont &font, const QColor &captionColour, const QColor &back)
{
    frame->setStyle(classicStyle());
    frame->setFont(font);
    setColour(frame, QPalette::WindowText, captionColour);
    fill(frame, back);
}

void field(QWidget *field)
{
    auto *list = qobject_cast<QComboBox *>(field);
    const auto dress = [field, list] {
        field->setStyle(classicStyle());
        QPalette palette = field->palette();
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            palette.setColor(role, Cyan);
        palette.setColor(QPalette::Base, Teal);
        if (list) {
            // The chosen item, in the list and in the focused field, reversed.
            palette.setColor(QPalette::Highlight, Cyan);
            palette.setColor(QPalette::HighlightedText, Teal);
        }
        field->setPalette(palette);
        field->setFont(verdana(8.25, Bold));
    };
    if (list)
        dressComboBox(list, dress, dressList);
    else
        dress();
}

void button(QPushButton *button, const QFont &font)
{
    button->setStyle(classicStyle());
    button->setFont(font);
    setColour(button, QPalette::Button, readableAgainst(ButtonGrey, button->palette().color(QPalette::ButtonText)));
}

void panel(QFrame *panel, const QColor &back)
{
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    fill(panel, back);
    setColour(panel, QPalette::WindowText, Black);
}

void menuBar(QMenuBar *bar)
{
    // Qt's styles write the bar's captions in the palette's button-text colour.
    const QColor background = menuBarBackground(bar);
    QPalette palette = bar->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (contrast(palette.color(group, QPalette::ButtonText), background) < ReadableContrast)
            palette.setColor(group, QPalette::ButtonText,
                             contrast(White, background) > contrast(Black, background) ? White : Black);
    }
    if (palette != bar->palette())
        bar->setPalette(palette);
}

void picture(QLabel *picture)
{
    panel(picture, picture->palette().color(QPalette::Base));
}

} // namespace look
