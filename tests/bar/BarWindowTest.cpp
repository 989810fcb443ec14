// The bar window's wiring, off screen, with fakes for the machine. The texts themselves are
// checked where they are computed (StatusTextsTest); here the cells must show what was computed.

#include "bar/widgets/BarWindow.h"

#include "bar/core/StatusTexts.h"
#include "bar/widgets/TrayIcon.h"
#include "common/Error.h"
#include "common/Version.h"
#include "support/BarRig.h"
#include "ui/ShadowLabel.h"
#include "ui/SidePanel.h"
#include "ui/StatusCell.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace veskor;

Q_DECLARE_METATYPE(std::optional<veskor::MemoryStatus>)

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// Two side panels as a feature would describe them.
std::vector<SidePanelDescription> scratchPanels(int* built) {
    SidePanelDescription upper;
    upper.word = "upper";
    upper.menuText = "Upper Panel";
    upper.title = "Upper";
    upper.height = 100;
    upper.firstTop = 41;
    upper.toggledByDoubleClickOn = {BarCell::Date};
    upper.buildContent = [built](SidePanel& panel) {
        ++*built;
        auto* content = new QWidget(&panel);
        content->setObjectName("upperContent");
        content->setGeometry(panel.contentRect());
    };
    SidePanelDescription lower;
    lower.word = "lower";
    lower.menuText = "Lower Panel";
    lower.title = "Lower";
    lower.height = 50;
    lower.firstTop = 300;
    lower.toggledByDoubleClickOn = {BarCell::FreePhysical, BarCell::FreeSwap, BarCell::FreeShare};
    return {upper, lower};
}

} // namespace

class BarWindowTest final : public QObject {
    Q_OBJECT

    struct Rig : test::BarRig {
        int contentBuilt = 0;

        Rig() { clock.set(encodeDate(1998, 7, 6) + encodeTime(7, 5, 9, 0)); }
        BarWindow& make() { return BarRig::make(scratchPanels(&contentBuilt)); }
        [[nodiscard]] std::int32_t stored(const char* name) const {
            return std::get<std::int32_t>(settings.values.at(name));
        }
    };

    static QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }

private slots:
    void initTestCase() { qRegisterMetaType<std::optional<MemoryStatus>>(); }

    void firstRunPlacesOneRowAtTheTopRightAndCreatesTheKey() {
        Rig rig;
        BarWindow& bar = rig.make();
        QCOMPARE(bar.size(), QSize(278, 21));
        QCOMPARE(bar.pos(), QPoint(screen().width() - 278, 0));
        QVERIFY(rig.settings.keyExists);
        QCOMPARE(rig.settings.writes, 0);
        QVERIFY(!bar.isMemoryRowShown());
        QVERIFY(bar.isDesktopPanelShown());
        QCOMPARE(bar.windowTitle(), QString(kProductCaption));
        // Before the first tick the cells are empty and carry their first hints.
        QVERIFY(bar.cell(BarCell::Time)->caption().isEmpty());
        const std::pair<BarCell, const char*> hints[] = {
            {BarCell::Date, " Date "},
            {BarCell::Saint, " Saint "},
            {BarCell::Time, " Time "},
            {BarCell::FreePhysical, "Free Physical Memory"},
            {BarCell::FreeSwap, "Free Page File"},
            {BarCell::FreeShare, " Free memory "}};
        for (const auto& [cell, hint] : hints) {
            QCOMPARE(bar.cell(cell)->toolTip(), QString(hint));
        }
        // Each row keeps a two-pixel frame around its cells.
        const std::pair<BarCell, QRect> cells[] = {
            {BarCell::Date, {2, 2, 96, 17}},        {BarCell::Saint, {98, 2, 111, 17}},
            {BarCell::Time, {209, 2, 67, 17}},      {BarCell::FreePhysical, {2, 2, 115, 17}},
            {BarCell::FreeSwap, {117, 2, 115, 17}}, {BarCell::FreeShare, {232, 2, 44, 17}}};
        for (const auto& [cell, geometry] : cells) {
            QCOMPARE(bar.cell(cell)->geometry(), geometry);
        }
        // Kept out of the task list and above other windows from the first map on.
        QCOMPARE(rig.windowState.calls.size(), std::size_t{2});
        QVERIFY(rig.windowState.calls[0].stayOnTop && !rig.windowState.calls[0].taskbar);
        QVERIFY(rig.windowState.calls[1].taskbar);
        QCoreApplication::processEvents();
        QVERIFY(rig.reports.isEmpty());
    }

    void storedValuesAreAppliedAndSurviveTheRead() {
        Rig rig;
        rig.settings.values = {{"Top", 100},      {"Left", 20},  {"StayOnTop", 0}, {"Memory", 1},
                               {"MemoryScan", 1}, {"PMScan", 1}, {"PFScan", 1},    {"Scan", 500}};
        const auto stored = rig.settings.values;
        BarWindow& bar = rig.make();
        QCOMPARE(bar.size(), QSize(278, 42));
        QCOMPARE(bar.pos(), QPoint(20, 100));
        QVERIFY(bar.isMemoryRowShown());
        QVERIFY(!bar.isStayOnTop());
        QVERIFY(!rig.windowState.calls[1].stayOnTop && !rig.windowState.calls[1].taskbar);
        QCOMPARE(rig.settings.writes, 0);
        QVERIFY(rig.settings.values == stored);
    }

    void startErrorsAreReportedOnceTheEventLoopRunsAndStartUpGoesOn() {
        Rig rig;
        rig.settings.values = {{"StayOnTop", std::string("on")}, {"Memory", 1}};
        rig.files.files[rig.dataDir / "Veskor32.sd"] = "First\r\nSecond\r\n";
        rig.files.unreadable.insert(rig.dataDir / "Veskor32.sd");
        BarWindow& bar = rig.make();
        // Nothing is shown before the bar itself is on the screen...
        QVERIFY(rig.reports.isEmpty());
        QCOMPARE(bar.height(), 42);
        QVERIFY(bar.isStayOnTop());
        // ...then each problem once, in the order met.
        QTRY_COMPARE(rig.reports.size(), 2);
        QCOMPARE(rig.reports[0], QString("Invalid data type for 'StayOnTop'"));
        QVERIFY(rig.reports[1].startsWith("Cannot open file "));
        QCOMPARE(bar.saints().count(), 366); // the built-in list stays
        QCoreApplication::processEvents();
        QCOMPARE(rig.reports.size(), 2);
    }

    void nameDayFileIsReadFromTheDataFolder() {
        Rig rig;
        rig.files.files[rig.dataDir / "Veskor32.sd"] = "First\r\nSecond\r\n";
        BarWindow& bar = rig.make();
        QCOMPARE(bar.saintFilePath(), rig.dataDir / "Veskor32.sd");
        QCOMPARE(bar.saints().count(), 2);
    }

    void tickShowsTheComputedTextsAndLeavesMemoryAloneWhileNothingWantsIt() {
        Rig rig;
        BarWindow& bar = rig.make();
        QSignalSpy ticked(&bar, &BarWindow::ticked);
        bar.tick();
        const DateRowTexts row =
            computeDateRow(rig.clock.now(), bar.saints(), LocaleFormat::english());
        QCOMPARE(bar.cell(BarCell::Date)->caption(), fromUtf8(row.date));
        QCOMPARE(bar.cell(BarCell::Date)->toolTip(), fromUtf8(row.dateHint));
        QCOMPARE(bar.cell(BarCell::Time)->caption(), fromUtf8(row.time));
        QCOMPARE(bar.cell(BarCell::Saint)->caption(), fromUtf8(row.saint.value()));
        QCOMPARE(bar.cell(BarCell::Saint)->toolTip(), fromUtf8(row.saintHint.value()));
        // A screen reader hears the cell's name and what it shows.
        QCOMPARE(
            QAccessible::queryAccessibleInterface(bar.cell(BarCell::Time))->text(QAccessible::Name),
            "Time: " + fromUtf8(row.time));
        QCOMPARE(rig.memory.reads, 0);
        QVERIFY(bar.cell(BarCell::FreePhysical)->caption().isEmpty());
        QCOMPARE(ticked.size(), 1);
        QCOMPARE(ticked[0][0].value<DateTime>(), rig.clock.now());
        QVERIFY(bar.isClockRunning()); // the next tick is scheduled
        QVERIFY(!ticked[0][1].value<std::optional<MemoryStatus>>().has_value());
    }

    void memoryRowShowsTheComputedFiguresAndTheTickPassesThemOn() {
        Rig rig;
        rig.settings.values = {{"Memory", 1}};
        rig.memory.setFiguresKb(32ULL << 20, 30ULL << 20, 8ULL << 20, 6ULL << 20);
        BarWindow& bar = rig.make();
        QSignalSpy ticked(&bar, &BarWindow::ticked);
        bar.tick();
        QCOMPARE(rig.memory.reads, 1);
        const MemoryStatus status = parseMemInfo(rig.memory.text);
        const MemRowTexts mem = computeMemRow(status, LocaleFormat::english());
        QCOMPARE(bar.cell(BarCell::FreePhysical)->caption(), fromUtf8(mem.freePhysical));
        QCOMPARE(bar.cell(BarCell::FreePhysical)->toolTip(), fromUtf8(mem.freePhysicalHint));
        QCOMPARE(bar.cell(BarCell::FreeSwap)->caption(), fromUtf8(mem.freeSwap));
        QCOMPARE(bar.cell(BarCell::FreeSwap)->toolTip(), fromUtf8(mem.freeSwapHint));
        QCOMPARE(bar.cell(BarCell::FreeShare)->caption(), fromUtf8(mem.freeShare));
        const auto passed = ticked[0][1].value<std::optional<MemoryStatus>>();
        QVERIFY(passed.has_value());
        QCOMPARE(passed->availPhys, status.availPhys);
    }

    void aWantedMemoryFeedIsReadWhileTheRowIsHidden() {
        Rig rig;
        rig.memory.setFiguresKb(1000, 500, 0, 0);
        BarWindow& bar = rig.make();
        bar.tick();
        QCOMPARE(rig.memory.reads, 0);
        bar.setMemoryFeedWanted(true);
        bar.tick();
        QCOMPARE(rig.memory.reads, 1);
        QVERIFY(!bar.isMemoryRowShown());
        bar.setMemoryFeedWanted(false);
        bar.tick();
        QCOMPARE(rig.memory.reads, 1);
    }

    void tableEndingOnTodayShowsTodayAndReportsTomorrowOnce() {
        Rig rig;
        std::string file;
        for (int line = 1; line <= 188; ++line) { // up to 6 July
            file += "Name " + std::to_string(line) + "\r\n";
        }
        rig.files.files[rig.dataDir / "Veskor32.sd"] = file;
        BarWindow& bar = rig.make();
        bar.tick();
        bar.tick();
        bar.tick();
        QCOMPARE(rig.reports, QStringList{"List index out of bounds (188)"});
        QCOMPARE(bar.cell(BarCell::Saint)->caption(), QString("Name 188"));
        QCOMPARE(bar.cell(BarCell::Saint)->toolTip(), QString(" Saint "));
    }

    void aFailingClockIsReportedOnceAndTheTickGoesOn() {
        struct BreakingClock final : IClock {
            bool broken = false;
            DateTime now() const override {
                if (broken) {
                    throw Error("Invalid argument to date encode");
                }
                return encodeDate(9999, 12, 31);
            }
        } clock;
        Rig rig;
        BarWindow bar({clock, rig.memory, rig.settings, rig.windowState, rig.taskbar, rig.files,
                       LocaleFormat::english(), rig.dataDir,
                       [&rig](const QString& text) { rig.reports << text; }},
                      {});
        bar.tick();
        const QString lastDate = bar.cell(BarCell::Date)->caption();
        clock.broken = true;
        bar.tick();
        bar.tick();
        QCOMPARE(rig.reports, QStringList{"Invalid argument to date encode"});
        QCOMPARE(bar.cell(BarCell::Date)->caption(), lastDate);
        QVERIFY(bar.isClockRunning());
    }

    void unwritableSettingsKeepTheBarRunningWithoutMessages() {
        Rig rig;
        rig.settings.failWrites = true;
        BarWindow& bar = rig.make();
        bar.toggleStayOnTop();
        bar.toggleStayOnTop();
        QCoreApplication::processEvents();
        QVERIFY(rig.reports.isEmpty());
        rig.settings.failWrites = false;
        bar.toggleStayOnTop(); // tried again at the next change
        QCOMPARE(rig.stored("StayOnTop"), 0);
    }

    void leftDragMovesAndSavesRightButtonDoesNot() {
        Rig rig;
        BarWindow& bar = rig.make();
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        bar.move(100, 100);
        StatusCell* time = bar.cell(BarCell::Time);
        QTest::mousePress(time, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseRelease(time, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(rig.settings.writes, 0);
        // A press and release without moving still records the position.
        QTest::mousePress(time, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(time, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(rig.settings.writes >= 1);
        QCOMPARE(rig.stored("Left"), 100);
        QCOMPARE(rig.stored("Top"), 100);
        // The bar follows the mouse and is saved where it was let go.
        QTest::mousePress(time, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(time, QPoint(-95, 65)); // 100 left and 60 down
        QCOMPARE(bar.pos(), QPoint(0, 160));
        QTest::mouseRelease(time, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(rig.stored("Left"), 0);
        QCOMPARE(rig.stored("Top"), 160);
    }

    void positionOffTheBottomRightIsPulledBackAtPaint() {
        Rig rig;
        const QRect s = screen();
        rig.settings.values = {{"Top", s.height() - 5}, {"Left", s.width() - 100}};
        BarWindow& bar = rig.make();
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTRY_COMPARE(bar.pos(), QPoint(s.width() - 278, s.height() - 21));
        QCOMPARE(rig.settings.writes, 0); // not a setting change
    }

    void pullBackTrustsTheDisplayServerOverAStalePosition() {
        // After a window-manager move Qt's position can be off; the server's decides.
        Rig rig;
        const QRect s = screen();
        rig.settings.values = {{"Left", s.width() - 100}};
        rig.windowState.position = std::pair{100, 40};
        BarWindow& bar = rig.make();
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTRY_COMPARE(bar.pos(), QPoint(100, 40));
    }

    void aChangeOfHeightKeepsThePlaceTheWindowHasOnTheScreen() {
        Rig rig;
        rig.settings.values = {{"Left", 300}, {"Top", 10}};
        BarWindow& bar = rig.make();
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        rig.windowState.position = std::pair{120, 30}; // where the server has it after a move
        bar.toggleMemoryRow();
        QCOMPARE(bar.pos(), QPoint(120, 30));
        QCOMPARE(bar.height(), 42);
    }

    void menuHasEveryItemWithTheRegisteredPanelsInTheirPlace() {
        Rig rig;
        BarWindow& bar = rig.make();
        QStringList captions;
        for (const QAction* action : bar.menu()->actions()) {
            if (action->isVisible()) {
                captions << (action->isSeparator() ? QString("-") : action->text());
            }
            QVERIFY(action->icon().isNull());
        }
        QCOMPARE(captions,
                 (QStringList{"Always On Top", "Memory Status", "Windows Taskbar", "-",
                              "Upper Panel", "Lower Panel", "-", "About...", "Quit", "-"}));
    }

    void checkMarksFollowTheState() {
        Rig rig;
        rig.settings.values = {{"StayOnTop", 0}};
        BarWindow& bar = rig.make();
        const auto checks = [&] {
            emit bar.menu()->aboutToShow();
            QString marks;
            for (const char* text : {"Always On Top", "Memory Status", "Windows Taskbar",
                                     "Upper Panel", "Lower Panel"}) {
                marks += rig.action(text)->isChecked() ? '1' : '0';
            }
            return marks;
        };
        QCOMPARE(checks(), QString("00100"));
        QVERIFY(rig.click("Always On Top"));
        QVERIFY(rig.click("Memory Status"));
        QVERIFY(rig.click("Windows Taskbar"));
        QVERIFY(rig.click("Lower Panel"));
        QCOMPARE(checks(), QString("11001"));
        bar.toggleSidePanel("upper");
        bar.toggleSidePanel("lower");
        QCOMPARE(checks(), QString("11010"));
    }

    void sidePanelIsBuiltOnceAndPlacedWhereTheStackPutsIt() {
        Rig rig;
        BarWindow& bar = rig.make();
        QVERIFY(bar.sidePanel("upper") == nullptr); // nothing built before it is opened
        bar.toggleSidePanel("lower");
        bar.toggleSidePanel("upper"); // first top 41: below the lower panel, now at 21
        SidePanel* upper = bar.sidePanel("upper");
        SidePanel* lower = bar.sidePanel("lower");
        QVERIFY(upper != nullptr && lower != nullptr);
        QCOMPARE(lower->geometry(), QRect(0, 21, 278, 50));
        QCOMPARE(upper->geometry(), QRect(0, 71, 278, 100));
        QCOMPARE(bar.height(), 171);
        QCOMPARE(upper->titleLabel()->text(), QString("Upper"));
        QCOMPARE(QAccessible::queryAccessibleInterface(upper)->text(QAccessible::Name), "Upper");
        QVERIFY(upper->findChild<QWidget*>("upperContent") != nullptr);
        // The close button does what the menu item does; the panel is kept for the next time.
        upper->closeButton()->click();
        QVERIFY(!bar.isSidePanelShown("upper"));
        QCOMPARE(lower->y(), 21);
        QCOMPARE(bar.height(), 71);
        bar.toggleSidePanel("upper");
        QCOMPARE(bar.sidePanel("upper"), upper);
        QCOMPARE(rig.contentBuilt, 1);
        // The memory row goes in above both.
        bar.toggleMemoryRow();
        QCOMPARE(bar.memoryRow()->y(), 21);
        QCOMPARE(lower->y(), 42);
        QCOMPARE(upper->y(), 92);
        QCOMPARE(bar.height(), 21 + 21 + 100 + 50);
    }

    void doubleClicksOnTheCellsToggleTheirPanels() {
        Rig rig;
        BarWindow& bar = rig.make();
        QTest::mouseDClick(bar.cell(BarCell::Date), Qt::LeftButton);
        QVERIFY(bar.isSidePanelShown("upper"));
        for (BarCell cell : {BarCell::FreePhysical, BarCell::FreeSwap, BarCell::FreeShare}) {
            const bool before = bar.isSidePanelShown("lower");
            QTest::mouseDClick(bar.cell(cell), Qt::LeftButton);
            QCOMPARE(bar.isSidePanelShown("lower"), !before);
        }
    }

    void featuresMenuEntriesStandAtTheirPlacesWhateverTheOrderGiven() {
        Rig rig;
        BarWindow& bar = rig.make();
        QStringList triggered;
        const auto entry = [&triggered](MenuPlace::Section section, int order, QString text) {
            return MenuEntry{{section, order}, text, [&triggered, text] { triggered << text; }};
        };
        using Section = MenuPlace::Section;
        bar.addMenuEntries({entry(Section::Session, 2, "Second"), entry(Section::Tools, 3, "Third"),
                            entry(Section::Tools, 1, "One")});
        bar.addMenuEntries({entry(Section::Session, 1, "First"), entry(Section::Tools, 2, "Two")});
        QStringList texts;
        for (const QAction* action : bar.menu()->actions()) {
            texts << (action->isSeparator() ? "-" : action->text());
        }
        QCOMPARE(texts, (QStringList{"Always On Top", "Memory Status", "Windows Taskbar", "-",
                                     "Upper Panel", "Lower Panel", "One", "Two", "Third", "-",
                                     "About...", "Quit", "-", "First", "Second"}));
        QVERIFY(rig.click("Two"));
        QCOMPARE(triggered, QStringList{"Two"});
    }

    void stayOnTopAndMemoryRowAreStoredAndReadAtTheNextStart() {
        Rig rig;
        {
            BarWindow& bar = rig.make();
            bar.toggleStayOnTop();
            bar.toggleMemoryRow();
            QCOMPARE(rig.stored("StayOnTop"), 0);
            QCOMPARE(rig.stored("Memory"), 1);
            bar.toggleDesktopPanel(); // the desktop panel's state is not a setting
            QCOMPARE(rig.settings.writes, 2);
            rig.bar.reset();
        }
        rig.windowState.calls.clear();
        BarWindow& again = rig.make();
        QVERIFY(!again.isStayOnTop());
        QVERIFY(again.isMemoryRowShown());
        QCOMPARE(again.height(), 42);
        QVERIFY(again.isDesktopPanelShown()); // shown at every start
        QVERIFY(!rig.windowState.calls[1].stayOnTop);
    }

    void desktopPanelIsHiddenShownAndNeverLeftHidden() {
        Rig rig;
        BarWindow& bar = rig.make();
        bar.toggleDesktopPanel();
        QVERIFY(!rig.taskbar.visible);
        bar.toggleDesktopPanel();
        QVERIFY(rig.taskbar.visible);
        bar.toggleDesktopPanel();
        bar.show();
        QVERIFY(rig.click("Quit")); // quitting while the desktop panel is hidden shows it again
        QVERIFY(rig.taskbar.visible);
        QCOMPARE(rig.taskbar.requests, (std::vector<bool>{false, true, false, true}));
        QVERIFY(!bar.isVisible());
    }

    void trayIconIsShownWithAnIconAndTakenAwayWithout() {
        TrayIcon tray(nullptr, true);
        QVERIFY(!tray.isShown()); // no icon yet
        tray.setHint("Veskor Pro");
        QVERIFY(!tray.isShown());
        QPixmap image(16, 16);
        image.fill(Qt::green);
        tray.setIcon(QIcon(image));
        QVERIFY(tray.isShown());
        tray.setIcon(QIcon());
        QVERIFY(!tray.isShown());
        TrayIcon offScreen(nullptr, false); // a platform without a notification area
        offScreen.setIcon(QIcon(image));
        QVERIFY(!offScreen.isShown());
    }

    void trayTipIsCutTo63Characters() {
        QCOMPARE(trayTip("Veskor Pro 4.5"), QString("Veskor Pro 4.5"));
        QCOMPARE(trayTip(QString(70, QChar('a'))).size(), 63);
        // Accented characters count as one each.
        QCOMPARE(trayTip(QString(64, QChar(0x17E))).size(), 63);
        // A character outside the basic plane is not cut in half.
        const QString astral = QString(62, QChar('c')) + QString::fromUtf8("\xF0\x9F\x93\x85");
        QCOMPARE(trayTip(astral), QString(62, QChar('c')));
    }
};

QTEST_MAIN(BarWindowTest)
#include "BarWindowTest.moc"
