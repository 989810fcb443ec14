#include "alarms/widgets/LedTicker.h"

#include "ui/Style.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>

namespace veskor {

namespace {

// A hand-written alarm file may hold a message of megabytes; the display draws its start, which
// keeps the images to a few megabytes and their drawing to a moment. So many characters take
// about two minutes to scroll by; no message meant to be read comes near.
constexpr qsizetype kMaxTextChars = 400;
constexpr int kMaxTextWidth = 4000;
constexpr std::int64_t kMaxDotImagePixels = std::int64_t{1} << 24;

// The letters that set the text's rows: the capitals with marks above reach highest, the
// descenders lowest. Marks below a letter (ogonek, cedilla) may reach into the border.
constexpr auto kTallLetters = u"ÁÄČĎÉĚÍĹĽŇÓÔŔŘŠŤÚŮÝŽ";
constexpr auto kDeepLetters = u"gjpqy";

// The first and last rows that `letters` ink, relative to the baseline, drawn as the display
// draws them; none when nothing is drawn.
std::optional<std::pair<int, int>> inkRows(const QString& letters, const QFont& font,
                                           const QFontMetrics& metrics) {
    const int baseline = 2 * metrics.height();
    QImage image(metrics.horizontalAdvance(letters) + 2 * metrics.height(), 4 * metrics.height(),
                 QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(metrics.height(), baseline, letters);
    painter.end();
    std::optional<std::pair<int, int>> rows;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (std::any_of(line, line + image.width(), [](QRgb pixel) { return qRed(pixel) != 0; })) {
            rows = std::pair(rows ? rows->first : y - baseline, y - baseline);
        }
    }
    return rows;
}

// The offset a pass leaves after drawing at `offset` on an image `extent` long: a pass that moves
// the offset up starts again at 0 once it has run past the end, the others at the end once they
// have run past the start.
int wrapped(int offset, int extent, bool forward) {
    const int rest = extent - offset;
    if (forward) {
        return rest <= 0 ? 0 : offset;
    }
    return rest >= extent ? extent : offset;
}

void drawBevel(QPainter& painter, QRect& rect, Bevel bevel, int width) {
    if (bevel == Bevel::None) {
        return;
    }
    const QColor topLeft = bevel == Bevel::Lowered ? style::kGray : style::kWhite;
    const QColor bottomRight = bevel == Bevel::Lowered ? style::kWhite : style::kGray;
    for (int i = 0; i < width && rect.isValid(); ++i) {
        painter.setPen(topLeft);
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
        rect.adjust(1, 1, -1, -1);
    }
}

// What a band `size` big shows of the dot image at every offset from 0 to the image's width: the
// image repeated end to end from x = -dotSpace on `back`, as drawBand draws it, so that the band
// at offset s is the strip's columns from s on.
QImage ledStrip(const QImage& dotImage, int dotSpace, QColor back, QSize size) {
    QImage strip(size.width() + dotImage.width(), size.height(), QImage::Format_RGB32);
    strip.fill(back);
    QPainter painter(&strip);
    for (int x = -dotSpace; x < strip.width(); x += dotImage.width()) {
        painter.drawImage(x, -dotSpace, dotImage);
    }
    return strip;
}

} // namespace

QString ledText(const QString& text) {
    if (text.isEmpty()) {
        return QStringLiteral("   ");
    }
    if (text.size() <= kMaxTextChars) {
        return text;
    }
    // The boundary is looked for in a short piece: a finder over the whole text would first
    // read all of it.
    QString start = text.left(kMaxTextChars + 16);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, start);
    finder.setPosition(kMaxTextChars);
    if (!finder.isAtBoundary()) {
        finder.toPreviousBoundary();
    }
    start.truncate(std::max<qsizetype>(finder.position(), 0));
    return start + QChar(0x2026);
}

QImage renderLedText(const QString& text, const QFont& font, QColor textColor, QColor unlitColor,
                     int borderWidth) {
    // Unsmoothed, so that every pixel is either lit or unlit.
    QFont rasterFont(font);
    rasterFont.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(rasterFont);
    QString shown = ledText(text);
    if (metrics.horizontalAdvance(shown) > kMaxTextWidth) {
        shown = metrics.elidedText(shown, Qt::ElideRight, kMaxTextWidth);
    }
    // The rows from the ink, not from the font's ascent and descent: a face standing in for
    // the one asked for may draw its carons above its ascent, or leave its descent half empty.
    const auto tall = inkRows(QString::fromUtf16(kTallLetters), rasterFont, metrics);
    const auto deep = inkRows(QString::fromUtf16(kDeepLetters), rasterFont, metrics);
    const int ascent = tall ? -tall->first : metrics.ascent();
    const int descent = deep ? deep->second + 1 : metrics.descent();
    const int border = std::max(borderWidth, 0);
    const int width = std::min(metrics.horizontalAdvance(shown), kMaxTextWidth) + 2 * border;
    QImage source(std::max(width, 1), std::max(ascent + descent, 1) + 2 * border,
                  QImage::Format_RGB32);
    source.fill(unlitColor);
    QPainter painter(&source);
    painter.setFont(rasterFont);
    painter.setPen(textColor);
    painter.drawText(border, border + ascent, shown);
    return source;
}

QImage buildDotImage(const QImage& source, int dotSize, int dotSpace, QColor back) {
    if (source.isNull() || dotSize < 1 || dotSpace < 0) {
        return {};
    }
    const std::int64_t pitch = std::int64_t{dotSize} + dotSpace;
    const std::int64_t width = source.width() * pitch;
    const std::int64_t height = source.height() * pitch;
    if (width * height > kMaxDotImagePixels) {
        return {};
    }
    QImage dots(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    dots.fill(back);
    const QImage pixels = source.convertToFormat(QImage::Format_RGB32);
    const int p = static_cast<int>(pitch);
    for (int j = 0; j < pixels.height(); ++j) {
        const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(j));
        for (int dy = 0; dy < dotSize; ++dy) {
            auto* out = reinterpret_cast<QRgb*>(dots.scanLine(dotSpace + j * p + dy));
            for (int i = 0; i < pixels.width(); ++i) {
                std::fill_n(out + dotSpace + std::ptrdiff_t{i} * p, dotSize, in[i]);
            }
        }
    }
    return dots;
}

int nextScrollOffset(ScrollMode mode, int offset, int moveStep, QSize imageSize) {
    switch (mode) {
    case ScrollMode::None:
        return offset;
    case ScrollMode::LeftToRight:
        return wrapped(offset, imageSize.width(), false) - moveStep;
    case ScrollMode::RightToLeft:
        return wrapped(offset, imageSize.width(), true) + moveStep;
    case ScrollMode::TopToBottom:
        return wrapped(offset, imageSize.height(), false) - moveStep;
    case ScrollMode::BottomToTop:
        return wrapped(offset, imageSize.height(), true) + moveStep;
    case ScrollMode::Flash:
        // The image is shown standing still.
        return wrapped(offset, imageSize.width(), false);
    }
    return offset;
}

LedTicker::LedTicker(const LedStyle& style, IStripScroller* scroller, QWidget* parent)
    : QWidget(parent), m_style(style), m_scroller(scroller), m_text(QStringLiteral("LED Ticker")) {
    m_style.dotSize = std::max(m_style.dotSize, 1);
    m_style.dotSpace = std::max(m_style.dotSpace, 0);
    m_style.textBorderWidth = std::max(m_style.textBorderWidth, 0);
    m_style.bevelWidth = std::max(m_style.bevelWidth, 0);
    m_style.borderWidth = std::max(m_style.borderWidth, 0);
    m_style.speed = std::max(m_style.speed, 1);
    // Every pixel is painted, which lets the toolkit move the band's pixels on a scroll instead
    // of painting the band again.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setInterval(m_style.speed);
    connect(&m_timer, &QTimer::timeout, this, &LedTicker::scrollTick);
    buildDots();
    resize(m_dotImage.size());
}

void LedTicker::setText(const QString& text) {
    if (text == m_text) {
        return;
    }
    stopScroller();
    m_text = text;
    m_picture = QImage();
    m_offset = 0;
    m_shownFrame = Frame::None;
    rebuild();
}

void LedTicker::setPicture(const QImage& picture) {
    stopScroller();
    m_picture = picture;
    m_text.clear();
    rebuild();
}

void LedTicker::setScrolling(bool on) {
    if (on == m_scrolling) {
        return;
    }
    m_scrolling = on;
    updateMotion();
    update();
}

void LedTicker::scrollTick() {
    if (m_running) {
        return; // the scroller steps the band
    }
    const Frame frameBefore = m_shownFrame;
    const int offsetBefore = m_shownOffset;
    switch (m_style.scrollMode) {
    case ScrollMode::None:
        return;
    case ScrollMode::LeftToRight:
    case ScrollMode::RightToLeft:
        m_shownFrame = Frame::Horizontal;
        break;
    case ScrollMode::TopToBottom:
    case ScrollMode::BottomToTop:
        m_shownFrame = Frame::Vertical;
        break;
    case ScrollMode::Flash:
        m_shownFrame = m_flashPhase ? Frame::Blank : Frame::Horizontal;
        m_flashPhase = !m_flashPhase;
        break;
    }
    m_shownOffset = m_offset;
    if (m_shownFrame != Frame::Blank) {
        m_offset =
            nextScrollOffset(m_style.scrollMode, m_offset, m_style.moveStep, m_dotImage.size());
    }
    moveBand(frameBefore, offsetBefore);
}

// The band moves while it scrolls and is on screen: through the scroller where it can, else by
// the widget's timer. Called at every change the scroller's picture or place depends on.
void LedTicker::updateMotion() {
    stopScroller();
    const bool moving = m_scrolling && m_onScreen && m_style.scrollMode != ScrollMode::None;
    if (moving) {
        startScroller();
    }
    if (moving && !m_running) {
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

void LedTicker::startScroller() {
    const bool horizontal = m_style.scrollMode == ScrollMode::LeftToRight ||
                            m_style.scrollMode == ScrollMode::RightToLeft;
    QWidget* top = window();
    const QRect band = bandRect();
    // The scroller copies device pixels into the top-level window, over whatever lies there:
    // the band must be its own, unscaled.
    if (m_scroller == nullptr || !horizontal || m_dotImage.isNull() || band.isEmpty() ||
        top->internalWinId() == 0 || top->windowHandle() == nullptr ||
        !qFuzzyCompare(devicePixelRatioF(), 1.0)) {
        return;
    }
    const QImage strip = ledStrip(m_dotImage, m_style.dotSpace, m_style.backColor, band.size());
    const QPoint at = mapTo(top, band.topLeft());
    m_shownOffset = m_offset; // where the steps start
    m_running = m_scroller->start(
        top->internalWinId(), at.x(), at.y(), band.width(),
        {{reinterpret_cast<const std::uint32_t*>(strip.constBits()),
          static_cast<std::size_t>(strip.width()) * static_cast<std::size_t>(strip.height())},
         strip.width(),
         strip.height()},
        std::chrono::milliseconds(m_style.speed), [this] { return scrollerStep(); });
    if (m_running) {
        // Paints in between show the step on screen.
        m_shownFrame = Frame::Horizontal;
        m_exposeSource = top->windowHandle();
        m_exposeSource->installEventFilter(this);
    }
}

// The scroll goes on from the step on screen: the scroller has been given steps ahead of it.
void LedTicker::stopScroller() {
    if (!m_running) {
        return;
    }
    const int shown = m_running->shownColumn();
    m_running.reset();
    if (shown >= 0) {
        m_shownOffset = shown;
        m_offset = nextScrollOffset(m_style.scrollMode, shown, m_style.moveStep, m_dotImage.size());
    } else {
        m_offset = m_shownOffset;
    }
    if (m_exposeSource != nullptr) {
        m_exposeSource->removeEventFilter(this);
        m_exposeSource = nullptr;
    }
}

// The scroller's next step: the column of the strip it shows.
int LedTicker::scrollerStep() {
    const int shown = m_offset;
    m_offset = nextScrollOffset(m_style.scrollMode, shown, m_style.moveStep, m_dotImage.size());
    const int period = m_dotImage.width();
    return (shown % period + period) % period;
}

// Shows the frame chosen by the tick. Most ticks move the band by the step: the pixels already
// on screen are moved (on X11 inside the server) and only the strip that comes into view is
// painted, a few dots instead of the whole band thirty times a second.
void LedTicker::moveBand(Frame before, int offsetBefore) {
    const QRect band = bandRect();
    const bool horizontal = m_shownFrame == Frame::Horizontal;
    const int period = horizontal ? m_dotImage.width() : m_dotImage.height();
    if (!m_scrolling || before != m_shownFrame || m_shownFrame == Frame::Blank || period <= 0) {
        update(band);
        return;
    }
    // The band repeats every period, so the shortest way to the new offset is the move.
    int step = ((m_shownOffset - offsetBefore) % period + period) % period;
    if (step > period / 2) {
        step -= period;
    }
    if (step == 0) {
        return;
    }
    if (std::abs(step) >= (horizontal ? band.width() : band.height())) {
        update(band);
    } else if (horizontal) {
        QWidget::scroll(-step, 0, band);
    } else {
        QWidget::scroll(0, -step, band);
    }
}

void LedTicker::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect band = bandRect();
    const QRect exposed = event->rect();
    if (!band.contains(exposed)) {
        painter.fillRect(rect(), m_style.panelColor);
        drawFrame(painter);
    }
    if (!band.isValid()) {
        return;
    }
    painter.setClipRect(band);
    painter.fillRect(band & exposed, m_style.backColor);
    if (m_running) {
        const int column = m_running->shownColumn();
        m_shownOffset = column >= 0 ? column : m_shownOffset;
    }
    if (m_scrolling) {
        switch (m_shownFrame) {
        case Frame::None:
            break;
        case Frame::Horizontal:
            drawBand(painter, Qt::Horizontal, m_shownOffset, exposed);
            break;
        case Frame::Vertical:
            drawBand(painter, Qt::Vertical, m_shownOffset, exposed);
            break;
        case Frame::Blank:
            drawBlank(painter);
            break;
        }
        return;
    }
    // Standing still: the image from its start, repeated along the top and down the left.
    drawBand(painter, Qt::Horizontal, 0, exposed);
    drawBand(painter, Qt::Vertical, 0, exposed);
    m_offset = 0;
}

void LedTicker::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        rebuild();
    }
    QWidget::changeEvent(event);
}

// Also sent, spontaneously, when the window is minimised and restored.
void LedTicker::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_onScreen = true;
    updateMotion();
}

void LedTicker::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_onScreen = false;
    updateMotion();
}

void LedTicker::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_running) {
        updateMotion();
    }
}

void LedTicker::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (m_running) {
        updateMotion();
    }
}

// The toolkit answers an expose of its window from its backing store, which holds the band as
// it was last painted: marking the band dirty first makes it paint the scroller's current step.
bool LedTicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && m_running) {
        update(bandRect());
    }
    return QWidget::eventFilter(watched, event);
}

void LedTicker::buildDots() {
    QImage source;
    if (m_picture.isNull()) {
        if (m_text.isEmpty()) {
            m_text = QStringLiteral("   ");
        }
        source = renderLedText(m_text, font(), m_style.litColor, m_style.unlitColor,
                               m_style.textBorderWidth);
    } else {
        source = m_picture;
    }
    m_dotImage = buildDotImage(source, m_style.dotSize, m_style.dotSpace, m_style.backColor);
    fitToDots();
}

void LedTicker::rebuild() {
    stopScroller();
    buildDots();
    update();
    updateMotion();
}

// The dot image begins with the space before its first dot, and that space lies under the frame:
// n rows of dots fill n * (DotSize + DotSpace) - DotSpace pixels inside it, the frame around.
void LedTicker::fitToDots() {
    if (!m_style.autoSize || m_dotImage.isNull()) {
        return;
    }
    const int frame = 2 * frameWidth() - m_style.dotSpace;
    resize(m_dotImage.width() + frame, m_dotImage.height() + frame);
}

int LedTicker::frameWidth() const {
    const int outer = m_style.bevelOuter == Bevel::None ? 0 : m_style.bevelWidth;
    const int inner = m_style.bevelInner == Bevel::None ? 0 : m_style.bevelWidth;
    return (m_style.singleBorder ? 1 : 0) + outer + m_style.borderWidth + inner;
}

QRect LedTicker::bandRect() const {
    const int frame = frameWidth();
    return rect().adjusted(frame, frame, -frame, -frame);
}

void LedTicker::drawFrame(QPainter& painter) const {
    QRect inner = rect();
    if (m_style.singleBorder) {
        painter.setPen(style::kBlack);
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
        inner.adjust(1, 1, -1, -1);
    }
    drawBevel(painter, inner, m_style.bevelOuter, m_style.bevelWidth);
    // The frame of BorderWidth keeps the panel colour the widget was cleared with.
    inner.adjust(m_style.borderWidth, m_style.borderWidth, -m_style.borderWidth,
                 -m_style.borderWidth);
    drawBevel(painter, inner, m_style.bevelInner, m_style.bevelWidth);
}

// The dot image repeated end to end along one edge of the band, shifted back by `offset`:
// offsets past either end show the same band as their remainder. Only the copies that meet the
// exposed part are drawn, and only there.
void LedTicker::drawBand(QPainter& painter, Qt::Orientation orientation, int offset,
                         const QRect& exposed) const {
    const bool horizontal = orientation == Qt::Horizontal;
    const int period = horizontal ? m_dotImage.width() : m_dotImage.height();
    const QRect band = bandRect();
    const QRect area = band & exposed;
    if (period <= 0 || area.isEmpty()) {
        return;
    }
    const QPoint origin = band.topLeft() - QPoint(m_style.dotSpace, m_style.dotSpace);
    const int shift = ((offset % period) + period) % period;
    int at = (horizontal ? origin.x() : origin.y()) - shift;
    const int first = horizontal ? area.left() : area.top();
    const int last = horizontal ? area.right() : area.bottom();
    if (at + period <= first) {
        at += (first - at) / period * period;
    }
    for (; at <= last; at += period) {
        const QPoint corner = horizontal ? QPoint(at, origin.y()) : QPoint(origin.x(), at);
        const QRect piece = QRect(corner, m_dotImage.size()) & area;
        if (!piece.isEmpty()) {
            painter.drawImage(piece.topLeft(), m_dotImage, piece.translated(-corner));
        }
    }
}

// Every dot cell of the band unlit.
void LedTicker::drawBlank(QPainter& painter) const {
    const QRect band = bandRect();
    const int pitch = m_style.dotSize + m_style.dotSpace;
    const int columns = (band.width() + m_style.dotSpace) / pitch;
    const int rows = (band.height() + m_style.dotSpace) / pitch;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            painter.fillRect(band.left() + column * pitch, band.top() + row * pitch,
                             m_style.dotSize, m_style.dotSize, m_style.unlitColor);
        }
    }
}

} // namespace veskor
