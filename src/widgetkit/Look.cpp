// SPDX-License-Identifier: MIT
#include "widgetkit/Look.h"

#include "widgetkit/ClassicStyle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace look {
namespace {

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

// The list a combo box drops down: the field's font and colours, the current
// item reversed, in a black box, its scroll bar in the usual colours.
void dressList(QComboBox *field)
{
    QWidget *list = field->view()->window();
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
    setColour(label, QPalette::WindowText, Blue);
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
    // Before the font: a combo box builds its list then, by the style it has.
    field->setStyle(classicStyle());
    QPalette palette = field->palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, Cyan);
    palette.setColor(QPalette::Base, Teal);
    auto *list = qobject_cast<QComboBox *>(field);
    if (list) {
        // The chosen item, in the list and in the focused field, reversed.
        palette.setColor(QPalette::Highlight, Cyan);
        palette.setColor(QPalette::HighlightedText, Teal);
    }
    field->setPalette(palette);
    field->setFont(verdana(8.25, Bold));
    if (list)
        dressList(list);
}

void button(QPushButton *button, const QFont &font)
{
    button->setStyle(classicStyle());
    button->setFont(font);
    setColour(button, QPalette::Button, ButtonGrey);
}

void panel(QFrame *panel, const QColor &back)
{
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    fill(panel, back);
    setColour(panel, QPalette::WindowText, Black);
}

void picture(QLabel *picture)
{
    panel(picture, picture->palette().color(QPalette::Base));
}

} // namespace look
