// SPDX-License-Identifier: MIT
// The entry window as drawn: every control's place, text, font and colours as
// they come out of the style. What it shares with the result window, and its
// focus order, are tests/chrome's.
#include "EntryFixture.h"
#include "common/Design.h"
#include "common/Layout.h"
#include "common/Pixels.h"
#include "common/WindowChecks.h"
#include "links/modHelp.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <map>

namespace {

// The design's Verdana, or DejaVu Sans where Verdana is not installed.
QString designFamily()
{
    return QFontDatabase::families().contains(QStringLiteral("Verdana")) ? QStringLiteral("Verdana")
                                                                          : QStringLiteral("DejaVu Sans");
}

struct ControlDesign
{
    QString container;
    int left = 0, top = 0, width = 0, height = 0; // twips
    QString text;                                 // null: no text to check
    int fontPixels = 0;                           // 0: no font of its own
    bool bold = false;
    bool underline = false;
    QColor foreground;                            // invalid: not checked
    QColor background;                            // Qt::transparent: paints none
    bool selfSizing = false;
    bool wraps = false;
    Qt::Alignment alignment = {};                 // labels only
};

const QColor Transparent(Qt::transparent);
// Never used by the design, so a pixel left in it was not painted.
const QColor Unpainted(1, 2, 3);

const QString ExplanationText = QStringLiteral(
    "Amorial describes your characteristics based on the placement of Venus in your birth chart. Venus is a planet "
    "which is considered to be the planet of Love. This sign describes your romantic and sensual nature and how you "
    "deal with the different relationships in your life.");

std::map<QString, ControlDesign> designTable()
{
    const QColor systemFace = QApplication::palette().color(QPalette::Button);
    const QColor systemButtonText = QApplication::palette().color(QPalette::ButtonText);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;
    const QString window = QStringLiteral("centralwidget");
    return {
        {"Frame2", {window, 0, 0, 7260, 615, {}, 0, false, false, {}, DarkGrey}},
        {"Label61", {"Frame2", 240, 120, 6840, 435, modHelp::DiscussionBoardBanner(), 12, true, true, Magenta,
                     Transparent, false, true, centred}},
        {"Frame1", {window, 0, 600, 7260, 3735, {}, 0, false, false, {}, Teal}},
        {"Label3", {"Frame1", 263, 240, 6735, 975, ExplanationText, 11, true, false, Orange, Transparent, false,
                    true, centred}},
        {"Picture1", {"Frame1", 600, 1320, 6015, 1575, {}, 0, false, false, {}, Teal}},
        {"Label1", {"Picture1", 240, 330, 555, 195, "Name", 11, true, true, White, Transparent, true, false, left}},
        {"txtName", {"Picture1", 1680, 240, 3735, 375, "", 11, true, false, Cyan, Teal}},
        {"Label2", {"Picture1", 240, 1020, 1245, 195, "Date Of Birth", 11, true, true, White, Transparent, true,
                    false, left}},
        {"Label5", {"Picture1", 1920, 720, 405, 195, "Date", 11, false, true, White, Transparent, true, false, left}},
        {"Label7", {"Picture1", 3240, 720, 510, 195, "Month", 11, false, true, White, Transparent, true, false, left}},
        {"Label6", {"Picture1", 4680, 720, 390, 195, "Year", 11, false, true, White, Transparent, true, false, left}},
        {"cboDate", {"Picture1", 1680, 960, 900, 315, {}, 11, true, false, Cyan, Teal}},
        {"cboMonth", {"Picture1", 2760, 960, 1500, 315, {}, 11, true, false, Cyan, Teal}},
        {"cboYear", {"Picture1", 4440, 960, 1020, 315, {}, 11, true, false, Cyan, Teal}},
        {"cmdNext", {"Frame1", 600, 3000, 6015, 615, "Find My Zodiac &Love Sign", 12, true, false, systemButtonText,
                     ButtonGrey}},
        {"Frame5", {window, 0, 4320, 7260, 855, {}, 0, false, false, {}, DarkGrey}},
        {"lblFullBrand", {"Frame5", 120, 160, 5745, 615, FullBrandText, 11, true, true, Blue, systemFace, false, true,
                          left}},
        {"lblCobrand", {"Frame5", 120, 160, 5745, 615, CoBrandText, 11, true, true, Blue, systemFace, false, true,
                        left}},
        {"cmdExit", {"Frame5", 6000, 240, 1140, 465, "&Exit", 11, true, false, systemButtonText, ButtonGrey}},
    };
}

// The colour most of the control's own pixels come out in, children left out,
// drawn over a colour the design never uses.
QColor dominantOwnColour(QWidget *control)
{
    QImage image(control->size(), QImage::Format_ARGB32);
    image.fill(Unpainted);
    control->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb dominant = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            dominant = it.key();
        }
    }
    return QColor::fromRgba(dominant);
}

} // namespace

Q_DECLARE_METATYPE(ControlDesign)

class EntryLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlMatchesDesign_data();
    void controlMatchesDesign();
    void captionFitsItsControl_data();
    void captionFitsItsControl();
    void coBrandingShowsOneAmpersand();
    void onlyInputsAndButtonsTakeFocus();
    void exitIsTheDefaultButton();
    void listFieldAsDressed_data();
    void listFieldAsDressed();
    void focusShowsOnEveryControlThatTakesIt_data();
    void focusShowsOnEveryControlThatTakesIt();
    void buttonsAreRaisedAndSinkWhilePressed_data();
    void buttonsAreRaisedAndSinkWhilePressed();

private:
    frmMain &entry() { return *fixture_->entry; }
    std::optional<EntryFixture> fixture_;
};

void EntryLayoutTest::init()
{
    fixture_.emplace();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->entry));
}

void EntryLayoutTest::cleanup()
{
    tearDownEntryTest(fixture_);
}

void EntryLayoutTest::controlMatchesDesign_data()
{
    QTest::addColumn<ControlDesign>("design");
    for (const auto &[name, design] : designTable())
        QTest::newRow(qPrintable(name)) << design;
}

void EntryLayoutTest::controlMatchesDesign()
{
    QFETCH(ControlDesign, design);
    auto *control = entry().findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), design.container);
    control->ensurePolished();

    // Inside Picture1 places count from within its border.
    const QRect designed = twipsRect(design.left, design.top, design.width, design.height)
                               .translated(control->parentWidget()->contentsRect().topLeft());
    if (design.selfSizing) {
        QCOMPARE(control->pos(), designed.topLeft());
        QCOMPARE(control->size(), control->sizeHint());
    } else {
        QCOMPARE(control->geometry(), designed);
    }

    if (!design.text.isNull())
        QCOMPARE(shownText(control), design.text);

    if (design.fontPixels) {
        QCOMPARE(control->font().family(), designFamily());
        QCOMPARE(control->font().pixelSize(), design.fontPixels);
        QCOMPARE(control->font().bold(), design.bold);
        QCOMPARE(control->font().underline(), design.underline);
    }
    if (design.foreground.isValid())
        QCOMPARE(control->palette().color(control->foregroundRole()), design.foreground);
    const QColor background = dominantOwnColour(control);
    QCOMPARE(background, design.background == Transparent ? Unpainted : design.background);

    if (const auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->wordWrap(), design.wraps);
        QCOMPARE(label->alignment(), design.alignment);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    QVERIFY(control->isVisibleTo(&entry()));
    QVERIFY(control->isEnabled());
}

void EntryLayoutTest::captionFitsItsControl_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"Label61", "Label3", "Label1", "Label2", "Label5", "Label7", "Label6", "lblFullBrand",
                             "lblCobrand", "cmdNext", "cmdExit"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// DejaVu Sans stands in for Verdana here; the design still has to hold its texts.
void EntryLayoutTest::captionFitsItsControl()
{
    QFETCH(QString, name);
    auto *control = entry().findChild<QWidget *>(name);
    QVERIFY(control);
    const QRect room = control->contentsRect();
    constexpr int bevel = 6; // the frame a push button keeps on either side

    const QSize needed = captionNeeds(control, room.width(), 2 * bevel);
    QVERIFY2(needed.isValid(), "neither a label nor a push button");
    QVERIFY2(needed.width() <= room.width(), qPrintable(QString::number(needed.width())));
    QVERIFY2(needed.height() <= room.height(), qPrintable(QString::number(needed.height())));
}

void EntryLayoutTest::coBrandingShowsOneAmpersand()
{
    const QLabel *coBrand = control<QLabel>(&entry(), "lblCobrand");
    // Without a buddy a label shows its text as it stands, ampersands included.
    QVERIFY(!coBrand->buddy());
    QCOMPARE(coBrand->text().count(QLatin1Char('&')), 1);
    QVERIFY(coBrand->text().contains(QStringLiteral("site's name &  link here")));
}

void EntryLayoutTest::onlyInputsAndButtonsTakeFocus()
{
    const QStringList focusable = {"txtName", "cboDate", "cboMonth", "cboYear", "cmdNext", "cmdExit"};
    for (const auto &[name, design] : designTable()) {
        const auto *control = entry().findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->focusPolicy() == Qt::NoFocus, !focusable.contains(name));
    }
}

void EntryLayoutTest::exitIsTheDefaultButton()
{
    QVERIFY(control<QPushButton>(&entry(), "cmdExit")->isDefault());
    QVERIFY(!control<QPushButton>(&entry(), "cmdNext")->isDefault());
    QVERIFY(!control<QPushButton>(&entry(), "cmdNext")->autoDefault());
}

void EntryLayoutTest::listFieldAsDressed_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"cboDate", "cboMonth", "cboYear"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void EntryLayoutTest::listFieldAsDressed()
{
    QFETCH(QString, name);
    auto *list = entry().findChild<QComboBox *>(name);
    QVERIFY(list);
    QVERIFY(!list->isEditable());
    QVERIFY(!list->lineEdit());
    // The list is built, and dressed, only as the box first drops down or
    // changes its font; Qt 6.8 builds it earlier, whatever the dressing does.
    const auto builtLists = [list] {
        const QList<QWidget *> children = list->findChildren<QWidget *>();
        return std::count_if(children.begin(), children.end(), [](QWidget *child) { return child->isWindow(); });
    };
    QCOMPARE(builtLists(), QT_VERSION < QT_VERSION_CHECK(6, 8, 0) ? 0 : 1);
    // Its size follows its font, the dressed one and a later one, as that of a
    // box given the same style, colours, font and items the usual way does.
    QComboBox usual;
    usual.setStyle(list->style());
    usual.setPalette(list->palette());
    usual.setFont(list->font());
    for (int item = 0; item < list->count(); ++item)
        usual.addItem(list->itemText(item));
    QCOMPARE(list->sizeHint(), usual.sizeHint());
    const QSize dressed = list->sizeHint();
    const QFont dressedFont = list->font();
    QFont larger = dressedFont;
    larger.setPixelSize(24);
    list->setFont(larger);
    usual.setFont(larger);
    QVERIFY(list->sizeHint().width() > dressed.width());
    QCOMPARE(list->sizeHint(), usual.sizeHint());
    list->setFont(dressedFont);

    list->setCurrentIndex(list->count() - 1);
    list->showPopup();
    QAbstractItemView *view = list->view();
    QTRY_VERIFY(view->isVisible());
    QCOMPARE(builtLists(), 1);
    QVERIFY(view->window()->geometry().top() >= list->mapToGlobal(list->rect().bottomLeft()).y());
    QCOMPARE(view->window()->geometry().left(), list->mapToGlobal(QPoint(0, 0)).x());
    QCOMPARE(view->font().pixelSize(), list->font().pixelSize());
    QCOMPARE(view->font().bold(), list->font().bold());
    QCOMPARE(view->palette().color(QPalette::Text), Cyan);
    QCOMPARE(view->palette().color(QPalette::Base), Teal);
    QCOMPARE(view->window()->palette().color(QPalette::WindowText), QColor(Qt::black)); // the box around it
    list->hidePopup();
}

void EntryLayoutTest::focusShowsOnEveryControlThatTakesIt_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"txtName", "cboDate", "cboMonth", "cboYear", "cmdNext", "cmdExit"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void EntryLayoutTest::focusShowsOnEveryControlThatTakesIt()
{
    QFETCH(QString, name);
    frmMain &window = entry();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *focusable = window.findChild<QWidget *>(name);
    QVERIFY(focusable);
    QWidget *elsewhere = control<QPushButton>(&window, name == QLatin1String("cmdExit") ? "cmdNext" : "cmdExit");

    focusable->setFocus();
    QTRY_VERIFY(focusable->hasFocus());
    const QImage focused = focusable->grab().toImage();
    elsewhere->setFocus();
    QTRY_VERIFY(!focusable->hasFocus());
    const QImage unfocused = focusable->grab().toImage();

    int changed = 0;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            changed += focused.pixel(x, y) != unfocused.pixel(x, y);
    // More than a text cursor, at most two pixels wide, could account for.
    QVERIFY2(changed > 2 * focused.height(), qPrintable(QStringLiteral("%1 pixels change").arg(changed)));
}

void EntryLayoutTest::buttonsAreRaisedAndSinkWhilePressed_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("cmdNext") << "cmdNext";
    QTest::newRow("cmdExit") << "cmdExit";
}

void EntryLayoutTest::buttonsAreRaisedAndSinkWhilePressed()
{
    QFETCH(QString, name);
    auto *button = entry().findChild<QPushButton *>(name);
    QVERIFY(button);
    QVERIFY(!button->hasFocus());
    const auto brightness = [button](QPoint at) { return shownColour(button, pointFromEdges(button, at)).value(); };
    const QPoint topLeft(1, 1);
    const QPoint bottomRight(-2, -2);
    const int face = ButtonGrey.value();

    QVERIFY(brightness(topLeft) > face);
    QVERIFY(brightness(bottomRight) < face);
    button->setDown(true);
    QVERIFY(brightness(topLeft) < face);
    QVERIFY(brightness(bottomRight) > face);
    button->setDown(false);
}

QTEST_MAIN(EntryLayoutTest)
#include "tst_entrylayout.moc"
