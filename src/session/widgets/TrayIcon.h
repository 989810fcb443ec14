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
QString TrayTip(const QString& hint);

class TTrayIcon final : public QObject {
    Q_OBJECT
public:
    explicit TTrayIcon(QObject* parent);

    void SetIcon(const QIcon& icon);
    void SetHint(const QString& hint);
    void SetPopupMenu(QMenu* menu);

private:
    void Update();

    QSystemTrayIcon* icon_ = nullptr; // created when first registered
    QIcon image_;
    QString hint_;
    QMenu* menu_ = nullptr;
};

} // namespace veskor
