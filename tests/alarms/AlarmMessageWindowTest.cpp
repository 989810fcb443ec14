// The alarm message window off screen, with a beep that counts.

#include "alarms/widgets/AlarmMessageWindow.h"

#include "alarms/widgets/LedTicker.h"
#include "platform/fake/FakeBeep.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace veskor;

namespace {

int messageWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<AlarmMessageWindow*>(widget) != nullptr && widget->isVisible();
    }
    return count;
}

} // namespace

class AlarmMessageWindowTest : public QObject {
    Q_OBJECT
private slots:
    void layout() {
        FakeBeep beep;
        AlarmMessageWindow window(beep, nullptr);
        QCOMPARE(window.windowTitle(), QString("Alarm Event"));
        QCOMPARE(window.size(), QSize(331, 101));
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window.led()->text(), QString("   "));
        QCOMPARE(window.led()->pos(), QPoint(0, 0));
        QCOMPARE(window.led()->width(), 331);
        QVERIFY(window.led()->scroll());
        QCOMPARE(window.okButton()->geometry(), QRect(254, 67, 75, 27));
        QVERIFY(window.okButton()->isDefault());
    }

    void beepsTwiceASecondOnlyWithSound() {
        FakeBeep beep;
        AlarmMessageWindow window(beep, nullptr);
        window.showAlarm("Wake up", true, encodeTime(7, 5, 0, 0));
        QCOMPARE(window.windowTitle(), QString("Alarm event - [07:05]"));
        QCOMPARE(window.led()->text(), QString("Wake up"));
        QVERIFY(window.isVisible());
        QCOMPARE(beep.beeps, 0);
        QTRY_COMPARE_WITH_TIMEOUT(beep.beeps, 2, 1600);

        // A later alarm while this one is on screen refreshes it, silent by its own flag.
        window.showAlarm("Meeting", false, encodeTime(17, 30, 0, 0));
        QCOMPARE(messageWindows(), 1);
        QCOMPARE(window.windowTitle(), QString("Alarm event - [17:30]"));
        QCOMPARE(window.led()->text(), QString("Meeting"));
        QVERIFY(!window.isBeeping());
        QTest::qWait(1200);
        QCOMPARE(beep.beeps, 2);
    }

    void closing() {
        FakeBeep beep;
        AlarmMessageWindow window(beep, nullptr);
        QSignalSpy finished(&window, &QDialog::finished);
        window.showAlarm("Wake up", true, encodeTime(7, 5, 0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_Escape); // as OK: there is nothing to cancel
        QCOMPARE(finished.count(), 1);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(!window.isVisible());
        QVERIFY(!window.isBeeping());

        window.showAlarm("Again", true, encodeTime(7, 5, 0, 0));
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(finished.count(), 2);

        // Shown again, then closed by its close box.
        window.showAlarm("Again", true, encodeTime(7, 5, 0, 0));
        QVERIFY(window.isBeeping());
        window.close();
        QCOMPARE(finished.count(), 3);
        QVERIFY(!window.isBeeping());
    }
};

QTEST_MAIN(AlarmMessageWindowTest)
#include "AlarmMessageWindowTest.moc"
