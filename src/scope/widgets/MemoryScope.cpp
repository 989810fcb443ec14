#include "scope/widgets/MemoryScope.h"

#include "scope/core/MemoryFeed.h"
#include "scope/widgets/ScopeView.h"

namespace veskor {

namespace {
constexpr int kPhysical = 0;
constexpr int kSwap = 1;
} // namespace

MemoryScope::MemoryScope(const ScopeSettings& settings, std::string thousandsSeparator, Save save,
                         QWidget* owner)
    : QObject(owner), m_settings(settings), m_thousandsSeparator(std::move(thousandsSeparator)),
      m_save(std::move(save)), m_owner(owner) {}

ScopeView* MemoryScope::view() {
    if (m_view != nullptr) {
        return m_view;
    }
    // Made on first need (the first tick of a running scope, or its panel), not while the bar
    // starts: a scope that is never started costs neither the widget nor the picture.
    // The traces are fractions of the totals, from the bottom edge up.
    m_view = new ScopeView({.baseline = 0, .gridSize = kGridSize}, m_owner);
    m_view->setObjectName("scope");
    m_view->hide();
    m_view->resize(kViewSize);
    // The grid shows from the start, also under a scope that starts running.
    m_view->clear();

    m_view->setInterval(intervalTicksOf(m_settings.intervalMs));
    m_view->setActive(m_settings.active);
    m_view->setTraceEnabled(kPhysical, m_settings.physical);
    m_view->setTraceEnabled(kSwap, m_settings.swap);
    return m_view;
}

void MemoryScope::feed(const std::optional<MemoryStatus>& memory) {
    const std::optional<MemoryFeed> fed = memoryFeed(m_settings, memory, m_thousandsSeparator);
    if (!fed) {
        return;
    }
    if (fed->physical) {
        view()->setMaximum(kPhysical, fed->physical->max);
        view()->setPosition(kPhysical, fed->physical->position);
    }
    if (fed->swap) {
        view()->setMaximum(kSwap, fed->swap->max);
        view()->setPosition(kSwap, fed->swap->position);
    }
    const QString physical = QString::fromStdString(fed->physicalCaption);
    const QString swap = QString::fromStdString(fed->swapCaption);
    if (physical != m_physicalCaption || swap != m_swapCaption) {
        m_physicalCaption = physical;
        m_swapCaption = swap;
        emit captionsChanged();
    }
}

void MemoryScope::setActive(bool active) {
    m_settings.active = active;
    view()->setActive(active);
    if (active) {
        view()->clear();
    }
    save();
    emit activeChanged(active);
}

void MemoryScope::setIntervalMs(int ms) {
    m_settings.intervalMs = spinIntervalOf(ms);
    view()->setInterval(intervalTicksOf(ms));
    save();
}

void MemoryScope::setPhysicalTrace(bool on) {
    m_settings.physical = on;
    view()->setTraceEnabled(kPhysical, on);
    save();
}

void MemoryScope::setSwapTrace(bool on) {
    m_settings.swap = on;
    view()->setTraceEnabled(kSwap, on);
    save();
}

void MemoryScope::save() const {
    if (m_save) {
        m_save(m_settings);
    }
}

} // namespace veskor
