// The scope on the bar, off screen with fakes for the machine: start-up from the stored options,
// the tick's feed, the panel's controls and what they save. The figures themselves are checked
// where they are computed (MemoryFeedTest).

#include "scope/widgets/ScopePanel.h"

#include "scope/widgets/MemoryScope.h"
#include "scope/widgets/ScopeView.h"
#include "support/BarRig.h"
#include "ui/SidePanel.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QtTest>

using namespace veskor;

namespace veskor {
Feature scopeFeature(); // registered by app/
} // namespace veskor

class ScopePanelTest final : public QObject {
    Q_OBJECT

    static constexpr std::uint64_t kGiB = 1024 * 1024; // in KB

    // The scope as app/ puts it on the bar: running from start-up, as the stored options say.
    struct Rig : test::BarRig {
        MemoryScope* scope = nullptr;

        explicit Rig(FakeSettingsStore stored) {
            settings = std::move(stored);
            memory.setFiguresKb(6 * kGiB, 3 * kGiB / 2, 8 * kGiB, 2 * kGiB);
            make(scopeFeature(), featureServices());
            scope = bar->findChild<MemoryScope*>();
        }
        [[nodiscard]] std::int32_t stored(const char* name) const {
            return std::get<std::int32_t>(settings.values.at(name));
        }
        template <typename T> T* control(const char* name) const {
            return bar->sidePanel("scope")->findChild<T*>(name);
        }
    };

    static FakeSettingsStore storing(std::map<std::string, FakeSettingsStore::Value> values) {
        FakeSettingsStore store;
        store.values = std::move(values);
        return store;
    }

private slots:
    void runsFromStartAndItsPanelControlsSave() {
        Rig rig(storing({{"MemoryScan", 1}, {"PMScan", 1}, {"Scan", 2000}}));
        QVERIFY(rig.scope != nullptr);
        ScopeView* view = rig.scope->view();
        QVERIFY(view->isStepping() && view->interval() == 200);
        QVERIFY(view->isTraceEnabled(0) && !view->isTraceEnabled(1));
        // The memory row is hidden and the panel closed, yet the scope is fed.
        rig.bar->tick();
        QCOMPARE(rig.memory.reads, 1);
        QCOMPARE(view->maximum(0), 6 * kGiB);
        QCOMPARE(view->position(0), 3 * kGiB / 2);
        QCOMPARE(view->maximum(1), 0);

        rig.bar->toggleSidePanel("scope");
        QVERIFY(view->isVisibleTo(rig.bar->sidePanel("scope")));
        auto* active = rig.control<QCheckBox>("activeBox");
        auto* interval = rig.control<QSpinBox>("intervalBox");
        auto* physical = rig.control<QCheckBox>("physicalBox");
        auto* swap = rig.control<QCheckBox>("swapBox");
        QVERIFY(active && interval && physical && swap);
        QVERIFY(active->isChecked() && physical->isChecked() && !swap->isChecked());
        QCOMPARE(interval->value(), 2000);
        QVERIFY(physical->text().endsWith(" KB of 6,291,456 KB"));
        QCOMPARE(swap->text(), QString("<not active>"));
        QCOMPARE(rig.settings.writes, 0); // neither start-up nor opening saves

        interval->stepBy(1);
        QVERIFY(view->interval() == 300 && rig.stored("Scan") == 3000);
        interval->setValue(5);
        QVERIFY(interval->value() == 10 && view->interval() == 1);
        swap->click();
        QVERIFY(view->isTraceEnabled(1) && rig.stored("PFScan") == 1);
        physical->click();
        QVERIFY(!view->isTraceEnabled(0) && rig.stored("PMScan") == 0);

        // Stopped: the status is no longer read for it, and both boxes say so.
        active->click();
        QVERIFY(!view->isStepping() && rig.stored("MemoryScan") == 0);
        rig.bar->tick();
        QCOMPARE(rig.memory.reads, 1);
        QCOMPARE(physical->text(), QString("<not active>"));
        // Started again on a fresh picture (the step had scrolled a grid column there), and fed.
        view->step();
        active->click();
        QVERIFY(view->isStepping() && rig.stored("MemoryScan") == 1);
        QCOMPARE(view->picture().pixel(250, 90) | 0xff000000U, qRgb(0, 0, 0));
        rig.bar->tick();
        QCOMPARE(rig.memory.reads, 2);
        QVERIFY(swap->text().endsWith(" KB of 8,388,608 KB"));
    }
};

QTEST_MAIN(ScopePanelTest)
#include "ScopePanelTest.moc"
