// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

// Flat controls with thin borders, as classic desktops drew them: push buttons
// with a 2-pixel bevel, light at the top left and dark at the bottom right,
// sunk while pressed and ringed in black while focused; line edits and combo
// boxes filled with their Base colour inside a 1-pixel black border, the line
// edit's border in its text colour while focused, the focused combo box's
// current text reversed, the combo box with a grey drop-down area holding a
// black triangle and its list opening below the field; group boxes without an
// edge, their title in the top-left corner. Set on the widgets that want it.
class ClassicStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                         const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

private:
    void drawButtonBevel(const QStyleOption *option, QPainter *painter) const;
    void drawComboBox(const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget) const;
    void drawComboBoxLabel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
    void drawGroupBox(const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget) const;
    QRect groupBoxRect(const QStyleOptionComplex *option, SubControl subControl) const;
};
