#pragma once
#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace veskor {

// "Alarm Event": the editor of one alarm's time, message and flags. It keeps nothing between
// uses; the caller fills it before every exec(). OK is refused, with `error` telling why, while
// the hour or minute is no whole number or the message holds a character the file cannot.
class AlarmEventDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AlarmEventDialog(std::function<void(const QString&)> error, QWidget* parent = nullptr);

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
    // Why OK cannot take the fields as they are, or an empty text.
    [[nodiscard]] QString refusal() const;

    std::function<void(const QString&)> m_error;
    QSpinBox* m_hourField;
    QSpinBox* m_minuteField;
    QLineEdit* m_messageEdit;
    QCheckBox* m_activeBox;
    QCheckBox* m_soundBox;
    bool m_placed = false;
};

} // namespace veskor
