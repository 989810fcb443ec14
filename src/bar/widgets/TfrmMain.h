#pragma once
// The bar: a borderless strip at the top right of the screen with the date/time row, the
// optional memory row and the side panels, refreshed on every wall-clock second; its popup menu
// (also on the tray icon) runs the program's commands.

#include "bar/core/BarSettings.h"
#include "bar/core/PanelStack.h"
#include "common/DatePattern.h"
#include "namedays/core/SaintTable.h"
#include "platform/Clock.h"
#include "platform/MemoryInfo.h"
#include "platform/SettingsStore.h"
#include "platform/Taskbar.h"
#include "platform/WindowState.h"
#include "session/core/TopMost.h"

#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace veskor {

class SidePanel;
class StatusCell;
class TTrayIcon;
struct MemoryStatus;

// What the bar needs from the machine; tests pass fakes.
struct BarServices {
    IClock& clock;
    IMemoryInfo& memory;
    ISettingsStore& settings;
    IWindowState& windowState;
    ITaskbar& taskbar;
    LocaleFormat locale;
    std::filesystem::path dataDir;
    // Shows an error message to the user (a message box in the program).
    std::function<void(const QString&)> report;
};

class TfrmMain final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 278;
    static constexpr int kRowHeight = 21;
    static constexpr const char* kCaption = "Veskor Pro 4.5";

    explicit TfrmMain(BarServices services, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Cells and strips, named as the rest of the program knows them.
    QWidget* DTPanel = nullptr;
    StatusCell* DatePanel = nullptr;
    StatusCell* SaintPanel = nullptr;
    StatusCell* TimePanel = nullptr;
    QWidget* MemPanel = nullptr;
    StatusCell* PMPanel = nullptr;
    StatusCell* PFPanel = nullptr;
    StatusCell* MLPanel = nullptr;
    // Side panels, created when first opened.
    SidePanel* CalPanel = nullptr;
    SidePanel* SIPanel = nullptr;
    SidePanel* CalcPanel = nullptr;
    SidePanel* MSPanel = nullptr;

    QMenu* PopupMenu = nullptr;
    QAction* pmSOT = nullptr;
    QAction* pmMem = nullptr;
    QAction* pmTB = nullptr;
    QAction* pmCal = nullptr;
    QAction* pmSI = nullptr;
    QAction* pmMUS = nullptr;
    QAction* pmCalc = nullptr;
    QAction* pmAS = nullptr;
    QAction* pmVI = nullptr;
    QAction* pmESD = nullptr;
    QAction* pmAbout = nullptr;
    QAction* pmQuit = nullptr;
    QAction* N3 = nullptr;
    QAction* pmShutdown = nullptr;
    QAction* pmLogOff = nullptr;
    QAction* pmReboot = nullptr;

    QTimer Timer;
    TStrHolder shSaint;
    std::unique_ptr<TTopMost> TopMost;
    TTrayIcon* TrayIcon = nullptr;
    std::filesystem::path ProgramDir; // the data folder, with a trailing separator
    bool TaskbarShown = true;

    void LoadSettings();
    void SaveSettings();
    void TimerTimer();
    void LoadSaints(const std::filesystem::path& path);
    void SaveSaints(const std::filesystem::path& path);
    std::filesystem::path SaintFilePath() const { return ProgramDir / kSaintFileName; }

    // Menu commands.
    void PopupMenuPopup();
    void cmSOT();
    void cmMem();
    void cmTB();
    void cmCal();
    void cmSI();
    void cmCalc();
    void cmMS();
    void cmAlarm();
    void cmVR();
    void cmSD();
    void cmAbout();
    void cmExit();
    void cmExitWin();

    const TBarSettings& settings() const { return settings_; }
    const TPanelStack& strips() const { return stack_; }
    bool memoryRowShown() const { return stack_.IsVisible(Strip::Memory); }
    bool scopeActive() const { return scopeActive_; }
    // The widget of a strip, or nullptr for a side panel never opened.
    QWidget* stripWidget(Strip strip) const;

    // Asked at second 0 of every minute with the time of day of that minute.
    std::function<void(TDateTime minute)> alarmCheck;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormPaint();
    // Takes the window's position from the display server when Qt's differs.
    void SyncPosition();
    void FormMouseDown(Qt::MouseButton button, const QPoint& globalPos);
    void FormClose();
    void HideAppButton();
    void GiveIcons();
    void BuildPopupMenu();
    void FeedScope(const MemoryStatus& status);
    void ToggleStrip(Strip strip);
    SidePanel* EnsurePanel(Strip strip);
    void ApplyStrips();
    void ScheduleTick();
    void ReportOnce(const std::string& message);

    BarServices services_;
    TBarSettings settings_;
    TPanelStack stack_;
    bool scopeActive_ = false;
    bool statesApplied_ = false; // since the last map
    bool iconsGiven_ = false;
    std::string lastTickError_;

    // Dragging: the bar follows the mouse while the left button is down.
    bool dragging_ = false;
    QPoint dragOffset_;
};

} // namespace veskor
