#include "sysinfo/widgets/SystemInfoPanel.h"

#include "common/Error.h"
#include "sysinfo/core/SystemTree.h"
#include "ui/Messages.h"
#include "ui/SidePanel.h"
#include "ui/Style.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <optional>

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

// The tree with single expand: the selected node opens and the one that lost the selection
// closes. A click changes the current node before the view selects the row under the pointer;
// closing a node above it there would slide another row under the pointer and select that
// one. So during a press the opening and closing wait until the view has selected the clicked
// row, and a drag with the button held selects nothing else.
class SingleExpandTree final : public QTreeWidget {
public:
    explicit SingleExpandTree(QWidget* parent) : QTreeWidget(parent) {
        connect(this, &QTreeWidget::currentItemChanged, this,
                [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                    if (m_pressing) {
                        if (!m_beforePress) {
                            m_beforePress = previous;
                        }
                        return;
                    }
                    expandSelected(current, previous);
                });
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        m_pressing = true;
        m_beforePress.reset();
        QTreeWidget::mousePressEvent(event);
        m_pressing = false;
        if (m_beforePress) {
            QTreeWidgetItem* previous = *m_beforePress;
            m_beforePress.reset();
            expandSelected(currentItem(), previous);
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() == Qt::NoButton) {
            QTreeWidget::mouseMoveEvent(event); // hot tracking
        }
    }

private:
    static void expandSelected(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
        for (QTreeWidgetItem* up = current; previous != nullptr && up != nullptr;
             up = up->parent()) {
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

    bool m_pressing = false;
    std::optional<QTreeWidgetItem*> m_beforePress; // the node selected before the press
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

    SystemInfoSources m_sources;
    SidePanel& m_panel;
    SystemInfo m_info;
    CpuInfo m_cpu;
    QTreeWidget* m_tree = nullptr;
};

SystemInfoContent::SystemInfoContent(const SystemInfoSources& sources, SidePanel& panel)
    : QObject(&panel), m_sources(sources), m_panel(panel), m_info(*sources.facts, *sources.screen),
      m_cpu(*sources.processor) {
    m_tree = new SingleExpandTree(&panel);
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

} // namespace

SidePanelDescription systemInfoSidePanel(SystemInfoSources sources) {
    SidePanelDescription panel;
    panel.word = "sysinfo";
    panel.menuText = QCoreApplication::translate("SystemInfoPanel", "System Information");
    panel.title = QCoreApplication::translate("SystemInfoPanel", "System information");
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
