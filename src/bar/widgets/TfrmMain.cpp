#include "bar/widgets/TfrmMain.h"

#include "bar/core/ScreenFit.h"
#include "bar/core/StatusTexts.h"
#include "common/DateUtils.h"
#include "common/Error.h"
#include "common/MemoryStatus.h"
#include "session/core/Taskbar.h"
#include "session/widgets/TrayIcon.h"
#include "ui/AppIcon.h"
#include "ui/BannerMenu.h"
#include "ui/Messages.h"
#include "ui/SidePanel.h"
#include "ui/StatusCell.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace veskor {

namespace {

QColor Rgb(int r, int g, int b) {
    return QColor(r, g, b);
}
const QColor kBlack = Rgb(0, 0, 0);
const QColor kLime = Rgb(0, 255, 0);
const QColor kNavy = Rgb(0, 0, 128);
const QColor kAqua = Rgb(0, 255, 255);
const QColor kYellow = Rgb(255, 255, 0);
const QColor kPurple = Rgb(128, 0, 128);
const QColor kWhite = Rgb(255, 255, 255);
const QColor kTeal = Rgb(0, 128, 128);
const QColor kMaroon = Rgb(128, 0, 0);


QString Q(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont BarFont(bool bold) {
    QFont font;
    // Tahoma where installed; otherwise the closest metric-compatible faces of the system.
    font.setFamilies({"Tahoma", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

// A row of three cells; the last takes the rest of the width.
QWidget* MakeRow(QWidget* parent, int top, StatusCell* cells[3], const int widths[2]) {
    auto* row = new QWidget(parent);
    row->setGeometry(0, top, TfrmMain::kWidth, TfrmMain::kRowHeight);
    int left = 0;
    for (int i = 0; i < 3; ++i) {
        const int width = i < 2 ? widths[i] : TfrmMain::kWidth - left;
        cells[i]->setParent(row);
        cells[i]->setGeometry(left, 0, width, TfrmMain::kRowHeight);
        cells[i]->setFont(BarFont(true));
        left += width;
    }
    return row;
}

} // namespace

TfrmMain::TfrmMain(BarServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), services_(std::move(services)) {
    // Hints show although the bar is rarely the active window.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    DatePanel = new StatusCell(kBlack, kLime, " Date ", this);
    SaintPanel = new StatusCell(kNavy, kAqua, " Saint ", this);
    TimePanel = new StatusCell(kBlack, kYellow, " Time ", this);
    PMPanel = new StatusCell(kPurple, kWhite, "Free Physical Memory", this);
    PFPanel = new StatusCell(kTeal, kAqua, "Free Page File", this);
    MLPanel = new StatusCell(kMaroon, kYellow, " Free memory ", this);
    StatusCell* dateRow[3] = {DatePanel, SaintPanel, TimePanel};
    StatusCell* memRow[3] = {PMPanel, PFPanel, MLPanel};
    const int dateWidths[2] = {96, 111};
    const int memWidths[2] = {115, 115};
    DTPanel = MakeRow(this, 0, dateRow, dateWidths);
    MemPanel = MakeRow(this, kRowHeight, memRow, memWidths);
    MemPanel->hide();
    setFont(BarFont(false));
    connect(DatePanel, &StatusCell::doubleClicked, this, &TfrmMain::cmCal);
    connect(SaintPanel, &StatusCell::doubleClicked, this, &TfrmMain::cmSD);
    connect(TimePanel, &StatusCell::doubleClicked, this, &TfrmMain::cmAlarm);
    for (StatusCell* cell : memRow) {
        connect(cell, &StatusCell::doubleClicked, this, &TfrmMain::cmSI);
    }
    BuildPopupMenu();

    Timer.setSingleShot(true);
    Timer.setTimerType(Qt::PreciseTimer);
    connect(&Timer, &QTimer::timeout, this, &TfrmMain::TimerTimer);

    FormCreate();
    ScheduleTick();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::FormCreate() {
    // The window exists from here on; it is topmost until the settings say otherwise.
    TopMost = std::make_unique<TTopMost>(services_.windowState, [this] { return winId(); });
    ProgramDir = services_.dataDir / "";
    setWindowTitle(kCaption);
    // The tray icon registers once it has its icon, which comes right after the bar's first
    // map (GiveIcons): the bar itself is on the screen sooner.
    TrayIcon = new TTrayIcon(this);
    TrayIcon->SetPopupMenu(PopupMenu);
    TrayIcon->SetHint(windowTitle());

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    settings_.Top = 0;
    settings_.Left = screen.width() - kWidth;
    LoadSettings();
    move(*settings_.Left, settings_.Top);
    TopMost->SetTopMost(settings_.StayOnTop);
    if (settings_.Memory) {
        stack_.Show(Strip::Memory);
    }
    ApplyStrips();
    // The scope runs from its stored check box; its window comes with the scope itself.
    scopeActive_ = settings_.MemoryScan;
    TaskbarShown = true;

    // The window manager reads this state when the window is first mapped.
    HideAppButton();
    windowHandle()->installEventFilter(this);

    LoadSaints(SaintFilePath());
}

void TfrmMain::LoadSettings() {
    const SettingsReadResult result = ReadBarSettings(services_.settings, settings_);
    if (!result.errors.empty()) {
        QStringList lines;
        for (const std::string& e : result.errors) {
            lines << Q(e);
        }
        services_.report(lines.join('\n'));
    }
}

void TfrmMain::SaveSettings() {
    settings_.Top = y();
    settings_.Left = x();
    settings_.StayOnTop = TopMost->TopMost();
    settings_.Memory = memoryRowShown();
    // A folder that cannot be written is not worth a message on every drag: the bar runs on
    // with what it has and tries again at the next change.
    WriteBarSettings(services_.settings, settings_);
}

void TfrmMain::LoadSaints(const std::filesystem::path& path) {
    try {
        veskor::LoadSaints(shSaint.Strings, path);
    } catch (const Error& e) {
        services_.report(QString::fromStdString(e.what()));
    }
}

void TfrmMain::SaveSaints(const std::filesystem::path& path) {
    veskor::SaveSaints(shSaint.Strings, path);
}

void TfrmMain::ScheduleTick() {
    Timer.start(MsUntilNextTick(DecodeTime(services_.clock.Now()).msec));
}

void TfrmMain::ReportOnce(const std::string& message) {
    if (message != lastTickError_) {
        lastTickError_ = message;
        if (!message.empty()) {
            services_.report(Q(message));
        }
    }
}

void TfrmMain::TimerTimer() {
    // Scheduled first: an alarm window shown from this tick must not stop the clock.
    ScheduleTick();
    const TDateTime now = services_.clock.Now();
    const ClockTime time = DecodeTime(now);
    if (time.second == 0 && alarmCheck) {
        alarmCheck(EncodeTime(time.hour, time.minute, 0, 0));
    }

    const DateRowTexts row = ComputeDateRow(now, shSaint.Strings, services_.locale);
    DatePanel->setCaption(Q(row.date));
    DatePanel->setHint(Q(row.dateHint));
    TimePanel->setCaption(Q(row.time));
    SaintPanel->setCaption(Q(row.saint));
    SaintPanel->setHint(Q(row.saintHint));
    // A name-day table too short for today is reported once, not every second.
    ReportOnce(row.error);

    if (memoryRowShown() || scopeActive_) {
        const MemoryStatus status = ParseMemInfo(services_.memory.ReadMemInfo());
        const MemRowTexts mem = ComputeMemRow(status, services_.locale);
        MLPanel->setCaption(Q(mem.ml));
        PMPanel->setCaption(Q(mem.pm));
        PMPanel->setHint(Q(mem.pmHint));
        PFPanel->setCaption(Q(mem.pf));
        PFPanel->setHint(Q(mem.pfHint));
        FeedScope(status);
    }
}

void TfrmMain::FeedScope(const MemoryStatus& /*status*/) {
    // The memory usage scope takes its figures from here once it exists.
}

void TfrmMain::GiveIcons() {
    const QIcon icon = MakeAppIcon();
    setWindowIcon(icon);
    TrayIcon->SetIcon(icon);
}

void TfrmMain::HideAppButton() {
    services_.windowState.HideFromTaskbar(winId());
}

void TfrmMain::FormPaint() {
    const QScreen* screen = this->screen();
    // While the bar is dragged it follows the mouse; it is pulled back, if need be, at the first
    // paint after the drag.
    if (screen == nullptr || dragging_) {
        return;
    }
    const QRect area = screen->geometry();
    const auto outside = [&] {
        const WindowRect now{x() - area.x(), y() - area.y(), width(), height()};
        const WindowRect fitted = PullOntoScreen(now, area.width(), area.height());
        return fitted == now ? std::optional<WindowRect>() : fitted;
    };
    if (!outside()) {
        return;
    }
    // Qt's idea of the position can be wrong after a window-manager move: the display server's
    // decides before the bar is moved.
    SyncPosition();
    if (const auto fitted = outside()) {
        move(fitted->left + area.x(), fitted->top + area.y());
    }
}

void TfrmMain::SyncPosition() {
    const auto actual = services_.windowState.ScreenPosition(winId());
    if (actual && QPoint(actual->first, actual->second) != pos()) {
        // Moving to where the window already is brings Qt's geometry in line, without a jump.
        move(actual->first, actual->second);
    }
}

void TfrmMain::paintEvent(QPaintEvent* /*event*/) {
    FormPaint();
}

void TfrmMain::FormMouseDown(Qt::MouseButton button, const QPoint& globalPos) {
    if (button != Qt::LeftButton) {
        return;
    }
    // The bar follows the mouse itself rather than through the window manager's move: the
    // position it then saves is exactly where it was left, however busy the machine is (a
    // window-manager move can leave the window and the toolkit's idea of it out of step).
    // The release saves the position, also after a press that did not move the bar.
    dragging_ = true;
    dragOffset_ = globalPos - pos();
}

void TfrmMain::mousePressEvent(QMouseEvent* event) {
    FormMouseDown(event->button(), event->globalPosition().toPoint());
}

void TfrmMain::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
    }
}

void TfrmMain::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        SaveSettings();
    }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    // The window manager forgets the states when the window is unmapped; apply them after every
    // map.
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed() && !statesApplied_) {
        statesApplied_ = true;
        HideAppButton();
        TopMost->Apply();
        if (!iconsGiven_) {
            iconsGiven_ = true;
            QTimer::singleShot(0, this, &TfrmMain::GiveIcons);
        }
    } else if (watched == windowHandle() && event->type() == QEvent::Hide) {
        statesApplied_ = false;
    }
    return QWidget::eventFilter(watched, event);
}

// --- popup menu and commands ---------------------------------------------------------------------

void TfrmMain::BuildPopupMenu() {
    PopupMenu = new BannerMenu("Orvane Veskor Pro", this);
    const auto item = [this](const char* caption, void (TfrmMain::*handler)(), bool checkable) {
        QAction* action = PopupMenu->addAction(QString::fromLatin1(caption));
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };
    pmSOT = item("Always On Top", &TfrmMain::cmSOT, true);
    pmMem = item("Memory Status", &TfrmMain::cmMem, true);
    pmTB = item("Windows Taskbar", &TfrmMain::cmTB, true);
    PopupMenu->addSeparator();
    pmCal = item("Calendar", &TfrmMain::cmCal, true);
    pmSI = item("System Information", &TfrmMain::cmSI, true);
    pmMUS = item("Memory Usage Scope", &TfrmMain::cmMS, true);
    pmCalc = item("Calculator", &TfrmMain::cmCalc, true);
    pmAS = item("Alarm Settings...", &TfrmMain::cmAlarm, false);
    pmVI = item("Version Info on File...", &TfrmMain::cmVR, false);
    pmESD = item("Edit Sain's Days...", &TfrmMain::cmSD, false);
    PopupMenu->addSeparator();
    pmAbout = item("About...", &TfrmMain::cmAbout, false);
    pmQuit = item("Quit", &TfrmMain::cmExit, false);
    // The exit items are hidden only on the platform that ran its own session end; here they
    // always show.
    N3 = PopupMenu->addSeparator();
    pmShutdown = item("Shutdown", &TfrmMain::cmExitWin, false);
    pmLogOff = item("Log Off", &TfrmMain::cmExitWin, false);
    pmReboot = item("Reboot", &TfrmMain::cmExitWin, false);
    connect(PopupMenu, &QMenu::aboutToShow, this, &TfrmMain::PopupMenuPopup);
}

void TfrmMain::PopupMenuPopup() {
    pmSOT->setChecked(TopMost->TopMost());
    pmMem->setChecked(memoryRowShown());
    pmTB->setChecked(TaskbarShown);
    pmCal->setChecked(stack_.IsVisible(Strip::Calendar));
    pmSI->setChecked(stack_.IsVisible(Strip::SystemInfo));
    pmMUS->setChecked(stack_.IsVisible(Strip::Scope));
    pmCalc->setChecked(stack_.IsVisible(Strip::Calculator));
}

void TfrmMain::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu->popup(event->globalPos());
}

void TfrmMain::cmSOT() {
    TopMost->SetTopMost(!TopMost->TopMost());
    SaveSettings();
}

void TfrmMain::cmMem() {
    ToggleStrip(Strip::Memory);
    SaveSettings();
}

void TfrmMain::cmTB() {
    TaskbarShown = !TaskbarShown;
    SetTaskbarVisible(services_.taskbar, TaskbarShown);
}

void TfrmMain::cmCal() {
    ToggleStrip(Strip::Calendar);
}

void TfrmMain::cmSI() {
    ToggleStrip(Strip::SystemInfo);
}

void TfrmMain::cmCalc() {
    ToggleStrip(Strip::Calculator);
}

void TfrmMain::cmMS() {
    ToggleStrip(Strip::Scope);
}

// The alarm settings, the file information and the name-day editor windows arrive with their
// own subsystems; until then these commands have nothing to open.
void TfrmMain::cmAlarm() {}
void TfrmMain::cmVR() {}
void TfrmMain::cmSD() {}
// Ending the session arrives with the session subsystem.
void TfrmMain::cmExitWin() {}

void TfrmMain::cmAbout() {
    ShowAboutBox(
        this, windowIcon(), kCaption,
        QStringLiteral("Copyright \u00a9 Orvane. Date, name-days, time and memory at a glance."));
}

void TfrmMain::cmExit() {
    close();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

void TfrmMain::FormClose() {
    // The desktop's panel is never left hidden after the bar ends.
    SetTaskbarVisible(services_.taskbar, true);
}

// --- strips
// ---------------------------------------------------------------------------------------

QWidget* TfrmMain::stripWidget(Strip strip) const {
    switch (strip) {
    case Strip::DateTime:
        return DTPanel;
    case Strip::Memory:
        return MemPanel;
    case Strip::Calendar:
        return CalPanel;
    case Strip::SystemInfo:
        return SIPanel;
    case Strip::Calculator:
        return CalcPanel;
    case Strip::Scope:
        return MSPanel;
    }
    return nullptr;
}

SidePanel* TfrmMain::EnsurePanel(Strip strip) {
    struct Made {
        SidePanel* TfrmMain::*field;
        const char* title;
        void (TfrmMain::*command)();
    };
    Made made{};
    switch (strip) {
    case Strip::Calendar:
        made = {&TfrmMain::CalPanel, "Calendar", &TfrmMain::cmCal};
        break;
    case Strip::SystemInfo:
        made = {&TfrmMain::SIPanel, "System information", &TfrmMain::cmSI};
        break;
    case Strip::Calculator:
        made = {&TfrmMain::CalcPanel, "Calculator", &TfrmMain::cmCalc};
        break;
    case Strip::Scope:
        made = {&TfrmMain::MSPanel, "Memory usage scope", &TfrmMain::cmMS};
        break;
    default:
        return nullptr;
    }
    SidePanel*& panel = this->*made.field;
    if (panel == nullptr) {
        panel = new SidePanel(QString::fromLatin1(made.title), stack_.Height(strip), this);
        const auto command = made.command;
        connect(panel, &SidePanel::closeClicked, this, [this, command] { (this->*command)(); });
    }
    return panel;
}

void TfrmMain::ToggleStrip(Strip strip) {
    if (!stack_.IsVisible(strip)) {
        EnsurePanel(strip);
    }
    stack_.Toggle(strip);
    ApplyStrips();
}

void TfrmMain::ApplyStrips() {
    for (int i = 0; i < kStripCount; ++i) {
        const auto strip = static_cast<Strip>(i);
        QWidget* widget = stripWidget(strip);
        if (widget == nullptr) {
            continue;
        }
        if (stack_.IsVisible(strip)) {
            widget->setGeometry(0, stack_.Top(strip), kWidth, stack_.Height(strip));
            widget->show();
        } else {
            widget->hide();
        }
    }
    setFixedSize(kWidth, stack_.WindowHeight());
}

} // namespace veskor
