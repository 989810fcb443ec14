// The program's hint bubbles and cells, off screen.

#include "ui/BalloonHint.h"

#include "ui/StatusCell.h"

#include <QHelpEvent>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

using namespace veskor;

class BalloonHintTest final : public QObject {
    Q_OBJECT

    static void hover(QWidget* w) {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(w, &help);
    }

private slots:
    void hintShowsAsAYellowBubbleWithOneLinePerLine() {
        BalloonHints hints(QColor(255, 255, 0), nullptr);
        QWidget host;
        StatusCell cell(Qt::black, Qt::green, " Day of year: 1 \r\n Week: 1 ", &host);
        cell.setGeometry(0, 0, 96, 21);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        hover(&cell);
        QWidget* bubble = hints.visibleBubble();
        QVERIFY(bubble != nullptr);
        // Two lines make the bubble taller than one.
        const int twoLines = bubble->height();
        const QImage image = bubble->grab().toImage();
        // Left of the text, inside the outline.
        QCOMPARE(QColor(image.pixel(3, image.height() / 2)).rgb() & 0xffff00,
                 QColor(255, 255, 0).rgb() & 0xffff00);
        cell.setHint("one line");
        hover(&cell);
        QVERIFY(hints.visibleBubble()->height() < twoLines);
        // Leaving the cell or pressing a button takes the hint away.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&cell, &leave);
        QVERIFY(hints.visibleBubble() == nullptr);
        hover(&cell);
        QTest::mousePress(&host, Qt::LeftButton);
        QVERIFY(hints.visibleBubble() == nullptr);
        // No hint text, no bubble.
        cell.setHint(QString());
        hover(&cell);
        QVERIFY(hints.visibleBubble() == nullptr);
    }

    void theWindowShapeIsExactlyThePaintedBubbleAndShadow() {
        BalloonHints hints(QColor(255, 255, 0), nullptr);
        QWidget host;
        StatusCell cell(Qt::black, Qt::green, " Tomorrow saint: Bohuslava ", &host);
        cell.setGeometry(0, 0, 111, 21);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        hover(&cell);
        QWidget* bubble = hints.visibleBubble();
        QVERIFY(bubble != nullptr);
        const QImage image = bubble->grab().toImage();
        const QRegion shape = bubble->mask();
        QVERIFY(!shape.isEmpty());
        // Inside the shape only the hint colour, the shadow and the black outline and text (and
        // their blends, none with any blue); no background pixel shows at the corners or beside
        // the shadow.
        for (const QRect& r : shape) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    QVERIFY2(c.blue() <= 64,
                             qPrintable(QString("pixel %1,%2 is %3").arg(x).arg(y).arg(c.name())));
                }
            }
        }
        // The rounded corners are cut away.
        QVERIFY(!shape.contains(QPoint(0, 0)));
        QVERIFY(!shape.contains(QPoint(bubble->width() - 1, bubble->height() - 1)));
    }

    void widgetsThatMakeTheirOwnTipsStillGetAsked() {
        BalloonHints hints(QColor(255, 255, 0), nullptr);
        struct OwnTips final : QWidget {
            int asked = 0;
            bool event(QEvent* e) override {
                asked += e->type() == QEvent::ToolTip ? 1 : 0;
                return QWidget::event(e);
            }
        } view;
        hover(&view);
        QCOMPARE(view.asked, 1);
        QVERIFY(hints.visibleBubble() == nullptr);
        QCOMPARE(QToolTip::palette().color(QPalette::ToolTipBase), QColor(255, 255, 0));
    }

    void cellShowsANewCaptionAndReportsLeftDoubleClicks() {
        QWidget host;
        StatusCell cell(Qt::black, Qt::yellow, " Time ", &host);
        cell.setGeometry(0, 0, 67, 21);
        QSignalSpy clicks(&cell, &StatusCell::doubleClicked);
        QTest::mouseDClick(&cell, Qt::LeftButton);
        QTest::mouseDClick(&cell, Qt::RightButton);
        QCOMPARE(clicks.count(), 1);
        cell.setCaption("12:00:00");
        const QImage first = cell.grab().toImage();
        cell.setCaption("12:00:01");
        QVERIFY(cell.grab().toImage() != first);
        QCOMPARE(cell.cursor().shape(), Qt::PointingHandCursor);
    }
};

QTEST_MAIN(BalloonHintTest)
#include "BalloonHintTest.moc"
