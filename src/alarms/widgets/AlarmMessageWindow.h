#pragma once
// The window of an alarm that went off: its message scrolling in LED dots, an OK button, and for
// events with sound two beeps a second until it is closed.

#include "common/DateTime.h"

#include <QDialog>
#include <QString>
#include <QTimer>

class QPushButton;

namespace veskor {

class IBeep;
class IStripScroller;
class LedTicker;

class AlarmMessageWindow final : public QDialog {
    Q_OBJECT
public:
    // `scroller` moves the LED band where it can (see LedTicker); it may be null.
    AlarmMessageWindow(IBeep& beep, IStripScroller* scroller, QWidget* parent);

    // Captions the window "Alarm event - [hh:mm]" from `now`, shows `message` and beeps or stays
    // silent by `sound`. A window already on screen is only brought up to date; otherwise it is
    // shown above everything without taking the keyboard, and without a nested event loop, so
    // the clock keeps ticking.
    void showAlarm(const QString& message, bool sound, DateTime now);

    LedTicker* led() const { return m_led; }
    QPushButton* okButton() const { return m_okButton; }
    bool isBeeping() const { return m_soundTimer.isActive(); }

    // Closing in any way ends the beeping.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitLed();

    IBeep& m_beep;
    LedTicker* m_led;
    QPushButton* m_okButton;
    QTimer m_soundTimer;
};

} // namespace veskor
