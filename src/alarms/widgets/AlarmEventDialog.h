#pragma once
#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace veskor {

// "Alarm Event": the editor of one alarm's time, message and flags. It keeps nothing between
// uses; the caller fills it before every exec().
class AlarmEventDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AlarmEventDialog(QWidget* parent = nullptr);

    void fill(int hour, int minute, const QString& message, bool active, bool sound);
    [[nodiscard]] int hour() const;
    [[nodiscard]] int minute() const;
    [[nodiscard]] QString message() const;
    [[nodiscard]] bool isActive() const;
    [[nodiscard]] bool hasSound() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QSpinBox* m_hourField;
    QSpinBox* m_minuteField;
    QLineEdit* m_messageEdit;
    QCheckBox* m_activeBox;
    QCheckBox* m_soundBox;
    bool m_placed = false;
};

} // namespace veskor
