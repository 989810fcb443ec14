#include "sysinfo/widgets/SystemInfoPanel.h"

#include "common/Error.h"
#include "sysinfo/core/SystemTree.h"
#include "ui/Messages.h"
#include "ui/SidePanel.h"
#include "ui/Style.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QLocale>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>

namespace veskor {

namespace {

constexpr int kIndent = 19;     // pixels per level
constexpr int kItemHeight = 16; // pixels
constexpr int kMargin = 4;      // around the tree, inside the panel's content

// Rows of one fixed height, whatever the font asks for.
class FixedHeightDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight};
    }
};

// Restores the cursor however the filling ends.
class BusyCursor final {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

void addItems(QTreeWidgetItem* parent, const std::vector<SystemTreeNode>& nodes) {
    for (const SystemTreeNode& node : nodes) {
        const QString text = QString::fromStdString(node.text);
        auto* item = new QTreeWidgetItem(parent, {text});
        item->setToolTip(0, text); // the panel is narrow: long texts are read from the tip
        addItems(item, node.children);
    }
}

// The tree and the facts behind it. Owned by the panel; it watches the panel to fill the tree
// each time the panel opens.
class SystemInfoContent final : public QObject {
public:
    SystemInfoContent(const SystemInfoSources& sources, SidePanel& panel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill();
    void expandSelected(QTreeWidgetItem* current, QTreeWidgetItem* previous);

    SystemInfoSources m_sources;
    SidePanel& m_panel;
    SystemInfo m_info;
    CpuInfo m_cpu;
    QTreeWidget* m_tree = nullptr;
};

SystemInfoContent::SystemInfoContent(const SystemInfoSources& sources, SidePanel& panel)
    : QObject(&panel), m_sources(sources), m_panel(panel), m_info(*sources.facts, *sources.screen),
      m_cpu(*sources.processor) {
    m_tree = new QTreeWidget(&panel);
    m_tree->setObjectName("tv");
    m_tree->setGeometry(panel.contentRect().adjusted(kMargin, 0, -kMargin, -kMargin));
    m_tree->setFont(style::uiFont(style::kBarFontSize, false));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    // The classic look the panel was drawn with: dotted lines, lines at the root, boxed
    // expand buttons.
    QStyle* classic = QStyleFactory::create("Windows");
    if (classic != nullptr) {
        classic->setParent(m_tree);
        m_tree->setStyle(classic);
    }
    m_tree->setRootIsDecorated(true);
    m_tree->setIndentation(kIndent);
    m_tree->setItemDelegate(new FixedHeightDelegate(m_tree));
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setMouseTracking(true); // hot tracking
    m_tree->setAttribute(Qt::WA_Hover);
    m_tree->setExpandsOnDoubleClick(false); // selecting already expands
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                expandSelected(current, previous);
            });
    panel.installEventFilter(this);
}

bool SystemInfoContent::eventFilter(QObject* watched, QEvent* event) {
    // Sent when the bar shows the panel itself, not when the bar's window is shown again.
    if (watched == &m_panel && event->type() == QEvent::ShowToParent) {
        fill();
    }
    return QObject::eventFilter(watched, event);
}

void SystemInfoContent::fill() {
    SystemTree tree;
    QString error;
    {
        const BusyCursor busy;
        m_cpu.measureSpeed();
        ISystemFacts& facts = *m_sources.facts;
        try {
            fillSystemTree(
                tree, m_info, m_cpu, [&facts] { return localHostName(facts); },
                [&facts] { return localIpList(facts); },
                QLocale::system().groupSeparator().toStdString());
        } catch (const Error& e) {
            error = QString::fromStdString(e.what());
        }
        m_tree->clear();
        addItems(m_tree->invisibleRootItem(), tree);
    }
    if (!error.isEmpty()) {
        // Reported once the opening is done; the panel then closes again, as it would not have
        // opened had the filling failed before it was shown.
        QTimer::singleShot(0, this, [this, error] {
            showErrorMessage(&m_panel, error);
            m_panel.closeButton()->click();
        });
    }
}

void SystemInfoContent::expandSelected(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    // Single expand: the selected node opens, the one that lost the selection closes unless
    // it holds the new one.
    for (QTreeWidgetItem* up = current; previous != nullptr && up != nullptr; up = up->parent()) {
        if (up == previous) {
            previous = nullptr;
        }
    }
    if (previous != nullptr) {
        previous->setExpanded(false);
    }
    if (current != nullptr) {
        current->setExpanded(true);
    }
}

} // namespace

SidePanelDescription systemInfoSidePanel(SystemInfoSources sources) {
    SidePanelDescription panel;
    panel.word = "sysinfo";
    panel.menuText = "System Information";
    panel.title = "System information";
    panel.height = 229;
    panel.firstTop = 208;
    panel.toggledByDoubleClickOn = {BarCell::FreePhysical, BarCell::FreeSwap, BarCell::FreeShare};
    if (sources.facts && sources.screen && sources.processor) {
        panel.buildContent = [sources = std::move(sources)](SidePanel& frame) {
            new SystemInfoContent(sources, frame);
        };
    }
    return panel;
}

} // namespace veskor
