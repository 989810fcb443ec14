#pragma once
// The small pictures on the dialogs' OK and Cancel buttons, so every window's buttons match.

#include <QPixmap>

namespace veskor {

// A green check mark, 16 x 16 logical pixels.
QPixmap okGlyph();
// A red cross, 16 x 16 logical pixels.
QPixmap cancelGlyph();

} // namespace veskor
