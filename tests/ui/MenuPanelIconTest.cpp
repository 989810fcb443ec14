// The banner menu, the side panels, the shadowed titles, the icon and the About box, off screen.

#include "ui/AppIcon.h"
#include "ui/BannerMenu.h"
#include "ui/Messages.h"
#include "ui/ShadowLabel.h"
#include "ui/SidePanel.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace veskor;

namespace {

// A menu shaped like the bar's, separators as "-"; the first three entries carry check marks.
void fill(QMenu& menu) {
    const QStringList captions =
        QString("Check one|Check two|Check three|-|Plain one|Plain two|-|Plain three").split('|');
    for (const QString& caption : captions) {
        if (caption == "-") {
            menu.addSeparator();
        } else {
            const bool checkable = menu.actions().size() < 3;
            menu.addAction(caption)->setCheckable(checkable);
        }
    }
}

bool open(QMenu& menu) {
    menu.popup(QPoint(200, 100));
    return QTest::qWaitForWindowExposed(&menu);
}

bool isYellow(QColor c) {
    return c.red() > 200 && c.green() > 200 && c.blue() < 80;
}
bool isDark(QColor c) {
    return c.red() < 60 && c.green() < 60 && c.blue() < 60;
}

// The bounding box of the pixels that pass the test.
template <typename Test> QRect boxOf(const QImage& image, Test test) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (test(image.pixelColor(x, y))) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// What a modal message box showed; its OK button is clicked as soon as it appears.
struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QSize iconSize;
};
template <typename Show> BoxSeen seeBox(Show show) {
    BoxSeen seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            seen = {box->windowTitle(), box->text(), box->standardButtons(), box->icon(),
                    box->iconPixmap().size()};
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start(10);
    show();
    return seen;
}

} // namespace

class MenuPanelIconTest final : public QObject {
    Q_OBJECT

private slots:
    void menuItemsStandRightOfTheBannerAndClicksTriggerThem() {
        BannerMenu menu("Orvane Veskor Pro", nullptr);
        fill(menu);
        QSignalSpy triggered(&menu, &QMenu::triggered);
        for (QAction* action : menu.actions()) {
            QVERIFY(menu.actionGeometry(action).left() >= BannerMenu::kBannerWidth);
            if (action->isSeparator()) {
                continue;
            }
            QVERIFY(open(menu));
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
            QCOMPARE(triggered.count(), 1);
            QCOMPARE(triggered.takeFirst().at(0).value<QAction*>(), action);
            QVERIFY(!menu.isVisible());
        }
        // The check marks work as usual: one click on each checked the first three.
        QVERIFY(menu.actions().at(0)->isChecked() && menu.actions().at(2)->isChecked());
        // A click on the banner beside an item is no click on the item.
        QVERIFY(open(menu));
        const QRect calendar = menu.actionGeometry(menu.actions().at(4));
        QTest::mouseClick(&menu, Qt::LeftButton, {},
                          QPoint(BannerMenu::kBannerWidth / 2, calendar.center().y()));
        QCOMPARE(triggered.count(), 0);
        menu.hide();
    }

    void bannerRunsFromBlackToNavyAndTheHighlightIsYellowOnBlack() {
        BannerMenu menu("Orvane Veskor Pro", nullptr);
        fill(menu);
        QVERIFY(open(menu));
        QAction* calendar = menu.actions().at(4);
        menu.setActiveAction(calendar);
        const QImage image = menu.grab().toImage();

        // Aqua, black and navy (and their blends) carry no red at all; the text is there.
        bool aqua = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < BannerMenu::kBannerWidth; ++x) {
                const QColor c = image.pixelColor(x, y);
                QVERIFY2(c.red() == 0 && c.green() <= c.blue() + 1,
                         qPrintable(QString("banner pixel %1,%2").arg(x).arg(y)));
                aqua = aqua || (c.green() > 200 && c.blue() > 200);
            }
        }
        QVERIFY(aqua);
        // The edge column shows the run itself: navy at the top, black at the bottom.
        QVERIFY(image.pixelColor(0, 0).blue() > 110);
        QVERIFY(image.pixelColor(0, image.height() - 1).blue() < 15);
        // The banner text is rotated: it runs down the banner, taller than it is wide.
        const QImage strip = image.copy(0, 0, BannerMenu::kBannerWidth, image.height());
        const QRect text = boxOf(strip, [](QColor c) { return c.green() > 200; });
        QVERIFY(text.height() > 4 * text.width());
        QVERIFY(std::abs(text.center().y() - image.height() / 2) <= 2);

        // Highlighted item: black background with yellow text; the other items have no yellow.
        const QImage active = image.copy(menu.actionGeometry(calendar));
        QVERIFY(isDark(active.pixelColor(active.width() - 3, active.height() / 2)));
        QVERIFY(!boxOf(active, isYellow).isEmpty());
        const QImage other = image.copy(menu.actionGeometry(menu.actions().at(5)));
        QVERIFY(boxOf(other, isYellow).isEmpty());
        QVERIFY(!isDark(other.pixelColor(other.width() - 3, other.height() / 2)));
        menu.hide();
    }

    void sidePanelHasItsCloseButtonAndTitleAndLeavesPressesToTheBar() {
        struct Bar final : QWidget {
            int presses = 0;
            void mousePressEvent(QMouseEvent* /*event*/) override { ++presses; }
        } bar;
        SidePanel panel("Calendar", 264, &bar);
        QVERIFY(panel.minimumSize() == QSize(278, 264) && panel.maximumSize() == QSize(278, 264));

        QAbstractButton* close = panel.closeButton();
        QCOMPARE(close->text(), QString(" x"));
        QCOMPARE(close->toolTip(), QString("Hide panel"));
        QSignalSpy closed(&panel, &SidePanel::closeClicked);
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(closed.count(), 1);

        ShadowLabel* title = panel.titleLabel();
        QCOMPARE(title->text(), QString("Calendar"));
        QVERIFY(title->geometry().left() >= close->geometry().right());

        // The content goes below the title row, inside the frame.
        const QRect content = panel.contentRect();
        QVERIFY(content.top() > std::max(close->geometry().bottom(), title->geometry().bottom()));
        QVERIFY(panel.rect().adjusted(1, 1, -1, -1).contains(content));

        // Grey, raised: light on the top left, dark on the bottom right.
        const QImage image = panel.grab().toImage();
        QCOMPARE(image.pixelColor(content.center()), QColor(192, 192, 192));
        QVERIFY(image.pixelColor(0, 100).lightness() > 192);
        QVERIFY(image.pixelColor(277, 100).lightness() < 192);

        QTest::mousePress(&panel, Qt::LeftButton, {}, content.center());
        QTest::mousePress(title, Qt::LeftButton);
        QCOMPARE(bar.presses, 2);
    }

    void shadowLabelDrawsItsShadowOnePixelToTheLowerRight() {
        QWidget host;
        host.setAutoFillBackground(true);
        host.setPalette(QColor(192, 192, 192));
        ShadowLabel label("Calendar", QColor(255, 255, 0), Qt::black, &host);
        label.setFont(QFont("DejaVu Sans", 10, QFont::Bold));
        label.resize(label.sizeHint());
        host.resize(label.size());
        const QImage image = host.grab().toImage();
        const QRect text = boxOf(image, isYellow);
        const QRect shadow = boxOf(image, isDark);
        QVERIFY(!text.isEmpty() && !shadow.isEmpty());
        QCOMPARE(shadow.bottomRight(), text.bottomRight() + QPoint(1, 1));
        QVERIFY(shadow.left() > text.left() && shadow.top() > text.top());

        const int width = label.sizeHint().width();
        label.setText("Calendar and more");
        QVERIFY(label.sizeHint().width() > width);
    }

    void iconHasEverySizeDrawnInTheBarsColours() {
        const QIcon icon = makeAppIcon();
        QCOMPARE(icon.availableSizes(),
                 (QList<QSize>{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
        for (const QSize& size : icon.availableSizes()) {
            const QImage image = icon.pixmap(size).toImage();
            QCOMPARE(image.size(), size);
            // Drawn on whole pixels at every size: the pure colours are there, not blends.
            for (const QColor& colour :
                 {QColor(0, 0, 128), QColor(0, 255, 255), QColor(0, 255, 0), QColor(Qt::black)}) {
                const QRect box = boxOf(image, [&](QColor c) { return c == colour; });
                QVERIFY2(
                    !box.isEmpty(),
                    qPrintable(QString("%1 px lacks %2").arg(size.width()).arg(colour.name())));
            }
        }
    }

    void aboutBoxShowsTitleIconAndBothLines() {
        QWidget owner;
        const BoxSeen seen =
            seeBox([&] { showAboutBox(&owner, makeAppIcon(), "Veskor Pro 4.5", "Second line"); });
        QVERIFY(seen.title.isEmpty());
        QCOMPARE(seen.text, QString("Veskor Pro 4.5\nSecond line"));
        QCOMPARE(seen.buttons, QMessageBox::Ok);
        QCOMPARE(seen.iconSize, QSize(48, 48));
    }

    void errorBoxCarriesTheProgramsTitleAndOneOkButton() {
        QWidget owner;
        const BoxSeen seen = seeBox([&] { showErrorMessage(&owner, "Cannot open file /x"); });
        QCOMPARE(seen.title, QString("Veskor Pro"));
        QCOMPARE(seen.text, QString("Cannot open file /x"));
        QCOMPARE(seen.buttons, QMessageBox::Ok);
        QCOMPARE(seen.icon, QMessageBox::Critical);
    }
};

QTEST_MAIN(MenuPanelIconTest)
#include "MenuPanelIconTest.moc"
