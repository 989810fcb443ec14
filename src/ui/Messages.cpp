#include "ui/Messages.h"

#include "ui/DialogBorder.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>

namespace veskor {

namespace {

// Texts from files may look like markup; they are shown as they are.
void showPlain(QMessageBox::Icon icon, const QString& title, const QString& text,
               const QString& detail, QWidget* parent) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    new DialogBorder(&box);
    box.setTextFormat(Qt::PlainText);
    if (!detail.isEmpty()) {
        box.setInformativeText(detail);
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
            label->setTextFormat(Qt::PlainText);
        }
    }
    box.exec();
}

} // namespace

void showErrorMessage(QWidget* parent, const QString& text) {
    showPlain(QMessageBox::Critical, kApplicationTitle, text, {}, parent);
}

void showErrorDialog(QWidget* parent, const QString& text, const QString& detail) {
    showPlain(QMessageBox::Critical, QCoreApplication::translate("Messages", "Error"), text, detail,
              parent);
}

void showNote(QWidget* parent, const QString& text) {
    showPlain(QMessageBox::Information, kApplicationTitle, text, {}, parent);
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
