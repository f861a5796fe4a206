// SPDX-License-Identifier: MIT
#include "app/ClassicStyle.h"

#include <QPainter>
#include <QPolygon>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {

const QColor Border(0, 0, 0);
const QColor FocusedButtonEdge(48, 48, 48);
const QColor DropDownFace(128, 128, 128);
constexpr int ButtonBevel = 2;
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
        qDrawPlainRect(painter, option->rect, Border, 1);
        return;
    case PE_FrameLineEdit:
        qDrawPlainRect(painter, option->rect, Border, 1);
        return;
    case PE_FrameFocusRect:
        return; // Focus shows in the controls' own borders.
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void ClassicStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    if (element == CE_PushButtonBevel)
        drawButtonBevel(option, painter);
    else
        QProxyStyle::drawControl(element, option, painter, widget);
}

// The face in the Button colour; a raised bevel in lighter and plain shades of
// the face, or of a dark grey while the button has focus; sunk while pressed.
void ClassicStyle::drawButtonBevel(const QStyleOption *option, QPainter *painter) const
{
    const QColor face = option->palette.color(QPalette::Button);
    const QColor edge = (option->state & State_HasFocus) ? FocusedButtonEdge : face;
    QPalette shades(option->palette);
    shades.setColor(QPalette::Light, edge.lighter());
    shades.setColor(QPalette::Dark, edge);
    const bool sunken = option->state & (State_Sunken | State_On);
    painter->fillRect(option->rect, face);
    // Without a fill, as with one the edges give way to other shades where they match it.
    qDrawShadePanel(painter, option->rect, shades, sunken, ButtonBevel);
}

void ClassicStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                      const QWidget *widget) const
{
    if (control == CC_ComboBox)
        drawComboBox(option, painter, widget);
    else
        QProxyStyle::drawComplexControl(control, option, painter, widget);
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
