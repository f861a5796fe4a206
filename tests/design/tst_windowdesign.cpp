// SPDX-License-Identifier: MIT
// The three windows as designed, from one table: every control's container,
// place, text, font, focus and colours as they come out of the style.
#include "common/Design.h"
#include "common/GuiFixture.h"
#include "common/Layout.h"
#include "common/Pixels.h"

#include "about/frmAbout.h"
#include "app/modMain.h"
#include "entry/frmMain.h"
#include "result/frmDisplay.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace {

const QString ExplanationText = QStringLiteral(
    "Amorial describes your characteristics based on the placement of Venus in your birth chart. Venus is a planet "
    "which is considered to be the planet of Love. This sign describes your romantic and sensual nature and how you "
    "deal with the different relationships in your life.");
const QString CancerParagraph = QStringLiteral(
    "You are very sensitive by nature and tend to get easily hurt in relationships. You are very compassionate "
    "and are usually the nurturing part of the relationship. You would like your partner to express his/ her "
    "love. You need to be less sensitive and less emotionally demanding if you want your relationship to work "
    "out.");
const QString AboutText = QStringLiteral(
    "Amorial describes the placement of Venus in your birth chart. This planet is also known as the Planet of "
    "Love. This sign shows how you express your self in your romantic relationships and marriage. This also "
    "describes your sense of beauty, aesthetics and outlook towards the creative arts.");
const QString BusinessText = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this software fully "
    "branded for your website.");

// The design's Verdana, or DejaVu Sans where Verdana is not installed.
QString designFamily()
{
    return QFontDatabase::families().contains(QStringLiteral("Verdana")) ? QStringLiteral("Verdana")
                                                                          : QStringLiteral("DejaVu Sans");
}

struct Font
{
    int pixels = 0; // 0: the control has no font of its own to check
    bool bold = false;
    bool underline = false;
};
constexpr Font NoFont;
constexpr Font Regular11{11, false, false};
constexpr Font Underlined11{11, false, true};
constexpr Font Bold11{11, true, false};
constexpr Font BoldUnderlined11{11, true, true};
constexpr Font Bold12{12, true, false};
constexpr Font BoldUnderlined12{12, true, true};

// How a label lays out its text: None is on one line, left-aligned, in the
// size the design gives it; self-sizing labels take the size of their text.
// Controls other than labels take None.
enum Text { None, Wraps, SelfSizing, SelfSizingCentred, CentredWrap };

// Where the background is read as the colour most of the control's own pixels
// come out in, children left out, drawn over a colour the design never uses:
// Qt::transparent there means the control paints none.
const QPoint Own(INT_MAX, INT_MAX);
const QColor Transparent(Qt::transparent);
const QColor Unpainted(1, 2, 3);

QColor dominantOwnColour(QWidget *control)
{
    QImage image(control->size(), QImage::Format_ARGB32);
    image.fill(Unpainted);
    control->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    const auto most = std::max_element(counts.cbegin(), counts.cend());
    const QColor dominant = QColor::fromRgba(most.key());
    return dominant == Unpainted ? Transparent : dominant;
}

} // namespace

Q_DECLARE_METATYPE(Font)
Q_DECLARE_METATYPE(Text)

class WindowDesignTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlAsDesigned_data();
    void controlAsDesigned();

private:
    GuiFixture fixture_;
};

void WindowDesignTest::init()
{
    fixture_.start();
}

void WindowDesignTest::cleanup()
{
    fixture_.finish();
}

void WindowDesignTest::controlAsDesigned_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");  // null: not checked
    QTest::addColumn<QRect>("twips");        // invalid: not checked; inside a frame from within its border
    QTest::addColumn<QString>("text");       // null: not checked
    QTest::addColumn<Font>("font");
    QTest::addColumn<Text>("layout");
    QTest::addColumn<QColor>("foreground"); // invalid: not checked
    QTest::addColumn<QPoint>("at");         // where the background shows; from the right or bottom when negative
    QTest::addColumn<QColor>("background"); // the colour shown there

    const QColor face = QApplication::palette().color(QPalette::Button);
    const QColor buttonText = QApplication::palette().color(QPalette::ButtonText);
    const QColor base = QApplication::palette().color(QPalette::Base);
    const QColor none;
    const QString central = QStringLiteral("centralwidget");
    const auto row = [](const char *window, const char *name, const char *tag = nullptr) -> QTestData & {
        return QTest::addRow("%s %s", window, tag ? tag : name) << QString::fromLatin1(window)
                                                                  << QString::fromLatin1(name);
    };
    const QPoint rightTop(-1, 0);
    const QPoint rightBottom(-1, -1);
    const QPoint inside(4, 4);

    // clang-format off
    row("frmMain", "Frame2")       << central << QRect(0, 0, 7260, 615) << QString() << NoFont << None << none << Own << DarkGrey;
    row("frmMain", "Label61")      << "Frame2" << QRect(240, 120, 6840, 435) << BannerText << BoldUnderlined12 << CentredWrap << Magenta << Own << Transparent;
    row("frmMain", "Frame1")       << central << QRect(0, 600, 7260, 3735) << QString() << NoFont << None << none << Own << Teal;
    row("frmMain", "Label3")       << "Frame1" << QRect(263, 240, 6735, 975) << ExplanationText << Bold11 << CentredWrap << Orange << Own << Transparent;
    row("frmMain", "Picture1")     << "Frame1" << QRect(600, 1320, 6015, 1575) << QString() << NoFont << None << none << Own << Teal;
    row("frmMain", "Label1")       << "Picture1" << QRect(240, 330, 555, 195) << "Name" << BoldUnderlined11 << SelfSizing << White << Own << Transparent;
    row("frmMain", "txtName")      << "Picture1" << QRect(1680, 240, 3735, 375) << "" << Bold11 << None << Cyan << Own << Teal;
    row("frmMain", "Label2")       << "Picture1" << QRect(240, 1020, 1245, 195) << "Date Of Birth" << BoldUnderlined11 << SelfSizing << White << Own << Transparent;
    row("frmMain", "Label5")       << "Picture1" << QRect(1920, 720, 405, 195) << "Date" << Underlined11 << SelfSizing << White << Own << Transparent;
    row("frmMain", "Label7")       << "Picture1" << QRect(3240, 720, 510, 195) << "Month" << Underlined11 << SelfSizing << White << Own << Transparent;
    row("frmMain", "Label6")       << "Picture1" << QRect(4680, 720, 390, 195) << "Year" << Underlined11 << SelfSizing << White << Own << Transparent;
    row("frmMain", "cboDate")      << "Picture1" << QRect(1680, 960, 900, 315) << QString() << Bold11 << None << Cyan << Own << Teal;
    row("frmMain", "cboMonth")     << "Picture1" << QRect(2760, 960, 1500, 315) << QString() << Bold11 << None << Cyan << Own << Teal;
    row("frmMain", "cboYear")      << "Picture1" << QRect(4440, 960, 1020, 315) << QString() << Bold11 << None << Cyan << Own << Teal;
    row("frmMain", "cmdNext")      << "Frame1" << QRect(600, 3000, 6015, 615) << "Find My Zodiac &Love Sign" << Bold12 << None << buttonText << Own << ButtonGrey;
    row("frmMain", "Frame5")       << central << QRect(0, 4320, 7260, 855) << QString() << NoFont << None << none << Own << DarkGrey;
    row("frmMain", "lblFullBrand") << "Frame5" << QRect(120, 160, 5745, 615) << FullBrandText << BoldUnderlined11 << Wraps << Blue << Own << face;
    row("frmMain", "lblCobrand")   << "Frame5" << QRect(120, 160, 5745, 615) << CoBrandText << BoldUnderlined11 << Wraps << Blue << Own << face;
    row("frmMain", "cmdExit")      << "Frame5" << QRect(6000, 240, 1140, 465) << "&Exit" << Bold11 << None << buttonText << Own << ButtonGrey;

    row("frmDisplay", "centralwidget") << QString() << QRect() << QString() << NoFont << None << none << QPoint(482, 100) << Teal;
    row("frmDisplay", "Frame2")       << central << QRect(0, 0, 7215, 615) << QString() << NoFont << None << none << QPoint(1, 1) << DarkGrey;
    row("frmDisplay", "Label61")      << "Frame2" << QRect(105, 120, 6960, 465) << BannerText << BoldUnderlined12 << CentredWrap << Magenta << rightTop << DarkGrey;
    row("frmDisplay", "fraLoveSign")  << central << QRect(0, 600, 7215, 3255) << "Zodiac Love Sign" << Bold12 << None << Cyan << QPoint(1, -2) << Teal;
    row("frmDisplay", "Label6")       << "fraLoveSign" << QRect(1785, 480, 3750, 210) << "Venus is known as the Planet of  Love" << Bold12 << SelfSizing << Cyan << rightTop << Teal;
    row("frmDisplay", "Label7")       << "fraLoveSign" << QRect(2048, 960, 3165, 210) << "Venus in Your Chart is Placed in" << Bold12 << SelfSizing << Cyan << rightTop << Teal;
    row("frmDisplay", "lblLoveSign")  << "fraLoveSign" << QRect(3053, 1320, 1155, 210) << "lblLoveSign" << Bold12 << SelfSizingCentred << White << rightTop << Teal;
    row("frmDisplay", "lblSignDesc")  << "fraLoveSign" << QRect(120, 1800, 6975, 1215) << CancerParagraph << Bold11 << CentredWrap << White << rightBottom << Teal;
    row("frmDisplay", "cmdBack")      << central << QRect(0, 3960, 5895, 465) << "&Back" << Bold11 << None << buttonText << inside << ButtonGrey;
    row("frmDisplay", "cmdExit")      << central << QRect(6000, 3960, 1215, 465) << "&Exit" << Bold11 << None << buttonText << inside << ButtonGrey;
    row("frmDisplay", "Frame5")       << central << QRect(0, 4440, 7215, 855) << QString() << NoFont << None << none << QPoint(1, 1) << DarkGrey;
    row("frmDisplay", "lblCobrand")   << "Frame5" << QRect(120, 160, 6945, 615) << CoBrandText << BoldUnderlined11 << CentredWrap << Blue << rightTop << face;
    row("frmDisplay", "lblFullBrand") << "Frame5" << QRect(120, 165, 6945, 615) << FullBrandText << BoldUnderlined11 << CentredWrap << Blue << rightTop << face;

    row("frmAbout", "frmAbout")       << QString() << QRect() << QString() << NoFont << None << none << QPoint(2, -2) << Teal;
    row("frmAbout", "picIcon")        << "frmAbout" << QRect(150, 150, 510, 510) << QString() << NoFont << None << none << QPoint(0, 0) << QColor(Qt::black);
    row("frmAbout", "picIcon", "picIcon inside") << "frmAbout" << QRect(150, 150, 510, 510) << QString() << NoFont << None << none << QPoint(1, 1) << base;
    row("frmAbout", "Label2")         << "frmAbout" << QRect(960, 300, 2895, 240) << WindowTitle << Font{13, true, false} << SelfSizing << none << rightTop << Teal;
    row("frmAbout", "Label1")         << "frmAbout" << QRect(210, 750, 6105, 1215) << AboutText << Regular11 << Wraps << none << rightBottom << Teal;
    row("frmAbout", "lblHomePage")    << "frmAbout" << QRect(1560, 2040, 4650, 195) << HomePageInvitation << BoldUnderlined11 << SelfSizing << none << rightTop << Teal;
    row("frmAbout", "Label6")         << "frmAbout" << QRect(240, 2400, 5775, 675) << BusinessText << Bold11 << Wraps << none << rightBottom << Teal;
    row("frmAbout", "Label5")         << "frmAbout" << QRect(3600, 3120, 2610, 195) << "Click here for more details" << BoldUnderlined11 << SelfSizing << none << rightTop << Teal;
    row("frmAbout", "Line2")          << "frmAbout" << QRect(-60, 3360, 6420, 15) << QString() << NoFont << None << none << QPoint(4, 0) << Cyan;
    row("frmAbout", "Line2", "Line2 right end") << "frmAbout" << QRect(-60, 3360, 6420, 15) << QString() << NoFont << None << none << QPoint(-5, 0) << Cyan;
    row("frmAbout", "cmdOK")          << "frmAbout" << QRect(4950, 3480, 1260, 345) << "&OK" << Bold11 << None << none << inside << ButtonGrey;
    // clang-format on
}

void WindowDesignTest::controlAsDesigned()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(Font, font);
    QFETCH(Text, layout);
    QFETCH(QColor, foreground);
    QFETCH(QPoint, at);
    QFETCH(QColor, background);

    QWidget *shown = window == QLatin1String("frmMain")      ? static_cast<QWidget *>(modMain::LoadEntryWindow())
                     : window == QLatin1String("frmDisplay") ? static_cast<QWidget *>(new frmDisplay)
                                                             : static_cast<QWidget *>(new frmAbout);
    fixture_.show(shown);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QWidget *control = name == shown->objectName() ? shown : shown->findChild<QWidget *>(name);
    QVERIFY(control);
    control->ensurePolished();

    if (!container.isNull()) {
        QCOMPARE(control->parentWidget()->objectName(), container);
        QVERIFY(control->isVisible());
        QVERIFY(control->isEnabled());
        // Only inputs and buttons take the focus.
        const bool input = qobject_cast<QPushButton *>(control) || qobject_cast<QLineEdit *>(control)
                           || qobject_cast<QComboBox *>(control);
        QCOMPARE(control->focusPolicy() == Qt::NoFocus, !input);
    }
    if (twips.isValid()) {
        const QRect designed = twipsRect(twips).translated(control->parentWidget()->contentsRect().topLeft());
        const bool selfSizing = layout == SelfSizing || layout == SelfSizingCentred;
        QCOMPARE(control->pos(), designed.topLeft());
        QCOMPARE(control->size(), selfSizing ? control->sizeHint() : designed.size());
    }
    if (!text.isNull())
        QCOMPARE(shownText(control), text);
    if (font.pixels) {
        QCOMPARE(control->font().family(), designFamily());
        QCOMPARE(control->font().pixelSize(), font.pixels);
        QCOMPARE(control->font().bold(), font.bold);
        QCOMPARE(control->font().underline(), font.underline);
    }

    if (auto *label = qobject_cast<QLabel *>(control); label && font.pixels) {
        const bool centred = layout == CentredWrap || layout == SelfSizingCentred;
        QCOMPARE(label->wordWrap(), layout == Wraps || layout == CentredWrap);
        QCOMPARE(int(label->alignment()), centred ? Centred : LeftTop);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        // Without a buddy a label shows an ampersand as it stands.
        if (text.contains(QLatin1Char('&')))
            QVERIFY(!label->buddy());
    }
    // The design holds its texts, in Verdana as in the DejaVu Sans that stands in for it.
    if (!text.isEmpty() && (qobject_cast<QLabel *>(control) || qobject_cast<QPushButton *>(control))) {
        // A push button keeps six pixels to either side for its frame, five above and below.
        const QSize frame = qobject_cast<QPushButton *>(control) ? QSize(2 * 6, 2 * 5) : QSize(0, 0);
        const QRect room = control->contentsRect();
        const QSize needed = captionNeeds(control, room.width(), 0) + frame;
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(QStringLiteral("the caption needs %1x%2").arg(needed.width()).arg(needed.height())));
    } else if (qobject_cast<QGroupBox *>(control)) {
        QVERIFY(QFontMetrics(control->font()).horizontalAdvance(text) < control->width());
    }

    // A label that lies over its twin is brought forward to be seen.
    control->raise();
    QCOMPARE(at == Own ? dominantOwnColour(control) : shownColour(control, pointFromEdges(control, at)), background);
    if (foreground.isValid()) {
        QCOMPARE(control->palette().color(control->foregroundRole()), foreground);
        // Bold text always has pixels drawn in the full text colour.
        if (font.bold && !text.isEmpty()) {
            const QRect area = qobject_cast<QGroupBox *>(control) ? QRect(0, 0, control->width(), 16)
                                                                 : control->rect();
            QVERIFY2(pixelsOfColour(control, area, foreground) > 10, "no text drawn in the expected colour");
        }
    }
}

QTEST_MAIN(WindowDesignTest)
#include "tst_windowdesign.moc"
