// The calendar panel's wiring, off screen: the grid's looks come from MonthGrid (tested there);
// here the control must draw and hint them, and the panel's texts, moon and search must follow
// the selected day.

#include "calendar/widgets/CalendarPanel.h"

#include "calendar/core/MoonPhase.h"
#include "calendar/widgets/MonthCalendar.h"
#include "calendar/widgets/MoonView.h"
#include "common/DateUtils.h"
#include "ui/ShadowLabel.h"
#include "ui/SidePanel.h"

#include <QLineEdit>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace veskor;

class CalendarPanelTest final : public QObject {
    Q_OBJECT

    // The panel as the bar builds it, opened on 6 July 1998.
    struct Rig {
        DateTime now = encodeDate(1998, 7, 6) + 0.25;
        SaintTable saints;
        std::unique_ptr<SidePanel> panel;
        MonthCalendar* calendar = nullptr;

        Rig() {
            const SidePanelDescription description = calendarSidePanel(
                {[this] { return now; }, [this]() -> const SaintTable& { return saints; }});
            panel = std::make_unique<SidePanel>(description.title, description.height, nullptr);
            description.buildContent(*panel);
            calendar = panel->findChild<MonthCalendar*>("calendar");
            panel->show();
        }
        QString saint() const { return panel->findChild<ShadowLabel*>("saintLabel")->text(); }
        QString dayOfYear() const {
            return panel->findChild<ShadowLabel*>("dayOfYearLabel")->text();
        }
        QString titleHint() const { return panel->titleLabel()->toolTip(); }
        MoonView* moon() const { return panel->findChild<MoonView*>("moon"); }
        // The grid position of a day of the displayed month's grid.
        QPoint centreOf(DateTime day) const {
            const int offset = static_cast<int>(day - calendar->grid().firstShownDay());
            return calendar->dayRect(offset / 7, offset % 7).center();
        }
        void click(DateTime day) const {
            calendar->goToDate(day);
            QTest::mouseClick(calendar, Qt::LeftButton, {}, centreOf(day));
        }
        void search(const QString& name) const {
            panel->findChild<QLineEdit*>("nameField")->setText(name);
            panel->findChild<QToolButton*>("findButton")->click();
        }
        void showsMonth(int year, int month) const {
            QCOMPARE(calendar->grid().displayYear(), year);
            QCOMPARE(calendar->grid().displayMonth(), month);
        }
    };

private slots:
    void openingSelectsToday() {
        Rig rig;
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1998, 7, 6));
        QCOMPARE(rig.saint(), QString("Saint: Jan Hus"));
        QCOMPARE(rig.dayOfYear(), QString("Day of year: 187"));
        QCOMPARE(rig.titleHint(), QString("Encoded date: 35982.000000000000000"));
        QCOMPARE(rig.moon()->date(), encodeDate(1998, 7, 6));
        QCOMPARE(rig.moon()->toolTip(), QString("Moon phase"));

        // Reopened a day later, the panel selects the new today again and shows its month.
        rig.click(encodeDate(1998, 9, 20));
        rig.panel->hide();
        rig.now += 1;
        rig.panel->show();
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1998, 7, 7));
        QCOMPARE(rig.dayOfYear(), QString("Day of year: 188"));
        rig.showsMonth(1998, 7);
    }

    void todayIsDrawnAndHinted() {
        Rig rig;
        QCOMPARE(rig.calendar->title(), QString("July 1998"));
        QLocale::setDefault(QLocale(QLocale::Czech));
        QCOMPARE(rig.calendar->title(), QString("červenec 1998")); // not the genitive "července"
        QLocale::setDefault(QLocale::c());
        const QImage picture = rig.calendar->grab().toImage();
        const QRect today = rig.calendar->dayRect(1, 0);
        QCOMPARE(picture.pixelColor(today.topLeft() + QPoint(2, 2)),
                 rig.calendar->color(CalendarShade::Today));
        const QRect other = rig.calendar->dayRect(2, 0);
        QCOMPARE(picture.pixelColor(other.topLeft() + QPoint(2, 2)),
                 rig.calendar->color(CalendarShade::Day));
        QCOMPARE(rig.calendar->hintAt(today.center()), QString("Today"));
        QCOMPARE(rig.calendar->hintAt(other.center()), QString());
        QCOMPARE(rig.calendar->hintAt(rig.calendar->weekRect(1).center()), QString("This week"));
        QCOMPARE(rig.calendar->hintAt(rig.calendar->weekRect(2).center()), QString());
        // The hint follows the mouse.
        QTest::mouseMove(rig.calendar, rig.calendar->weekRect(1).center());
        QCOMPARE(rig.calendar->toolTip(), QString("This week"));
    }

    void clicksOnDaysAndWeeks() {
        Rig rig;
        rig.click(encodeDate(2000, 2, 29));
        QCOMPARE(rig.saint(), QString("Saint: Horymír"));
        QCOMPARE(rig.dayOfYear(), QString("Day of year: 60"));
        QCOMPARE(rig.moon()->date(), encodeDate(2000, 2, 29));
        rig.click(encodeDate(1999, 3, 1));
        QCOMPARE(rig.saint(), QString("Saint: Bedřich"));
        QCOMPARE(rig.dayOfYear(), QString("Day of year: 60"));
        // The right button does nothing.
        QTest::mouseClick(rig.calendar, Qt::RightButton, {}, rig.centreOf(encodeDate(1999, 3, 9)));
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1999, 3, 1));
        // March 1999's third row starts on Monday the 15th.
        QTest::mouseClick(rig.calendar, Qt::LeftButton, {}, rig.calendar->weekRect(2).center());
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1999, 3, 15));
        QCOMPARE(rig.dayOfYear(), QString("Day of year: 74"));
    }

    void doubleClickReturnsToTheDayBefore() {
        Rig rig;
        const DateTime day = encodeDate(1998, 7, 22);
        QTest::mouseClick(rig.calendar, Qt::LeftButton, {}, rig.centreOf(day));
        QTest::mouseDClick(rig.calendar, Qt::LeftButton, {}, rig.centreOf(day));
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1998, 7, 6));
        QCOMPARE(rig.dayOfYear(), QString("Day of year: 187"));
    }

    void navigationButtonsKeepTheSelection() {
        Rig rig;
        rig.click(encodeDate(1999, 12, 24));
        // Made in the order <<, <, >, >>.
        const auto buttons = rig.calendar->findChildren<QToolButton*>();
        QCOMPARE(buttons.at(3)->toolTip(), QString("+ Year"));
        QCOMPARE(buttons.at(3)->geometry().right(), rig.calendar->width() - 5);
        buttons.at(2)->click();
        rig.showsMonth(2000, 1);
        buttons.at(0)->click();
        rig.showsMonth(1999, 1);
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1999, 12, 24));
    }

    void keysMoveTheSelectionAndEnterSearches() {
        Rig rig;
        QTest::keyClick(rig.calendar, Qt::Key_Right);
        QCOMPARE(rig.dayOfYear(), QString("Day of year: 188"));
        QTest::keyClick(rig.calendar, Qt::Key_PageDown);
        rig.showsMonth(1998, 8);

        auto* name = rig.panel->findChild<QLineEdit*>("nameField");
        name->setText("Karina");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1998, 1, 2));
    }

    void searchFindsTheNamesDay() {
        Rig rig;
        rig.click(encodeDate(1999, 6, 10));
        rig.search("Karina");
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1999, 1, 2));
        rig.showsMonth(1999, 1);
        QCOMPARE(rig.saint(), QString("Saint: Karina"));
        QCOMPARE(rig.dayOfYear(), QString("Day of year: 2"));

        // Not found: the selection stays and the display returns to it from a year later.
        QTest::mouseClick(rig.calendar->findChildren<QToolButton*>().last(), Qt::LeftButton);
        rig.showsMonth(2000, 1);
        rig.search("Nobody");
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1999, 1, 2));
        rig.showsMonth(1999, 1);

        // 29 February's name in a common year is not found either, rather than day 0.
        rig.search("Horymír");
        QCOMPARE(rig.calendar->finishDate(), encodeDate(1999, 1, 2));
        rig.showsMonth(1999, 1);
        QCOMPARE(rig.saint(), QString("Saint: Karina"));
        rig.click(encodeDate(2004, 5, 5));
        rig.search("horymír");
        QCOMPARE(rig.calendar->finishDate(), encodeDate(2004, 2, 29));

        // An empty field does nothing.
        rig.search("");
        QCOMPARE(rig.calendar->finishDate(), encodeDate(2004, 2, 29));
    }

    void moonPicturesHaveTheShadedDisc() {
        // A new moon's shading covers the whole disc, a full moon's none of it, at every size and
        // also drawn at twice the density.
        const auto litPixels = [](const QImage& picture) {
            int lit = 0;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    lit += picture.pixelColor(x, y) != QColor(Qt::black) ? 1 : 0;
                }
            }
            return lit;
        };
        for (const MoonSize size : {MoonSize::Large, MoonSize::Small, MoonSize::Tiny}) {
            for (const int scale : {1, 2}) {
                const QImage full = fullMoonPicture(size, scale);
                const MoonDisc disc = moonDisc(size, scale);
                QCOMPARE(full.size(), QSize(disc.side, disc.side));
                QCOMPARE(disc.side, moonDisc(size).side * scale);
                QImage picture = full;
                shadeMoon(picture, disc.cx, disc.cy, disc.r, 0);
                QCOMPARE(picture, full);
                for (const double phase : {180.0, 188.61, 175.0}) {
                    picture = full;
                    shadeMoon(picture, disc.cx, disc.cy, disc.r, phase);
                    QCOMPARE(litPixels(picture), 0);
                }
            }
        }
        // A palette picture is painted too; shading twice with the same angle changes nothing.
        QImage palette = fullMoonPicture(MoonSize::Large).convertToFormat(QImage::Format_Indexed8);
        const MoonDisc large64 = moonDisc(MoonSize::Large);
        shadeMoon(palette, large64.cx, large64.cy, large64.r, 180);
        QCOMPARE(litPixels(palette), 0);
        QImage once = fullMoonPicture(MoonSize::Large);
        shadeMoon(once, large64.cx, large64.cy, large64.r, 135);
        QImage twice = once;
        shadeMoon(twice, large64.cx, large64.cy, large64.r, 135);
        QCOMPARE(twice, once);
        QVERIFY(litPixels(once) > 0);

        // The large picture's disc fills columns 5 to 58 and rows 2 to 54.
        const QImage large = fullMoonPicture(MoonSize::Large);
        QVERIFY(large.pixelColor(5, 28) != QColor(Qt::black));
        QVERIFY(large.pixelColor(58, 28) != QColor(Qt::black));
        QVERIFY(large.pixelColor(31, 2) != QColor(Qt::black));
        QVERIFY(large.pixelColor(31, 54) != QColor(Qt::black));
        QCOMPARE(litPixels(large.copy(0, 0, 5, 64)) + litPixels(large.copy(59, 0, 5, 64)) +
                     litPixels(large.copy(0, 0, 64, 2)) + litPixels(large.copy(0, 55, 64, 9)),
                 0);

        MoonView moon(encodeDate(2000, 1, 21), nullptr);
        QCOMPARE(moon.size(), QSize(64, 64));
        moon.setMoonSize(MoonSize::Tiny);
        QCOMPARE(moon.size(), QSize(16, 16));
        QCOMPARE(moon.picture().size(), QSize(16, 16));
        QCOMPARE(moon.phase(), normalizeDegrees(phaseAngle(encodeDate(2000, 1, 21))));
    }
};

QTEST_MAIN(CalendarPanelTest)
#include "CalendarPanelTest.moc"
