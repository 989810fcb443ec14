#pragma once
// What app/ hands a feature of the bar: the tick with its memory feed, the values the settings
// key held at start, and a parent for the feature's objects; never the bar window itself.

#include "common/DateTime.h"
#include "common/MemoryStatus.h"
#include "feature/Settings.h"

#include <QObject>
#include <optional>

class QWidget;

namespace veskor {

class BarLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The parent of the feature's windows and the owner of its objects: the bar's window.
    [[nodiscard]] virtual QWidget* windowParent() const = 0;
    // The features' values read at start with the bar's own.
    [[nodiscard]] virtual const SettingValues& settings() const = 0;
    // Whether the tick reads the memory status while the memory row is hidden.
    virtual void setMemoryFeedWanted(bool wanted) = 0;

signals:
    // After every tick: the moment it showed and the memory status it read (none when neither
    // the memory row nor a feed wanted it).
    void ticked(veskor::DateTime now, const std::optional<veskor::MemoryStatus>& memory);
};

} // namespace veskor
