// SPDX-License-Identifier: MIT
// The one look of the program's windows: the design's colours, its Verdana
// fonts at pixel sizes, and the ways its controls are dressed. Every window
// takes its look from here, in code; no window uses a style sheet.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenuBar;
class QPushButton;
class QWidget;

namespace look {

inline const QColor Teal(0, 64, 64);
inline const QColor DarkGrey(64, 64, 64);
inline const QColor ButtonGrey(128, 128, 128);
inline const QColor Cyan(0, 255, 255);
inline const QColor White(255, 255, 255);
inline const QColor Magenta(255, 0, 255);
inline const QColor Orange(255, 128, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor Black(0, 0, 0);

enum Weight { Regular, Bold };
enum Decoration { Plain, Underlined };

inline const QString Verdana = QStringLiteral("Verdana");
inline const QString VerdanaStandIn = QStringLiteral("DejaVu Sans");

// Verdana, or its stand-in where it is not installed, at a point size of the
// design, as pixels at 96 dots per inch, so that text keeps to the pixel
// geometry at every screen scale.
QFont verdana(double points, Weight weight, Decoration decoration = Plain);

// An opaque area in a colour.
void fill(QWidget *area, const QColor &colour);
// Text straight on whatever lies behind the label.
void caption(QLabel *label, const QFont &font, const QColor &colour);
// A promotional link: blue text on the desktop's 3-D face colour. Where the
// desktop's theme makes blue unreadable on its face, the text takes the
// nearest colour that reads, lighter or darker.
void promotion(QLabel *label);
// A frame whose caption stands in its top-left corner, without an edge.
void captionedFrame(QGroupBox *frame, const QFont &font, const QColor &captionColour, const QColor &back);
// The name box and the date lists: cyan bold text on teal in a thin border
// that turns cyan while the field has the focus; a list drops down in the
// field's font and colours.
void field(QWidget *field);
// A raised grey button with its caption in the desktop's button-text colour;
// where that colour does not read on the grey, the grey turns lighter or darker
// just enough that it does.
void button(QPushButton *button, const QFont &font);
// An opaque panel inside a thin black line.
void panel(QFrame *panel, const QColor &back);
// A menu bar in the theme's colours. Where the style paints the bar in colours
// of its own (the Windows styles paint the system's bar, light also under a
// dark palette) and the theme's text does not read on it, the captions turn
// black or white, whichever reads.
void menuBar(QMenuBar *bar);
// A picture on the desktop's window-background colour inside a thin black line.
void picture(QLabel *picture);

} // namespace look
