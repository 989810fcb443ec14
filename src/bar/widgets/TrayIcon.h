#pragma once
// The program's icon in the desktop's notification area, with the bar's popup menu on a right
// click. Without a notification area the program simply has no icon.

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;

namespace veskor {

// The tip as the notification area takes it: at most 63 characters.
QString trayTip(const QString& hint);

class TrayIcon final : public QObject {
    Q_OBJECT
public:
    // Platforms that never have a notification area (off screen) get no icon at all; on a
    // desktop the icon waits for a tray host that starts later.
    explicit TrayIcon(QObject* parent, bool notificationAreaPossible = onDesktop());

    [[nodiscard]] static bool onDesktop();
    // Registered in the notification area (or waiting for one).
    [[nodiscard]] bool isShown() const;

    void setIcon(const QIcon& icon);
    void setHint(const QString& hint);
    void setPopupMenu(QMenu* menu);

private:
    void update();

    bool m_possible;
    QSystemTrayIcon* m_icon = nullptr; // created when first registered
    QIcon m_image;
    QString m_hint;
    QMenu* m_menu = nullptr;
};

} // namespace veskor
