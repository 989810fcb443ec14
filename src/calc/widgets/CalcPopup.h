#pragma once
#include "calc/core/Keypad.h"

#include <QFrame>
#include <array>

class QAbstractButton;
class QToolButton;

namespace veskor {

// The keypad below the calculator field: a borderless popup of 23 keys that holds the mouse
// and the keyboard while it is open. "=", Enter or a left click outside it commits the result
// to the field; Escape restores the field's old value. It closes itself and is deleted then.
class CalcPopup final : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 120;
    static constexpr int kHeight = 72;

    CalcPopup(CalcField& field, CalcOperator first, QWidget* parent);

    [[nodiscard]] QAbstractButton* key(KeypadKey key) const;
    [[nodiscard]] const Keypad& keypad() const { return m_keypad; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void closeWhenDone();

    Keypad m_keypad;
    QChar m_decimal;
    std::array<QToolButton*, 23> m_keys{};
    bool m_shown = false;
    bool m_closed = false;
};

} // namespace veskor
