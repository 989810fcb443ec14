// The alarms as the bar uses them: the time cell's hint, and firing from the clock's ticks.

#include "alarms/widgets/Alarms.h"

#include "alarms/widgets/AlarmMessageWindow.h"
#include "alarms/widgets/LedTicker.h"
#include "platform/fake/FakeBeep.h"
#include "platform/fake/FakeFileStore.h"

#include <QtTest>
#include <cstddef>
#include <malloc.h>
#include <random>
#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's runtime, which replaces the heap (and mallinfo with it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace veskor;

class AlarmsTest final : public QObject {
    Q_OBJECT

    struct Rig {
        FakeFileStore files;
        FakeBeep beep;
        QStringList fileErrors;
        QStringList reports;
        std::unique_ptr<Alarms> alarms;

        explicit Rig(const std::string& file) {
            files.files["/d/Veskor32.aev"] = file;
            alarms = std::make_unique<Alarms>(
                files, beep, nullptr, "/d",
                AlarmReports{[this](const QString& t, const QString& d) { fileErrors << t << d; },
                             [this](const QString& t) { reports << t; },
                             [this](const QString& t) { reports << t; }},
                nullptr);
        }
        void tick(int h, int m, int s) {
            alarms->checkTick(encodeDate(2026, 12, 8) + encodeTime(h, m, s, 0));
        }
    };

    static constexpr const char* kEvents = "07:05\r\nMeeting\r\n1\r\n0\r\n"
                                           "07:05\r\nSecond of the minute\r\n1\r\n0\r\n"
                                           "07:06\r\nWalk\r\n1\r\n-1\r\n"
                                           "08:00\r\nOff\r\n0\r\n0\r\n";

    // Bytes the program holds from the heap now.
    static std::size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
        return __sanitizer_get_current_allocated_bytes();
#else
        return mallinfo2().uordblks;
#endif
    }

private slots:
    void hintListsTheActiveEventsOrSaysThereIsNone() {
        Rig rig(kEvents);
        QCOMPARE(rig.alarms->timeHint(),
                 QString("07:05 - Meeting\n\r07:05 - Second of the minute\n\r07:06 - Walk"));
        Rig none("08:00\r\nOff\r\n0\r\n0\r\n");
        QCOMPARE(none.alarms->timeHint(), QString("<No alarm active>"));
    }

    void aLoadFailureAtStartIsShownOnceTheProgramRuns() {
        Rig rig("07:05\r\nMeeting\r\n1\r\nloud\r\n");
        QVERIFY(rig.fileErrors.isEmpty());
        QTRY_COMPARE(rig.fileErrors,
                     (QStringList{"Load failed.",
                                  "Veskor32.aev, event 1: 'loud' is not a valid integer value"}));
        QCOMPARE(rig.alarms->list().count(), 1);
    }

    void theFirstDueEventOpensOneWindowAndLaterOnesRefreshIt() {
        Rig rig(kEvents);
        rig.tick(7, 4, 59);
        QVERIFY(rig.alarms->messageWindow() == nullptr);
        rig.tick(7, 5, 0);
        AlarmMessageWindow* window = rig.alarms->messageWindow();
        QVERIFY(window != nullptr && window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Alarm event - [07:05]"));
        QCOMPARE(window->led()->text(), QString("Meeting"));
        QVERIFY(window->isBeeping());
        rig.tick(7, 5, 1); // the same minute is not checked again
        QCOMPARE(window->led()->text(), QString("Meeting"));
        // The next event, silent, while the window is open: the same window, refreshed.
        rig.tick(7, 6, 0);
        QCOMPARE(rig.alarms->messageWindow(), window);
        QCOMPARE(window->windowTitle(), QString("Alarm event - [07:06]"));
        QCOMPARE(window->led()->text(), QString("Walk"));
        QVERIFY(!window->isBeeping());
        window->accept();
        QTRY_VERIFY(rig.alarms->messageWindow() == nullptr);
    }

    void aTickDelayedPastSecondZeroStillFiresAnInactiveEventNever() {
        Rig rig(kEvents);
        rig.tick(7, 5, 59);
        rig.tick(7, 6, 2); // the 07:06:00 tick came late
        QVERIFY(rig.alarms->messageWindow() != nullptr);
        QCOMPARE(rig.alarms->messageWindow()->led()->text(), QString("Walk"));
        Rig inactive(kEvents);
        inactive.tick(8, 0, 0);
        QVERIFY(inactive.alarms->messageWindow() == nullptr);
    }

    // One bad row is reported once, at the load, and costs only itself.
    void aRowThatHoldsNoTimeIsReportedOnceAndTheOthersStillFire() {
        Rig rig(std::string("noon\r\nLunch\r\n1\r\n0\r\n") + kEvents);
        for (int minute = 0; minute < 5; ++minute) {
            rig.tick(7, minute, 0);
        }
        rig.tick(7, 5, 0);
        QTRY_COMPARE(rig.reports, QStringList{"Veskor32.aev, event 1: 'noon' is not a valid time"});
        QVERIFY(rig.alarms->messageWindow() != nullptr);
        QCOMPARE(rig.alarms->messageWindow()->led()->text(), QString("Meeting"));
        rig.alarms->messageWindow()->accept();
        QTRY_VERIFY(rig.alarms->messageWindow() == nullptr);
    }

    // A week of ticks a second apart (with jitter) against an event every minute: the window is
    // refreshed ten thousand times, and what the program holds does not grow with them.
    void aWeekOfAlarmsEveryMinuteKeepsMemoryFlat() {
        std::string file;
        for (int minute = 0; minute < 24 * 60; ++minute) {
            file += QStringLiteral("%1:%2\r\nEvery minute %3\r\n1\r\n-1\r\n")
                        .arg(minute / 60, 2, 10, QChar('0'))
                        .arg(minute % 60, 2, 10, QChar('0'))
                        .arg(minute)
                        .toStdString();
        }
        Rig rig(file);
        std::mt19937 random(8);
        std::uniform_real_distribution<double> jitter(-0.4, 0.4);
        const DateTime start = encodeDate(2026, 12, 8);
        double seconds = 0.3;
        std::size_t afterDayOne = 0;
        for (int day = 1; day <= 7; ++day) {
            for (; seconds < day * 86400.0; seconds += 1.0 + jitter(random)) {
                rig.alarms->checkTick(start + seconds / 86400.0);
                if (static_cast<long>(seconds) % 60 == 0) {
                    QCoreApplication::processEvents(); // the window's timers and deletions
                }
            }
            QCoreApplication::processEvents();
            if (day == 1) {
                afterDayOne = heapInUse();
            }
        }
        QVERIFY(rig.alarms->messageWindow() != nullptr);
        QCOMPARE(rig.beep.beeps, 0);
        const std::size_t afterWeek = heapInUse();
        QVERIFY2(afterWeek < afterDayOne + 256 * 1024,
                 qPrintable(QStringLiteral("heap in use after one day %1, after seven %2")
                                .arg(afterDayOne)
                                .arg(afterWeek)));
    }
};

QTEST_MAIN(AlarmsTest)
#include "AlarmsTest.moc"
