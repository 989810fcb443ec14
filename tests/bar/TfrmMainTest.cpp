// The bar window with a fake clock, fake memory and a fake settings key, off screen.

#include "bar/widgets/TfrmMain.h"

#include "common/DateTime.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMemoryInfo.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeTaskbar.h"
#include "platform/fake/FakeWindowState.h"
#include "ui/ShadowLabel.h"
#include "ui/SidePanel.h"
#include "ui/StatusCell.h"

#include <QAbstractButton>
#include <QMenu>
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
        FakeTaskbar taskbar;
        QTemporaryDir dataDir;
        QStringList reports;
        std::unique_ptr<TfrmMain> bar;

        std::filesystem::path dir() const { return dataDir.path().toStdString(); }
        TfrmMain& make() {
            bar = std::make_unique<TfrmMain>(
                BarServices{clock, memory, settings, windowState, taskbar, LocaleFormat::English(),
                            dir(), [this](const QString& text) { reports << text; }});
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
        QVERIFY(rig.windowState.calls[0].onTop && !rig.windowState.calls[0].taskbar);
        QVERIFY(rig.windowState.calls[1].taskbar);
        QVERIFY(rig.reports.isEmpty());
    }

    void storedValuesAreAppliedAndSurviveTheRead() {
        Rig rig;
        rig.settings.values = {{"Top", 100},      {"Left", 20},  {"StayOnTop", 0}, {"Memory", 1},
                               {"MemoryScan", 1}, {"PMScan", 1}, {"PFScan", 1},    {"Scan", 500}};
        const auto stored = rig.settings.values;
        TfrmMain& bar = rig.make();
        QCOMPARE(bar.size(), QSize(278, 42));
        QCOMPARE(bar.pos(), QPoint(20, 100));
        QVERIFY(bar.memoryRowShown());
        QVERIFY(bar.scopeActive());
        QVERIFY(!rig.windowState.calls[1].onTop && !rig.windowState.calls[1].taskbar);
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
        QCOMPARE(rig.reports, QStringList{QString::fromStdString(
                                  "Cannot open file " + (rig.dir() / "Veskor32.sd").string())});
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
        // The bar follows the mouse and is saved where it was let go.
        QTest::mousePress(bar.TimePanel, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(bar.TimePanel, QPoint(-95, 65)); // 100 left and 60 down
        QCOMPARE(bar.pos(), QPoint(0, 160));
        QTest::mouseRelease(bar.TimePanel, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(std::get<std::int32_t>(rig.settings.values.at("Left")), 0);
        QCOMPARE(std::get<std::int32_t>(rig.settings.values.at("Top")), 160);
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

    void pullBackTrustsTheDisplayServerOverAStalePosition() {
        // After a window-manager move Qt's position can be off; the server's decides.
        Rig rig;
        const QRect s = screen();
        rig.settings.values = {{"Left", s.width() - 100}};
        rig.windowState.position = std::pair{100, 40};
        TfrmMain& bar = rig.make();
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTRY_COMPARE(bar.pos(), QPoint(100, 40));
        QTest::qWait(50);
        QCOMPARE(bar.pos(), QPoint(100, 40));
    }

    void menuHasEveryItemInOrder() {
        Rig rig;
        TfrmMain& bar = rig.make();
        QStringList captions;
        for (const QAction* action : bar.PopupMenu->actions()) {
            if (action->isVisible()) {
                captions << (action->isSeparator() ? QString("-") : action->text());
            }
        }
        QCOMPARE(captions,
                 (QStringList{"Always On Top", "Memory Status", "Windows Taskbar", "-", "Calendar",
                              "System Information", "Memory Usage Scope", "Calculator",
                              "Alarm Settings...", "Version Info on File...", "Edit Sain's Days...",
                              "-", "About...", "Quit", "-", "Shutdown", "Log Off", "Reboot"}));
        for (const QAction* action : bar.PopupMenu->actions()) {
            QVERIFY(action->icon().isNull());
        }
    }

    void checkMarksFollowTheState() {
        Rig rig;
        rig.settings.values = {{"StayOnTop", 0}};
        TfrmMain& bar = rig.make();
        const auto checks = [&] {
            bar.PopupMenuPopup();
            QString marks;
            for (QAction* a :
                 {bar.pmSOT, bar.pmMem, bar.pmTB, bar.pmCal, bar.pmSI, bar.pmMUS, bar.pmCalc}) {
                marks += a->isChecked() ? '1' : '0';
            }
            return marks;
        };
        QCOMPARE(checks(), QString("0010000"));
        bar.cmSOT();
        bar.cmMem();
        bar.cmTB();
        QCOMPARE(checks(), QString("1100000"));
        bar.cmCal();
        bar.cmMS();
        QCOMPARE(checks(), QString("1101010"));
        bar.cmSI();
        bar.cmCalc();
        bar.cmCal();
        QCOMPARE(checks(), QString("1100111"));
    }

    void panelsStackAndTheWindowIsTheSumOfTheShownStrips() {
        Rig rig;
        TfrmMain& bar = rig.make();
        bar.cmCal();
        QCOMPARE(bar.height(), 21 + 264);
        QVERIFY(bar.CalPanel != nullptr && bar.CalPanel->isVisibleTo(&bar));
        QCOMPARE(bar.CalPanel->geometry(), QRect(0, 21, 278, 264));
        QCOMPARE(bar.CalPanel->titleLabel()->text(), QString("Calendar"));
        bar.cmSI();
        bar.cmCalc(); // between the calendar and the system information
        QCOMPARE(bar.CalcPanel->y(), 285);
        QCOMPARE(bar.SIPanel->y(), 358);
        bar.cmMS(); // first top 354 is above the system information panel's 358
        QCOMPARE(bar.MSPanel->y(), 358);
        bar.cmMem();
        QCOMPARE(bar.height(), 799);
        QCOMPARE(bar.MemPanel->y(), 21);
        QCOMPARE(bar.CalPanel->y(), 42);
        // The close button does what the menu entry does.
        bar.CalcPanel->closeButton()->click();
        QCOMPARE(bar.height(), 799 - 73);
        QVERIFY(!bar.CalcPanel->isVisibleTo(&bar));
        bar.PopupMenuPopup();
        QVERIFY(!bar.pmCalc->isChecked());
        QCOMPARE(bar.SIPanel->y(), 42 + 264 + 191);
        for (auto* panel : {bar.CalPanel, bar.SIPanel, bar.MSPanel}) {
            panel->closeButton()->click();
        }
        bar.cmMem();
        QCOMPARE(bar.height(), 21);
        QCOMPARE(bar.CalPanel->closeButton()->toolTip(), QString("Hide panel"));
        QCOMPARE(bar.CalPanel->closeButton()->text(), QString(" x"));
    }

    void doubleClicksOnTheCellsRunTheirCommands() {
        Rig rig;
        TfrmMain& bar = rig.make();
        QTest::mouseDClick(bar.DatePanel, Qt::LeftButton);
        QVERIFY(bar.strips().IsVisible(Strip::Calendar));
        for (StatusCell* cell : {bar.PMPanel, bar.PFPanel, bar.MLPanel}) {
            const bool before = bar.strips().IsVisible(Strip::SystemInfo);
            QTest::mouseDClick(cell, Qt::LeftButton);
            QCOMPARE(bar.strips().IsVisible(Strip::SystemInfo), !before);
        }
    }

    void topMostAndMemoryRowAreStoredAndReadAtTheNextStart() {
        Rig rig;
        {
            TfrmMain& bar = rig.make();
            bar.cmSOT();
            bar.cmMem();
            QCOMPARE(std::get<std::int32_t>(rig.settings.values.at("StayOnTop")), 0);
            QCOMPARE(std::get<std::int32_t>(rig.settings.values.at("Memory")), 1);
            QCOMPARE(bar.height(), 42);
            bar.cmTB(); // the taskbar state is not a setting
            QCOMPARE(rig.settings.writes, 2);
            rig.bar.reset();
        }
        rig.windowState.calls.clear();
        TfrmMain& again = rig.make();
        QVERIFY(!again.TopMost->TopMost());
        QVERIFY(again.memoryRowShown());
        QCOMPARE(again.height(), 42);
        QVERIFY(again.TaskbarShown); // checked at every start
        QVERIFY(!rig.windowState.calls[1].onTop);
    }

    void taskbarIsHiddenShownAndNeverLeftHidden() {
        Rig rig;
        TfrmMain& bar = rig.make();
        bar.cmTB();
        QVERIFY(!rig.taskbar.visible);
        QVERIFY(!bar.TaskbarShown);
        bar.cmTB();
        QVERIFY(rig.taskbar.visible);
        bar.cmTB();
        bar.show();
        bar.cmExit(); // quitting while the taskbar is hidden shows it again
        QVERIFY(rig.taskbar.visible);
        QCOMPARE(rig.taskbar.requests, (std::vector<bool>{false, true, false, true}));
        QVERIFY(!bar.isVisible());

        Rig noPanel; // a desktop without a panel: the commands do nothing harmful
        noPanel.taskbar.present = false;
        TfrmMain& other = noPanel.make();
        other.cmTB();
        QVERIFY(!other.TaskbarShown);
        other.PopupMenuPopup();
        QVERIFY(!other.pmTB->isChecked());
    }
};

QTEST_MAIN(TfrmMainTest)
#include "TfrmMainTest.moc"
