// The alarms as a feature of the bar: "Alarm Settings..." in the menu and on the time cell, the
// events checked at every tick, the `alarms` and `due` commands, and the two windows drawn for
// pictures. Registered by app/.

#include "alarms/widgets/AlarmCommands.h"
#include "alarms/widgets/AlarmSettingsWindow.h"
#include "alarms/widgets/Alarms.h"
#include "alarms/widgets/LedTicker.h"
#include "common/Cp1250.h"
#include "ui/BarLink.h"
#include "ui/Feature.h"
#include "ui/Messages.h"
#include "ui/StatusCell.h"

#include <QCoreApplication>

namespace veskor {

namespace {

std::function<void(const QString&)> reportTo(std::ostream& err) {
    return [&err](const QString& text) { err << text.toStdString() << '\n'; };
}

AlarmReports alarmReportsTo(std::ostream& err) {
    return {[&err](const QString& text, const QString& detail) {
                err << text.toStdString() << '\n' << detail.toStdString() << '\n';
            },
            reportTo(err), reportTo(err)};
}

BuiltWindow alarmSettingsWindow(const WindowSources& sources) {
    auto list = std::make_shared<AlarmList>();
    auto window = std::make_unique<AlarmSettingsWindow>(*list, sources.services.files,
                                                        sources.services.dataDir / kAlarmFileName,
                                                        alarmReportsTo(sources.err));
    window->show(); // showing reads the alarm file, as when the bar opens the window
    return {list, std::move(window)};
}

// The first event's message as it goes off at its own time on the clock's day, in silence.
BuiltWindow alarmMessageWindow(const WindowSources& sources) {
    AlarmList list;
    alarmReportsTo(sources.err)
        .reportLoad(list.load(sources.services.files, sources.services.dataDir / kAlarmFileName));
    QString message;
    DateTime at = sources.services.clock.now();
    if (list.count() > 0) {
        const AlarmEvent& first = list.at(0);
        message = QString::fromStdString(cp1250ToUtf8(first.message));
        if (const std::optional<DateTime> time = parseTimeOfDay(first.time)) {
            at = static_cast<DateTime>(dateOf(at)) + *time;
        }
    }
    auto window = std::make_unique<AlarmMessageWindow>(sources.services.beep, nullptr, nullptr);
    window->showAlarm(message, false, at);
    // Standing still the ticker shows the scroll's first frame, the message from its start,
    // and no timer moves it before the picture is taken.
    window->led()->setScrolling(false);
    return {nullptr, std::move(window)};
}

std::vector<MenuEntry> attachAlarms(BarLink& bar, const FeatureServices& services) {
    MenuEntry settings{{MenuPlace::Section::Tools, 1},
                       QCoreApplication::translate("AlarmsFeature", "Alarm Settings..."),
                       {}};
    // A picture of the bar neither reads the alarms nor lets one go off.
    if (!services.live) {
        return {settings};
    }
    QWidget* owner = bar.windowParent();
    auto* alarms =
        new Alarms(services.files, services.beep, services.stripScroller, services.dataDir,
                   {[owner](const QString& text, const QString& detail) {
                        showErrorDialog(owner, text, detail);
                    },
                    [owner](const QString& text) { showErrorMessage(owner, text); },
                    [owner](const QString& text) { showNote(owner, text); }},
                   owner);
    StatusCell* time = bar.cell(BarCell::Time);
    time->setHint(alarms->timeHint());
    QObject::connect(alarms, &Alarms::timeHintChanged, time, &StatusCell::setHint);
    QObject::connect(time, &StatusCell::doubleClicked, alarms, &Alarms::openSettings);
    QObject::connect(&bar, &BarLink::ticked, alarms,
                     [alarms](DateTime now, const std::optional<MemoryStatus>& /*memory*/) {
                         alarms->checkTick(now);
                     });
    settings.triggered = [alarms] { alarms->openSettings(); };
    return {settings};
}

} // namespace

Feature alarmsFeature() {
    Feature feature;
    feature.commands = alarmCommands();
    feature.windows = {{{"alarms"}, alarmSettingsWindow}, {{"alarm"}, alarmMessageWindow}};
    feature.attach = attachAlarms;
    return feature;
}

} // namespace veskor
