#include "bar/widgets/BarWindowLink.h"

namespace veskor {

BarWindowLink::BarWindowLink(BarWindow& bar, const BarServices& services)
    : BarLink(&bar), m_bar(bar), m_services(services) {
    connect(&bar, &BarWindow::ticked, this, &BarLink::ticked);
}

} // namespace veskor
