#include "platform/linux/SystemBus.h"

#include <QDBusError>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace veskor {

namespace {

using Clock = std::chrono::steady_clock;
using Failure = SystemBus::Failure;

// A busy machine's bus answers well within this; someone who chose a menu command should not
// wait longer to learn that it will not.
constexpr std::chrono::seconds kAnswerTime{5};
// The event loop stops waiting a little after the thread's own deadline, so that the thread's
// more precise reason usually arrives first.
constexpr std::chrono::milliseconds kGiveUpTime = kAnswerTime + std::chrono::seconds(1);

std::atomic<int> g_threads{0};
std::atomic<int> g_connections{0};

struct Endpoint {
    sockaddr_un address{};
    socklen_t length = 0;
};

// The sockets of a D-Bus address list ("unix:path=/x;unix:abstract=y"), in order; nullopt when
// an entry is of another kind, which only the toolkit knows how to reach.
std::optional<std::vector<Endpoint>> unixSockets(const QString& addresses) {
    std::vector<Endpoint> sockets;
    for (const QString& entry : addresses.split(';', Qt::SkipEmptyParts)) {
        if (!entry.startsWith(QLatin1String("unix:"))) {
            return std::nullopt;
        }
        Endpoint endpoint;
        endpoint.address.sun_family = AF_UNIX;
        for (const QString& pair : entry.mid(5).split(',', Qt::SkipEmptyParts)) {
            const QString key = pair.section('=', 0, 0);
            const QByteArray value = QByteArray::fromPercentEncoding(pair.section('=', 1).toUtf8());
            const auto size = static_cast<std::size_t>(value.size());
            const bool abstract = key == QLatin1String("abstract");
            if ((key != QLatin1String("path") && !abstract) ||
                size + 1 >= sizeof endpoint.address.sun_path) {
                continue;
            }
            // An abstract name starts with a zero byte and is not terminated.
            std::memcpy(endpoint.address.sun_path + (abstract ? 1 : 0), value.constData(), size);
            // One byte more: the abstract name's leading zero, or the path's terminating one.
            endpoint.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + size + 1);
        }
        if (endpoint.length == 0) {
            return std::nullopt; // runtime=, tmpdir= and the like: the toolkit's business
        }
        sockets.push_back(endpoint);
    }
    return sockets;
}

// Waits until `fd` is ready for `events` or the deadline passes.
bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
}

Failure silent() {
    return {ETIMEDOUT, QStringLiteral("the system bus does not answer")};
}

// Says to the bus what every client says first (authentication by user id, the peer's
// credentials being checked by the kernel) and reads its answer, all before the deadline.
Failure greet(int fd, Clock::time_point deadline) {
    std::string hello("\0AUTH EXTERNAL ", 15);
    for (const char digit : std::to_string(::getuid())) {
        static const char kHex[] = "0123456789abcdef";
        hello += kHex[static_cast<unsigned char>(digit) >> 4];
        hello += kHex[static_cast<unsigned char>(digit) & 0xf];
    }
    hello += "\r\n";
    std::size_t sent = 0;
    while (sent < hello.size()) {
        const ssize_t n = ::send(fd, hello.data() + sent, hello.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return {errno, QStringLiteral("the system bus hung up: %1").arg(strerror(errno))};
        } else if (!waitFor(fd, POLLOUT, deadline)) {
            return silent();
        }
    }
    std::string answer;
    while (answer.find("\r\n") == std::string::npos && answer.size() < 512) {
        if (!waitFor(fd, POLLIN, deadline)) {
            return silent();
        }
        char buffer[256];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n == 0) {
            return {ECONNRESET, QStringLiteral("the system bus hung up")};
        }
        if (n > 0) {
            answer.append(buffer, static_cast<std::size_t>(n));
        }
    }
    if (answer.starts_with("OK ")) {
        return {};
    }
    if (answer.starts_with("REJECTED")) {
        return {EACCES, QStringLiteral("the system bus does not accept this user")};
    }
    return {EPROTO, QStringLiteral("the system bus does not speak D-Bus")};
}

// Greets the first of the sockets that takes the connection.
Failure greetFirst(const std::vector<Endpoint>& sockets, const QString& address,
                   Clock::time_point deadline) {
    Failure missing{ECONNREFUSED, QStringLiteral("no system bus at %1").arg(address)};
    for (const Endpoint& endpoint : sockets) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            return {errno, QStringLiteral("no socket for the system bus: %1").arg(strerror(errno))};
        }
        Failure result;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&endpoint.address), endpoint.length) ==
            0) {
            result = greet(fd, deadline);
        } else if (errno == EAGAIN) {
            result = silent(); // its queue of connections is full: no one takes them
        } else {
            missing.reason += QStringLiteral(" (%1)").arg(strerror(errno));
            ::close(fd);
            continue;
        }
        ::close(fd);
        return result;
    }
    return missing;
}

} // namespace

struct SystemBus::Link {
    std::mutex mutex;
    SystemBus* owner = nullptr; // cleared when the SystemBus goes
};

SystemBus::SystemBus(QString address, QObject* parent)
    : QObject(parent), m_address(std::move(address)), m_link(std::make_shared<Link>()) {
    m_link->owner = this;
}

SystemBus::~SystemBus() {
    const std::lock_guard lock(m_link->mutex);
    m_link->owner = nullptr;
}

QString SystemBus::defaultAddress() {
    const QString fromEnvironment = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    return fromEnvironment.isEmpty() ? QStringLiteral("unix:path=/var/run/dbus/system_bus_socket")
                                     : fromEnvironment;
}

int SystemBus::threadsRunning() {
    return g_threads.load();
}

void SystemBus::reach(Ready ready, Failed failed) {
    if (m_bus && m_bus->isConnected()) {
        QTimer::singleShot(0, this, [bus = *m_bus, ready = std::move(ready)] { ready(bus); });
        return;
    }
    if (m_threadBusy && !m_connecting) {
        // A thread of ours still waits for the bus, and so does the toolkit: a second one
        // would only wait behind it.
        QTimer::singleShot(0, this, [failed = std::move(failed)] { failed(silent()); });
        return;
    }
    m_waiting.emplace_back(std::move(ready), std::move(failed));
    if (!m_connecting) {
        start();
    }
}

void SystemBus::start() {
    m_bus.reset();
    const int attempt = ++m_attempt;
    const QString name = QStringLiteral("veskor_system_bus_%1").arg(++g_connections);
    ++g_threads;
    try {
        std::thread([address = m_address, name, link = m_link, attempt] {
            Outcome outcome;
            const auto sockets = unixSockets(address);
            if (sockets) {
                outcome.failure = greetFirst(*sockets, address, Clock::now() + kAnswerTime);
            }
            if (outcome.failure.error == 0) {
                QDBusConnection bus = QDBusConnection::connectToBus(address, name);
                if (bus.isConnected()) {
                    outcome.bus = bus;
                } else {
                    outcome.failure = {ECONNREFUSED, bus.lastError().message()};
                    QDBusConnection::disconnectFromBus(name);
                }
            }
            bool delivered = false;
            {
                const std::lock_guard lock(link->mutex);
                if (link->owner != nullptr) {
                    delivered = QMetaObject::invokeMethod(
                        link->owner,
                        [owner = link->owner, attempt, outcome] {
                            owner->finish(attempt, outcome);
                        },
                        Qt::QueuedConnection);
                }
            }
            if (!delivered && outcome.bus) {
                QDBusConnection::disconnectFromBus(name);
            }
            --g_threads;
        }).detach();
    } catch (const std::system_error& e) {
        --g_threads;
        const Failure failure{EAGAIN, QStringLiteral("cannot start a thread: %1").arg(e.what())};
        QTimer::singleShot(0, this, [this, attempt, failure] { finish(attempt, {{}, failure}); });
        m_connecting = m_threadBusy = true;
        return;
    }
    m_connecting = m_threadBusy = true;
    QTimer::singleShot(kGiveUpTime, this, [this, attempt] { giveUp(attempt); });
}

void SystemBus::finish(int attempt, const Outcome& outcome) {
    if (attempt != m_attempt) {
        return;
    }
    m_threadBusy = m_connecting = false;
    // Kept even when it came too late for those who asked: the next request uses it.
    m_bus = outcome.bus;
    for (auto& [ready, failed] : std::exchange(m_waiting, {})) {
        if (m_bus) {
            ready(*m_bus);
        } else {
            failed(outcome.failure);
        }
    }
}

void SystemBus::giveUp(int attempt) {
    if (attempt != m_attempt || !m_connecting) {
        return;
    }
    m_connecting = false;
    for (auto& waiting : std::exchange(m_waiting, {})) {
        waiting.second(silent());
    }
}

} // namespace veskor
