#include "bar/widgets/BarMenu.h"

namespace veskor {

BarMenu::BarMenu(QWidget* parent)
    : BannerMenu("Orvane Veskor Pro", parent), m_checksEnd(addSeparator()),
      m_toolsEnd(addSeparator()), m_exitSeparator(addSeparator()) {
    // The session's entries are hidden only on the platform that ran its own session end; here
    // they always show.
    m_exitSeparator->setObjectName("exitSeparator");
    connect(this, &QMenu::aboutToShow, this, [this] {
        for (const auto& [action, isChecked] : m_checks) {
            action->setChecked(isChecked());
        }
    });
}

QAction* BarMenu::insert(QAction* before, const QString& text, std::function<void()> triggered) {
    auto* action = new QAction(text, this);
    if (triggered) {
        connect(action, &QAction::triggered, this, std::move(triggered));
    }
    insertAction(before, action);
    return action;
}

QAction* BarMenu::addCheck(const QString& text, std::function<void()> toggled,
                           std::function<bool()> isChecked, bool panel) {
    // A side panel's item goes before the first tool.
    QAction* before = m_checksEnd;
    if (panel) {
        const auto first = m_entries.begin();
        const bool tool =
            first != m_entries.end() && first->first.section == MenuPlace::Section::Tools;
        before = tool ? first->second : m_toolsEnd;
    }
    QAction* action = insert(before, text, std::move(toggled));
    action->setCheckable(true);
    m_checks.emplace_back(action, std::move(isChecked));
    return action;
}

QAction* BarMenu::addCommand(const QString& text, std::function<void()> triggered) {
    return insert(m_exitSeparator, text, std::move(triggered));
}

void BarMenu::addEntries(std::vector<MenuEntry> entries) {
    for (MenuEntry& entry : entries) {
        // Before the next entry of its section, or else at the section's end.
        const auto next = m_entries.upper_bound(entry.place);
        QAction* before = entry.place.section == MenuPlace::Section::Tools ? m_toolsEnd : nullptr;
        if (next != m_entries.end() && next->first.section == entry.place.section) {
            before = next->second;
        }
        m_entries.emplace(entry.place, insert(before, entry.text, std::move(entry.triggered)));
    }
}

} // namespace veskor
