#pragma once
// "Exit Selection": the user picks how to end the session, and whether to force it.

#include "session/core/ExitSession.h"

#include <QDialog>

class QCheckBox;

namespace veskor {

class ExitSelectionDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ExitSelectionDialog(QWidget* parent = nullptr);

    // Cancel until a button other than "&Cancel" was pressed.
    [[nodiscard]] ExitSelection selection() const { return m_selection; }
    [[nodiscard]] bool isUnconditional() const;

    // Shows the dialog modally with its top left at (left, top); the user's choice.
    static ExitChoice choose(int left, int top, QWidget* parent);

private:
    void addButton(QWidget* panel, const QString& text, int top, int height,
                   ExitSelection selection);

    QCheckBox* m_unconditional = nullptr;
    ExitSelection m_selection = ExitSelection::Cancel;
};

} // namespace veskor
