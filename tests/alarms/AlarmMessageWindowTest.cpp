// The alarm message window off screen, with a beep that counts.

#include "alarms/widgets/AlarmMessageWindow.h"

#include "alarms/widgets/LedTicker.h"
#include "platform/fake/FakeBeep.h"
#include "ui/ButtonGlyphs.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <vector>

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
        AlarmMessageWindow window(beep, nullptr, nullptr);
        QCOMPARE(window.windowTitle(), QString("Alarm Event"));
        QCOMPARE(window.size(), QSize(331, 101));
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window.led()->text(), QString("   "));
        QCOMPARE(window.led()->pos(), QPoint(0, 0));
        QCOMPARE(window.led()->width(), 331);
        QVERIFY(window.led()->isScrolling());
        QCOMPARE(window.okButton()->geometry(), QRect(254, 67, 75, 27));
        QVERIFY(window.okButton()->isDefault());
        QCOMPARE(window.okButton()->icon().pixmap(16, 16).toImage(), okGlyph().toImage());
    }

    void ledBand() {
        FakeBeep beep;
        AlarmMessageWindow window(beep, nullptr, nullptr);
        window.showAlarm(QString::fromUtf8("Žg"), false, encodeTime(7, 5, 0, 0));
        LedTicker& led = *window.led();
        QCOMPARE(led.height(), 58);
        // 19 rows of dots: the caron lights the first row inside the text border of 3, the
        // descender the last.
        const QImage dots = led.dotImage();
        QCOMPARE(dots.height(), 19 * 3);
        std::vector<int> litRows;
        for (int row = 0; row < 19; ++row) {
            for (int x = 1; x < dots.width(); x += 3) {
                if (dots.pixel(x, 1 + 3 * row) == QColor(Qt::green).rgb()) {
                    litRows.push_back(row);
                    break;
                }
            }
        }
        QVERIFY(!litRows.empty());
        QCOMPARE(litRows.front(), 3);
        QCOMPARE(litRows.back(), 15);
        // All 19 rows are inside the frame: the last row's dots end just above its bottom line.
        led.scrollTick();
        const QImage shown = led.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(2, 56), qRgb(128, 128, 128));
        QCOMPARE(shown.pixel(2, 57), qRgb(0, 0, 0));

        // A later event takes the window over at the same height.
        window.showAlarm("Meeting", false, encodeTime(7, 6, 0, 0));
        QCOMPARE(led.height(), 58);
    }

    void beepsTwiceASecondOnlyWithSound() {
        FakeBeep beep;
        AlarmMessageWindow window(beep, nullptr, nullptr);
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
        AlarmMessageWindow window(beep, nullptr, nullptr);
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
