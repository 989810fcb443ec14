#pragma once
// What app/ hands a feature of the bar: the tick with its memory feed, the cells, the name-day
// table, the values the settings key held at start, a parent for the feature's windows and a way
// to report errors; never the bar window itself.

#include "common/DateTime.h"
#include "common/MemoryStatus.h"
#include "feature/Settings.h"
#include "namedays/core/SaintTable.h"
#include "ui/SidePanelDescription.h"

#include <QObject>
#include <filesystem>
#include <optional>

class QWidget;

namespace veskor {

class StatusCell;

class BarLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The parent of the feature's windows and the owner of its objects: the bar's window.
    [[nodiscard]] virtual QWidget* windowParent() const = 0;
    // One of the bar's cells, for its hint, its double click or what is dropped on it.
    [[nodiscard]] virtual StatusCell* cell(BarCell cell) const = 0;
    // The moment the bar's clock shows.
    [[nodiscard]] virtual DateTime now() const = 0;
    // The name-day table the bar shows, and its file; a change shows at the next tick.
    [[nodiscard]] virtual SaintTable& saints() const = 0;
    [[nodiscard]] virtual std::filesystem::path saintFilePath() const = 0;
    // The features' values read at start with the bar's own.
    [[nodiscard]] virtual const SettingValues& settings() const = 0;
    // Whether the tick reads the memory status while the memory row is hidden.
    virtual void setMemoryFeedWanted(bool wanted) = 0;
    // Shows an error to the person, as the bar shows its own.
    virtual void report(const QString& text) const = 0;

signals:
    // After every tick: the moment it showed and the memory status it read (none when neither
    // the memory row nor a feed wanted it).
    void ticked(veskor::DateTime now, const std::optional<veskor::MemoryStatus>& memory);
};

} // namespace veskor
