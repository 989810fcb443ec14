// The session service against python3-dbusmock's stand-in for logind on a private bus: which
// method each command reaches, with which arguments, and what a refusal leaves behind; and
// against a bus that never answers. Nothing here may reach the machine's own system bus: the
// private bus replaces both of the process's buses before any connection is made, and the
// service is given the private bus's address itself.

#include "platform/linux/LogindSession.h"

#include "session/core/ExitSession.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace veskor;

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");

class LogindSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_daemon = new QProcess;
        s_daemon->start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!s_daemon->waitForStarted(5000) || !s_daemon->waitForReadyRead(10000)) {
            s_problem = "cannot start dbus-daemon";
            return;
        }
        s_address = QString::fromUtf8(s_daemon->readLine()).trimmed();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", s_address.toUtf8());
        qputenv("DBUS_SESSION_BUS_ADDRESS", s_address.toUtf8());

        s_log = QStringLiteral("/tmp/veskor-logind-%1.log").arg(::getpid());
        s_mock = new QProcess;
        s_mock->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        s_mock->start("/usr/bin/python3",
                      {"-m", "dbusmock", "--template", "logind", "--logfile", s_log});
        QDBusConnection bus = QDBusConnection::connectToBus(s_address, "logind-test");
        const QDeadlineTimer deadline(20000);
        while (!bus.interface()->isServiceRegistered(kLogind)) {
            if (deadline.hasExpired() || s_mock->state() == QProcess::NotRunning) {
                s_problem = "python3-dbusmock's logind did not come up";
                return;
            }
            QThread::msleep(50);
        }
    }

    static void TearDownTestSuite() {
        for (QProcess* process : {s_mock, s_daemon}) {
            if (process != nullptr) {
                process->kill();
                process->waitForFinished(5000);
                delete process;
            }
        }
        s_mock = s_daemon = nullptr;
        QFile::remove(s_log);
    }

    void SetUp() override {
        if (!s_problem.isEmpty()) {
            GTEST_SKIP() << s_problem.toStdString();
        }
        freshMock();
    }

    // logind as the template makes it, and a call log that starts now.
    void freshMock() {
        mockCall("Reset", {});
        QFile log(s_log);
        m_logStart = log.size();
        qunsetenv("XDG_SESSION_ID");
    }

    static QDBusConnection bus() { return QDBusConnection::connectToBus(s_address, "logind-test"); }
    static QString address() { return s_address; }

    // Gives the stand-in a method of logind's, or replaces one, with Python code.
    static void setMethod(const QString& name, const QString& in, const QString& out,
                          const QString& code) {
        mockCall("AddMethod", {QString(), name, in, out, code});
    }

    static void mockCall(const QString& method, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(kLogind, kPath, kMock, method);
        message.setArguments(arguments);
        const QDBusMessage reply = bus().call(message);
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    }

    // The calls logind received since the test began: "Method args", one a call.
    [[nodiscard]] QStringList calls() const {
        QFile log(s_log);
        if (!log.open(QIODevice::ReadOnly) || !log.seek(m_logStart)) {
            return {"(no log)"};
        }
        QStringList lines;
        for (const QString& line :
             QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)) {
            const QString call = line.section(' ', 1); // after the time stamp
            // The stand-in's own note of an error it raised.
            if (!call.contains(" raised: ")) {
                lines << call;
            }
        }
        return lines;
    }

    static QString s_address;
    static QString s_log;
    static QString s_problem;
    static QProcess* s_daemon;
    static QProcess* s_mock;
    qint64 m_logStart = 0;
};

QString LogindSessionTest::s_address;
QString LogindSessionTest::s_log;
QString LogindSessionTest::s_problem;
QProcess* LogindSessionTest::s_daemon = nullptr;
QProcess* LogindSessionTest::s_mock = nullptr;

std::string text(const QStringList& lines) {
    return lines.join(" | ").toStdString();
}

// Runs the event loop until `answered` holds (or a minute passed, for a broken build).
void runUntil(const std::function<bool()>& answered) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (answered()) {
            loop.quit();
        }
    });
    poll.start(10);
    QTimer::singleShot(60'000, &loop, &QEventLoop::quit);
    loop.exec();
}

ISessionService::Answer answer(const std::function<void(ISessionService::Reply)>& ask) {
    std::optional<ISessionService::Answer> seen;
    ask([&seen](const ISessionService::Answer& answer) { seen = answer; });
    runUntil([&seen] { return seen.has_value(); });
    return seen.value_or(ISessionService::Answer{-1, "no answer"});
}

ExitOutcome run(ExitSession& exit) {
    std::optional<ExitOutcome> seen;
    exit.execute([&seen](ExitOutcome outcome) { seen = outcome; });
    runUntil([&seen] { return seen.has_value(); });
    return seen.value_or(ExitOutcome::Cancelled);
}

} // namespace

TEST_F(LogindSessionTest, EachCommandReachesItsMethod) {
    LogindSession service(address());
    ExitSession exit(service);
    qputenv("XDG_SESSION_ID", "c7");
    const std::pair<ExitType, QStringList> expected[] = {
        {ExitType::ShutDown, {"CanPowerOff", "PowerOff True"}},
        {ExitType::Reboot, {"CanReboot", "Reboot True"}},
        {ExitType::LogOff, {"TerminateSession \"c7\""}},
        {ExitType::PowerOff, {"CanPowerOff", "PowerOff True"}},
    };
    for (const auto& [type, methods] : expected) {
        freshMock();
        qputenv("XDG_SESSION_ID", "c7");
        exit.setExitType(type);
        EXPECT_EQ(run(exit), ExitOutcome::Accepted) << exit.lastError();
        EXPECT_EQ(text(calls()), text(methods));
    }
    EXPECT_EQ(exit.lastError(), "");
}

TEST_F(LogindSessionTest, LogOffFindsTheSessionOfTheProcess) {
    // logind escapes the identifier in the object path; the Id property holds it as it is.
    setMethod("GetSessionByPID", "u", "o",
              "path = '/org/freedesktop/login1/session/_33'\n"
              "if path not in objects:\n"
              "    self.AddObject(path, 'org.freedesktop.login1.Session', {'Id': '3'}, [])\n"
              "ret = path");
    LogindSession service(address());
    EXPECT_EQ(
        answer([&](auto reply) { service.exitSession(ISessionService::kLogOff, reply); }).error, 0);
    const QStringList seen = calls();
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.first(), QStringLiteral("GetSessionByPID %1").arg(::getpid()));
    EXPECT_TRUE(
        seen.contains("Get /org/freedesktop/login1/session/_33 org.freedesktop.login1.Session.Id"))
        << text(seen);
    EXPECT_EQ(seen.last(), "TerminateSession \"3\"");
}

TEST_F(LogindSessionTest, ARefusalLeavesTheSessionAlone) {
    const std::tuple<const char*, bool, const char*> answers[] = {
        {"no", false, "Error: 1"}, {"na", false, "Error: 95"}, {"challenge", true, ""}};
    for (const auto& [answer, asked, error] : answers) {
        freshMock();
        setMethod("CanPowerOff", "", "s", QStringLiteral("ret = '%1'").arg(answer));
        LogindSession service(address());
        ExitSession exit(service);
        exit.setExitType(ExitType::ShutDown);
        EXPECT_EQ(run(exit), asked ? ExitOutcome::Accepted : ExitOutcome::Refused) << answer;
        EXPECT_EQ(exit.lastError(), error) << answer;
        EXPECT_EQ(calls().contains("PowerOff True"), asked) << text(calls());
    }
}

TEST_F(LogindSessionTest, AnErrorReplyBecomesItsNumber) {
    setMethod("Reboot", "b", "",
              "raise dbus.exceptions.DBusException('no', "
              "name='org.freedesktop.DBus.Error.AccessDenied')");
    LogindSession service(address());
    ExitSession exit(service);
    exit.setExitType(ExitType::Reboot);
    EXPECT_EQ(run(exit), ExitOutcome::Refused);
    EXPECT_EQ(exit.lastError(), "Error: 13");
    EXPECT_EQ(exit.reason(), "no"); // logind's own words

    // Without a bus the first half of the privilege step fails, and says so.
    LogindSession unreachable("unix:path=/nonexistent/bus");
    ExitSession cut(unreachable);
    std::optional<bool> allowed;
    cut.enableShutdownPrivilege([&allowed](bool answer) { allowed = answer; });
    runUntil([&allowed] { return allowed.has_value(); });
    EXPECT_EQ(allowed, false);
    EXPECT_EQ(cut.lastError(), "Error: OpenProcessToken");
    EXPECT_EQ(run(cut), ExitOutcome::Refused);
    EXPECT_EQ(cut.lastError(), "Error: 111");
    EXPECT_TRUE(cut.reason().starts_with("no system bus at unix:path=/nonexistent/bus"))
        << cut.reason();
}

TEST_F(LogindSessionTest, ForcingSkipsTheInhibitorsWhereLogindCan) {
    LogindSession service(address());
    const auto ask = [&service](std::uint32_t flags) {
        return answer([&](auto reply) { service.exitSession(flags, reply); }).error;
    };
    // This stand-in is an older logind without the *WithFlags methods: the plain request.
    EXPECT_EQ(ask(ISessionService::kPowerOff | ISessionService::kForce), 0);
    EXPECT_EQ(text(calls()), "PowerOff True");

    freshMock();
    setMethod("RebootWithFlags", "t", "", "");
    EXPECT_EQ(ask(ISessionService::kReboot | ISessionService::kForce), 0);
    EXPECT_EQ(text(calls()), "RebootWithFlags 16");

    // A logind that knows the method but not the flag.
    freshMock();
    setMethod("PowerOffWithFlags", "t", "",
              "raise dbus.exceptions.DBusException('flags', "
              "name='org.freedesktop.DBus.Error.InvalidArgs')");
    EXPECT_EQ(ask(ISessionService::kShutDown | ISessionService::kForce), 0);
    EXPECT_EQ(text(calls()), text({"PowerOffWithFlags 16", "PowerOff True"}));
}

// A bus that takes the connection and never says a word: the request fails with that reason
// while the event loop runs on (the toolkit alone would wait for ever, and hold the loop).
TEST(SilentBus, IsGivenUpWhileTheEventLoopRuns) {
    const QTemporaryDir dir;
    const QString socket = dir.filePath("bus");
    QProcess listener;
    listener.start("/usr/bin/python3", {"-c",
                                        "import socket, sys\n"
                                        "s = socket.socket(socket.AF_UNIX)\n"
                                        "s.bind(sys.argv[1]); s.listen(8)\n"
                                        "print('ready', flush=True)\n"
                                        "held = []\n"
                                        "while True: held.append(s.accept())\n",
                                        socket});
    ASSERT_TRUE(listener.waitForReadyRead(20'000)) << "the listener did not start";

    LogindSession service("unix:path=" + socket);
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(0);
    std::optional<ISessionService::Answer> seen;
    int ticksBeforeAnswer = 0;
    service.openPrivilege([&](const ISessionService::Answer& answer) {
        seen = answer;
        ticksBeforeAnswer = ticks;
    });
    EXPECT_FALSE(seen.has_value()); // the call did not wait for the bus
    runUntil([&seen] { return seen.has_value(); });
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->error, ETIMEDOUT);
    EXPECT_EQ(seen->reason, "the system bus does not answer");
    EXPECT_GT(ticksBeforeAnswer, 0);
    listener.kill();
    listener.waitForFinished();
}

int main(int argc, char** argv) {
    // The process's own buses are never used; see the note at the top.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system-bus");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/session-bus");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
