// SPDX-License-Identifier: MIT
// Every text of the three windows reads against what it is drawn on, under the
// default palette and under dark and high-contrast themes: each window is
// rendered under each palette and the contrast of each text control is
// measured in the pixels, with WCAG's formula.
#include "common/Design.h"
#include "common/Fakes.h"
#include "common/WindowChecks.h"

#include "about/frmAbout.h"
#include "entry/frmMain.h"
#include "result/frmDisplay.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTest>

#include <cmath>
#include <optional>

namespace {

// WCAG 2's minimum for text of this size.
constexpr double Readable = 4.5;

double luminance(const QColor &colour)
{
    const auto linear = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor &one, const QColor &other)
{
    const double a = luminance(one) + 0.05;
    const double b = luminance(other) + 0.05;
    return a > b ? a / b : b / a;
}

// A palette from colours in the order of QPalette's roles; an empty one
// leaves its role as the application has it.
QPalette fromRoles(const QList<QColor> &colours)
{
    QPalette palette;
    for (int role = 0; role < colours.size(); ++role)
        if (colours.at(role).isValid())
            palette.setColor(QPalette::ColorRole(role), colours.at(role));
    return palette;
}

// A text control and the part of it where its text is drawn, in its own coordinates.
struct TextArea
{
    QWidget *control;
    QRect area;
};

QRect comboField(QComboBox *combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    return combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
}

QRect groupCaption(QGroupBox *group)
{
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
}

// Every control of the window that shows text; a button inside its bevel and
// focus ring, a field inside its border.
QList<TextArea> textAreas(QWidget *window)
{
    QList<TextArea> areas;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->window() != window || !control->isVisibleTo(window))
            continue;
        if (auto *label = qobject_cast<QLabel *>(control); label && !label->text().isEmpty())
            areas.append({label, label->contentsRect()});
        else if (auto *button = qobject_cast<QPushButton *>(control))
            areas.append({button, button->rect().adjusted(4, 4, -4, -4)});
        else if (auto *edit = qobject_cast<QLineEdit *>(control))
            areas.append({edit, edit->rect().adjusted(2, 2, -2, -2)});
        else if (auto *combo = qobject_cast<QComboBox *>(control))
            areas.append({combo, comboField(combo).adjusted(1, 1, -1, -1)});
        else if (auto *group = qobject_cast<QGroupBox *>(control))
            areas.append({group, groupCaption(group)});
        else if (auto *bar = qobject_cast<QMenuBar *>(control))
            areas.append({bar, bar->actionGeometry(bar->actions().constFirst())});
    }
    return areas;
}

struct Measured
{
    QColor text;
    QColor background;
};

// The colour most of the area shows is the background; the text is the colour
// that stands out from it most, among colours of more than one pixel (the
// edges of anti-aliased letters come in many shades of a pixel or two).
Measured measure(const QImage &shot, QRect pixels)
{
    QMap<QRgb, int> counts;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            ++counts[shot.pixel(x, y)];
    QRgb background = counts.firstKey();
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    QRgb text = background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > 1 && contrast(QColor(it.key()), QColor(background)) > contrast(QColor(text), QColor(background)))
            text = it.key();
    return {QColor(text), QColor(background)};
}

} // namespace

class ContrastTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void everyTextReads_data();
    void everyTextReads();

private:
    QWidget *openWindow(const QString &name);

    QPalette defaultPalette_;
    std::optional<FakeSeams> seams_;
};

void ContrastTest::initTestCase()
{
    defaultPalette_ = QApplication::palette();
}

void ContrastTest::cleanup()
{
    destroyLeftoverWindows();
    seams_.reset();
    QApplication::setPalette(defaultPalette_);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QWidget *ContrastTest::openWindow(const QString &name)
{
    if (name == QLatin1String("frmMain")) {
        auto *entry = new frmMain;
        entry->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("ANN LEE"));
        return entry;
    }
    if (name == QLatin1String("frmDisplay")) {
        auto *display = new frmDisplay;
        display->setResult(QStringLiteral("Gemini"), std::nullopt);
        return display;
    }
    return new frmAbout;
}

void ContrastTest::everyTextReads_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QPalette>("palette");
    // The design's own magenta links, whatever the theme, stand on its dark
    // grey and teal at less than 4.5:1; the theme must not make them worse.
    QTest::addColumn<QMap<QString, double>>("designFloors");

    const double onDarkGrey = contrast(Magenta, DarkGrey);
    const double onTeal = contrast(Magenta, Teal);
    const QMap<QString, QMap<QString, double>> floors{
        {"frmMain", {{"Label61", onDarkGrey}}},
        {"frmDisplay", {{"Label61", onDarkGrey}}},
        {"frmAbout", {{"Label2", onTeal}, {"lblHomePage", onTeal}, {"Label5", onTeal}}},
    };
    const QList<std::pair<const char *, QPalette>> palettes{
        {"default", QApplication::palette()},
        // The dark palette commonly given to the Fusion style.
        {"Fusion dark", fromRoles({"white", "#353535", "#5a5a5a", "#424242", "#232323", "#282828", "white", "red",
                                   "white", "#2a2a2a", "#353535", "#141414", "#2a82da", "black", "#2a82da", {},
                                   "#424242"})},
        // qt6ct 0.7's "darker" colour scheme (/usr/share/qt6ct/colors/darker.conf).
        {"qt6ct darker", fromRoles({"#ffffff", "#424245", "#979797", "#5e5c5b", "#302f2e", "#4a4947", "#ffffff",
                                    "#ffffff", "#ffffff", "#3d3d3d", "#222020", "#e7e4e0", "#12608a", "#f9f9f9",
                                    "#0986d3", "#a70b06", "#5c5b5a", "#ffffff", "#3f3f36", "#ffffff", "#80ffffff"})},
        // White and yellow on black, as high-contrast desktop themes have it.
        {"high contrast", fromRoles({"white", "black", "white", "white", "black", "black", "white", {}, "yellow",
                                     "black", "black", "black", "cyan", "black", "yellow", {}, "black"})},
    };
    for (const char *window : {"frmMain", "frmDisplay", "frmAbout"})
        for (const auto &[paletteName, palette] : palettes)
            QTest::addRow("%s, %s", window, paletteName) << window << palette << floors.value(window);
}

void ContrastTest::everyTextReads()
{
    QFETCH(QString, window);
    QFETCH(QPalette, palette);
    QFETCH(decltype(QMap<QString, double>()), designFloors);
    seams_.emplace();
    QApplication::setPalette(palette);

    QWidget *form = openWindow(window);
    const QImage shot = form->grab().toImage();
    const qreal scale = shot.devicePixelRatio();

    const QList<TextArea> areas = textAreas(form);
    QVERIFY(areas.size() >= 5);
    QStringList unreadable;
    for (const TextArea &text : areas) {
        const QRect logical(text.control->mapTo(form, text.area.topLeft()), text.area.size());
        const QRect pixels(QRectF(QPointF(logical.topLeft()) * scale, QSizeF(logical.size()) * scale).toRect());
        const Measured shown = measure(shot, pixels);
        const double floor = designFloors.value(text.control->objectName(), Readable) - 0.01;
        const double ratio = contrast(shown.text, shown.background);
        if (ratio < floor)
            unreadable << QStringLiteral("%1: %2 on %3, %4:1")
                              .arg(text.control->objectName(), shown.text.name(), shown.background.name())
                              .arg(ratio, 0, 'f', 2);
    }
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral("; "))));
}

QTEST_MAIN(ContrastTest)
#include "tst_contrast.moc"
