#pragma once
#include <QMenu>

namespace veskor {

// The bar's popup menu: a banner down the left side, the given text reading upwards in aqua on a
// run from black at the bottom to navy at the top, the items to its right; the highlighted item
// is yellow on black. Items carry no images.
class BannerMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int kBannerWidth = 20;

    explicit BannerMenu(const QString& bannerText, QWidget* parent);

    [[nodiscard]] const QString& bannerText() const { return m_bannerText; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    QString m_bannerText;
};

} // namespace veskor
