#pragma once
// A text (or a small picture) shown as a matrix of square LED dots, optionally scrolling.

#include <QColor>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace veskor {

enum class ScrollMode { None, LeftToRight, RightToLeft, TopToBottom, BottomToTop, Flash };
enum class Bevel { None, Lowered, Raised };

// The text the display draws for `text`: three blanks for an empty one, and a text past a few
// hundred characters cut at a character boundary with "…" after it.
QString ledText(const QString& text);

// The text at one pixel per dot: ledText(text) drawn without smoothing in `font` and `textColor`
// on `unlitColor`, with `borderWidth` unlit pixels on every side. Its rows reach from the top of
// the font's accented capitals to the foot of its descenders, as drawn.
QImage renderLedText(const QString& text, const QFont& font, QColor textColor, QColor unlitColor,
                     int borderWidth);

// Source pixel (i, j) becomes a dotSize square at (dotSpace + i * p, dotSpace + j * p), with
// p = dotSize + dotSpace, in the pixel's colour; the rest is `back`. A null source gives a null
// image.
QImage buildDotImage(const QImage& source, int dotSize, int dotSpace, QColor back);

// One scroll tick: the offset the next tick draws at, after a tick that drew at `offset` on a dot
// image of `imageSize`. The wrap comes before the step, so right to left draws 0, s, 2s, ... up
// to the first value at or past the width, then s, 2s, ... again.
int nextScrollOffset(ScrollMode mode, int offset, int moveStep, QSize imageSize);

class LedTicker final : public QWidget {
    Q_OBJECT
public:
    explicit LedTicker(QWidget* parent);

    // The same text again keeps the scroll going; another one restarts it at offset 0.
    void setText(const QString& text);
    const QString& text() const { return m_text; }
    // A picture replaces the text; a null one returns to the text (three blanks).
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    // On: the control takes the size of its dots inside its frame, at every change of either.
    void setAutoSize(bool on);
    bool autoSize() const { return m_autoSize; }
    void setBackColor(QColor color);
    QColor backColor() const { return m_backColor; }
    void setEnabledDotColor(QColor color);
    QColor enabledDotColor() const { return m_enabledDotColor; }
    void setDotSize(int pixels);
    int dotSize() const { return m_dotSize; }
    void setDotSpace(int pixels);
    int dotSpace() const { return m_dotSpace; }
    void setTextBorderWidth(int sourcePixels);
    int textBorderWidth() const { return m_textBorderWidth; }
    // The font itself is the widget's font (setFont); this is the colour of the lit dots.
    void setFontColor(QColor color);
    QColor fontColor() const { return m_fontColor; }
    void setSpeed(int msec);
    int speed() const { return m_timer.interval(); }
    void setMoveStep(int pixels) { m_moveStep = pixels; }
    int moveStep() const { return m_moveStep; }
    void setScroll(bool on);
    bool scroll() const { return m_timer.isActive(); }
    void setScrollMode(ScrollMode mode);
    ScrollMode scrollMode() const { return m_scrollMode; }

    // The panel around the dots: a single line border, the outer bevel, a frame of BorderWidth
    // in the panel colour, the inner bevel.
    void setSingleBorder(bool on);
    void setBevelOuter(Bevel bevel);
    void setBevelInner(Bevel bevel);
    void setBevelWidth(int pixels);
    void setBorderWidth(int pixels);
    void setColor(QColor color);

    const QImage& dotImage() const { return m_dotImage; }
    // The offset the next scroll tick draws at.
    int offset() const { return m_offset; }

    // The scroll timer's handler: shows the next frame of the scroll mode.
    void scrollTick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Frame { None, Horizontal, Vertical, Blank };

    void buildDots();
    void rebuild();
    void frameChanged();
    void fitToDots();
    int frameWidth() const;
    // The area inside the frame, where the dots are.
    QRect bandRect() const;
    void moveBand(Frame before, int offsetBefore);
    void drawFrame(QPainter& painter) const;
    void drawBand(QPainter& painter, Qt::Orientation orientation, int offset,
                  const QRect& exposed) const;
    void drawBlank(QPainter& painter) const;

    QString m_text;
    QImage m_picture;
    QImage m_dotImage;
    bool m_autoSize = false;
    QColor m_backColor;
    QColor m_enabledDotColor;
    QColor m_fontColor;
    int m_dotSize = 2;
    int m_dotSpace = 1;
    int m_textBorderWidth = 2;
    int m_moveStep = 3;
    ScrollMode m_scrollMode = ScrollMode::RightToLeft;
    bool m_singleBorder = false;
    Bevel m_bevelOuter = Bevel::Raised;
    Bevel m_bevelInner = Bevel::None;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    QColor m_color;
    QTimer m_timer;
    int m_offset = 0;
    bool m_flashPhase = false;
    // What the last scroll tick showed; a paint while scrolling shows it again.
    Frame m_shownFrame = Frame::None;
    int m_shownOffset = 0;
};

} // namespace veskor
