#include "scope/widgets/ScopePanel.h"

#include "common/DatePattern.h"
#include "scope/widgets/MemoryScope.h"
#include "scope/widgets/ScopeView.h"
#include "ui/BarLink.h"
#include "ui/SidePanel.h"
#include "ui/Style.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <limits>

namespace veskor {

namespace {

constexpr int kLeft = 11;
constexpr int kScopeTop = 26;
constexpr int kKeyWidth = 56;
constexpr int kRowHeight = 17;
constexpr int kIntervalStep = 1000; // ms per click

QLabel* addColorKey(const QString& caption, const QString& hint, const QColor& color, int top,
                    QWidget& panel) {
    auto* key = new QLabel(caption, &panel);
    key->setAlignment(Qt::AlignCenter);
    key->setToolTip(hint);
    key->setAutoFillBackground(true);
    QPalette palette = key->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::WindowText, style::kBlack);
    key->setPalette(palette);
    key->setGeometry(kLeft, top + 1, kKeyWidth, kRowHeight - 2);
    return key;
}

QCheckBox* addTraceBox(const QString& name, bool checked, int top, QWidget& panel) {
    auto* box = new QCheckBox(&panel);
    box->setObjectName(name);
    box->setChecked(checked);
    box->setFocusPolicy(Qt::NoFocus);
    const int left = kLeft + kKeyWidth + 6;
    box->setGeometry(left, top, SidePanel::kWidth - left - kLeft, kRowHeight);
    return box;
}

// The panel's controls, bound to the bar's scope. Setting them up from the scope's options runs
// none of the handlers, so opening the panel saves nothing.
void buildScopeContent(MemoryScope& scope, SidePanel& panel) {
    panel.setFont(style::uiFont(style::kBarFontSize, false));
    const ScopeSettings& settings = scope.settings();

    auto* active = new QCheckBox(&panel);
    active->setObjectName("activeBox");
    active->setToolTip(QCoreApplication::translate("ScopePanel", "Start/Stop"));
    active->setChecked(settings.active);
    active->setFocusPolicy(Qt::NoFocus);
    active->setGeometry(180, 3, 16, kRowHeight);

    auto* interval = new QSpinBox(&panel);
    interval->setObjectName("intervalBox");
    interval->setToolTip(QCoreApplication::translate("ScopePanel", "Interval [ms]"));
    interval->setAlignment(Qt::AlignRight);
    interval->setRange(kMinIntervalMs, std::numeric_limits<int>::max());
    interval->setSingleStep(kIntervalStep);
    interval->setValue(settings.intervalMs);
    interval->setGeometry(198, 2, 74, 19);

    auto* box = new QFrame(&panel);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setLineWidth(1);
    const QSize viewSize = MemoryScope::kViewSize;
    box->setGeometry(kLeft, kScopeTop, viewSize.width() + 2, viewSize.height() + 2);
    ScopeView* view = scope.view();
    view->setParent(box);
    view->move(1, 1);
    view->show();

    const int firstRow = kScopeTop + viewSize.height() + 8;
    const int secondRow = firstRow + kRowHeight + 5;
    addColorKey(QCoreApplication::translate("ScopePanel", "Physical"),
                QCoreApplication::translate("ScopePanel", "Physical memory"), style::kLime,
                firstRow, panel);
    addColorKey(QCoreApplication::translate("ScopePanel", "Page file", "the colour key, 56 pixels"),
                QCoreApplication::translate("ScopePanel", "Page file"), style::kAqua, secondRow,
                panel);
    auto* physical = addTraceBox("physicalBox", settings.physical, firstRow, panel);
    auto* swap = addTraceBox("swapBox", settings.swap, secondRow, panel);
    const auto showCaptions = [&scope, physical, swap] {
        physical->setText(scope.physicalCaption());
        swap->setText(scope.swapCaption());
    };
    showCaptions();

    QObject::connect(&scope, &MemoryScope::captionsChanged, &panel, showCaptions);
    QObject::connect(active, &QCheckBox::clicked, &scope, &MemoryScope::setActive);
    QObject::connect(interval, &QSpinBox::valueChanged, &scope, &MemoryScope::setIntervalMs);
    QObject::connect(physical, &QCheckBox::clicked, &scope, &MemoryScope::setPhysicalTrace);
    QObject::connect(swap, &QCheckBox::clicked, &scope, &MemoryScope::setSwapTrace);
}

} // namespace

SidePanelDescription scopeSidePanel(std::function<MemoryScope&()> scope) {
    SidePanelDescription panel;
    panel.word = "scope";
    panel.menuText = QCoreApplication::translate("ScopePanel", "Memory Usage Scope");
    panel.title = QCoreApplication::translate("ScopePanel", "Memory usage scope");
    panel.height = 191;
    panel.firstTop = 354;
    if (scope) {
        panel.buildContent = [scope = std::move(scope)](SidePanel& frame) {
            buildScopeContent(scope(), frame);
        };
    }
    return panel;
}

MemoryScope& connectScope(BarLink& bar, ISettingsStore* settings) {
    MemoryScope::Save save;
    if (settings != nullptr) {
        // A folder that cannot be written costs the user no message: the next change tries
        // again, as the bar's own saves do.
        save = [settings](const ScopeSettings& s) { writeScopeSettings(*settings, s); };
    }
    auto* scope =
        new MemoryScope(scopeSettingsOf(bar.settings()), LocaleFormat::system().thousandsSeparator,
                        save, bar.windowParent());
    QObject::connect(&bar, &BarLink::ticked, scope,
                     [scope](DateTime /*now*/, const std::optional<MemoryStatus>& memory) {
                         scope->feed(memory);
                     });
    QObject::connect(scope, &MemoryScope::activeChanged, &bar,
                     [&bar](bool active) { bar.setMemoryFeedWanted(active); });
    bar.setMemoryFeedWanted(scope->settings().active);
    return *scope;
}

} // namespace veskor
