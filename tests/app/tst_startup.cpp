// SPDX-License-Identifier: MIT
#include "app/modMain.h"
#include "widgetkit/LoadedForms.h"
#include "common/Fakes.h"
#include "common/WindowChecks.h"
#include "entry/frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

#include <array>
#include <memory>
#include <optional>

namespace {

// Which of the two overlapping promotional labels lies in front.
QString frontPromotion(const frmMain &entry)
{
    const QObjectList siblings = control<QLabel>(&entry, "lblCobrand")->parentWidget()->children();
    return siblings.indexOf(control<QLabel>(&entry, "lblCobrand")) > siblings.indexOf(control<QLabel>(&entry, "lblFullBrand"))
               ? QStringLiteral("lblCobrand")
               : QStringLiteral("lblFullBrand");
}

// A window that ends the program from its own unload handling, as the entry window does.
class EndingWindow : public QWidget
{
public:
    explicit EndingWindow(QStringList *log, const QString &name)
        : log_(log)
    {
        setObjectName(name);
        loadedforms::track(this);
    }
    ~EndingWindow() override { loadedforms::untrack(this); }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        log_->append(objectName());
        loadedforms::untrack(this);
        modMain::EndProgram();
        event->accept();
    }

private:
    QStringList *log_;
};

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startShowsEntryWindowAfterReminder();
    void secondInstanceIsRefused();
    void reminderFailureStillShowsEntryWindow();
    void coBrandDrawPicksFrontLabel_data();
    void coBrandDrawPicksFrontLabel();
    void coBrandDrawsAreFairlySpread();
    void endProgramUnloadsInCreationOrderAndEnds();
    void endProgramSurvivesReentryFromUnload();

private:
    std::unique_ptr<FakeMessageBoxes> boxes_;
    std::unique_ptr<FakeProcessEnder> ender_;
    std::unique_ptr<FakeInstanceLock> lock_;
    std::unique_ptr<FakeRandomSource> random_;
    std::unique_ptr<FakeSettingsStore> settings_;
    std::unique_ptr<FakeUrlOpener> urls_;
    std::unique_ptr<FakeClock> clock_;
    std::vector<std::shared_ptr<void>> seams_;
    std::optional<platform::ScopedSeam<platform::RandomSource>> randomSeam_;
};

template<class Interface>
static std::shared_ptr<void> installed(Interface &fake)
{
    return std::make_shared<platform::ScopedSeam<Interface>>(fake);
}

void StartupTest::init()
{
    boxes_ = std::make_unique<FakeMessageBoxes>();
    ender_ = std::make_unique<FakeProcessEnder>();
    lock_ = std::make_unique<FakeInstanceLock>();
    random_ = std::make_unique<FakeRandomSource>();
    settings_ = std::make_unique<FakeSettingsStore>();
    urls_ = std::make_unique<FakeUrlOpener>();
    clock_ = std::make_unique<FakeClock>();
    seams_ = {installed<platform::MessageBoxes>(*boxes_), installed<platform::ProcessEnder>(*ender_),
              installed<platform::InstanceLock>(*lock_), installed<platform::SettingsStore>(*settings_),
              installed<platform::UrlOpener>(*urls_), installed<platform::Clock>(*clock_)};
    randomSeam_.emplace(*random_);
}

void StartupTest::cleanup()
{
    destroyLeftoverWindows();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    randomSeam_.reset();
    seams_.clear();
}

void StartupTest::startShowsEntryWindowAfterReminder()
{
    settings_->values.insert(QStringLiteral("Settings/Duration"), clock_->date.addDays(-20).toString(Qt::ISODate));
    bool entryExistedAtQuestion = false;
    boxes_->onShown = [&](const QString &) { entryExistedAtQuestion = frmMain::loaded() != nullptr; };
    random_->draws = {0.0f};

    modMain::StartProgram();

    // A build without the reminder goes straight to the window.
    QCOMPARE(boxes_->questions.size(), AMORIAL_UPDATE_REMINDER ? 1 : 0);
    QVERIFY(!entryExistedAtQuestion);
    QCOMPARE(random_->seeds, 1);
    QVERIFY(frmMain::loaded());
    QVERIFY(frmMain::loaded()->isVisible());
    QCOMPARE(modMain::intCoBrandRandomNumber, qint16(1));
    QCOMPARE(frontPromotion(*frmMain::loaded()), QStringLiteral("lblCobrand"));
    QCOMPARE(ender_->calls, 0);
}

void StartupTest::secondInstanceIsRefused()
{
    lock_->heldElsewhere = true;

    modMain::StartProgram();

    QCOMPARE(boxes_->informations, QStringList{QStringLiteral("Application is already running")});
    QCOMPARE(ender_->calls, 1);
    QVERIFY(boxes_->questions.isEmpty());
    QCOMPARE(settings_->reads, 0);
    QVERIFY(!frmMain::loaded());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void StartupTest::reminderFailureStillShowsEntryWindow()
{
    settings_->readable = false;

    modMain::StartProgram();

    QVERIFY(boxes_->informations.isEmpty());
    QVERIFY(boxes_->questions.isEmpty());
    QVERIFY(frmMain::loaded() && frmMain::loaded()->isVisible());
}

void StartupTest::coBrandDrawPicksFrontLabel_data()
{
    QTest::addColumn<float>("draw");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("front");

    // r * 6 + 1, rounded half to even; 7 keeps the laid-out order (full branding in front).
    QTest::newRow("0.0 gives 1") << 0.0f << 1 << "lblCobrand";
    QTest::newRow("0.0833 stays below the half") << 0.0833f << 1 << "lblCobrand";
    QTest::newRow("0.25 is a half, rounds to even 2") << 0.25f << 2 << "lblFullBrand";
    QTest::newRow("0.3 gives 3") << 0.3f << 3 << "lblCobrand";
    QTest::newRow("0.5 gives 4") << 0.5f << 4 << "lblFullBrand";
    QTest::newRow("0.75 is a half, rounds to even 6") << 0.75f << 6 << "lblFullBrand";
    QTest::newRow("0.6 gives 5") << 0.6f << 5 << "lblCobrand";
    QTest::newRow("0.9999 gives 7") << 0.9999f << 7 << "lblFullBrand";
}

void StartupTest::coBrandDrawPicksFrontLabel()
{
    QFETCH(float, draw);
    QFETCH(int, number);
    QFETCH(QString, front);
    auto *entry = new frmMain;
    entry->show();
    random_->draws = {draw};

    modMain::CoBrand_Randomize();

    QCOMPARE(int(modMain::intCoBrandRandomNumber), number);
    QCOMPARE(frontPromotion(*entry), front);
}

void StartupTest::coBrandDrawsAreFairlySpread()
{
    // The real generator: the two end numbers get half a slot each. A fixed
    // seed makes every run draw the same numbers.
    randomSeam_.reset();
    platform::randomSource().seed(20121231);
    constexpr int Draws = 60000;
    std::array<int, 8> tally{};
    for (int i = 0; i < Draws; ++i) {
        modMain::CoBrand_Randomize();
        const int number = modMain::intCoBrandRandomNumber;
        QVERIFY2(number >= 1 && number <= 7, qPrintable(QString::number(number)));
        ++tally[number];
    }
    const double slot = Draws / 6.0;
    for (int number = 1; number <= 7; ++number) {
        const double expected = (number == 1 || number == 7) ? slot / 2 : slot;
        QVERIFY2(qAbs(tally[number] - expected) < expected * 0.1,
                 qPrintable(QStringLiteral("%1 came up %2 times").arg(number).arg(tally[number])));
    }
}

void StartupTest::endProgramUnloadsInCreationOrderAndEnds()
{
    QStringList unloaded;
    auto *first = new EndingWindow(&unloaded, QStringLiteral("first"));
    auto *second = new EndingWindow(&unloaded, QStringLiteral("second"));
    second->hide();
    first->show();
    first->setAttribute(Qt::WA_DeleteOnClose);
    second->setAttribute(Qt::WA_DeleteOnClose);
    int savesBeforeLockWent = -1;
    lock_->onRelease = [&] {
        if (savesBeforeLockWent < 0)
            savesBeforeLockWent = settings_->saves;
    };

    modMain::EndProgram();
    flushDeferredDeletes();

    QCOMPARE(unloaded, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    QVERIFY(loadedforms::all().isEmpty());
    QVERIFY(ender_->calls >= 1);
    QVERIFY(settings_->saves >= 1); // the process ends without running destructors
    QVERIFY(savesBeforeLockWent >= 1); // an instance started next finds the settings saved
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void StartupTest::endProgramSurvivesReentryFromUnload()
{
    // Each window's unload calls EndProgram again; every window still unloads exactly once.
    QStringList unloaded;
    for (const char *name : {"a", "b", "c"})
        (new EndingWindow(&unloaded, QLatin1String(name)))->show();

    modMain::EndProgram();

    QCOMPARE(unloaded, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    QVERIFY(loadedforms::all().isEmpty());
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
