// The scope's picture, pixel by pixel, on small scopes whose rows are known.

#include "scope/widgets/ScopeView.h"

#include <QSignalSpy>
#include <QtTest>
#include <functional>

using namespace veskor;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kLime = qRgb(0, 255, 0);
const QRgb kAqua = qRgb(0, 255, 255);
const QRgb kBlue = qRgb(0, 0, 255);

QRgb pixel(const ScopeView& scope, int x, int y) {
    return scope.picture().pixel(x, y) | 0xff000000U;
}

// The first pixel that differs from the expected colour; empty when none does.
QString firstDifference(const ScopeView& scope, const std::function<QRgb(int x, int y)>& expected) {
    for (int y = 0; y < scope.height(); ++y) {
        for (int x = 0; x < scope.width(); ++x) {
            if (pixel(scope, x, y) != expected(x, y)) {
                return QString("(%1, %2) is %3").arg(x).arg(y).arg(pixel(scope, x, y), 8, 16);
            }
        }
    }
    return {};
}

// Sized, with only the first `traces` traces on, and cleared, as its owner sets it up.
void setUp(ScopeView& scope, QSize size, int traces) {
    scope.resize(size);
    for (int k = 0; k < traces; ++k) {
        scope.setTraceEnabled(k, true);
    }
    scope.clear();
}

} // namespace

class ScopeViewTest final : public QObject {
    Q_OBJECT

private slots:
    // Its owner plots nothing until it has values: every trace starts off, at 0.
    void startsStillWithTheTracesOff() {
        const ScopeView scope;
        QCOMPARE(scope.size(), QSize(208, 120));
        QVERIFY(!scope.isActive() && !scope.isStepping() && scope.interval() == 50);
        for (int k = 0; k < ScopeView::kTraces; ++k) {
            QVERIFY(!scope.isTraceEnabled(k) && scope.position(k) == 0 && scope.maximum(k) == 0);
        }
    }

    void clearDrawsGridAndBaseline() {
        ScopeView scope({.baseline = 25, .gridSize = 7}); // grid 6: columns 11 and 5, rows 15 +- 6k
        scope.resize(12, 20);
        scope.clear();
        const QString diff = firstDifference(scope, [](int x, int y) {
            if (y == 15) {
                return kRed;
            }
            return (x == 11 || x == 5 || y == 3 || y == 9) ? kGreen : kBlack;
        });
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    // The bar's baseline 0 (row 101, below the picture) and grid 10: rows 91, 81, ..., 1. Ten
    // steps scroll every segment that rose from the baseline out of the 12 columns.
    void stepsScrollGridAndTracesDrawnInOrder() {
        ScopeView scope({.baseline = 0, .gridSize = 10});
        setUp(scope, {12, 101}, 4);
        QSignalSpy stepped(&scope, &ScopeView::stepped);
        // Traces 1 and 2 on the same row, 101 - round(25.25) = 76: the later one shows.
        scope.setMaximum(0, 400);
        scope.setPosition(0, 100);
        scope.setPosition(1, 25);
        scope.setTraceEnabled(2, false);
        // Half the range: 101 - round(50.5) = 51, on a grid row.
        scope.setMaximum(3, 2);
        scope.setPosition(3, 1);
        for (int i = 0; i < 10; ++i) {
            // Switched off, trace 4 leaves its last segment to scroll out.
            scope.setTraceEnabled(3, i < 8);
            scope.step();
        }
        QCOMPARE(stepped.count(), 10);
        // Twenty columns scrolled: the vertical lines are 10 apart at columns 1 and 11.
        const QString diff = firstDifference(scope, [](int x, int y) {
            if (y == 76) {
                return kAqua;
            }
            if (y == 51 && x <= 7) {
                return kBlue;
            }
            return (x % 10 == 1 || y % 10 == 1) ? kGreen : kBlack;
        });
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    void segmentsStartFromTheRememberedRows() {
        ScopeView scope({.baseline = 0, .gridSize = 0}); // no grid, baseline below the picture
        setUp(scope, {12, 20}, 1);
        scope.setMaximum(0, 4);
        scope.setPosition(0, 1); // row 15
        scope.step();
        scope.step();
        scope.setTraceEnabled(0, false);
        scope.step();
        // Back on at row 5: the segment leaves from row 15 at column 8, where the scroll left
        // nothing; a scope that forgot its rows would start from the baseline.
        scope.setPosition(0, 3);
        scope.setTraceEnabled(0, true);
        scope.step();
        QCOMPARE(pixel(scope, 8, 15), kLime);
        QCOMPARE(pixel(scope, 6, 15), kLime);
        // Clear starts every trace from the baseline again.
        scope.clear();
        scope.step();
        QCOMPARE(pixel(scope, 8, 15), kBlack);
        QCOMPARE(pixel(scope, 6, 15), kBlack);
    }

    void timerRunsOnlyWhileActiveWithAPeriod() {
        ScopeView scope;
        QSignalSpy stepped(&scope, &ScopeView::stepped);
        scope.setInterval(1);
        QVERIFY(!scope.isStepping());
        scope.setActive(true);
        QVERIFY(stepped.wait(2000));
        for (const int stands : {0, -100}) {
            scope.setInterval(stands);
            QVERIFY(!scope.isStepping());
        }
        scope.setInterval(100);
        QVERIFY(scope.isStepping());
        scope.setActive(false);
        QVERIFY(!scope.isStepping());
    }
};

QTEST_MAIN(ScopeViewTest)
#include "ScopeViewTest.moc"
