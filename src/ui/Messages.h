#pragma once
#include <QString>

class QIcon;
class QWidget;

namespace veskor {

// The application's title. Not set as Qt's display name, which X11 window titles would carry
// as a suffix.
inline constexpr const char* kApplicationTitle = "Veskor Pro";

// The application's report of an error that ended an action: the error's own text, the
// application's title, one OK button. Texts are shown as plain text, whatever they hold.
void showErrorMessage(QWidget* parent, const QString& text);

// The error dialog of a failed file operation ("Load failed.", "Save failed."): title "Error",
// the error icon, one OK button; below the text, the detail (which file, and why).
void showErrorDialog(QWidget* parent, const QString& text, const QString& detail = {});

// A note that needs no answer: the application's title, the information icon, one OK button.
void showNote(QWidget* parent, const QString& text);

// The About box: no title, the icon at 48 pixels, the two lines of text, one OK button.
void showAboutBox(QWidget* parent, const QIcon& icon, const QString& firstLine,
                  const QString& secondLine);

} // namespace veskor
