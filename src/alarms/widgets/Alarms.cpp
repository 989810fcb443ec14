#include "alarms/widgets/Alarms.h"

#include "alarms/widgets/AlarmMessageWindow.h"
#include "alarms/widgets/AlarmSettingsWindow.h"
#include "common/Cp1250.h"

#include <QTimer>
#include <QWidget>

namespace veskor {

Alarms::Alarms(IFileStore& files, IBeep& beep, IStripScroller* scroller,
               const std::filesystem::path& dataDir, AlarmReports reports, QWidget* owner)
    : QObject(owner), m_files(files), m_beep(beep), m_scroller(scroller),
      m_file(dataDir / kAlarmFileName), m_reports(std::move(reports)), m_owner(owner) {
    const AlarmLoad load = m_list.load(m_files, m_file);
    // Shown once the program runs, after the bar is on the screen.
    QTimer::singleShot(0, this, [this, load] { m_reports.reportLoad(load); });
}

Alarms::~Alarms() = default;

QString Alarms::timeHint() const {
    const std::string hint = activeEventsHint(m_list);
    return hint.empty() ? tr("<No alarm active>") : QString::fromStdString(hint);
}

void Alarms::openSettings() {
    if (m_settings == nullptr) {
        m_settings = new AlarmSettingsWindow(m_list, m_files, m_file, m_reports, m_owner);
    }
    m_settings->exec();
    emit timeHintChanged(timeHint());
}

void Alarms::checkTick(DateTime now) {
    const std::optional<DateTime> minute = m_minutes.minuteToCheck(now);
    if (!minute) {
        return;
    }
    const int index = m_list.findEvent(*minute);
    if (index < 0) {
        return;
    }
    std::string message;
    const bool sound = m_list.getEvent(index, message);
    showAlarm(QString::fromStdString(cp1250ToUtf8(message)), sound, now);
}

void Alarms::showAlarm(const QString& message, bool sound, DateTime now) {
    // One window at most: a later event while it is open only refreshes it.
    if (m_message == nullptr) {
        m_message = new AlarmMessageWindow(m_beep, m_scroller, m_owner);
        m_message->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_message->showAlarm(message, sound, now);
}

} // namespace veskor
