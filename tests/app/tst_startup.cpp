// SPDX-License-Identifier: MIT
#include "app/modMain.h"
#include "widgetkit/LoadedForms.h"
#include "common/GuiFixture.h"
#include "entry/frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

#include <array>
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

private:
    // Beside the window seams: the lock, the settings, the date and the draw.
    struct StartupSeams
    {
        FakeInstanceLock lock;
        platform::ScopedSeam<platform::InstanceLock> lockGuard{lock};
        FakeSettingsStore settings;
        platform::ScopedSeam<platform::SettingsStore> settingsGuard{settings};
        FakeClock clock;
        platform::ScopedSeam<platform::Clock> clockGuard{clock};
        FakeRandomSource random;
        std::optional<platform::ScopedSeam<platform::RandomSource>> randomGuard{std::in_place, random};
    };

    GuiFixture fixture_;
    std::optional<StartupSeams> seams_;
};

void StartupTest::init()
{
    fixture_.start();
    seams_.emplace();
}

void StartupTest::cleanup()
{
    fixture_.finish();
    seams_.reset();
}

void StartupTest::startShowsEntryWindowAfterReminder()
{
    seams_->settings.values.insert(QStringLiteral("Settings/Duration"), seams_->clock.date.addDays(-20).toString(Qt::ISODate));
    bool entryExistedAtQuestion = false;
    fixture_->boxes.onShown = [&](const QString &) { entryExistedAtQuestion = frmMain::loaded() != nullptr; };
    seams_->random.draws = {0.0f};

    modMain::StartProgram();

    // A build without the reminder goes straight to the window.
    QCOMPARE(fixture_->boxes.questions.size(), AMORIAL_UPDATE_REMINDER ? 1 : 0);
    QVERIFY(!entryExistedAtQuestion);
    QCOMPARE(seams_->random.seeds, 1);
    QVERIFY(frmMain::loaded() && frmMain::loaded()->isVisible());
    QCOMPARE(modMain::intCoBrandRandomNumber, qint16(1));
    QCOMPARE(frontPromotion(*frmMain::loaded()), QStringLiteral("lblCobrand"));
    QCOMPARE(fixture_->ender.calls, 0);
}

void StartupTest::secondInstanceIsRefused()
{
    seams_->lock.heldElsewhere = true;

    modMain::StartProgram();

    QCOMPARE(fixture_->boxes.informations, QStringList{QStringLiteral("Application is already running")});
    QCOMPARE(fixture_->ender.calls, 1);
    QVERIFY(fixture_->boxes.questions.isEmpty());
    QCOMPARE(seams_->settings.reads, 0);
    QVERIFY(!frmMain::loaded());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void StartupTest::reminderFailureStillShowsEntryWindow()
{
    seams_->settings.readable = false;

    modMain::StartProgram();

    QVERIFY(fixture_->boxes.informations.isEmpty());
    QVERIFY(fixture_->boxes.questions.isEmpty());
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
    seams_->random.draws = {draw};

    modMain::CoBrand_Randomize();

    QCOMPARE(int(modMain::intCoBrandRandomNumber), number);
    QCOMPARE(frontPromotion(*entry), front);
}

void StartupTest::coBrandDrawsAreFairlySpread()
{
    // The real generator: the two end numbers get half a slot each. A fixed
    // seed makes every run draw the same numbers.
    seams_->randomGuard.reset();
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
    // Each window's unload calls EndProgram again; each still unloads once.
    QStringList unloaded;
    auto *first = new EndingWindow(&unloaded, QStringLiteral("first"));
    auto *second = new EndingWindow(&unloaded, QStringLiteral("second"));
    second->hide();
    first->show();
    first->setAttribute(Qt::WA_DeleteOnClose);
    second->setAttribute(Qt::WA_DeleteOnClose);
    int savesBeforeLockWent = -1;
    seams_->lock.onRelease = [&] {
        if (savesBeforeLockWent < 0)
            savesBeforeLockWent = seams_->settings.saves;
    };

    modMain::EndProgram();
    flushDeferredDeletes();

    QCOMPARE(unloaded, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    QVERIFY(loadedforms::all().isEmpty());
    QVERIFY(fixture_->ender.calls >= 1);
    QVERIFY(seams_->settings.saves >= 1); // the process ends without running destructors
    QVERIFY(savesBeforeLockWent >= 1); // an instance started next finds the settings saved
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
