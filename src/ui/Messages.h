#pragma once
#include <QString>

class QWidget;

namespace veskor {

// The application's report of an error that ended an action: the error's own text, the
// application's title, one OK button.
void ShowErrorMessage(QWidget* parent, const QString& text);

} // namespace veskor
