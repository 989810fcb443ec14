#include "calc/widgets/CalculatorPanel.h"

#include "calc/widgets/CalcEdit.h"
#include "ui/SidePanel.h"
#include "ui/Style.h"

#include <QCoreApplication>
#include <QEvent>

namespace veskor {

namespace {

// Puts the keyboard into the field each time the panel is opened, so the user can type at once.
class FocusOnShow final : public QObject {
public:
    explicit FocusOnShow(CalcEdit* field) : QObject(field), m_field(field) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            QWidget* window = m_field->window();
            if (!window->isActiveWindow()) {
                window->activateWindow();
            }
            m_field->setFocus(Qt::OtherFocusReason);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CalcEdit* m_field;
};

} // namespace

SidePanelDescription calculatorSidePanel() {
    SidePanelDescription panel;
    panel.word = "calculator";
    panel.menuText = QCoreApplication::translate("CalculatorPanel", "Calculator");
    panel.title = QCoreApplication::translate("CalculatorPanel", "Calculator");
    panel.height = 73;
    panel.firstTop = 212;
    panel.buildContent = [](SidePanel& frame) {
        auto* field = new CalcEdit(&frame);
        field->setObjectName("calculatorField");
        field->setFont(style::uiFont(style::kTitleFontSize, true));
        field->setCalcAlignment(CalcEdit::Alignment::Right);
        field->setGeometry(8, 36, 261, 26);
        frame.installEventFilter(new FocusOnShow(field));
    };
    return panel;
}

} // namespace veskor
