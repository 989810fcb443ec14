#pragma once
// A text (or a small picture) shown as a matrix of square LED dots, optionally scrolling.

#include "platform/StripScroller.h"
#include "ui/Style.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

class QWindow;

namespace veskor {

enum class ScrollMode { None, LeftToRight, RightToLeft, TopToBottom, BottomToTop, Flash };
enum class Bevel { None, Lowered, Raised };

// How the display looks and moves. The defaults are the control's own.
struct LedStyle {
    QColor backColor = style::kBlack; // around the dots
    QColor unlitColor = style::kGray; // the dots the text leaves dark
    QColor litColor = style::kLime;   // the text's dots, drawn in the widget's font
    int dotSize = 2;                  // pixels
    int dotSpace = 1;                 // pixels between two dots
    int textBorderWidth = 2;          // unlit dots around the text
    bool autoSize = false;            // the control takes the size of its dots and frame
    // The panel around the dots: a single line border, the outer bevel, a frame of borderWidth
    // in panelColor, the inner bevel.
    bool singleBorder = false;
    Bevel bevelOuter = Bevel::Raised;
    Bevel bevelInner = Bevel::None;
    int bevelWidth = 1;
    int borderWidth = 0;
    QColor panelColor = style::kSilver;
    // While scrolling, the band moves moveStep pixels every `speed` milliseconds.
    ScrollMode scrollMode = ScrollMode::RightToLeft;
    int speed = 10;
    int moveStep = 3;
};

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
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(bool scrolling READ isScrolling WRITE setScrolling)
public:
    // Horizontal scrolling goes through `scroller` when it can move the band on this display,
    // so that the steps do not wake the program; otherwise, and with a null one, a timer of the
    // widget moves it.
    explicit LedTicker(const LedStyle& style, IStripScroller* scroller, QWidget* parent);

    // The same text again keeps the scroll going; another one restarts it at offset 0.
    void setText(const QString& text);
    const QString& text() const { return m_text; }
    // A picture replaces the text; a null one returns to the text (three blanks).
    void setPicture(const QImage& picture);
    // Scrolling moves the band while the widget is shown; standing still it shows the image
    // from its start.
    void setScrolling(bool on);
    bool isScrolling() const { return m_scrolling; }

    const QImage& dotImage() const { return m_dotImage; }
    // The offset the next scroll step draws at.
    int offset() const { return m_offset; }

    // The widget's own scroll step: shows the next frame of the scroll mode.
    void scrollTick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Frame { None, Horizontal, Vertical, Blank };

    void buildDots();
    void rebuild();
    void fitToDots();
    int frameWidth() const;
    // The area inside the frame, where the dots are.
    QRect bandRect() const;
    void updateMotion();
    void startScroller();
    void stopScroller();
    int scrollerStep();
    void moveBand(Frame before, int offsetBefore);
    void drawFrame(QPainter& painter) const;
    void drawBand(QPainter& painter, Qt::Orientation orientation, int offset,
                  const QRect& exposed) const;
    void drawBlank(QPainter& painter) const;

    LedStyle m_style;
    IStripScroller* m_scroller;
    QString m_text;
    QImage m_picture;
    QImage m_dotImage;
    bool m_scrolling = false;
    bool m_onScreen = false; // shown, and its window not minimised
    QTimer m_timer;
    int m_offset = 0;
    bool m_flashPhase = false;
    // What the last scroll step showed; a paint while scrolling shows it again.
    Frame m_shownFrame = Frame::None;
    int m_shownOffset = 0;
    std::unique_ptr<IStripScroller::Running> m_running;
    QPointer<QWindow> m_exposeSource; // while m_running: the window whose exposes repaint the band
};

} // namespace veskor
