// SPDX-License-Identifier: MIT
// The result window as designed: every control's place, text, font and
// colours. What it shares with the entry window, and its focus order, are
// tests/chrome's.
#include "common/Design.h"
#include "common/Fakes.h"
#include "common/Layout.h"
#include "common/Pixels.h"
#include "common/WindowChecks.h"

#include "links/modHelp.h"
#include "result/frmDisplay.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QString CancerParagraph = QStringLiteral(
    "You are very sensitive by nature and tend to get easily hurt in relationships. You are very compassionate "
    "and are usually the nurturing part of the relationship. You would like your partner to express his/ her "
    "love. You need to be less sensitive and less emotionally demanding if you want your relationship to work "
    "out.");

} // namespace

class TestResultWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void colours_data();
    void colours();

private:
    QWidget *widgetNamed(const char *name) const { return ::control<QWidget>(display, name); }

    std::unique_ptr<FakeSeams> seams;
    QPointer<frmDisplay> display;
};

void TestResultWindowLayout::init()
{
    seams = std::make_unique<FakeSeams>();
    display = new frmDisplay;
    display->show();
    QVERIFY(QTest::qWaitForWindowExposed(display));
}

void TestResultWindowLayout::cleanup()
{
    destroyLeftoverWindows();
    QCOMPARE(visibleTopLevelWindows(), QStringList());
    seams.reset();
}

void TestResultWindowLayout::controls_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("selfSizing");

    const QString window = QStringLiteral("centralwidget");
    // clang-format off
    QTest::newRow("Frame2")       << window << QRect(0, 0, 7215, 615) << QString() << 0 << false << false << false << 0 << false;
    QTest::newRow("Label61")      << "Frame2" << QRect(105, 120, 6960, 465) << modHelp::DiscussionBoardBanner() << 12 << true << true << true << Centred << false;
    QTest::newRow("fraLoveSign")  << window << QRect(0, 600, 7215, 3255) << "Zodiac Love Sign" << 12 << true << false << false << 0 << false;
    QTest::newRow("Label6")       << "fraLoveSign" << QRect(1785, 480, 3750, 210) << "Venus is known as the Planet of  Love" << 12 << true << false << false << LeftTop << true;
    QTest::newRow("Label7")       << "fraLoveSign" << QRect(2048, 960, 3165, 210) << "Venus in Your Chart is Placed in" << 12 << true << false << false << LeftTop << true;
    QTest::newRow("lblLoveSign")  << "fraLoveSign" << QRect(3053, 1320, 1155, 210) << "lblLoveSign" << 12 << true << false << false << Centred << true;
    QTest::newRow("lblSignDesc")  << "fraLoveSign" << QRect(120, 1800, 6975, 1215) << CancerParagraph << 11 << true << false << true << Centred << false;
    QTest::newRow("cmdBack")      << window << QRect(0, 3960, 5895, 465) << "&Back" << 11 << true << false << false << 0 << false;
    QTest::newRow("cmdExit")      << window << QRect(6000, 3960, 1215, 465) << "&Exit" << 11 << true << false << false << 0 << false;
    QTest::newRow("Frame5")       << window << QRect(0, 4440, 7215, 855) << QString() << 0 << false << false << false << 0 << false;
    QTest::newRow("lblCobrand")   << "Frame5" << QRect(120, 160, 6945, 615) << CoBrandText << 11 << true << true << true << Centred << false;
    QTest::newRow("lblFullBrand") << "Frame5" << QRect(120, 165, 6945, 615) << FullBrandText << 11 << true << true << true << Centred << false;
    // clang-format on
}

void TestResultWindowLayout::controls()
{
    QFETCH(QString, parent);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(int, fontPixels);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    QFETCH(bool, wordWrap);
    QFETCH(int, alignment);
    QFETCH(bool, selfSizing);

    QWidget *widget = widgetNamed(QTest::currentDataTag());
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QVERIFY(widget->isVisible());
    QCOMPARE(widget->focusPolicy() == Qt::NoFocus, !qobject_cast<QPushButton *>(widget));

    const QRect designed = twipsRect(twips);
    QCOMPARE(widget->pos(), designed.topLeft());
    if (selfSizing)
        QCOMPARE(widget->size(), widget->sizeHint());
    else
        QCOMPARE(widget->size(), designed.size());

    QCOMPARE(shownText(widget), text);
    if (fontPixels == 0)
        return;
    QCOMPARE(widget->font().pixelSize(), fontPixels);
    QCOMPARE(widget->font().bold(), bold);
    QCOMPARE(widget->font().underline(), underline);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->wordWrap(), wordWrap);
        QCOMPARE(int(label->alignment()), alignment);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        // Without a buddy an ampersand is shown as it stands.
        QVERIFY(!label->buddy());
        QVERIFY2(captionFits(label), "the text does not fit its label");
    } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QVERIFY2(captionFits(button), "the caption does not fit its button");
    } else {
        QVERIFY(QFontMetrics(widget->font()).horizontalAdvance(text) < widget->width());
    }
}

void TestResultWindowLayout::colours_data()
{
    QTest::addColumn<QColor>("textColour");
    QTest::addColumn<QPoint>("backgroundAt"); // from the bottom-right corner when negative
    QTest::addColumn<QColor>("background");

    const QColor buttonText = QApplication::palette().color(QPalette::ButtonText);
    const QColor face = QApplication::palette().color(QPalette::Button);
    const QColor none;
    // clang-format off
    QTest::newRow("centralwidget") << none << QPoint(482, 100) << Teal;
    QTest::newRow("Frame2")        << none << QPoint(1, 1) << DarkGrey;
    QTest::newRow("Label61")       << Magenta << QPoint(-1, 0) << DarkGrey;
    QTest::newRow("fraLoveSign")   << Cyan << QPoint(1, -2) << Teal;
    QTest::newRow("Label6")        << Cyan << QPoint(-1, 0) << Teal;
    QTest::newRow("Label7")        << Cyan << QPoint(-1, 0) << Teal;
    QTest::newRow("lblLoveSign")   << White << QPoint(-1, 0) << Teal;
    QTest::newRow("lblSignDesc")   << White << QPoint(-1, -1) << Teal;
    QTest::newRow("cmdBack")       << buttonText << QPoint(4, 4) << ButtonGrey;
    QTest::newRow("cmdExit")       << buttonText << QPoint(4, 4) << ButtonGrey;
    QTest::newRow("Frame5")        << none << QPoint(1, 1) << DarkGrey;
    QTest::newRow("lblCobrand")    << Blue << QPoint(-1, 0) << face;
    QTest::newRow("lblFullBrand")  << Blue << QPoint(-1, 0) << face;
    // clang-format on
}

void TestResultWindowLayout::colours()
{
    QFETCH(QColor, textColour);
    QFETCH(QPoint, backgroundAt);
    QFETCH(QColor, background);

    QWidget *widget = widgetNamed(QTest::currentDataTag());
    QVERIFY(widget);
    // The label behind its twin is brought forward to be seen.
    if (widget->objectName() == QLatin1String("lblFullBrand"))
        widget->raise();

    QCOMPARE(shownColour(widget, pointFromEdges(widget, backgroundAt)), background);

    if (textColour.isValid()) {
        // Bold text always has pixels drawn in the full text colour.
        const QRect area = qobject_cast<QGroupBox *>(widget) ? QRect(0, 0, widget->width(), 16) : widget->rect();
        QVERIFY2(pixelsOfColour(widget, area, textColour) > 10, "no text drawn in the expected colour");
    }
}

QTEST_MAIN(TestResultWindowLayout)
#include "tst_frmdisplay_layout.moc"
