#include "ui/Messages.h"

#include <QMessageBox>

namespace veskor {

void ShowErrorMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace veskor
