#pragma once
// The moon as it looks on a day: a full-moon picture with its unlit part painted black.

#include "common/DateTime.h"

#include <QImage>
#include <QWidget>

namespace veskor {

enum class MoonSize { Large, Small, Tiny }; // 64, 32 and 16 pixels

// Where the disc lies on the picture of a size, in pixels from its top left corner; scale is the
// number of device pixels to a pixel of the control (2 on a screen of twice the density).
// The shading's disc (centre and radius) reaches a pixel or two past the picture's own disc
// (`picture`, the rows and columns it fills), so that the rounding of the shaded runs leaves no
// lit pixel on the rim of a new moon and darkens none of a full one.
struct MoonDisc {
    int side = 0;
    int cx = 0;
    int cy = 0;
    int r = 0;
    QRect picture;
};
MoonDisc moonDisc(MoonSize size, int scale = 1);

// The unshaded picture of a size: a grey and white full moon on black, its disc the ellipse that
// fills `picture` of moonDisc. Drawn in device pixels at scale.
QImage fullMoonPicture(MoonSize size, int scale = 1);
// Paints black, one pixel wide, the unlit part of the disc of radius r centred at (cx, cy) (see
// moonShadow); the lit part keeps the picture's pixels. A palette picture is converted to ARGB32
// first.
void shadeMoon(QImage& picture, int cx, int cy, int r, double phase);

class MoonView final : public QWidget {
    Q_OBJECT
public:
    // Shows the phase of date at the large size.
    MoonView(DateTime date, QWidget* parent);

    [[nodiscard]] MoonSize moonSize() const { return m_size; }
    // Resizes the control to the picture and redraws it.
    void setMoonSize(MoonSize size);
    [[nodiscard]] DateTime date() const { return m_date; }
    // Computes the phase of the day count (taken as Universal Time) and redraws the picture.
    void setDate(DateTime date);
    // Degrees, 0 <= phase < 360: 0 full moon, 180 new moon.
    [[nodiscard]] double phase() const { return m_phase; }
    // In device pixels: its device pixel ratio is the screen's, rounded up.
    [[nodiscard]] const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A fresh full moon of the current size shaded by the phase, so that no shading accumulates.
    void drawMoon();
    void renderPicture();

    MoonSize m_size = MoonSize::Large;
    int m_scale = 1;
    DateTime m_date = 0;
    double m_phase = 0;
    QImage m_picture;
};

} // namespace veskor
