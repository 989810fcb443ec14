#include "platform/linux/LogindSession.h"

#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QTimer>
#include <cerrno>
#include <cstdint>
#include <string>
#include <unistd.h>
#include <utility>

namespace veskor {

namespace {

constexpr QLatin1String kService("org.freedesktop.login1");
constexpr QLatin1String kManagerPath("/org/freedesktop/login1");
constexpr QLatin1String kManager("org.freedesktop.login1.Manager");

// Questions are answered at once; a request may wait while polkit asks the user for a password.
// Neither wait holds the bar: it only bounds how long a silent logind leaves the user guessing.
constexpr int kQuestionTimeoutMs = 5'000;
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

// The reason of an error reply in words: logind's (or polkit's) own, or our note on a wait that
// ran out, where the toolkit's text lists every cause it can think of.
std::string reasonOf(const QDBusMessage& reply) {
    if (errorNumber(reply.errorName()) == ETIMEDOUT) {
        return "logind does not answer";
    }
    const QString text = reply.errorMessage();
    return (text.isEmpty() ? reply.errorName() : text).toStdString();
}

ISessionService::Answer answerOf(const SystemBus::Failure& failure) {
    return {failure.error, failure.reason.toStdString()};
}

} // namespace

LogindSession::LogindSession(QString address, QObject* parent)
    : QObject(parent), m_bus(std::move(address)) {}

void LogindSession::openPrivilege(Reply reply) {
    m_bus.reach([reply](const QDBusConnection&) { reply({}); },
                [reply](const SystemBus::Failure& failure) { reply(answerOf(failure)); });
}

void LogindSession::adjustPrivilege(std::uint32_t flags, Reply reply) {
    QString question;
    switch (flags & ~kForce) {
    case kLogOff:
        // Ending one's own session needs no one's leave.
        QTimer::singleShot(0, this, [reply] { reply({}); });
        return;
    case kReboot:
        question = QStringLiteral("CanReboot");
        break;
    case kShutDown:
    case kPowerOff:
        question = QStringLiteral("CanPowerOff");
        break;
    default:
        QTimer::singleShot(0, this, [reply] { reply({EINVAL, "no such request"}); });
        return;
    }
    callManager(
        question, {}, kQuestionTimeoutMs,
        [reply](const QDBusMessage& answer) {
            const QString word = answer.arguments().value(0).toString();
            // "challenge": polkit asks the user when the request comes.
            if (word == QLatin1String("yes") || word == QLatin1String("challenge")) {
                reply({});
            } else if (word == QLatin1String("na")) {
                reply({EOPNOTSUPP, "logind says this machine cannot do that"});
            } else {
                reply({EPERM, "logind does not allow this user to do that"});
            }
        },
        reply);
}

void LogindSession::exitSession(std::uint32_t flags, Reply reply) {
    const bool force = (flags & kForce) != 0;
    switch (flags & ~kForce) {
    case kLogOff:
        currentSession(
            [this, reply](const QString& session) {
                callManager(
                    QStringLiteral("TerminateSession"), {session}, kRequestTimeoutMs,
                    [reply](const QDBusMessage&) { reply({}); }, reply);
            },
            reply);
        return;
    case kReboot:
        endMachine(QStringLiteral("Reboot"), force, reply);
        return;
    // logind's halt would leave the machine switched on, which no one asking to shut down wants.
    case kShutDown:
    case kPowerOff:
        endMachine(QStringLiteral("PowerOff"), force, reply);
        return;
    default:
        QTimer::singleShot(0, this, [reply] { reply({EINVAL, "no such request"}); });
        return;
    }
}

void LogindSession::endMachine(const QString& method, bool force, const Reply& reply) {
    // The argument lets polkit ask the user.
    auto plain = [this, method, reply] {
        callManager(
            method, {true}, kRequestTimeoutMs, [reply](const QDBusMessage&) { reply({}); }, reply);
    };
    if (!force) {
        plain();
        return;
    }
    callManager(
        method + QStringLiteral("WithFlags"), {QVariant::fromValue(kSkipInhibitors)},
        kRequestTimeoutMs, [reply](const QDBusMessage&) { reply({}); },
        [plain, reply](const Answer& failure) {
            // Older logind: no such method, or no such flag. The plain request still lets
            // polkit allow overriding the inhibitors.
            if (failure.error == EBADR || failure.error == EINVAL) {
                plain();
            } else {
                reply(failure);
            }
        });
}

void LogindSession::currentSession(const std::function<void(const QString&)>& then,
                                   const Reply& failed) {
    const QString fromEnvironment = qEnvironmentVariable("XDG_SESSION_ID");
    if (!fromEnvironment.isEmpty()) {
        then(fromEnvironment);
        return;
    }
    callManager(
        QStringLiteral("GetSessionByPID"), {static_cast<quint32>(::getpid())}, kQuestionTimeoutMs,
        [this, then, failed](const QDBusMessage& path) {
            // The object path escapes the identifier; its Id property is the identifier itself.
            QDBusMessage get = QDBusMessage::createMethodCall(
                kService, path.arguments().value(0).value<QDBusObjectPath>().path(),
                QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
            get << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("Id");
            call(
                get, kQuestionTimeoutMs,
                [then](const QDBusMessage& id) {
                    then(id.arguments().value(0).value<QDBusVariant>().variant().toString());
                },
                failed);
        },
        failed);
}

void LogindSession::callManager(const QString& method, const QVariantList& arguments, int timeoutMs,
                                const Then& then, const Reply& failed) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kManagerPath, kManager, method);
    message.setArguments(arguments);
    message.setInteractiveAuthorizationAllowed(true);
    call(message, timeoutMs, then, failed);
}

void LogindSession::call(const QDBusMessage& message, int timeoutMs, const Then& then,
                         const Reply& failed) {
    m_bus.reach(
        [this, message, timeoutMs, then, failed](const QDBusConnection& bus) {
            // The watcher reports a reply that came before it was made; the timer ends the wait
            // even if the toolkit's own timeout never comes.
            auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, timeoutMs), this);
            auto* timer = new QTimer(watcher);
            timer->setSingleShot(true);
            connect(timer, &QTimer::timeout, this, [watcher, failed] {
                watcher->disconnect();
                watcher->deleteLater();
                failed({ETIMEDOUT, "logind does not answer"});
            });
            connect(watcher, &QDBusPendingCallWatcher::finished, this,
                    [watcher, timer, then, failed] {
                        timer->stop();
                        watcher->deleteLater();
                        const QDBusMessage reply = watcher->reply();
                        if (reply.type() == QDBusMessage::ErrorMessage) {
                            failed({errorNumber(reply.errorName()), reasonOf(reply)});
                        } else {
                            then(reply);
                        }
                    });
            timer->start(timeoutMs);
        },
        [failed](const SystemBus::Failure& failure) { failed(answerOf(failure)); });
}

} // namespace veskor
