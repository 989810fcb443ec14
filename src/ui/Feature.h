#pragma once
// What a feature brings to the program, in one description: its commands, its settings keys, its
// side panels, the windows --screenshot --window draws, and what it adds to the bar once the bar
// exists (menu entries, wiring to the tick and the cells). app/ keeps the one list of them.

#include "feature/Command.h"
#include "feature/Settings.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/FileStore.h"
#include "platform/MappedFile.h"
#include "platform/Processor.h"
#include "platform/SessionService.h"
#include "platform/SettingsStore.h"
#include "platform/StripScroller.h"
#include "platform/SystemFacts.h"
#include "ui/SidePanelDescription.h"

#include <QString>
#include <QWidget>
#include <compare>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace veskor {

class BarLink;

// The machine's services a feature may use on the bar and in its windows.
struct FeatureServices {
    IClock& clock;
    IFileStore& files;
    IBeep& beep;
    // Moves the alarm window's LED band on the display server; none: the widget scrolls itself.
    IStripScroller* stripScroller = nullptr;
    // The settings key the features' values are saved in.
    ISettingsStore& settings;
    std::shared_ptr<const IMappedFiles> mappedFiles;
    std::shared_ptr<ISystemFacts> systemFacts;
    std::shared_ptr<IScreenFacts> screenFacts;
    std::shared_ptr<IProcessor> processor;
    std::shared_ptr<ISessionService> session;
    std::filesystem::path dataDir;
    // False for a picture of the bar: nothing goes off, nothing is written, nothing is asked.
    bool live = true;
};

// Where an entry stands in the bar's menu: the tools after the side panels' items, or the
// session's items at the end; by `order` within.
struct MenuPlace {
    enum class Section { Tools, Session };
    Section section = Section::Tools;
    int order = 0;
    auto operator<=>(const MenuPlace&) const = default;
};

struct MenuEntry {
    MenuPlace place;
    QString text;
    std::function<void()> triggered; // none in a picture of the menu
};

// A window ready to be drawn; or none, when its one-line error went to err, with the status.
struct BuiltWindow {
    std::shared_ptr<void> data; // what the window shows, kept while it lives
    std::unique_ptr<QWidget> window;
    int status = 0;
};

// What a window drawn for a picture is made from; the user's files are read, never written.
struct WindowSources {
    const FeatureServices& services; // with the clock standing still
    std::filesystem::path file;      // the FILE argument, for a window that takes one
    std::ostream& err;               // errors met on the way, one line each
};

// A window of the feature as --screenshot --window draws it.
struct ScreenshotWindow {
    WindowWord word;
    std::function<BuiltWindow(const WindowSources&)> build;
};

struct Feature {
    std::vector<CommandDescription> commands; // in --help's order
    std::vector<SettingKey> settingKeys;      // read at start with the bar's own
    // Built when first opened, which is after attach.
    std::vector<SidePanelDescription> sidePanels;
    std::vector<ScreenshotWindow> windows;
    // Called once the bar exists, also for a picture of it, in the list's order: wires the
    // feature to the bar and returns its menu entries.
    std::function<std::vector<MenuEntry>(BarLink& bar, const FeatureServices& services)> attach;
};

} // namespace veskor
