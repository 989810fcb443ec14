#pragma once
#include <QIcon>
#include <QImage>

namespace veskor {

// The program's icon, drawn at run time: a black calendar page with a navy header band held by
// two aqua rings and a lime grid of days, one pixmap per size the desktop asks for (16, 22, 24,
// 32, 48 and 64 pixels) so that each is drawn on whole pixels.
QIcon makeAppIcon();

// The same picture at any size, for the icon files installed with the program.
QImage appIconImage(int size);

} // namespace veskor
