#include "bar/widgets/BarWindow.h"

#include "bar/core/ScreenFit.h"
#include "bar/core/StatusTexts.h"
#include "bar/widgets/BarMenu.h"
#include "bar/widgets/BarWindowLink.h"
#include "bar/widgets/CellRow.h"
#include "bar/widgets/DragMover.h"
#include "bar/widgets/TrayIcon.h"
#include "common/DateUtils.h"
#include "common/Error.h"
#include "common/Version.h"
#include "namedays/core/SaintFile.h"
#include "ui/AppIcon.h"
#include "ui/Messages.h"
#include "ui/SidePanel.h"
#include "ui/StatusCell.h"
#include "ui/Style.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QScreen>
#include <QWindow>

namespace veskor {

namespace {

using namespace style;

QString fromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::size_t indexOf(BarCell cell) {
    return static_cast<std::size_t>(cell);
}

} // namespace

BarWindow::BarWindow(BarServices services, std::vector<SidePanelDescription> sidePanels,
                     std::vector<SettingKey> featureKeys, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_services(std::move(services)),
      m_link(new BarWindowLink(*this, m_services)), m_featureKeys(std::move(featureKeys)),
      m_memoryStrip(m_strips.add(kRowHeight, kRowHeight)) {
    for (SidePanelDescription& description : sidePanels) {
        const StripStack::Strip strip = m_strips.add(description.height, description.firstTop);
        m_panels.push_back({std::move(description), strip});
    }
    m_drag = new DragMover(*this, [this] { saveSettings(); });
    // Hints show although the bar is rarely the active window.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFont(uiFont(kBarFontSize, false));
    buildRows();
    buildMenu();

    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &BarWindow::tick);

    start();
    scheduleTick();
}

BarWindow::~BarWindow() = default;

void BarWindow::buildRows() {
    const auto make = [this](BarCell cell, QColor background, QColor text, const char* hint) {
        auto* made = new StatusCell(background, text, tr(hint), this);
        m_cells[indexOf(cell)] = made;
        return made;
    };
    m_dateTimeRow = new CellRow(this, {0, 0, kWidth, kRowHeight},
                                {make(BarCell::Date, kBlack, kLime, QT_TR_NOOP(" Date ")),
                                 make(BarCell::Saint, kNavy, kAqua, QT_TR_NOOP(" Saint ")),
                                 make(BarCell::Time, kBlack, kYellow, QT_TR_NOOP(" Time "))},
                                {96, 111});
    m_memoryRow = new CellRow(
        this, {0, kRowHeight, kWidth, kRowHeight},
        {make(BarCell::FreePhysical, kPurple, kWhite, QT_TR_NOOP("Free Physical Memory")),
         make(BarCell::FreeSwap, kTeal, kAqua, QT_TR_NOOP("Free Page File")),
         make(BarCell::FreeShare, kMaroon, kYellow, QT_TR_NOOP(" Free memory "))},
        {115, 115});
    m_memoryRow->hide();

    for (const RegisteredPanel& panel : m_panels) {
        for (const BarCell c : panel.description.toggledByDoubleClickOn) {
            const QString word = panel.description.word;
            connect(cell(c), &StatusCell::doubleClicked, this,
                    [this, word] { toggleSidePanel(word); });
        }
    }
}

QMenu* BarWindow::menu() const {
    return m_menu;
}

StatusCell* BarWindow::cell(BarCell cell) const {
    return m_cells[indexOf(cell)];
}

void BarWindow::start() {
    setWindowTitle(kProductCaption);
    // The window exists from here on; it stays on top until the settings say otherwise.
    m_stayOnTop = std::make_unique<StayOnTop>(m_services.windowState, [this] { return winId(); });
    // The tray icon registers once it has its icon, which comes right after the bar's first
    // map (giveIcons): the bar itself is on the screen sooner.
    m_trayIcon = new TrayIcon(this);
    m_trayIcon->setPopupMenu(m_menu);
    m_trayIcon->setHint(windowTitle());

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    m_settings.top = 0;
    m_settings.left = screen.width() - kWidth;
    loadSettings();
    move(*m_settings.left, m_settings.top);
    m_stayOnTop->setStayOnTop(m_settings.stayOnTop);
    if (m_settings.memoryRow) {
        m_strips.show(m_memoryStrip);
    }
    applyStrips();

    // The window manager reads this state when the window is first mapped.
    m_services.windowState.hideFromTaskbar(winId());
    windowHandle()->installEventFilter(this);

    loadSaints();
}

void BarWindow::reportAtStart(const QString& message) {
    // Reported together once the event loop runs, so the box comes after the bar is on screen.
    if (m_startReports.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            const QStringList reports = std::exchange(m_startReports, {});
            for (const QString& report : reports) {
                m_services.report(report);
            }
        });
    }
    m_startReports << message;
}

void BarWindow::loadSettings() {
    const SettingsReadResult result =
        readBarSettings(m_services.settings, m_settings, m_featureKeys, &m_featureSettings);
    if (!result.errors.empty()) {
        QStringList lines;
        for (const std::string& e : result.errors) {
            lines << fromUtf8(e);
        }
        reportAtStart(lines.join('\n'));
    }
}

void BarWindow::saveSettings() {
    m_settings.top = y();
    m_settings.left = x();
    m_settings.stayOnTop = m_stayOnTop->isStayOnTop();
    m_settings.memoryRow = isMemoryRowShown();
    // A folder that cannot be written is not worth a message on every drag: the bar runs on
    // with what it has and tries again at the next change.
    writeBarSettings(m_services.settings, m_settings);
}

std::filesystem::path BarWindow::saintFilePath() const {
    return m_services.dataDir / kSaintFileName;
}

void BarWindow::loadSaints() {
    try {
        veskor::loadSaints(m_saints, m_services.files, saintFilePath());
    } catch (const Error& e) {
        reportAtStart(QString::fromStdString(e.what()));
    }
}

void BarWindow::scheduleTick() {
    int wait = 1000;
    try {
        wait = msUntilNextTick(decodeTime(m_services.clock.now()).msec);
    } catch (const std::exception&) {
        // The tick itself reports a clock that fails; a second later it is asked again.
    }
    m_timer.start(wait);
}

void BarWindow::reportOnce(const std::string& message) {
    if (message != m_lastTickError) {
        m_lastTickError = message;
        if (!message.empty()) {
            m_services.report(fromUtf8(message));
        }
    }
}

void BarWindow::tick() {
    // Scheduled first: a window shown from this tick must not stop the clock.
    scheduleTick();
    // Nothing may leave the event loop from here: a failure shows once and the clock goes on.
    try {
        showMoment(m_services.clock.now());
    } catch (const std::exception& e) {
        reportOnce(e.what());
    }
}

void BarWindow::showMoment(DateTime now) {
    const DateRowTexts row = computeDateRow(now, m_saints, m_services.locale);
    cell(BarCell::Date)->setCaption(fromUtf8(row.date));
    cell(BarCell::Date)->setHint(fromUtf8(row.dateHint));
    cell(BarCell::Time)->setCaption(fromUtf8(row.time));
    if (row.saint) {
        cell(BarCell::Saint)->setCaption(fromUtf8(*row.saint));
    }
    if (row.saintHint) {
        cell(BarCell::Saint)->setHint(fromUtf8(*row.saintHint));
    }
    // A name-day table too short for today is reported once, not every second.
    reportOnce(row.error);

    std::optional<MemoryStatus> memory;
    if (isMemoryRowShown() || m_memoryFeedWanted) {
        memory = parseMemInfo(m_services.memory.readMemInfo());
        const MemRowTexts texts = computeMemRow(*memory, m_services.locale);
        cell(BarCell::FreeShare)->setCaption(fromUtf8(texts.freeShare));
        cell(BarCell::FreePhysical)->setCaption(fromUtf8(texts.freePhysical));
        cell(BarCell::FreePhysical)->setHint(fromUtf8(texts.freePhysicalHint));
        cell(BarCell::FreeSwap)->setCaption(fromUtf8(texts.freeSwap));
        cell(BarCell::FreeSwap)->setHint(fromUtf8(texts.freeSwapHint));
    }
    emit ticked(now, memory);
}

void BarWindow::giveIcons() {
    const QIcon icon = makeAppIcon();
    setWindowIcon(icon);
    m_trayIcon->setIcon(icon);
}

void BarWindow::pullOntoScreen() {
    const QScreen* screen = this->screen();
    // While the bar is dragged it follows the mouse; it is pulled back, if need be, at the first
    // paint after the drag.
    if (screen == nullptr || m_drag->isDragging()) {
        return;
    }
    const QRect area = screen->geometry();
    const auto outside = [&] {
        const WindowRect now{x() - area.x(), y() - area.y(), width(), height()};
        const WindowRect fitted = veskor::pullOntoScreen(now, area.width(), area.height());
        return fitted == now ? std::optional<WindowRect>() : fitted;
    };
    if (!outside()) {
        return;
    }
    // Qt's idea of the position can be wrong after a window-manager move: the display server's
    // decides before the bar is moved.
    syncPosition();
    if (const auto fitted = outside()) {
        move(fitted->left + area.x(), fitted->top + area.y());
    }
}

void BarWindow::syncPosition() {
    const auto actual = m_services.windowState.screenPosition(winId());
    if (!actual) {
        return;
    }
    // Moving to where the window already is brings Qt's geometry in line, without a jump. The
    // widget and its native window each keep a position, and on a busy machine either can be
    // stale: a resize would send the native window's.
    const QPoint at(actual->first, actual->second);
    if (at != pos()) {
        move(at);
    }
    if (QWindow* window = windowHandle(); window != nullptr && window->position() != at) {
        window->setPosition(at);
    }
}

void BarWindow::paintEvent(QPaintEvent* /*event*/) {
    pullOntoScreen();
}

bool BarWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed() && !m_statesApplied) {
        applyWindowStates();
    } else if (watched == windowHandle() && event->type() == QEvent::Hide) {
        m_statesApplied = false;
    }
    return QWidget::eventFilter(watched, event);
}

void BarWindow::applyWindowStates() {
    // The window manager forgets the states when the window is unmapped; they are applied after
    // every map.
    m_statesApplied = true;
    m_services.windowState.hideFromTaskbar(winId());
    m_stayOnTop->apply();
    if (!m_iconsGiven) {
        m_iconsGiven = true;
        QTimer::singleShot(0, this, &BarWindow::giveIcons);
    }
}

// --- popup menu and commands ---------------------------------------------------------------------

void BarWindow::buildMenu() {
    m_menu = new BarMenu(this);
    m_menu->addCheck(
        tr("Always On Top"), [this] { toggleStayOnTop(); }, [this] { return isStayOnTop(); });
    m_menu->addCheck(
        tr("Memory Status"), [this] { toggleMemoryRow(); }, [this] { return isMemoryRowShown(); });
    m_menu->addCheck(
        tr("Windows Taskbar"), [this] { toggleDesktopPanel(); },
        [this] { return m_desktopPanelShown; });
    for (const RegisteredPanel& panel : m_panels) {
        const QString word = panel.description.word;
        m_menu->addCheck(
            panel.description.menuText, [this, word] { toggleSidePanel(word); },
            [this, word] { return isSidePanelShown(word); }, true);
    }
    m_menu->addCommand(tr("About..."), [this] { showAbout(); });
    m_menu->addCommand(tr("Quit"), [this] { quit(); });
}

void BarWindow::addMenuEntries(std::vector<MenuEntry> entries) {
    m_menu->addEntries(std::move(entries));
}

void BarWindow::contextMenuEvent(QContextMenuEvent* event) {
    m_menu->popup(event->globalPos());
}

void BarWindow::toggleStayOnTop() {
    m_stayOnTop->setStayOnTop(!m_stayOnTop->isStayOnTop());
    saveSettings();
}

void BarWindow::toggleMemoryRow() {
    toggleStrip(m_memoryStrip);
    saveSettings();
}

bool BarWindow::isMemoryRowShown() const {
    return m_strips.isVisible(m_memoryStrip);
}

void BarWindow::toggleDesktopPanel() {
    m_desktopPanelShown = !m_desktopPanelShown;
    m_services.taskbar.setVisible(m_desktopPanelShown);
}

void BarWindow::showAbout() {
    showAboutBox(this, windowIcon(), kProductCaption,
                 tr("Copyright \u00a9 Orvane. Date, name-days, time and memory at a glance."));
}

void BarWindow::quit() {
    close();
}

void BarWindow::closeEvent(QCloseEvent* event) {
    // The desktop panel is never left hidden after the bar ends.
    m_services.taskbar.setVisible(true);
    QWidget::closeEvent(event);
}

// --- side panels ---------------------------------------------------------------------------------

const BarWindow::RegisteredPanel* BarWindow::findPanel(const QString& word) const {
    const auto found = std::ranges::find(
        m_panels, word, [](const RegisteredPanel& p) { return p.description.word; });
    return found == m_panels.end() ? nullptr : &*found;
}

bool BarWindow::isSidePanelShown(const QString& word) const {
    const RegisteredPanel* panel = findPanel(word);
    return panel != nullptr && m_strips.isVisible(panel->strip);
}

SidePanel* BarWindow::sidePanel(const QString& word) const {
    const RegisteredPanel* panel = findPanel(word);
    return panel == nullptr ? nullptr : panel->widget;
}

void BarWindow::toggleSidePanel(const QString& word) {
    auto* panel = const_cast<RegisteredPanel*>(findPanel(word));
    if (panel == nullptr) {
        return;
    }
    if (panel->widget == nullptr) {
        panel->widget = new SidePanel(panel->description.title, panel->description.height, this);
        connect(panel->widget, &SidePanel::closeClicked, this,
                [this, word] { toggleSidePanel(word); });
        if (panel->description.buildContent) {
            panel->description.buildContent(*panel->widget);
        }
    }
    toggleStrip(panel->strip);
}

void BarWindow::toggleStrip(StripStack::Strip strip) {
    m_strips.toggle(strip);
    applyStrips();
}

void BarWindow::applyStrips() {
    const auto place = [this](QWidget* widget, StripStack::Strip strip) {
        if (widget == nullptr) {
            return;
        }
        if (m_strips.isVisible(strip)) {
            widget->setGeometry(0, m_strips.top(strip), kWidth, m_strips.height(strip));
            widget->show();
        } else {
            widget->hide();
        }
    };
    place(m_memoryRow, m_memoryStrip);
    for (const RegisteredPanel& panel : m_panels) {
        place(panel.widget, panel.strip);
    }
    // The new size goes out with the position the window has on the screen: Qt's own idea of
    // it can be stale on a busy machine, and the resize would then place the window there.
    if (windowHandle() != nullptr && windowHandle()->isVisible()) {
        syncPosition();
    }
    setFixedSize(kWidth, m_strips.windowHeight());
}

} // namespace veskor
