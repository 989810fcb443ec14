#pragma once
// The bar's popup menu, also the tray icon's: the bar's check items, a check item per side panel,
// the features' tools, "About..." and "Quit", then the session's entries. Every check mark is
// read afresh when the menu opens.

#include "ui/BannerMenu.h"
#include "ui/Feature.h"

#include <functional>
#include <map>
#include <vector>

namespace veskor {

class BarMenu final : public BannerMenu {
public:
    explicit BarMenu(QWidget* parent);

    // A check item; a side panel's (`panel`) follows the bar's own, before the tools.
    QAction* addCheck(const QString& text, std::function<void()> toggled,
                      std::function<bool()> isChecked, bool panel = false);
    // "About..." and "Quit": the bar's commands, after the tools.
    QAction* addCommand(const QString& text, std::function<void()> triggered);
    // The features' entries, each at its place whatever the order of the calls.
    void addEntries(std::vector<MenuEntry> entries);

private:
    QAction* insert(QAction* before, const QString& text, std::function<void()> triggered);

    QAction* m_checksEnd;
    QAction* m_toolsEnd;
    QAction* m_exitSeparator;
    std::vector<std::pair<QAction*, std::function<bool()>>> m_checks;
    std::multimap<MenuPlace, QAction*> m_entries;
};

} // namespace veskor
