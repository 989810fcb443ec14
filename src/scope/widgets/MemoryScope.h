#pragma once
// The bar's memory scope: the scope view set up as the bar shows it, fed from the bar's tick
// with free physical memory (trace 1, lime) and free swap (trace 2, aqua) as shares of their
// totals, and its four options, saved on every change. It lives from start-up on, while its
// panel may never be opened: the picture scrolls on either way.

#include "common/MemoryStatus.h"
#include "scope/core/ScopeSettings.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace veskor {

class ScopeView;

class MemoryScope final : public QObject {
    Q_OBJECT
public:
    static constexpr QSize kViewSize{253, 101};
    static constexpr int kGridSize = 10;
    using Save = std::function<void(const ScopeSettings&)>;

    // The view is made a hidden child of owner, when first needed, until a panel shows it. save
    // is called after every change of an option.
    MemoryScope(const ScopeSettings& settings, std::string thousandsSeparator, Save save,
                QWidget* owner);

    [[nodiscard]] ScopeView* view();
    [[nodiscard]] const ScopeSettings& settings() const { return m_settings; }
    // The texts of the trace boxes: their names until the first tick, then the figures.
    [[nodiscard]] const QString& physicalCaption() const { return m_physicalCaption; }
    [[nodiscard]] const QString& swapCaption() const { return m_swapCaption; }

    // One tick of the bar: the traces' new values and the boxes' captions.
    void feed(const std::optional<MemoryStatus>& memory);
    // Starting clears the picture; stopping freezes it.
    void setActive(bool active);
    void setIntervalMs(int ms);
    void setPhysicalTrace(bool on);
    void setSwapTrace(bool on);

signals:
    // The scope was started or stopped: it needs the memory status on every tick while it runs.
    void activeChanged(bool active);
    void captionsChanged();

private:
    void save() const;

    ScopeSettings m_settings;
    std::string m_thousandsSeparator;
    Save m_save;
    QWidget* m_owner;
    ScopeView* m_view = nullptr;
    QString m_physicalCaption = tr("Physical memory");
    QString m_swapCaption = tr("Page file");
};

} // namespace veskor
