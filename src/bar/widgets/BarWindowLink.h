#pragma once
#include "bar/widgets/BarWindow.h"
#include "ui/BarLink.h"

namespace veskor {

// The bar as its features see it; owned by the bar's window.
class BarWindowLink final : public BarLink {
    Q_OBJECT
public:
    BarWindowLink(BarWindow& bar, const BarServices& services);

    [[nodiscard]] QWidget* windowParent() const override { return &m_bar; }
    [[nodiscard]] StatusCell* cell(BarCell cell) const override { return m_bar.cell(cell); }
    [[nodiscard]] DateTime now() const override { return m_services.clock.now(); }
    [[nodiscard]] SaintTable& saints() const override { return m_bar.saints(); }
    [[nodiscard]] std::filesystem::path saintFilePath() const override {
        return m_bar.saintFilePath();
    }
    [[nodiscard]] const SettingValues& settings() const override { return m_bar.featureSettings(); }
    void setMemoryFeedWanted(bool wanted) override { m_bar.setMemoryFeedWanted(wanted); }
    void report(const QString& text) const override { m_services.report(text); }

private:
    BarWindow& m_bar;
    const BarServices& m_services;
};

} // namespace veskor
