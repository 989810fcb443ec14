#pragma once
// The alarms as the bar sees them: the list the clock checks at every minute, the message window
// of a due event, and the settings window. One object for the program's life.

#include "alarms/core/AlarmList.h"
#include "alarms/widgets/AlarmMessageWindow.h"
#include "alarms/widgets/AlarmReports.h"
#include "platform/Beep.h"
#include "platform/FileStore.h"

#include <QObject>
#include <QPointer>
#include <filesystem>

class QWidget;

namespace veskor {

class AlarmSettingsWindow;
class IStripScroller;

class Alarms final : public QObject {
    Q_OBJECT
public:
    // Reads the alarm file of dataDir (a missing one is an empty list) and reports what the
    // reading met once the program runs. Windows open over `owner`.
    Alarms(IFileStore& files, IBeep& beep, IStripScroller* scroller,
           const std::filesystem::path& dataDir, AlarmReports reports, QWidget* owner);
    ~Alarms() override;

    // The time cell's hint: the first active events, or "<No alarm active>".
    [[nodiscard]] QString timeHint() const;
    [[nodiscard]] const AlarmList& list() const { return m_list; }
    [[nodiscard]] std::filesystem::path file() const { return m_file; }
    // The message window while an alarm is on screen, else nullptr.
    [[nodiscard]] AlarmMessageWindow* messageWindow() const { return m_message; }

public slots:
    // The settings window, modal; the list is saved when it closes with changes, then
    // timeHintChanged().
    void openSettings();
    // A tick of the bar's clock: shows the first active event due in the minute it checks.
    void checkTick(veskor::DateTime now);

signals:
    void timeHintChanged(const QString& hint);

private:
    void showAlarm(const QString& message, bool sound, DateTime now);

    IFileStore& m_files;
    IBeep& m_beep;
    IStripScroller* m_scroller;
    std::filesystem::path m_file;
    AlarmReports m_reports;
    QWidget* m_owner;
    AlarmList m_list;
    AlarmMinutes m_minutes;
    QPointer<AlarmMessageWindow> m_message;
    AlarmSettingsWindow* m_settings = nullptr; // made when first opened, kept for its position
};

} // namespace veskor
