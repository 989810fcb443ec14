#pragma once
// The bar: a borderless strip at the top right of the screen with the date/time row, the
// optional memory row and the side panels the features register, refreshed on every wall-clock
// second; its popup menu (also on the tray icon) holds the bar's own items and the entries the
// features add. The features see the bar through its link only.

#include "bar/core/BarSettings.h"
#include "bar/core/StayOnTop.h"
#include "bar/core/StripStack.h"
#include "common/DatePattern.h"
#include "common/MemoryStatus.h"
#include "namedays/core/SaintTable.h"
#include "platform/Clock.h"
#include "platform/FileStore.h"
#include "platform/MemoryInfo.h"
#include "platform/SettingsStore.h"
#include "platform/Taskbar.h"
#include "platform/WindowState.h"
#include "ui/BarLink.h"
#include "ui/Feature.h"
#include "ui/SidePanelDescription.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMenu;

namespace veskor {

class BarMenu;
class DragMover;
class SidePanel;
class StatusCell;
class TrayIcon;

// What the bar needs from the machine; tests pass fakes.
struct BarServices {
    IClock& clock;
    IMemoryInfo& memory;
    ISettingsStore& settings;
    IWindowState& windowState;
    ITaskbar& taskbar;
    IFileStore& files;
    LocaleFormat locale;
    std::filesystem::path dataDir;
    // Shows an error message to the user (a message box in the program).
    std::function<void(const QString&)> report;
};

class BarWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 278;
    static constexpr int kRowHeight = 21;

    // The side panels in the order of their menu items; featureKeys: the values the features
    // keep in the settings key, read at start with the bar's own.
    BarWindow(BarServices services, std::vector<SidePanelDescription> sidePanels,
              std::vector<SettingKey> featureKeys = {}, QWidget* parent = nullptr);
    ~BarWindow() override;

    [[nodiscard]] QMenu* menu() const;
    [[nodiscard]] StatusCell* cell(BarCell cell) const;
    [[nodiscard]] QWidget* memoryRow() const { return m_memoryRow; }
    [[nodiscard]] bool isMemoryRowShown() const;
    [[nodiscard]] bool isDesktopPanelShown() const { return m_desktopPanelShown; }
    [[nodiscard]] bool isStayOnTop() const { return m_stayOnTop->isStayOnTop(); }
    [[nodiscard]] const BarSettings& settings() const { return m_settings; }
    // The features' values as read at start.
    [[nodiscard]] const SettingValues& featureSettings() const { return m_featureSettings; }
    [[nodiscard]] const SaintTable& saints() const { return m_saints; }
    // The table the name-day editor changes; the next tick shows the change.
    [[nodiscard]] SaintTable& saints() { return m_saints; }
    [[nodiscard]] std::filesystem::path saintFilePath() const;
    // The next tick is scheduled.
    [[nodiscard]] bool isClockRunning() const { return m_timer.isActive(); }

    [[nodiscard]] bool isSidePanelShown(const QString& word) const;
    // The panel's widget, or nullptr before it was first opened (or for an unknown word).
    [[nodiscard]] SidePanel* sidePanel(const QString& word) const;

    // Whether the tick reads the memory status while the memory row is hidden (the scope runs).
    void setMemoryFeedWanted(bool wanted) { m_memoryFeedWanted = wanted; }
    // What the features get of the bar; lives as long as the bar.
    [[nodiscard]] BarLink& link() const { return *m_link; }
    // Puts the entries in the menu, each at its place.
    void addMenuEntries(std::vector<MenuEntry> entries);

public slots:
    // One second of the clock: the row texts, the memory figures, then ticked().
    void tick();
    void toggleStayOnTop();
    void toggleMemoryRow();
    void toggleDesktopPanel();
    void toggleSidePanel(const QString& word);
    void showAbout();
    void quit();

signals:
    // After every tick: the moment it showed and the memory status it read (none when neither
    // the memory row nor a feed wanted it).
    void ticked(veskor::DateTime now, const std::optional<veskor::MemoryStatus>& memory);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RegisteredPanel {
        SidePanelDescription description;
        StripStack::Strip strip = 0;
        SidePanel* widget = nullptr; // built when first opened
    };

    void buildRows();
    void buildMenu();
    void start();
    void loadSettings();
    void saveSettings();
    void loadSaints();
    void scheduleTick();
    void showMoment(DateTime now);
    void reportOnce(const std::string& message);
    void reportAtStart(const QString& message);
    void pullOntoScreen();
    void syncPosition();
    void applyWindowStates();
    void giveIcons();
    void toggleStrip(StripStack::Strip strip);
    void applyStrips();
    [[nodiscard]] const RegisteredPanel* findPanel(const QString& word) const;

    BarServices m_services;
    BarLink* m_link = nullptr;
    BarSettings m_settings;
    std::vector<SettingKey> m_featureKeys;
    SettingValues m_featureSettings;
    StripStack m_strips{kRowHeight};
    StripStack::Strip m_memoryStrip;
    std::vector<RegisteredPanel> m_panels;
    SaintTable m_saints;
    std::unique_ptr<StayOnTop> m_stayOnTop;
    QTimer m_timer;
    bool m_desktopPanelShown = true;
    bool m_memoryFeedWanted = false;
    std::string m_lastTickError;
    QStringList m_startReports;

    QWidget* m_dateTimeRow = nullptr;
    QWidget* m_memoryRow = nullptr;
    std::array<StatusCell*, 6> m_cells{}; // by BarCell
    TrayIcon* m_trayIcon = nullptr;

    BarMenu* m_menu = nullptr;

    bool m_statesApplied = false; // since the last map
    bool m_iconsGiven = false;
    DragMover* m_drag = nullptr;
};

} // namespace veskor
