// The LED display: its dot image and offsets computed directly, and what the widget paints for
// them, read back pixel by pixel.

#include "alarms/widgets/LedTicker.h"

#include "platform/fake/FakeStripScroller.h"

#include <QtTest>
#include <vector>

using namespace veskor;

namespace {

const QRgb kBack = qRgb(0, 0, 0);
const QRgb kUnlit = qRgb(128, 128, 128);

// A w x h picture whose every pixel has its own colour.
QImage distinctPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, qRgb(40 * x + 10, 100 * y + 20, 200));
        }
    }
    return image;
}

// One screen pixel per dot and no frame, so the widget shows the picture itself.
LedStyle plain(int moveStep = 3, ScrollMode mode = ScrollMode::RightToLeft) {
    LedStyle style;
    style.bevelOuter = Bevel::None;
    style.dotSize = 1;
    style.dotSpace = 0;
    style.speed = 1000000; // ticks come from the test only
    style.moveStep = moveStep;
    style.scrollMode = mode;
    return style;
}

void showPicture(LedTicker& led, const QImage& picture, QSize size) {
    led.setPicture(picture);
    led.resize(size);
}

QImage shown(LedTicker& led) {
    return led.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

std::vector<int> drawnOffsets(ScrollMode mode, int moveStep, QSize image, int ticks) {
    std::vector<int> drawn;
    int offset = 0;
    for (int i = 0; i < ticks; ++i) {
        drawn.push_back(offset);
        offset = nextScrollOffset(mode, offset, moveStep, image);
    }
    return drawn;
}

} // namespace

class LedTickerTest : public QObject {
    Q_OBJECT
private slots:
    void dotImage() {
        const QImage source = distinctPicture(2, 2);
        // DotSize 2, DotSpace 1: 3 x 3 cells, the dot in the lower right 2 x 2.
        const QImage cells = buildDotImage(source, 2, 1, QColor(kBack));
        QCOMPARE(cells.size(), QSize(6, 6));
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 6; ++x) {
                const QRgb expected = x % 3 == 0 || y % 3 == 0 ? kBack : source.pixel(x / 3, y / 3);
                QCOMPARE(cells.pixel(x, y), expected);
            }
        }
        // DotSpace 0: touching 2 x 2 dots.
        const QImage touching = buildDotImage(source, 2, 0, QColor(kBack));
        QCOMPARE(touching.size(), QSize(4, 4));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                QCOMPARE(touching.pixel(x, y), source.pixel(x / 2, y / 2));
            }
        }
        // DotSize 1, DotSpace 0: the natural size.
        QCOMPARE(buildDotImage(source, 1, 0, QColor(kBack)), source);
        QVERIFY(buildDotImage(QImage(), 2, 1, QColor(kBack)).isNull());
        QVERIFY(
            buildDotImage(QImage(100000, 100, QImage::Format_RGB32), 2, 1, QColor(kBack)).isNull());
    }

    void textIsLitOrUnlit() {
        QFont font;
        font.setFamilies({"Liberation Sans", "DejaVu Sans"});
        font.setPixelSize(11);
        const QImage source = renderLedText("Wake up!", font, Qt::green, QColor(kUnlit), 3);
        int lit = 0;
        for (int y = 0; y < source.height(); ++y) {
            for (int x = 0; x < source.width(); ++x) {
                const QRgb pixel = source.pixel(x, y);
                QVERIFY2(pixel == kUnlit || pixel == qRgb(0, 255, 0), "a smoothed pixel");
                const bool border = x < 3 || y < 3 || x >= source.width() - 3;
                QVERIFY(!border || pixel == kUnlit);
                lit += pixel != kUnlit ? 1 : 0;
            }
        }
        QVERIFY(lit > 20);
    }

    void hugeTextIsCut() {
        // Cut at a character boundary: the character across the cut is a surrogate pair.
        QString message(3'000'000, 'W');
        message.replace(399, 2, QString::fromUtf8("\U0001F514"));
        const QString shown = ledText(message);
        QVERIFY(shown.size() <= 401);
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(!shown.at(shown.size() - 2).isHighSurrogate());
        // What is drawn of it is a picture of ordinary size, not a null one.
        LedTicker led(LedStyle(), nullptr, nullptr);
        led.setText(message);
        QVERIFY(!led.dotImage().isNull());
        QVERIFY(led.dotImage().width() < 20'000);
    }

    void offsets() {
        // The wrap comes before the step: the move across it is shorter than the step.
        const QSize image(5, 4);
        QCOMPARE(drawnOffsets(ScrollMode::RightToLeft, 2, image, 7),
                 (std::vector<int>{0, 2, 4, 6, 2, 4, 6}));
        QCOMPARE(drawnOffsets(ScrollMode::LeftToRight, 2, image, 6),
                 (std::vector<int>{0, 3, 1, -1, 3, 1}));
        QCOMPARE(drawnOffsets(ScrollMode::BottomToTop, 3, image, 4),
                 (std::vector<int>{0, 3, 6, 3}));
        QCOMPARE(drawnOffsets(ScrollMode::TopToBottom, 3, image, 4),
                 (std::vector<int>{0, 1, -2, 1}));
        QCOMPARE(drawnOffsets(ScrollMode::Flash, 3, image, 3), (std::vector<int>{0, 5, 5}));
        QCOMPARE(drawnOffsets(ScrollMode::None, 3, image, 2), (std::vector<int>{0, 0}));
    }

    void scrollMovesTheShownBand() {
        // On screen each tick moves the pixels shown and paints only the strip that comes into
        // view; what the window holds is the band at the tick's offset, repeated without a gap.
        LedTicker led(plain(2), nullptr, nullptr);
        const QImage picture = distinctPicture(5, 3);
        showPicture(led, picture, QSize(12, 3));
        led.setScrolling(true);
        led.show();
        QVERIFY(QTest::qWaitForWindowExposed(&led));
        // Offsets 0, 2, 4, 6, then a move of 1 across the wrap to 2, and on.
        for (int tick = 0; tick < 9; ++tick) {
            const int drawnAt = led.offset();
            led.scrollTick();
            QCoreApplication::processEvents();
            const QImage screen = led.screen()
                                      ->grabWindow(led.winId())
                                      .toImage()
                                      .convertToFormat(QImage::Format_RGB32);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 12; ++x) {
                    QCOMPARE(screen.pixel(x, y), picture.pixel((x + drawnAt) % 5, y));
                }
            }
        }
    }

    void scrollerMovesTheBand() {
        // Shown, the band goes to the scroller as a strip in which the band at offset s is the
        // columns from s on, and the scroller is asked for the steps ahead of time. A paint in
        // between (the window uncovered) shows the step on screen; hidden, the scroller stops,
        // and shown again it goes on from that step, not from the last one asked for.
        FakeStripScroller scroller;
        LedTicker led(plain(2), &scroller, nullptr);
        const QImage picture = distinctPicture(5, 3);
        showPicture(led, picture, QSize(12, 3));
        led.setScrolling(true);
        QCOMPARE(scroller.running, 0);
        led.show();
        QVERIFY(QTest::qWaitForWindowExposed(&led));
        QCOMPARE(scroller.running, 1);
        const FakeStripScroller::Start& start = scroller.starts.back();
        QCOMPARE(start.window, led.winId());
        QCOMPARE(QRect(start.x, start.y, start.width, start.stripHeight), QRect(0, 0, 12, 3));
        QCOMPARE(start.interval.count(), 1000000);
        QCOMPARE(start.stripWidth, 12 + 5);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < start.stripWidth; ++x) {
                QCOMPARE(start.pixels[static_cast<std::size_t>(y * start.stripWidth + x)],
                         picture.pixel(x % 5, y));
            }
        }
        std::vector<int> columns;
        for (int step = 0; step < 5; ++step) {
            columns.push_back(scroller.step());
        }
        QCOMPARE(columns, (std::vector<int>{0, 2, 4, 1, 2})); // offsets 0, 2, 4, 6, 2
        scroller.shown = 4;                                   // the third step is on screen
        const QImage painted = shown(led);
        for (int x = 0; x < 12; ++x) {
            QCOMPARE(painted.pixel(x, 1), picture.pixel((x + 4) % 5, 1));
        }
        led.hide();
        QCOMPARE(scroller.running, 0);
        led.show();
        QCOMPARE(scroller.running, 1);
        QCOMPARE(scroller.step(), 1); // offset 6, after the 4 on screen
    }

    void staticPaintStartsAtZero() {
        LedTicker led(plain(), nullptr, nullptr);
        const QImage picture = distinctPicture(5, 2);
        showPicture(led, picture, QSize(12, 5));
        led.scrollTick();
        led.scrollTick();
        QCOMPARE(led.offset(), 6);
        // Along the top, then down the left edge; the rest is background.
        const QImage painted = shown(led);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 12; ++x) {
                const QRgb expected = x < 5   ? picture.pixel(x, y % 2)
                                      : y < 2 ? picture.pixel(x % 5, y)
                                              : kBack;
                QCOMPARE(painted.pixel(x, y), expected);
            }
        }
        QCOMPARE(led.offset(), 0);
    }

    void flashAlternates() {
        LedTicker led(plain(3, ScrollMode::Flash), nullptr, nullptr);
        const QImage picture = distinctPicture(5, 2);
        showPicture(led, picture, QSize(10, 2));
        led.setScrolling(true);
        led.scrollTick();
        const QImage lit = shown(led);
        QCOMPARE(lit.copy(0, 0, 5, 2), picture);
        led.scrollTick();
        const QImage blank = shown(led);
        for (int x = 0; x < 10; ++x) {
            QCOMPARE(blank.pixel(x, 0), kUnlit);
            QCOMPARE(blank.pixel(x, 1), kUnlit);
        }
        led.scrollTick();
        QCOMPARE(shown(led), lit);
    }

    void newTextRestarts() {
        LedTicker led(plain(), nullptr, nullptr);
        led.setText("abc");
        led.setScrolling(true);
        led.scrollTick();
        led.scrollTick();
        QCOMPARE(led.offset(), 6);
        led.setText("abc");
        QCOMPARE(led.offset(), 6);
        led.setText("abd");
        QCOMPARE(led.offset(), 0);
        // An empty text is a blank matrix of three blanks.
        led.setText("");
        QCOMPARE(led.text(), QString("   "));
    }
};

QTEST_MAIN(LedTickerTest)
#include "LedTickerTest.moc"
