#pragma once
#include "calc/core/CalcField.h"
#include "calc/core/FieldEditing.h"

#include <QLineEdit>
#include <QPointer>
#include <functional>

class QToolButton;

namespace veskor {

class CalcPopup;

// A numeric field with a fixed number of decimals and a small button at its right edge. Typing
// an operator, Down or the button opens the keypad below it, which writes its result back.
class CalcEdit final : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 15;
    static constexpr int kTextGap = 2; // between the text and the button

    // Mixed edits left-aligned and shows the unfocused value right-aligned.
    enum class Alignment { Left, Right, Mixed };
    // The edge the keypad lines up with when opened by the button or Down.
    enum class PopupEdge { Left, Right };

    explicit CalcEdit(QWidget* parent = nullptr);
    ~CalcEdit() override;

    // While focused, reading commits the typed text first.
    double value();
    void setValue(double value);
    [[nodiscard]] int decimals() const { return m_field.decimals(); }
    void setDecimals(int decimals);
    // Limits what the person types; the value is always shown whole, scrolled when it is wider
    // than the field.
    [[nodiscard]] int maxLength() const { return m_field.maxLength(); }
    void setMaxLength(int length);
    [[nodiscard]] Alignment calcAlignment() const { return m_alignment; }
    void setCalcAlignment(Alignment alignment);
    [[nodiscard]] PopupEdge popupEdge() const { return m_popupEdge; }
    void setPopupEdge(PopupEdge edge) { m_popupEdge = edge; }
    [[nodiscard]] bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }

    void setDisplayFormat(DisplayFormat format, const QString& mask = {});
    void setMinimum(double minimum) { m_field.setMinimum(minimum); }
    void setMaximum(double maximum) { m_field.setMaximum(maximum); }
    [[nodiscard]] double minimum() const { return m_field.minimum(); }
    [[nodiscard]] double maximum() const { return m_field.maximum(); }
    // Dialog shows `message` as an error box; Event asks `onRangeError`.
    void setRangeHandler(RangeHandler handler, const QString& message = {});
    void setRangeErrorHandler(
        std::function<void(double& newValue, double minimum, double maximum, double value)>
            handler);
    // Supplies another popup than the keypad; the operator keys then have no keypad role and
    // "-" at the start is a sign.
    void setPopupFactory(std::function<QWidget*(CalcEdit& field)> factory);

    [[nodiscard]] QToolButton* button() const { return m_button; }
    // The popup while one is open.
    [[nodiscard]] QWidget* popup() const { return m_popup; }
    // Opens the keypad with `first` already pressed (None: nothing pressed).
    void openKeypad(CalcOperator first, bool byButton);

    // Never lower than the font needs.
    [[nodiscard]] QSize minimumSizeHint() const override;

signals:
    void changed();
    // The value changed while the field was not focused and no keypad ran.
    void doneValue();
    void buttonRightClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] bool buttonEnabled() const;
    [[nodiscard]] EditState editState() const;
    void applyEdit(const EditState& state);
    void showFieldText();
    void updateAlignment();
    void popupGone();

    CalcField m_field;
    QToolButton* m_button = nullptr;
    QPointer<QWidget> m_popup;
    Alignment m_alignment = Alignment::Mixed;
    PopupEdge m_popupEdge = PopupEdge::Left;
    bool m_autoSelect = true;
    std::function<QWidget*(CalcEdit&)> m_popupFactory;
    DisplayFormat m_factoryFormat = DisplayFormat::Number; // saved while a supplied popup runs
};

} // namespace veskor
