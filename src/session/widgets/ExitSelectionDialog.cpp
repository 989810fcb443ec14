#include "session/widgets/ExitSelectionDialog.h"

#include "ui/Style.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>

namespace veskor {

ExitSelectionDialog::ExitSelectionDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint) {
    setWindowTitle(tr("Exit Selection"));
    setFont(style::uiFont(10, false));
    setFixedSize(135, 206);

    auto* panel = new QFrame(this);
    panel->setObjectName("panel");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setGeometry(7, 5, 121, 194);

    m_unconditional = new QCheckBox(tr("Unconditional"), panel);
    m_unconditional->setObjectName("unconditional");
    m_unconditional->move(16, 12);

    addButton(panel, tr("&Logoff"), 42, 27, ExitSelection::LogOff);
    addButton(panel, tr("&Reboot"), 72, 26, ExitSelection::Reboot);
    addButton(panel, tr("&Shutdown"), 101, 27, ExitSelection::ShutDown);
    addButton(panel, tr("&Poweroff"), 131, 27, ExitSelection::PowerOff);
    // Escape rejects the dialog, which leaves the selection at Cancel as this button does.
    addButton(panel, tr("&Cancel"), 160, 25, ExitSelection::Cancel);
}

void ExitSelectionDialog::addButton(QWidget* panel, const QString& text, int top, int height,
                                    ExitSelection selection) {
    auto* button = new QPushButton(text, panel);
    button->setGeometry(9, top, 104, height);
    button->setAutoDefault(false);
    button->setDefault(selection == ExitSelection::LogOff);
    connect(button, &QPushButton::clicked, this, [this, selection] {
        m_selection = selection;
        if (selection == ExitSelection::Cancel) {
            reject();
        } else {
            accept();
        }
    });
}

bool ExitSelectionDialog::isUnconditional() const {
    return m_unconditional->isChecked();
}

ExitChoice ExitSelectionDialog::choose(int left, int top, QWidget* parent) {
    ExitSelectionDialog dialog(parent);
    dialog.move(left, top);
    dialog.exec();
    return {dialog.selection(), dialog.isUnconditional()};
}

} // namespace veskor
