#include "ui/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace veskor {

void ShowErrorMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace veskor
