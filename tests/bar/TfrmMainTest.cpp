// The bar window with a fake clock, fake memory and a fake settings key, off screen.

#include "bar/widgets/TfrmMain.h"
#include "common/DateTime.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMemoryInfo.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeWindowState.h"
#include "ui/StatusCell.h"

#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>

using namespace veskor;

class TfrmMainTest final : public QObject {
    Q_OBJECT

    struct Rig {
        FakeClock clock{EncodeDate(1998, 7, 6) + EncodeTime(7, 5, 9, 0)};
        FakeMemoryInfo memory;
        FakeSettingsStore settings;
        FakeWindowState windowState;
        QTemporaryDir dataDir;
        QStringList reports;
        std::unique_ptr<TfrmMain> bar;

        std::filesystem::path dir() const { return dataDir.path().toStdString(); }
        TfrmMain& make() {
            bar = std::make_unique<TfrmMain>(BarServices{
                clock, memory, settings, windowState, LocaleFormat::English(), dir(),
                [this](const QString& text) { reports << text; }});
            return *bar;
        }
        void writeSaintFile(const std::string& bytes) const {
            std::ofstream(dir() / "Veskor32.sd", std::ios::binary) << bytes;
        }
    };

    static QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }

private slots:
    void firstRunPlacesOneRowAtTheTopRightAndCreatesTheKey() {
        Rig rig;
        TfrmMain& bar = rig.make();
        QCOMPARE(bar.size(), QSize(278, 21));
        QCOMPARE(bar.pos(), QPoint(screen().width() - 278, 0));
        QVERIFY(rig.settings.keyExists);
        QCOMPARE(rig.settings.writes, 0);
        QVERIFY(!bar.memoryRowShown());
        QVERIFY(!bar.scopeActive());
        QVERIFY(bar.TaskbarShown);
        QCOMPARE(bar.windowTitle(), QString("Veskor Pro 4.5"));
        // Before the first tick the cells are empty and carry their first hints.
        QVERIFY(bar.TimePanel->caption().isEmpty());
        QCOMPARE(bar.DatePanel->toolTip(), QString(" Date "));
        QCOMPARE(bar.SaintPanel->toolTip(), QString(" Saint "));
        QCOMPARE(bar.TimePanel->toolTip(), QString(" Time "));
        QCOMPARE(bar.PMPanel->toolTip(), QString("Free Physical Memory"));
        QCOMPARE(bar.PFPanel->toolTip(), QString("Free Page File"));
        QCOMPARE(bar.MLPanel->toolTip(), QString(" Free memory "));
        // Kept out of the task list and above other windows from the first map on.
        QCOMPARE(rig.windowState.calls.size(), std::size_t{2});
        QVERIFY(rig.windowState.calls[0].taskbar);
        QVERIFY(rig.windowState.calls[1].onTop && !rig.windowState.calls[1].taskbar);
        QVERIFY(rig.reports.isEmpty());
    }

    void storedValuesAreAppliedAndSurviveTheRead() {
        Rig rig;
        rig.settings.values = {{"Top", 100}, {"Left", 20}, {"StayOnTop", 0}, {"Memory", 1},
                               {"MemoryScan", 1}, {"PMScan", 1}, {"PFScan", 1}, {"Scan", 500}};
        const auto stored = rig.settings.values;
        TfrmMain& bar = rig.make();
        QCOMPARE(bar.size(), QSize(278, 42));
        QCOMPARE(bar.pos(), QPoint(20, 100));
        QVERIFY(bar.memoryRowShown());
        QVERIFY(bar.scopeActive());
        QVERIFY(!rig.windowState.calls.back().onTop);
        QCOMPARE(rig.settings.writes, 0);
        QVERIFY(rig.settings.values == stored);
    }

    void wrongTypedValueIsReportedOnceAndStartUpGoesOn() {
        Rig rig;
        rig.settings.values = {{"StayOnTop", std::string("on")}, {"Memory", 1}};
        rig.writeSaintFile("First\r\nSecond\r\n");
        TfrmMain& bar = rig.make();
        QCOMPARE(rig.reports, QStringList{"Invalid data type for 'StayOnTop'"});
        QVERIFY(bar.settings().StayOnTop);
        QCOMPARE(bar.height(), 42);
        QCOMPARE(bar.shSaint.Strings.Count(), 2); // the name-day file was still loaded
        QCOMPARE(bar.ProgramDir, rig.dir() / "");
    }

    void unreadableNameDayFileIsReportedAndTheBuiltInListStays() {
        Rig rig;
        std::filesystem::create_directory(rig.dir() / "Veskor32.sd");
        TfrmMain& bar = rig.make();
        QCOMPARE(rig.reports,
                 QStringList{QString::fromStdString("Cannot open file " +
                                                    (rig.dir() / "Veskor32.sd").string())});
        QCOMPARE(bar.shSaint.Strings.Count(), 366);
    }

    void tickFillsTheDateRowAndLeavesMemoryAloneWhileNothingShowsIt() {
        Rig rig;
        rig.memory.SetFiguresKb(65536, 6752, 131072, 1000);
        TfrmMain& bar = rig.make();
        bar.TimerTimer();
        QCOMPARE(bar.DatePanel->caption(), QString("Mo, 6.7. 1998"));
        QCOMPARE(bar.DatePanel->toolTip(), QString(" Day of year: 187 \r\n Week: 28 "));
        QCOMPARE(bar.TimePanel->caption(), QString("07:05:09"));
        QCOMPARE(bar.SaintPanel->caption(), QString("Jan Hus"));
        QCOMPARE(bar.SaintPanel->toolTip(), QString(" Tomorrow saint: Bohuslava "));
        QCOMPARE(rig.memory.reads, 0);
        QVERIFY(bar.PMPanel->caption().isEmpty());
        QVERIFY(bar.Timer.isActive()); // the next tick is scheduled
        QVERIFY(bar.Timer.interval() > 0 && bar.Timer.interval() <= 1003);
    }

    void memoryRowShowsFiguresAboveFourGibibytes() {
        Rig rig;
        rig.settings.values = {{"Memory", 1}};
        rig.memory.SetFiguresKb(32ULL << 20, 30ULL << 20, 8ULL << 20, 6ULL << 20);
        TfrmMain& bar = rig.make();
        bar.TimerTimer();
        QCOMPARE(rig.memory.reads, 1);
        QCOMPARE(bar.PMPanel->caption(), QString("31,457,280 KB"));
        QCOMPARE(bar.PMPanel->toolTip(), QString(" Free physical memory \r\nTotal: 33,554,432 KB"));
        QCOMPARE(bar.PFPanel->caption(), QString(" 6,291,456 KB "));
        QCOMPARE(bar.PFPanel->toolTip(), QString(" Free page file \r\n Total: 8,388,608 KB "));
        QCOMPARE(bar.MLPanel->caption(), QString("94%"));
    }

    void runningScopeReadsMemoryWhileTheRowIsHidden() {
        Rig rig;
        rig.settings.values = {{"MemoryScan", 1}};
        rig.memory.SetFiguresKb(1000, 500, 0, 0);
        TfrmMain& bar = rig.make();
        bar.TimerTimer();
        QCOMPARE(rig.memory.reads, 1);
        QVERIFY(!bar.memoryRowShown());
        QCOMPARE(bar.PMPanel->caption(), QString("500 KB"));
    }

    void alarmsAreAskedAtSecondZeroOnly() {
        Rig rig;
        TfrmMain& bar = rig.make();
        QList<TDateTime> asked;
        bar.alarmCheck = [&](TDateTime minute) { asked << minute; };
        rig.clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(7, 5, 0, 4));
        bar.TimerTimer();
        rig.clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(7, 5, 1, 4));
        bar.TimerTimer();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0], EncodeTime(7, 5, 0, 0));
    }

    void shortNameDayTableIsReportedOnceNotEverySecond() {
        Rig rig;
        rig.writeSaintFile("A\r\nB\r\nC\r\n");
        TfrmMain& bar = rig.make();
        bar.TimerTimer();
        bar.TimerTimer();
        bar.TimerTimer();
        QCOMPARE(rig.reports, QStringList{"List index out of bounds (187)"});
        QVERIFY(bar.SaintPanel->caption().isEmpty());
        QCOMPARE(bar.TimePanel->caption(), QString("07:05:09"));
    }

    void unwritableSettingsKeepTheBarRunningWithoutMessages() {
        Rig rig;
        rig.settings.failWrites = true;
        TfrmMain& bar = rig.make();
        bar.move(10, 10);
        bar.SaveSettings();
        bar.SaveSettings();
        QVERIFY(rig.reports.isEmpty());
        QCOMPARE(bar.pos(), QPoint(10, 10));
        rig.settings.failWrites = false;
        bar.SaveSettings(); // tried again at the next change
        QCOMPARE(std::get<std::int32_t>(rig.settings.values.at("Left")), 10);
    }

    void leftDragMovesAndSavesRightButtonDoesNot() {
        Rig rig;
        TfrmMain& bar = rig.make();
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        bar.move(100, 100);
        QTest::mousePress(bar.TimePanel, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseRelease(bar.TimePanel, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(rig.settings.writes, 0);
        // A press and release without moving still records the position.
        QTest::mousePress(bar.TimePanel, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(bar.TimePanel, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(rig.settings.writes >= 1);
        QCOMPARE(std::get<std::int32_t>(rig.settings.values.at("Left")), 100);
        QCOMPARE(std::get<std::int32_t>(rig.settings.values.at("Top")), 100);
    }

    void positionOffTheBottomRightIsPulledBackAtPaint() {
        Rig rig;
        const QRect s = screen();
        rig.settings.values = {{"Top", s.height() - 5}, {"Left", s.width() - 100}};
        TfrmMain& bar = rig.make();
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTRY_COMPARE(bar.pos(), QPoint(s.width() - 278, s.height() - 21));
        QCOMPARE(rig.settings.writes, 0); // not a setting change

        Rig offTopLeft;
        offTopLeft.settings.values = {{"Top", -8}, {"Left", -30}};
        TfrmMain& other = offTopLeft.make();
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QTest::qWait(50);
        QCOMPARE(other.pos(), QPoint(-30, -8));
    }
};

QTEST_MAIN(TfrmMainTest)
#include "TfrmMainTest.moc"
