#pragma once
#include <QWidget>
#include <array>

namespace veskor {

class StatusCell;

// A row of the bar: a raised grey strip with its three cells inside a frame of kFrame pixels;
// the last cell takes the rest of the width.
class CellRow final : public QWidget {
public:
    static constexpr int kFrame = 2;

    CellRow(QWidget* parent, const QRect& geometry, const std::array<StatusCell*, 3>& cells,
            const std::array<int, 2>& widths);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace veskor
