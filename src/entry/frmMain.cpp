// SPDX-License-Identifier: MIT
#include "entry/frmMain.h"
#include "ui_frmMain.h"

#include "lookup/modPlanetSign.h"
#include "platform/IgnoreErrors.h"
#include "platform/Platform.h"
#include "widgetkit/Look.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
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

void tell(const QString &message)
{
    platform::ignoreErrors([&message] { platform::messageBoxes().information(message); });
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
    : WindowChrome(parent)
    , ui(std::make_unique<Ui::frmMain>())
{
    ui->setupUi(this);
    loadedEntry = this;
    setUpChrome(*ui, {ui->mnuFindLoveSign, QStringLiteral("Check for Software &Update"), {"mnuHelp1", "mnuHelp2"}});
    applyDesign();
    connectHandlers();
    Form_Load();
}

frmMain::~frmMain() = default;

frmMain *frmMain::loaded()
{
    return loadedEntry;
}

void frmMain::bringCoBrandToFront()
{
    ui->lblCobrand->raise();
}

void frmMain::bringFullBrandToFront()
{
    ui->lblFullBrand->raise();
}

void frmMain::applyDesign()
{
    ui->txtName->installEventFilter(this);
    ui->txtName->setValidator(new NameCharacters(ui->txtName));
    applyLook();
    for (QLabel *label : {ui->Label1, ui->Label2, ui->Label5, ui->Label7, ui->Label6})
        label->adjustSize();
    ui->txtName->setFocus();
}

void frmMain::applyLook()
{
    using namespace look;
    fill(ui->Frame1, Teal);
    panel(ui->Picture1, Teal);
    caption(ui->Label3, verdana(8.25, Bold), Orange);
    for (QLabel *label : {ui->Label1, ui->Label2})
        caption(label, verdana(8.25, Bold, Underlined), White);
    for (QLabel *label : {ui->Label5, ui->Label7, ui->Label6})
        caption(label, verdana(8.25, Regular, Underlined), White);
    for (QWidget *input : std::initializer_list<QWidget *>{ui->txtName, ui->cboDate, ui->cboMonth, ui->cboYear})
        field(input);
    button(ui->cmdNext, verdana(9, Bold));
    button(ui->cmdExit, verdana(8.25, Bold));
}

void frmMain::connectHandlers()
{
    connect(ui->cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(ui->mnuFindLoveSign, &QAction::triggered, this, &frmMain::cmdNext_Click);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->txtName && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride))
        return filterNameKey(static_cast<QKeyEvent *>(event));
    if (watched == ui->txtName && event->type() == QEvent::InputMethod)
        filterComposedText(static_cast<QInputMethodEvent *>(event));
    return WindowChrome::eventFilter(watched, event);
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
        ui->txtName->backspace();
        return true;
    }
    if (keyCode == Backspace || keyCode == Enter || keyCode == Space)
        return false; // The box deletes or inserts; Enter goes on to the window.
    ui->txtName->insert(QString(QChar(keyCode)));
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

void frmMain::Form_Load()
{
    // Each list is filled in one insertion rather than one per item.
    ui->cboDate->addItems(numbers(1, 31));
    ui->cboMonth->addItems(MonthNames);
    ui->cboYear->addItems(numbers(FirstYear, LastYear));
    ui->cboDate->setCurrentIndex(0);
    ui->cboMonth->setCurrentIndex(0);
    ui->cboYear->setCurrentIndex(0);
}

void frmMain::Form_Unload()
{
    emit programExitRequested();
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
    if (ui->txtName->text().isEmpty()) {
        tell(EnterYourName);
        ui->txtName->setFocus();
        return false;
    }
    const bool leapYear = ui->cboYear->currentText().toInt() % 4 == 0;
    const int day = ui->cboDate->currentIndex();
    const int month = ui->cboMonth->currentIndex();
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
    if (!ValidateEntry())
        return;
    const QString year = ui->cboYear->currentText();
    const QString month = ui->cboMonth->currentText();
    const QString day = ui->cboDate->currentText();
    platform::ignoreErrors([&] { modPlanetSign::FindVenusSign1930To1959(year, month, day); });
    platform::ignoreErrors([&] { modPlanetSign::FindVenusSign1960To1989(year, month, day); });
    platform::ignoreErrors([&] { modPlanetSign::FindVenusSign1990To2012(year, month, day); });
    const QString sign = modPlanetSign::LoveSign;
    emit resultRequested(sign, modPlanetSign::SignDescription(sign));
}
