#include "ui/Messages.h"

#include <QIcon>
#include <QMessageBox>

namespace veskor {

void showErrorMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

void showErrorDialog(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, parent);
    box.exec();
}

void showAboutBox(QWidget* parent, const QIcon& icon, const QString& firstLine,
                  const QString& secondLine) {
    // Without a title, as the program always showed it.
    QMessageBox box(QMessageBox::NoIcon, QString(), firstLine + '\n' + secondLine, QMessageBox::Ok,
                    parent);
    box.setIconPixmap(icon.pixmap(QSize(48, 48)));
    box.exec();
}

} // namespace veskor
