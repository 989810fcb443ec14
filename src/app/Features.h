#pragma once
// The features the bar shows: their side panels and windows, registered here and nowhere else.

#include "app/CommandLine.h"
#include "calendar/widgets/CalendarPanel.h"
#include "feature/Settings.h"
#include "ui/SidePanelDescription.h"

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace veskor {

class BarWindow;
class ISessionService;
class LinuxServices;
class MemoryScope;

// Every side panel of the bar, in the order of their menu items. The sources are read only when
// a panel is opened; the command line asks for the panels' words without them.
std::vector<SidePanelDescription> sidePanels(const CalendarSources& calendar = {},
                                             std::function<MemoryScope&()> scope = {});

// The bar's memory scope once the bar exists: the one connectFeatures gave it, or else (for a
// picture) one that saves nothing.
std::function<MemoryScope&()> scopeOf(BarWindow* const& bar);

// The values the features keep in the settings key, read at start with the bar's own.
std::vector<SettingKey> featureSettingKeys();

// What the calendar reads: the services' clock and, once it exists, the bar's name-day table.
CalendarSources calendarSources(LinuxServices& services, BarWindow* const& bar);

// The bar's "Shutdown", "Log Off" and "Reboot", served by `service`.
void connectSession(BarWindow& bar, std::unique_ptr<ISessionService> service);

// The windows the bar asks for and the features that live on its tick, wired to the bar.
void connectFeatures(BarWindow& bar, LinuxServices& services, const std::filesystem::path& dataDir);

// The words --panel takes: every side panel's and the memory row's.
std::vector<std::string> panelWords(const std::vector<SidePanelDescription>& panels);

// What a window drawn for a picture is made from; the user's files are read, never written.
struct WindowSources {
    LinuxServices& services; // with the clock standing still
    std::filesystem::path dataDir;
    std::filesystem::path file; // the FILE argument, for a window that takes one
    std::ostream& err;          // errors met on the way, one line each
};

// A window ready to be drawn; or none, when its one-line error went to err, with the status.
struct BuiltWindow {
    std::shared_ptr<void> data; // what the window shows, kept while it lives
    std::unique_ptr<QWidget> window;
    int status = 0;
};

// A window the bar opens, as --screenshot --window draws it.
struct ScreenshotWindow {
    WindowWord word;
    std::function<BuiltWindow(const WindowSources&)> build;
};

// Every window --window draws, registered here and nowhere else.
std::vector<ScreenshotWindow> screenshotWindows();

// The words --window takes.
std::vector<WindowWord> windowWords(const std::vector<ScreenshotWindow>& windows);

} // namespace veskor
