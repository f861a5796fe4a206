// SPDX-License-Identifier: MIT
#include "entry/frmMain.h"

#include "about/frmAbout.h"
#include "app/AppInfo.h"
#include "app/ClassicStyle.h"
#include "app/DialogKeys.h"
#include "app/LabelClick.h"
#include "app/modMain.h"
#include "app/Platform.h"
#include "app/ScreenCentre.h"
#include "links/modHelp.h"
#include "lookup/modPlanetSign.h"
#include "resources/Artwork.h"
#include "result/frmDisplay.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QTimer>
#include <QValidator>

#include <optional>

namespace {

QPointer<frmMain> loadedEntry;

constexpr int FirstYear = 1930;
constexpr int LastYear = 2012;
const QStringList MonthNames = {
    QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
};

// List positions, counted from 0.
constexpr int February = 1;
constexpr int Day29 = 28;
constexpr int Day30 = 29;
constexpr int Day31 = 30;

constexpr char16_t Backspace = 8;
constexpr char16_t Enter = 13;
constexpr char16_t Space = 32;

const QString OnlyLetters = QStringLiteral("Please Enter only Letters");
const QString EnterYourName = QStringLiteral("Please Enter Your Name");
const QString WrongFebruaryDay = QStringLiteral("Please Enter Correct Date Or Month!");
const QString WrongThirtyDayMonthDay = QStringLiteral("Please Enter Correct Date Or Month !");

const QColor Teal(0, 64, 64);
const QColor DarkGrey(64, 64, 64);
const QColor ButtonGrey(128, 128, 128);
const QColor Cyan(0, 255, 255);
const QColor White(255, 255, 255);
const QColor Magenta(255, 0, 255);
const QColor Orange(255, 128, 0);
const QColor Blue(0, 0, 255);
const QColor Black(0, 0, 0);

// Verdana at a pixel size, as the design has it.
QFont verdana(int pixels, bool bold, bool underline = false)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void fillWith(QWidget *widget, const QColor &colour)
{
    setColour(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

void styleText(QWidget *widget, const QFont &font, const QColor &colour)
{
    widget->setFont(font);
    setColour(widget, widget->foregroundRole(), colour);
}

// Text straight on whatever lies behind the label.
void styleCaption(QLabel *label, const QFont &font, const QColor &colour)
{
    styleText(label, font, colour);
    setColour(label, QPalette::Window, Qt::transparent);
}

// Cyan bold text on teal.
void styleField(QWidget *field, ClassicStyle *style)
{
    // Before the font: a combo box builds its list then, by the style it has.
    field->setStyle(style);
    QPalette palette = field->palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, Cyan);
    palette.setColor(QPalette::Base, Teal);
    field->setPalette(palette);
    field->setFont(verdana(11, true));
}

// The list a combo box drops down takes the field's font and colours, the
// current item reversed, in a black box, its scroll bar in the usual colours.
void styleList(QComboBox *field)
{
    setColour(field, QPalette::Highlight, Cyan);
    setColour(field, QPalette::HighlightedText, Teal);
    QWidget *list = field->view()->window();
    setColour(list, QPalette::WindowText, Black);
    setColour(list, QPalette::ButtonText, QApplication::palette().color(QPalette::ButtonText));
}

void tell(const QString &message)
{
    modMain::ignoreErrors([&message] { platform::messageBoxes().information(message); });
}

QStringList numbers(int first, int last)
{
    QStringList texts;
    texts.reserve(last - first + 1);
    for (int number = first; number <= last; ++number)
        texts.append(QString::number(number));
    return texts;
}

bool isThirtyDayMonth(int monthPosition)
{
    return monthPosition == 3 || monthPosition == 5 || monthPosition == 8 || monthPosition == 10;
}

// Keys held with Alt or Meta (and not Ctrl) are commands, not typing.
bool heldWithAltOrMeta(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    return (modifiers & (Qt::AltModifier | Qt::MetaModifier)) && !(modifiers & Qt::ControlModifier);
}

// The 16-bit code of the character a key types, 0 when it types none. Ctrl with
// a letter types the control character 1 to 26 whatever text the event carries.
char16_t typedCharacter(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return 0; // Focus moves, the cancel button or editing: nothing is typed.
    default:
        break;
    }
    if ((key.modifiers() & Qt::ControlModifier) && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
        return char16_t(key.key() - Qt::Key_A + 1);
    const QString text = key.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

// What the name box keeps of a character that arrives other than by a typed
// key (paste, drop, input method): what typing would have put there.
std::optional<QChar> nameCharacter(QChar character)
{
    const char16_t code = character.unicode();
    if ((code >= u'A' && code <= u'Z') || code == Space)
        return character;
    if (code >= u'a' && code <= u'z')
        return QChar(char16_t(code - 32));
    return std::nullopt;
}

class NameCharacters : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &position) const override
    {
        QString kept;
        int keptBeforeCursor = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (const std::optional<QChar> character = nameCharacter(input.at(i))) {
                kept.append(*character);
                if (i < position)
                    ++keptBeforeCursor;
            }
        }
        input = kept;
        position = keptBeforeCursor;
        return Acceptable;
    }
};

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    ui.setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    loadedEntry = this;
    applyDesign();
    connectHandlers();
    modMain::trackLoadedForm(this);
    Form_Load();
}

frmMain::~frmMain()
{
    modMain::untrackLoadedForm(this);
}

frmMain *frmMain::loaded()
{
    return loadedEntry;
}

void frmMain::applyDesign()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(appinfo::WindowTitle);
    setWindowIcon(artwork::programIcon());

    ui.Label61->setText(modHelp::DiscussionBoardBanner());
    ui.Label61->setCursor(artwork::handCursor());
    ui.lblFullBrand->setCursor(artwork::handCursor());
    ui.lblCobrand->setCursor(artwork::monochromeHandCursor());

    ui.txtName->installEventFilter(this);
    ui.txtName->setValidator(new NameCharacters(ui.txtName));
    new DialogKeys(this, ui.cmdExit, ui.cmdExit);

    applyColoursAndFonts();
    for (QLabel *label : {ui.Label1, ui.Label2, ui.Label5, ui.Label7, ui.Label6})
        label->adjustSize();

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui.txtName->setFocus();
}

void frmMain::applyColoursAndFonts()
{
    fillWith(ui.centralwidget, Teal);
    fillWith(ui.Frame1, Teal);
    fillWith(ui.Picture1, Teal);
    setColour(ui.Picture1, QPalette::WindowText, Black);
    fillWith(ui.Frame2, DarkGrey);
    fillWith(ui.Frame5, DarkGrey);

    styleCaption(ui.Label61, verdana(12, true, true), Magenta);
    styleCaption(ui.Label3, verdana(11, true), Orange);
    for (QLabel *label : {ui.Label1, ui.Label2})
        styleCaption(label, verdana(11, true, true), White);
    for (QLabel *label : {ui.Label5, ui.Label7, ui.Label6})
        styleCaption(label, verdana(11, false, true), White);
    for (QLabel *promotion : {ui.lblFullBrand, ui.lblCobrand}) {
        promotion->setBackgroundRole(QPalette::Button);
        promotion->setForegroundRole(QPalette::WindowText);
        promotion->setAutoFillBackground(true);
        styleText(promotion, verdana(11, true, true), Blue);
    }

    auto *classic = new ClassicStyle;
    classic->setParent(this);
    styleField(ui.txtName, classic);
    for (QComboBox *field : {ui.cboDate, ui.cboMonth, ui.cboYear}) {
        styleField(field, classic);
        styleList(field);
    }
    ui.cmdNext->setFont(verdana(12, true));
    ui.cmdExit->setFont(verdana(11, true));
    for (QPushButton *button : {ui.cmdNext, ui.cmdExit}) {
        setColour(button, QPalette::Button, ButtonGrey);
        button->setStyle(classic);
    }
}

void frmMain::connectHandlers()
{
    connect(ui.cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(ui.cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(ui.mnuFindLoveSign, &QAction::triggered, this, &frmMain::mnuFindLoveSign_Click);
    connect(ui.mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(ui.mnuOnline, &QAction::triggered, this, &frmMain::mnuOnline_Click);
    connect(ui.mnuVisit, &QAction::triggered, this, &frmMain::mnuVisit_Click);
    connect(ui.mnuUpdate, &QAction::triggered, this, &frmMain::mnuUpdate_Click);
    connect(ui.mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(ui.mnuDonate, &QAction::triggered, this, &frmMain::mnuDonate_Click);
    connect(ui.mnuMakeMoneyOnline, &QAction::triggered, this, &frmMain::mnuMakeMoneyOnline_Click);
    connect(new LabelClick(ui.Label61), &LabelClick::clicked, this, &frmMain::Label61_Click);
    connect(new LabelClick(ui.lblCobrand), &LabelClick::clicked, this, &frmMain::lblCobrand_Click);
    connect(new LabelClick(ui.lblFullBrand), &LabelClick::clicked, this, &frmMain::lblFullBrand_Click);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.txtName && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride))
        return filterNameKey(static_cast<QKeyEvent *>(event));
    if (watched == ui.txtName && event->type() == QEvent::InputMethod)
        filterComposedText(static_cast<QInputMethodEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

// Runs a key of the name box through txtName_KeyPress. Returns true when the
// box must not see the key.
bool frmMain::filterNameKey(QKeyEvent *key)
{
    if (heldWithAltOrMeta(*key))
        return key->type() == QEvent::KeyPress && !key->text().isEmpty();
    const char16_t typed = typedCharacter(*key);
    if (typed == 0)
        return false;
    if (key->type() == QEvent::ShortcutOverride) {
        // Ctrl+V, Ctrl+C... are typed control characters here, never shortcuts.
        key->accept();
        return true;
    }
    char16_t keyCode = typed;
    txtName_KeyPress(keyCode);
    if (keyCode == 0)
        return true;
    if (keyCode == Backspace && key->key() != Qt::Key_Backspace) {
        // Ctrl+H types a Backspace too, but the box only knows the key.
        modMain::ignoreErrors([this] { ui.txtName->backspace(); });
        return true;
    }
    if (keyCode == Backspace || keyCode == Enter || keyCode == Space)
        return false; // The box deletes or inserts; Enter goes on to the window.
    modMain::ignoreErrors([this, keyCode] { ui.txtName->insert(QString(QChar(keyCode))); });
    return true;
}

// Characters an input method commits (a dead key, Compose, an input method)
// were typed by the user: each goes through txtName_KeyPress like a key, and
// only what it lets through reaches the box.
void frmMain::filterComposedText(QInputMethodEvent *event)
{
    QString kept;
    for (const QChar character : event->commitString()) {
        char16_t keyCode = character.unicode();
        txtName_KeyPress(keyCode);
        if (keyCode != 0 && keyCode != Backspace && keyCode != Enter)
            kept.append(QChar(keyCode));
    }
    event->setCommitString(kept, event->replacementStart(), event->replacementLength());
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Centred when first shown; later it comes back where the user left it.
    if (centred_)
        return;
    centred_ = true;
    modMain::ignoreErrors([this] { centreOnScreen(this); });
    // Once shown, the window manager's frame is known; centre the whole frame.
    QTimer::singleShot(0, this, [this] { modMain::ignoreErrors([this] { centreOnScreen(this); }); });
}

void frmMain::closeEvent(QCloseEvent *event)
{
    modMain::untrackLoadedForm(this);
    Form_Unload();
    event->accept();
}

void frmMain::Form_Load()
{
    // Each list is filled in one insertion rather than one per item.
    modMain::ignoreErrors([this] { ui.cboDate->addItems(numbers(1, 31)); });
    modMain::ignoreErrors([this] { ui.cboMonth->addItems(MonthNames); });
    modMain::ignoreErrors([this] { ui.cboYear->addItems(numbers(FirstYear, LastYear)); });
    modMain::ignoreErrors([this] { ui.cboDate->setCurrentIndex(0); });
    modMain::ignoreErrors([this] { ui.cboMonth->setCurrentIndex(0); });
    modMain::ignoreErrors([this] { ui.cboYear->setCurrentIndex(0); });
}

void frmMain::Form_Unload()
{
    modMain::ignoreErrors(modMain::EndProgram);
}

void frmMain::txtName_KeyPress(char16_t &keyCode)
{
    const bool capital = keyCode >= u'A' && keyCode <= u'Z';
    const bool small = keyCode >= u'a' && keyCode <= u'z';
    if (!capital && !small) {
        if (keyCode == Backspace || keyCode == Enter || keyCode == Space)
            return;
        tell(OnlyLetters);
        keyCode = 0;
        return;
    }
    if (small)
        keyCode -= 32;
}

bool frmMain::ValidateEntry()
{
    if (ui.txtName->text().isEmpty()) {
        tell(EnterYourName);
        modMain::ignoreErrors([this] { ui.txtName->setFocus(); });
        return false;
    }
    const bool leapYear = ui.cboYear->currentText().toInt() % 4 == 0;
    const int day = ui.cboDate->currentIndex();
    const int month = ui.cboMonth->currentIndex();
    if (month == February && (day == Day30 || day == Day31 || (!leapYear && day == Day29))) {
        tell(WrongFebruaryDay);
        return false;
    }
    if (isThirtyDayMonth(month) && day == Day31) {
        tell(WrongThirtyDayMonthDay);
        return false;
    }
    return true;
}

void frmMain::cmdNext_Click()
{
    bool valid = false;
    modMain::ignoreErrors([this, &valid] { valid = ValidateEntry(); });
    if (!valid)
        return;
    const QString year = ui.cboYear->currentText();
    const QString month = ui.cboMonth->currentText();
    const QString day = ui.cboDate->currentText();
    modMain::ignoreErrors([&] { modPlanetSign::FindVenusSign1930To1959(year, month, day); });
    modMain::ignoreErrors([&] { modPlanetSign::FindVenusSign1960To1989(year, month, day); });
    modMain::ignoreErrors([&] { modPlanetSign::FindVenusSign1990To2012(year, month, day); });
    showResult();
}

// Fills the result window with LoveSign and its paragraph and puts it in place of this one.
void frmMain::showResult()
{
    frmDisplay *display = nullptr;
    modMain::ignoreErrors([&display] { display = frmDisplay::loaded() ? frmDisplay::loaded() : new frmDisplay; });
    if (!display)
        return; // Without a result window, hiding this one would leave the user nothing.
    modMain::ignoreErrors([display] {
        if (const std::optional<QString> paragraph = modPlanetSign::SignDescription(modPlanetSign::LoveSign))
            display->ui.lblSignDesc->setText(*paragraph);
    });
    modMain::ignoreErrors([display] { display->ui.lblLoveSign->setText(modPlanetSign::LoveSign); });
    modMain::ignoreErrors([this] { hide(); });
    modMain::ignoreErrors([display] { display->show(); });
}

void frmMain::mnuFindLoveSign_Click()
{
    cmdNext_Click();
}

void frmMain::cmdExit_Click()
{
    modMain::ignoreErrors([this] { modMain::unloadForm(this); });
}

void frmMain::mnuExit_Click()
{
    modMain::ignoreErrors([this] { modMain::unloadForm(this); });
}

void frmMain::mnuAbout_Click()
{
    modMain::ignoreErrors(frmAbout::ShowModal);
}

void frmMain::mnuOnline_Click()
{
    modMain::ignoreErrors(modHelp::OpenHelpPage);
}

void frmMain::mnuVisit_Click()
{
    modMain::ignoreErrors(modHelp::OpenHomePage);
}

void frmMain::mnuUpdate_Click()
{
    modMain::ignoreErrors(modHelp::OpenDownloadPage);
}

void frmMain::mnuDonate_Click()
{
    modMain::ignoreErrors(modHelp::OpenDonatePage);
}

void frmMain::mnuMakeMoneyOnline_Click()
{
    modMain::ignoreErrors(modHelp::OpenFullyBrandedPage);
}

void frmMain::Label61_Click()
{
    modMain::ignoreErrors(modHelp::OpenHomePage);
}

void frmMain::lblCobrand_Click()
{
    modMain::ignoreErrors(modHelp::OpenCoBrandPage);
}

void frmMain::lblFullBrand_Click()
{
    modMain::ignoreErrors(modHelp::OpenFullyBrandedPage);
}
