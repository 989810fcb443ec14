#include "bar/widgets/TrayIcon.h"

#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace veskor {

namespace {
constexpr qsizetype kTipLength = 63;
} // namespace

QString trayTip(const QString& hint) {
    QString tip = hint.left(kTipLength);
    // Never end on half of a surrogate pair.
    if (!tip.isEmpty() && tip.back().isHighSurrogate()) {
        tip.chop(1);
    }
    return tip;
}

TrayIcon::TrayIcon(QObject* parent, bool notificationAreaPossible)
    : QObject(parent), m_possible(notificationAreaPossible) {}

bool TrayIcon::onDesktop() {
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

bool TrayIcon::isShown() const {
    return m_icon != nullptr && m_icon->isVisible();
}

void TrayIcon::setIcon(const QIcon& icon) {
    m_image = icon;
    update();
}

void TrayIcon::setHint(const QString& hint) {
    m_hint = hint;
    update();
}

void TrayIcon::setPopupMenu(QMenu* menu) {
    m_menu = menu;
    update();
}

void TrayIcon::update() {
    // Registered once given an icon; an empty icon takes it away.
    if (m_image.isNull()) {
        if (m_icon != nullptr) {
            m_icon->hide();
        }
        return;
    }
    if (m_icon == nullptr) {
        if (!m_possible) {
            return;
        }
        m_icon = new QSystemTrayIcon(this);
        // A double click runs nothing: the menu has no default item.
    }
    m_icon->setIcon(m_image);
    m_icon->setToolTip(trayTip(m_hint));
    m_icon->setContextMenu(m_menu);
    m_icon->show();
}

} // namespace veskor
