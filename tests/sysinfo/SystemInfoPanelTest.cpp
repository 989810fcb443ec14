// The panel's wiring, off screen: the tree is filled afresh each time the panel opens, and
// selecting a node opens it and closes the one that lost the selection.

#include "sysinfo/widgets/SystemInfoPanel.h"

#include "platform/fake/FakeProcessor.h"
#include "platform/fake/FakeSystemFacts.h"
#include "ui/SidePanel.h"

#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace veskor;

class SystemInfoPanelTest final : public QObject {
    Q_OBJECT

    struct Rig {
        std::shared_ptr<FakeSystemFacts> facts = std::make_shared<FakeSystemFacts>();
        std::shared_ptr<FakeProcessor> processor = std::make_shared<FakeProcessor>();
        std::unique_ptr<SidePanel> panel;

        Rig() {
            facts->memInfoText = "MemTotal: 2048 kB\n";
            processor->mhz = 100;
            const SidePanelDescription description =
                systemInfoSidePanel({facts, std::make_shared<FakeScreenFacts>(), processor});
            panel = std::make_unique<SidePanel>(description.title, description.height, nullptr);
            description.buildContent(*panel);
        }
        QTreeWidget* tree() const { return panel->findChild<QTreeWidget*>("tv"); }
        QTreeWidgetItem* top(const QString& text) const {
            return tree()->findItems(text, Qt::MatchExactly).value(0);
        }
        QString machineLine(int row) const { return top("Machine")->child(row)->text(0); }
    };

private slots:
    void eachOpeningFillsTheTreeAfresh() {
        Rig rig;
        QVERIFY(rig.tree() != nullptr);
        QCOMPARE(rig.tree()->topLevelItemCount(), 0);
        rig.panel->show();
        QCOMPARE(rig.tree()->topLevelItemCount(), 7);
        QCOMPARE(rig.top("Memory")->child(0)->text(0), QString("RAM: 2,048 KB"));
        QCOMPARE(rig.machineLine(0), QString("Name: fakehost"));
        QCOMPARE(rig.top("Machine")->child(1)->childCount(), 0);
        QVERIFY(!rig.top("Machine")->isExpanded());
        const int hostReads = rig.facts->hostNameReads;

        // Reopened: the speed is measured again, the name and addresses asked again; the
        // collected facts stay as they were.
        rig.panel->hide();
        rig.processor->mhz = 200;
        rig.facts->host = "renamed";
        rig.facts->addresses = {{"eth0", "192.168.1.20", true, false}};
        rig.facts->memInfoText = "MemTotal: 4096 kB\n";
        rig.panel->show();
        QCOMPARE(rig.tree()->topLevelItemCount(), 7);
        QVERIFY(rig.facts->hostNameReads > hostReads);
        QCOMPARE(rig.machineLine(0), QString("Name: renamed"));
        QCOMPARE(rig.top("Machine")->child(1)->child(0)->text(0), QString("192.168.1.20"));
        QCOMPARE(rig.top("System processor(s)")->child(0)->child(1)->text(0),
                 QString("Speed: 200 MHz"));
        QCOMPARE(rig.top("Memory")->child(0)->text(0), QString("RAM: 2,048 KB"));
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void selectingExpandsOneNodeAtATime() {
        Rig rig;
        rig.panel->show();
        QTreeWidget* tree = rig.tree();
        QCOMPARE(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
        tree->setCurrentItem(rig.top("Memory"));
        QVERIFY(rig.top("Memory")->isExpanded());
        // Into the open node: it stays open.
        tree->setCurrentItem(rig.top("Memory")->child(0));
        QVERIFY(rig.top("Memory")->isExpanded());
        tree->setCurrentItem(rig.top("Video"));
        tree->setCurrentItem(rig.top("Machine"));
        QVERIFY(rig.top("Machine")->isExpanded());
        QVERIFY(!rig.top("Video")->isExpanded());
    }

    void theClickedRowStaysSelectedWhenANodeAboveCloses() {
        Rig rig;
        rig.panel->show();
        QTreeWidget* tree = rig.tree();
        QTreeWidgetItem* processors = rig.top("System processor(s)");
        // With a processor open above, clicking "Memory" closes it and the rows below move up
        // under the pointer; held and moved a little, the button selects nothing else.
        tree->setCurrentItem(processors);
        tree->setCurrentItem(processors->child(0));
        QTreeWidgetItem* memory = rig.top("Memory");
        const QPoint pointer = tree->visualItemRect(memory).center();
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, pointer);
        QTest::mouseMove(tree->viewport(), pointer + QPoint(0, 1));
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, pointer + QPoint(0, 1));
        QCOMPARE(tree->currentItem(), memory);
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{memory});
        QVERIFY(memory->isExpanded());
        QVERIFY(!processors->child(0)->isExpanded());
    }
};

QTEST_MAIN(SystemInfoPanelTest)
#include "SystemInfoPanelTest.moc"
