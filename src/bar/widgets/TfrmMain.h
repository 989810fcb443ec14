#pragma once
// The bar: a borderless strip at the top right of the screen with the date/time row and the
// optional memory row, refreshed on every wall-clock second.

#include "bar/core/BarSettings.h"
#include "common/DatePattern.h"
#include "namedays/core/SaintTable.h"
#include "platform/Clock.h"
#include "platform/MemoryInfo.h"
#include "platform/SettingsStore.h"
#include "platform/WindowState.h"

#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>

namespace veskor {

class StatusCell;
struct MemoryStatus;

// What the bar needs from the machine; tests pass fakes.
struct BarServices {
    IClock& clock;
    IMemoryInfo& memory;
    ISettingsStore& settings;
    IWindowState& windowState;
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

    // Cells and rows, named as the rest of the program knows them.
    QWidget* DTPanel = nullptr;
    StatusCell* DatePanel = nullptr;
    StatusCell* SaintPanel = nullptr;
    StatusCell* TimePanel = nullptr;
    QWidget* MemPanel = nullptr;
    StatusCell* PMPanel = nullptr;
    StatusCell* PFPanel = nullptr;
    StatusCell* MLPanel = nullptr;

    QTimer Timer;
    TStrHolder shSaint;
    std::filesystem::path ProgramDir; // the data folder, with a trailing separator
    bool TaskbarShown = true;

    void LoadSettings();
    void SaveSettings();
    void TimerTimer();
    void LoadSaints(const std::filesystem::path& path);
    void SaveSaints(const std::filesystem::path& path);
    std::filesystem::path SaintFilePath() const { return ProgramDir / kSaintFileName; }

    const TBarSettings& settings() const { return settings_; }
    bool memoryRowShown() const { return !MemPanel->isHidden(); }
    bool scopeActive() const { return scopeActive_; }

    // Asked at second 0 of every minute with the time of day of that minute.
    std::function<void(TDateTime minute)> alarmCheck;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormPaint();
    void FormMouseDown(Qt::MouseButton button, const QPoint& globalPos);
    void HideAppButton();
    void ApplyStayOnTop();
    void FeedScope(const MemoryStatus& status);
    void UpdateHeight();
    void ScheduleTick();
    void ReportOnce(const std::string& message);

    BarServices services_;
    TBarSettings settings_;
    bool scopeActive_ = false;
    bool statesApplied_ = false; // since the last map
    std::string lastTickError_;

    // Dragging: through the window manager when it can, else by hand.
    bool dragging_ = false;
    bool dragMoved_ = false;
    bool manualDrag_ = false;
    QPoint dragOffset_;
    QTimer dragEnd_;
};

} // namespace veskor
