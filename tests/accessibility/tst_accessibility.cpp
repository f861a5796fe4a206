// SPDX-License-Identifier: MIT
// What screen readers see of the three windows: each control's role, name and
// description and the labels that name the inputs (what pressing a link
// opens is tests/chrome's).
#include "common/Design.h"
#include "common/GuiFixture.h"

#include "about/frmAbout.h"
#include "entry/frmMain.h"
#include "result/frmDisplay.h"

#include <QAccessible>
#include <QTest>

namespace {

const QString OpensHome = QStringLiteral("Opens the maker's home page in your browser");
const QString OpensCoBrand = QStringLiteral("Opens the page about co-branding this software in your browser");
const QString OpensFullBrand =
    QStringLiteral("Opens the page about a fully branded copy of this software in your browser");

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void focusableControlsHaveNames_data();
    void focusableControlsHaveNames();
    void inputsAreLabelledByTheirLabels_data();
    void inputsAreLabelledByTheirLabels();
    void resultIsReadWhenTheWindowOpens();
    void windowsAreSharpAtScaleTwo_data();
    void windowsAreSharpAtScaleTwo();

private:
    void addWindowRows();

    GuiFixture fixture_;
    QHash<QString, QPointer<QWidget>> windows_; // by their names
};

void AccessibilityTest::init()
{
    fixture_.start();
    for (QWidget *window : std::initializer_list<QWidget *>{new frmMain, new frmDisplay, new frmAbout})
        windows_.insert(window->objectName(), window);
}

void AccessibilityTest::cleanup()
{
    fixture_.finish();
}

void AccessibilityTest::addWindowRows()
{
    QTest::addColumn<QString>("window");
    for (const char *name : {"frmMain", "frmDisplay", "frmAbout"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void AccessibilityTest::controls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    using A = QAccessible;
    auto row = [](const char *window, const char *control, A::Role role, const QString &name,
                  const QString &description = QString()) {
        QTest::addRow("%s %s", window, control) << window << control << int(role) << name << description;
    };
    // What the entry and result windows share.
    for (const char *window : {"frmMain", "frmDisplay"}) {
        row(window, "Label61", A::Link, BannerText, OpensHome);
        row(window, "cmdExit", A::PushButton, "Exit", "Ends the program");
        row(window, "lblCobrand", A::Link, CoBrandText, OpensCoBrand);
        row(window, "lblFullBrand", A::Link, FullBrandText, OpensFullBrand);
    }
    row("frmMain", "Label2", A::StaticText, "Date Of Birth");
    row("frmMain", "txtName", A::EditableText, "Name", "Your name, in letters and spaces");
    row("frmMain", "cboDate", A::ComboBox, "Day", "Day of birth");
    row("frmMain", "cboMonth", A::ComboBox, "Month", "Month of birth");
    row("frmMain", "cboYear", A::ComboBox, "Year", "Year of birth");
    row("frmMain", "cmdNext", A::PushButton, "Find My Zodiac Love Sign",
        "Shows the sign Venus stood in on the chosen date");

    row("frmDisplay", "Label7", A::StaticText, "Venus in Your Chart is Placed in");
    row("frmDisplay", "lblLoveSign", A::StaticText, "lblLoveSign", "Your Venus sign");
    row("frmDisplay", "cmdBack", A::PushButton, "Back", "Goes back to the entry window to look up another date");

    row("frmAbout", "picIcon", A::Graphic, "Amorial icon");
    row("frmAbout", "Label2", A::StaticText, WindowTitle);
    row("frmAbout", "lblHomePage", A::Link, HomePageInvitation, OpensHome);
    row("frmAbout", "Label5", A::Link, "Click here for more details", OpensFullBrand);
    row("frmAbout", "cmdOK", A::PushButton, "OK", "Closes this window");
}

void AccessibilityTest::controls()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);

    QWidget *widget = windows_.value(window)->findChild<QWidget *>(control);
    QAccessibleInterface *shown = QAccessible::queryAccessibleInterface(widget);

    QVERIFY(shown && shown->isValid());
    QCOMPARE(int(shown->role()), role);
    // On Linux Qt names a drop-down list by its current item and leaves the
    // list's label to the labelled-by relation.
    QCOMPARE(role == QAccessible::ComboBox ? widget->accessibleName() : shown->text(QAccessible::Name), name);
    QCOMPARE(shown->text(QAccessible::Description), description);
}

void AccessibilityTest::focusableControlsHaveNames_data()
{
    addWindowRows();
}

void AccessibilityTest::focusableControlsHaveNames()
{
    QFETCH(QString, window);
    QWidget *form = windows_.value(window);

    QStringList focusable;
    QStringList nameless;
    for (QWidget *control : form->findChildren<QWidget *>()) {
        // Drop-down lists keep their popups in windows of their own.
        if (control->window() != form || !(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(form))
            continue;
        focusable << control->objectName();
        if (QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty())
            nameless << control->objectName();
    }

    QVERIFY(!focusable.isEmpty());
    QCOMPARE(nameless, QStringList());
}

void AccessibilityTest::inputsAreLabelledByTheirLabels_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("label");
    QTest::newRow("txtName") << "txtName" << "Label1";
    QTest::newRow("cboDate") << "cboDate" << "Label5";
    QTest::newRow("cboMonth") << "cboMonth" << "Label7";
    QTest::newRow("cboYear") << "cboYear" << "Label6";
}

void AccessibilityTest::inputsAreLabelledByTheirLabels()
{
    QFETCH(QString, input);
    QFETCH(QString, label);
    QWidget *entry = windows_.value(QStringLiteral("frmMain"));
    QAccessibleInterface *inputShown = QAccessible::queryAccessibleInterface(entry->findChild<QWidget *>(input));
    QAccessibleInterface *labelShown = QAccessible::queryAccessibleInterface(entry->findChild<QWidget *>(label));

    // Each pair is the other interface and how it stands to the one asked.
    const auto labelsOfInput = inputShown->relations(QAccessible::Label);
    QCOMPARE(labelsOfInput.size(), 1);
    QCOMPARE(labelsOfInput.first().first, labelShown);
    const auto labelledByLabel = labelShown->relations(QAccessible::Labelled);
    QCOMPARE(labelledByLabel.size(), 1);
    QCOMPARE(labelledByLabel.first().first, inputShown);
}

void AccessibilityTest::resultIsReadWhenTheWindowOpens()
{
    auto *display = qobject_cast<frmDisplay *>(windows_.value(QStringLiteral("frmDisplay")));
    display->setResult(QStringLiteral("Gemini"), QStringLiteral("Quick and curious in love."));
    display->show();
    QVERIFY(QTest::qWaitForWindowActive(display));

    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(display);
    QCOMPARE(window->text(QAccessible::Name), WindowTitle);
    QCOMPARE(window->text(QAccessible::Description), QStringLiteral("Gemini. Quick and curious in love."));
}

void AccessibilityTest::windowsAreSharpAtScaleTwo_data()
{
    addWindowRows();
}

void AccessibilityTest::windowsAreSharpAtScaleTwo()
{
    if (qgetenv("QT_SCALE_FACTOR") != "2")
        QSKIP("Runs under QT_SCALE_FACTOR=2");
    QFETCH(QString, window);
    QWidget *form = windows_.value(window);

    const QPixmap shot = form->grab();

    QCOMPARE(shot.devicePixelRatio(), 2.0);
    QCOMPARE(shot.size(), form->size() * 2);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
