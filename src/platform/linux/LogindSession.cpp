#include "platform/linux/LogindSession.h"

#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QEventLoop>
#include <QTimer>
#include <cerrno>
#include <cstdint>
#include <unistd.h>
#include <utility>

namespace veskor {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// Questions are answered at once; a request may wait while polkit asks the user.
constexpr int kQuestionTimeoutMs = 25'000;
constexpr int kRequestTimeoutMs = 5 * 60'000;

// Asks logind to ignore the inhibitors that block the request (the *WithFlags methods).
constexpr quint64 kSkipInhibitors = quint64{1} << 4;

// The error number of a D-Bus error, by its name.
int errorNumber(const QString& name) {
    static const std::pair<const char*, int> kNumbers[] = {
        {"org.freedesktop.DBus.Error.AccessDenied", EACCES},
        {"org.freedesktop.DBus.Error.AuthFailed", EACCES},
        {"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", EACCES},
        {"org.freedesktop.DBus.Error.ServiceUnknown", EHOSTUNREACH},
        {"org.freedesktop.DBus.Error.NameHasNoOwner", EHOSTUNREACH},
        {"org.freedesktop.DBus.Error.NoReply", ETIMEDOUT},
        {"org.freedesktop.DBus.Error.Timeout", ETIMEDOUT},
        {"org.freedesktop.DBus.Error.UnknownMethod", EBADR},
        {"org.freedesktop.DBus.Error.UnknownObject", EBADR},
        {"org.freedesktop.DBus.Error.InvalidArgs", EINVAL},
        {"org.freedesktop.DBus.Error.NoServer", ECONNREFUSED},
        {"org.freedesktop.DBus.Error.Disconnected", ECONNRESET},
        {"org.freedesktop.login1.NoSuchSession", ENXIO},
        {"org.freedesktop.login1.OperationInProgress", EINPROGRESS},
    };
    for (const auto& [known, number] : kNumbers) {
        if (name == QLatin1String(known)) {
            return number;
        }
    }
    return EIO;
}

} // namespace

LogindSession::LogindSession() = default;

LogindSession::LogindSession(QDBusConnection bus) : m_bus(std::move(bus)) {}

QDBusConnection& LogindSession::bus() {
    if (!m_bus) {
        m_bus = QDBusConnection::systemBus();
    }
    return *m_bus;
}

bool LogindSession::openPrivilege() {
    m_lastError = bus().isConnected() ? 0 : ECONNREFUSED;
    return m_lastError == 0;
}

bool LogindSession::adjustPrivilege(std::uint32_t flags) {
    QString question;
    switch (flags & ~kForce) {
    case kLogOff:
        // Ending one's own session needs no one's leave.
        m_lastError = 0;
        return true;
    case kReboot:
        question = QStringLiteral("CanReboot");
        break;
    case kShutDown:
    case kPowerOff:
        question = QStringLiteral("CanPowerOff");
        break;
    default:
        m_lastError = EINVAL;
        return false;
    }
    const auto reply = callManager(question, {}, kQuestionTimeoutMs);
    if (!reply) {
        return false;
    }
    const QString answer = reply->arguments().value(0).toString();
    // "challenge": polkit asks the user when the request comes.
    if (answer == QLatin1String("yes") || answer == QLatin1String("challenge")) {
        m_lastError = 0;
    } else if (answer == QLatin1String("na")) {
        m_lastError = EOPNOTSUPP;
    } else {
        m_lastError = EPERM;
    }
    return m_lastError == 0;
}

bool LogindSession::exitSession(std::uint32_t flags) {
    const bool force = (flags & kForce) != 0;
    switch (flags & ~kForce) {
    case kLogOff: {
        const auto session = currentSession();
        return session &&
               callManager(QStringLiteral("TerminateSession"), {*session}, kRequestTimeoutMs);
    }
    case kReboot:
        return endMachine(QStringLiteral("Reboot"), force);
    // logind's halt would leave the machine switched on, which no one asking to shut down wants.
    case kShutDown:
    case kPowerOff:
        return endMachine(QStringLiteral("PowerOff"), force);
    default:
        m_lastError = EINVAL;
        return false;
    }
}

bool LogindSession::endMachine(const QString& method, bool force) {
    if (force) {
        if (callManager(method + QStringLiteral("WithFlags"),
                        {QVariant::fromValue(kSkipInhibitors)}, kRequestTimeoutMs)) {
            return true;
        }
        // Older logind: no such method, or no such flag. The plain request still lets polkit
        // allow overriding the inhibitors.
        if (m_lastError != EBADR && m_lastError != EINVAL) {
            return false;
        }
    }
    // The argument lets polkit ask the user.
    return callManager(method, {true}, kRequestTimeoutMs).has_value();
}

std::optional<QString> LogindSession::currentSession() {
    const QString fromEnvironment = qEnvironmentVariable("XDG_SESSION_ID");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    const auto path = callManager(QStringLiteral("GetSessionByPID"),
                                  {static_cast<quint32>(::getpid())}, kQuestionTimeoutMs);
    if (!path) {
        return std::nullopt;
    }
    // The object path escapes the identifier; its Id property is the identifier itself.
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, path->arguments().value(0).value<QDBusObjectPath>().path(),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("Id");
    const auto id = call(get, kQuestionTimeoutMs);
    if (!id) {
        return std::nullopt;
    }
    return id->arguments().value(0).value<QDBusVariant>().variant().toString();
}

std::optional<QDBusMessage>
LogindSession::callManager(const QString& method, const QVariantList& arguments, int timeoutMs) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kManagerPath, kManager, method);
    message.setArguments(arguments);
    message.setInteractiveAuthorizationAllowed(true);
    return call(std::move(message), timeoutMs);
}

std::optional<QDBusMessage> LogindSession::call(QDBusMessage message, int timeoutMs) {
    if (!bus().isConnected()) {
        m_lastError = ECONNREFUSED;
        return std::nullopt;
    }
    // The bar keeps painting while polkit's dialog is up. The wait is our own: the toolkit's
    // blocking call with an event loop (BlockWithGui) can miss a reply that arrives before its
    // loop starts, and then waits forever, its timeout already spent; a watcher made after the
    // reply still reports it, and the timer ends the wait whatever happens.
    const QDBusPendingCall pending = bus().asyncCall(message, timeoutMs);
    if (!pending.isFinished()) {
        const QDBusPendingCallWatcher watcher(pending);
        QEventLoop loop;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        if (!watcher.isFinished()) {
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
    }
    if (!pending.isFinished()) {
        m_lastError = ETIMEDOUT;
        return std::nullopt;
    }
    const QDBusMessage reply = pending.reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        m_lastError = errorNumber(reply.errorName());
        return std::nullopt;
    }
    m_lastError = 0;
    return reply;
}

} // namespace veskor
