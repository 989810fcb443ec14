#pragma once
// The program's colours and fonts, shared by the bar, its side panels, its menu and its icon.

#include <QColor>
#include <QFont>

namespace veskor::style {

// The sixteen-colour palette the bar is drawn in.
inline const QColor kBlack(0, 0, 0);
inline const QColor kWhite(255, 255, 255);
inline const QColor kLime(0, 255, 0);
inline const QColor kAqua(0, 255, 255);
inline const QColor kYellow(255, 255, 0);
inline const QColor kNavy(0, 0, 128);
inline const QColor kPurple(128, 0, 128);
inline const QColor kTeal(0, 128, 128);
inline const QColor kMaroon(128, 0, 0);
inline const QColor kSilver(192, 192, 192); // button face
inline const QColor kGray(128, 128, 128);   // bevel shadow
inline const QColor kHintShadow(64, 64, 64);

// The program's face at a pixel size: Tahoma where installed, otherwise the closest
// metric-compatible faces of the system.
inline QFont uiFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({"Tahoma", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The menu banner's face.
inline QFont bannerFont() {
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

inline constexpr int kBarFontSize = 11;
inline constexpr int kTitleFontSize = 13;

} // namespace veskor::style
