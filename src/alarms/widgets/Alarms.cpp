#include "alarms/widgets/Alarms.h"

#include "alarms/widgets/AlarmMessageWindow.h"
#include "alarms/widgets/AlarmSettingsWindow.h"
#include "common/Cp1250.h"
#include "common/Error.h"

#include <QTimer>
#include <QWidget>

namespace veskor {

namespace {

QString fromCp1250(const std::string& bytes) {
    return QString::fromStdString(cp1250ToUtf8(bytes));
}

} // namespace

Alarms::Alarms(IFileStore& files, IBeep& beep, const std::filesystem::path& dataDir,
               Report fileError, Report report, QWidget* owner)
    : QObject(owner), m_files(files), m_beep(beep), m_file(dataDir / kAlarmFileName),
      m_fileError(std::move(fileError)), m_report(std::move(report)), m_owner(owner) {
    try {
        m_list.load(m_files, m_file);
    } catch (const Error& e) {
        // Shown once the program runs, after the bar is on the screen.
        QTimer::singleShot(0, this,
                           [this, text = QString::fromStdString(e.what())] { m_fileError(text); });
    }
}

Alarms::~Alarms() = default;

QString Alarms::timeHint() const {
    std::string text;
    return m_list.activeEvents(text) > 0 ? fromCp1250(text) : QStringLiteral("<No alarm active>");
}

void Alarms::openSettings() {
    if (m_settings == nullptr) {
        m_settings = new AlarmSettingsWindow(m_list, m_files, m_file, m_fileError, m_owner);
    }
    m_settings->exec();
    emit timeHintChanged(timeHint());
}

void Alarms::checkTick(DateTime now) {
    const std::optional<DateTime> minute = m_minutes.minuteToCheck(now);
    if (!minute) {
        return;
    }
    std::string message;
    bool sound = false;
    try {
        const int index = m_list.findEvent(*minute);
        if (index < 0) {
            return;
        }
        sound = m_list.getEvent(index, message);
    } catch (const Error& e) {
        m_report(QString::fromStdString(e.what()));
        return;
    }
    showAlarm(fromCp1250(message), sound, now);
}

void Alarms::showAlarm(const QString& message, bool sound, DateTime now) {
    // One window at most: a later event while it is open only refreshes it.
    if (m_message == nullptr) {
        m_message = new AlarmMessageWindow(m_beep, m_owner);
        m_message->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_message->showAlarm(message, sound, now);
}

} // namespace veskor
