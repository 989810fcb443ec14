#include "session/widgets/TrayIcon.h"

#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace veskor {

namespace {
constexpr qsizetype kTipLength = 63;
} // namespace

QString TrayTip(const QString& hint) {
    QString tip = hint.left(kTipLength);
    // Never end on half of a surrogate pair.
    if (!tip.isEmpty() && tip.back().isHighSurrogate()) {
        tip.chop(1);
    }
    return tip;
}

TTrayIcon::TTrayIcon(QObject* parent) : QObject(parent) {}

void TTrayIcon::SetIcon(const QIcon& icon) {
    image_ = icon;
    Update();
}

void TTrayIcon::SetHint(const QString& hint) {
    hint_ = hint;
    Update();
}

void TTrayIcon::SetPopupMenu(QMenu* menu) {
    menu_ = menu;
    Update();
}

void TTrayIcon::Update() {
    // Registered once given an icon; an empty icon takes it away.
    if (image_.isNull()) {
        if (icon_ != nullptr) {
            icon_->hide();
        }
        return;
    }
    if (icon_ == nullptr) {
        // Platforms that never have a notification area (off screen) get no icon at all; on a
        // desktop the icon waits for a tray host that starts later.
        const QString platform = QGuiApplication::platformName();
        if (platform == "offscreen" || platform == "minimal") {
            return;
        }
        icon_ = new QSystemTrayIcon(this);
        // A double click runs nothing: the menu has no default item.
    }
    icon_->setIcon(image_);
    icon_->setToolTip(TrayTip(hint_));
    icon_->setContextMenu(menu_);
    icon_->show();
}

} // namespace veskor
