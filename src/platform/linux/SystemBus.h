#pragma once
// The D-Bus system bus, reached without making the event loop wait. The toolkit connects
// synchronously in its one D-Bus thread, and on a bus that accepts and never answers it waits
// for ever, holding every D-Bus connection of the program with it. So a thread of our own first
// greets the bus with a deadline, and hands only a bus that answered to the toolkit.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace veskor {

class SystemBus final : public QObject {
    Q_OBJECT
public:
    // Why the bus could not be had: an error number (errno style) and the reason in words.
    struct Failure {
        int error = 0;
        QString reason;
    };
    using Ready = std::function<void(QDBusConnection)>;
    using Failed = std::function<void(const Failure&)>;

    // The bus at `address` (D-Bus address syntax), reached when first asked for.
    explicit SystemBus(QString address = defaultAddress(), QObject* parent = nullptr);
    ~SystemBus() override;
    SystemBus(const SystemBus&) = delete;
    SystemBus& operator=(const SystemBus&) = delete;

    // Calls one of the two from the event loop, after this call returned: `ready` with the
    // connection, or `failed` when the bus is missing, refuses us, or does not answer within a
    // few seconds.
    void reach(Ready ready, Failed failed);

    // $DBUS_SYSTEM_BUS_ADDRESS, or the system bus's usual socket.
    static QString defaultAddress();
    // Threads still reaching a bus, of every SystemBus. While one is held by a silent bus, the
    // toolkit's D-Bus thread is too, and the toolkit waits for that thread at exit: the program
    // ends without the wait while this is not 0.
    static int threadsRunning();

private:
    struct Link;
    struct Outcome {
        std::optional<QDBusConnection> bus;
        Failure failure;
    };

    void start();
    void finish(int attempt, const Outcome& outcome);
    void giveUp(int attempt);

    QString m_address;
    std::optional<QDBusConnection> m_bus;
    std::shared_ptr<Link> m_link;
    std::vector<std::pair<Ready, Failed>> m_waiting;
    int m_attempt = 0;
    bool m_connecting = false; // a thread of ours is at work and we still wait for it
    bool m_threadBusy = false; // a thread of ours is at work, waited for or not
};

} // namespace veskor
