#include "alarms/widgets/LedTicker.h"

#include "ui/Style.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace veskor {

namespace {

// A hand-written alarm file may hold a message of megabytes; the display shows the start of it
// and keeps the images to a few megabytes.
constexpr int kMaxTextChars = 1000;
constexpr int kMaxTextWidth = 4000;
constexpr std::int64_t kMaxDotImagePixels = std::int64_t{1} << 24;

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

} // namespace

QImage renderLedText(const QString& text, const QFont& font, QColor textColor, QColor unlitColor,
                     int borderWidth) {
    const QString shown = text.isEmpty() ? QStringLiteral("   ") : text.left(kMaxTextChars);
    // Unsmoothed, so that every pixel is either lit or unlit.
    QFont rasterFont(font);
    rasterFont.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(rasterFont);
    const int border = std::max(borderWidth, 0);
    const int width = std::min(metrics.horizontalAdvance(shown), kMaxTextWidth) + 2 * border;
    QImage source(std::max(width, 1), metrics.height() + 2 * border, QImage::Format_RGB32);
    source.fill(unlitColor);
    QPainter painter(&source);
    painter.setFont(rasterFont);
    painter.setPen(textColor);
    painter.drawText(border, border + metrics.ascent(), shown);
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
                std::fill_n(out + dotSpace + i * p, dotSize, in[i]);
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

LedTicker::LedTicker(QWidget* parent)
    : QWidget(parent), m_text(QStringLiteral("LED Ticker")), m_backColor(style::kBlack),
      m_enabledDotColor(style::kGray), m_fontColor(style::kLime), m_color(style::kSilver) {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &LedTicker::scrollTick);
    buildDots();
    resize(m_dotImage.size());
}

void LedTicker::setText(const QString& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    m_picture = QImage();
    m_offset = 0;
    m_shownFrame = Frame::None;
    rebuild();
}

void LedTicker::setPicture(const QImage& picture) {
    m_picture = picture;
    m_text.clear();
    rebuild();
}

void LedTicker::setAutoSize(bool on) {
    m_autoSize = on;
    rebuild();
}

void LedTicker::setBackColor(QColor color) {
    m_backColor = color;
    rebuild();
}

void LedTicker::setEnabledDotColor(QColor color) {
    m_enabledDotColor = color;
    rebuild();
}

void LedTicker::setDotSize(int pixels) {
    m_dotSize = std::max(pixels, 1);
    rebuild();
}

void LedTicker::setDotSpace(int pixels) {
    m_dotSpace = std::max(pixels, 0);
    rebuild();
}

void LedTicker::setTextBorderWidth(int sourcePixels) {
    m_textBorderWidth = std::max(sourcePixels, 0);
    rebuild();
}

void LedTicker::setFontColor(QColor color) {
    m_fontColor = color;
    rebuild();
}

void LedTicker::setSpeed(int msec) {
    m_timer.setInterval(std::max(msec, 1));
}

void LedTicker::setScroll(bool on) {
    if (on == m_timer.isActive()) {
        return;
    }
    if (on) {
        m_timer.start();
    } else {
        m_timer.stop();
    }
    update();
}

void LedTicker::setScrollMode(ScrollMode mode) {
    if (mode == m_scrollMode) {
        return;
    }
    m_scrollMode = mode;
    m_offset = 0;
    m_shownFrame = Frame::None;
    update();
}

void LedTicker::setSingleBorder(bool on) {
    m_singleBorder = on;
    update();
}

void LedTicker::setBevelOuter(Bevel bevel) {
    m_bevelOuter = bevel;
    update();
}

void LedTicker::setBevelInner(Bevel bevel) {
    m_bevelInner = bevel;
    update();
}

void LedTicker::setBevelWidth(int pixels) {
    m_bevelWidth = std::max(pixels, 0);
    update();
}

void LedTicker::setBorderWidth(int pixels) {
    m_borderWidth = std::max(pixels, 0);
    update();
}

void LedTicker::setColor(QColor color) {
    m_color = color;
    update();
}

void LedTicker::scrollTick() {
    switch (m_scrollMode) {
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
        m_offset = nextScrollOffset(m_scrollMode, m_offset, m_moveStep, m_dotImage.size());
    }
    // The paint shows the frame chosen here; Qt draws only in paint events.
    update();
}

void LedTicker::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    m_innerRect = drawFrame(painter).adjusted(m_dotSpace, m_dotSpace, -m_dotSpace, -m_dotSpace);
    if (m_innerRect.isValid()) {
        painter.setClipRect(m_innerRect);
        painter.fillRect(m_innerRect, m_backColor);
    }
    if (m_timer.isActive()) {
        switch (m_shownFrame) {
        case Frame::None:
            break;
        case Frame::Horizontal:
            drawBand(painter, Qt::Horizontal, m_shownOffset);
            break;
        case Frame::Vertical:
            drawBand(painter, Qt::Vertical, m_shownOffset);
            break;
        case Frame::Blank:
            drawBlank(painter);
            break;
        }
        return;
    }
    // Standing still: the image from its start, repeated along the top and down the left.
    drawBand(painter, Qt::Horizontal, 0);
    drawBand(painter, Qt::Vertical, 0);
    m_offset = 0;
}

void LedTicker::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        rebuild();
    }
    QWidget::changeEvent(event);
}

void LedTicker::buildDots() {
    QImage source;
    if (m_picture.isNull()) {
        if (m_text.isEmpty()) {
            m_text = QStringLiteral("   ");
        }
        source = renderLedText(m_text, font(), m_fontColor, m_enabledDotColor, m_textBorderWidth);
    } else {
        source = m_picture;
    }
    m_dotImage = buildDotImage(source, m_dotSize, m_dotSpace, m_backColor);
    if (m_autoSize) {
        resize(m_dotImage.width() + 2 * m_innerRect.left() + 1,
               m_dotImage.height() + 2 * m_innerRect.top() + 1);
    }
}

void LedTicker::rebuild() {
    buildDots();
    update();
}

QRect LedTicker::drawFrame(QPainter& painter) const {
    QRect inner = rect();
    if (m_singleBorder) {
        painter.setPen(style::kBlack);
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
        inner.adjust(1, 1, -1, -1);
    }
    drawBevel(painter, inner, m_bevelOuter, m_bevelWidth);
    // The frame of BorderWidth keeps the panel colour the widget was cleared with.
    inner.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    drawBevel(painter, inner, m_bevelInner, m_bevelWidth);
    return inner;
}

// The dot image repeated end to end along one edge of the inner rectangle, shifted back by
// `offset`: offsets past either end show the same band as their remainder.
void LedTicker::drawBand(QPainter& painter, Qt::Orientation orientation, int offset) const {
    const bool horizontal = orientation == Qt::Horizontal;
    const int period = horizontal ? m_dotImage.width() : m_dotImage.height();
    if (period <= 0 || !m_innerRect.isValid()) {
        return;
    }
    const int shift = ((offset % period) + period) % period;
    const int start = (horizontal ? m_innerRect.left() : m_innerRect.top()) - shift;
    const int end = horizontal ? m_innerRect.right() : m_innerRect.bottom();
    for (int at = start; at <= end; at += period) {
        if (horizontal) {
            painter.drawImage(at, m_innerRect.top(), m_dotImage);
        } else {
            painter.drawImage(m_innerRect.left(), at, m_dotImage);
        }
    }
}

// Every dot cell of the inner rectangle unlit.
void LedTicker::drawBlank(QPainter& painter) const {
    const int pitch = m_dotSize + m_dotSpace;
    const int columns = m_innerRect.width() / pitch;
    const int rows = m_innerRect.height() / pitch;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            painter.fillRect(m_innerRect.left() + m_dotSpace + column * pitch,
                             m_innerRect.top() + m_dotSpace + row * pitch, m_dotSize, m_dotSize,
                             m_enabledDotColor);
        }
    }
}

} // namespace veskor
