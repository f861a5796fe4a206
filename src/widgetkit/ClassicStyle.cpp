// SPDX-License-Identifier: MIT
#include "widgetkit/ClassicStyle.h"

#include <QPainter>
#include <QPolygon>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {

const QColor Border(0, 0, 0);
const QColor DropDownFace(128, 128, 128);
constexpr int ButtonBevel = 2;
constexpr int GroupBoxTitleIndent = 8;
constexpr int DropDownWidth = 18; // its black left border included
constexpr int ComboTextIndent = 3;
constexpr int ArrowWidth = 8;

void drawDownArrow(QPainter *painter, const QRect &area)
{
    const int left = area.left() + (area.width() - ArrowWidth) / 2;
    const int top = area.top() + (area.height() - ArrowWidth / 2) / 2;
    const QPolygon arrow({QPoint(left, top), QPoint(left + ArrowWidth, top),
                          QPoint(left + ArrowWidth / 2, top + ArrowWidth / 2)});
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Border);
    painter->drawPolygon(arrow);
    painter->restore();
}

} // namespace

void ClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    switch (element) {
    case PE_PanelLineEdit:
        painter->fillRect(option->rect, option->palette.base());
        drawPrimitive(PE_FrameLineEdit, option, painter, widget);
        return;
    case PE_FrameLineEdit: {
        const bool focused = option->state & State_HasFocus;
        qDrawPlainRect(painter, option->rect, focused ? option->palette.color(QPalette::Text) : Border, 1);
        return;
    }
    case PE_FrameFocusRect:
        return; // Focus shows in the controls' own borders.
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void ClassicStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    switch (element) {
    case CE_PushButtonBevel:
        drawButtonBevel(option, painter);
        return;
    case CE_ComboBoxLabel:
        drawComboBoxLabel(option, painter, widget);
        return;
    default:
        QProxyStyle::drawControl(element, option, painter, widget);
    }
}

// The face in the Button colour inside a bevel of a lighter and a darker shade
// of it, raised, or sunk while pressed; a focused button has a black ring
// around its bevel.
void ClassicStyle::drawButtonBevel(const QStyleOption *option, QPainter *painter) const
{
    const QColor face = option->palette.color(QPalette::Button);
    QPalette shades(option->palette);
    shades.setColor(QPalette::Light, face.lighter(150));
    shades.setColor(QPalette::Dark, face.darker(200));
    const bool sunken = option->state & (State_Sunken | State_On);
    QRect bevel = option->rect;
    painter->fillRect(bevel, face);
    if (option->state & State_HasFocus) {
        qDrawPlainRect(painter, bevel, Border, 1);
        bevel.adjust(1, 1, -1, -1);
    }
    // Without a fill, as with one the edges give way to other shades where they match it.
    qDrawShadePanel(painter, bevel, shades, sunken, ButtonBevel);
}

void ClassicStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                      const QWidget *widget) const
{
    if (control == CC_ComboBox)
        drawComboBox(option, painter, widget);
    else if (control == CC_GroupBox)
        drawGroupBox(option, painter, widget);
    else
        QProxyStyle::drawComplexControl(control, option, painter, widget);
}

// The current text, reversed in the Highlight colours while the list has the focus.
void ClassicStyle::drawComboBoxLabel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option);
    if (!combo || combo->editable || !(combo->state & State_HasFocus)) {
        QProxyStyle::drawControl(CE_ComboBoxLabel, option, painter, widget);
        return;
    }
    painter->save();
    painter->fillRect(subControlRect(CC_ComboBox, combo, SC_ComboBoxEditField, widget), combo->palette.highlight());
    painter->setPen(combo->palette.color(QPalette::HighlightedText));
    QProxyStyle::drawControl(CE_ComboBoxLabel, option, painter, widget);
    painter->restore();
}

void ClassicStyle::drawGroupBox(const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget) const
{
    const auto *group = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (!group) {
        QProxyStyle::drawComplexControl(CC_GroupBox, option, painter, widget);
        return;
    }
    drawItemText(painter, groupBoxRect(group, SC_GroupBoxLabel), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic,
                 group->palette, group->state & State_Enabled, group->text, QPalette::WindowText);
}

QRect ClassicStyle::groupBoxRect(const QStyleOptionComplex *option, SubControl subControl) const
{
    const auto *group = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    switch (subControl) {
    case SC_GroupBoxLabel: {
        const QSize title = option->fontMetrics.size(Qt::TextShowMnemonic, group ? group->text : QString());
        return QRect(option->rect.topLeft() + QPoint(GroupBoxTitleIndent, 0), title);
    }
    case SC_GroupBoxContents:
        return option->rect;
    default:
        return {};
    }
}

void ClassicStyle::drawComboBox(const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget) const
{
    painter->fillRect(option->rect, option->palette.base());
    qDrawPlainRect(painter, option->rect, Border, 1);
    const QRect dropDown = subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget);
    painter->fillRect(dropDown, DropDownFace);
    painter->fillRect(dropDown.left(), dropDown.top(), 1, dropDown.height(), Border);
    drawDownArrow(painter, dropDown.adjusted(1, 0, 0, 0));
}

QRect ClassicStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                   SubControl subControl, const QWidget *widget) const
{
    if (control == CC_GroupBox)
        return groupBoxRect(option, subControl);
    if (control != CC_ComboBox)
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const QRect &whole = option->rect;
    switch (subControl) {
    case SC_ComboBoxArrow:
        return QRect(whole.right() - DropDownWidth + 1, whole.top(), DropDownWidth, whole.height());
    case SC_ComboBoxEditField:
        // The common label drawing keeps one more pixel off the left edge.
        return QRect(whole.left() + ComboTextIndent, whole.top() + 1,
                     whole.width() - ComboTextIndent - DropDownWidth, whole.height() - 2);
    default:
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
}

int ClassicStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_DefaultFrameWidth:
        return 1;
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int ClassicStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    switch (hint) {
    case SH_ComboBox_Popup:
        return 0; // A plain list below the field, not a menu over it.
    case SH_ComboBox_PopupFrameStyle:
        return QFrame::Box | QFrame::Plain;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}
