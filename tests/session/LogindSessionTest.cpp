// The session service against python3-dbusmock's stand-in for logind on a private bus: which
// method each command reaches, with which arguments, and what a refusal leaves behind. Nothing
// here may reach the machine's own system bus: the private bus replaces both of the process's
// buses before any connection is made, and the service gets the private connection itself.

#include "platform/linux/LogindSession.h"

#include "session/core/ExitSession.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cerrno>
#include <gtest/gtest.h>
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

} // namespace

TEST_F(LogindSessionTest, EachCommandReachesItsMethod) {
    LogindSession service(bus());
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
        EXPECT_TRUE(exit.execute()) << exit.lastError();
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
    LogindSession service(bus());
    EXPECT_TRUE(service.exitSession(ISessionService::kLogOff));
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
        LogindSession service(bus());
        ExitSession exit(service);
        exit.setExitType(ExitType::ShutDown);
        EXPECT_EQ(exit.execute(), asked) << answer;
        EXPECT_EQ(exit.lastError(), error) << answer;
        EXPECT_EQ(calls().contains("PowerOff True"), asked) << text(calls());
    }
}

TEST_F(LogindSessionTest, AnErrorReplyBecomesItsNumber) {
    setMethod("Reboot", "b", "",
              "raise dbus.exceptions.DBusException('no', "
              "name='org.freedesktop.DBus.Error.AccessDenied')");
    LogindSession service(bus());
    ExitSession exit(service);
    exit.setExitType(ExitType::Reboot);
    EXPECT_FALSE(exit.execute());
    EXPECT_EQ(exit.lastError(), "Error: 13");

    // Without a bus the first half of the privilege step fails.
    LogindSession unreachable(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "none"));
    ExitSession cut(unreachable);
    EXPECT_FALSE(cut.enableShutdownPrivilege());
    EXPECT_EQ(cut.lastError(), "Error: OpenProcessToken");
    EXPECT_FALSE(cut.execute());
    EXPECT_EQ(cut.lastError(), "Error: 111");
}

TEST_F(LogindSessionTest, ForcingSkipsTheInhibitorsWhereLogindCan) {
    LogindSession service(bus());
    // This stand-in is an older logind without the *WithFlags methods: the plain request.
    EXPECT_TRUE(service.exitSession(ISessionService::kPowerOff | ISessionService::kForce));
    EXPECT_EQ(text(calls()), "PowerOff True");

    freshMock();
    setMethod("RebootWithFlags", "t", "", "");
    EXPECT_TRUE(service.exitSession(ISessionService::kReboot | ISessionService::kForce));
    EXPECT_EQ(text(calls()), "RebootWithFlags 16");

    // A logind that knows the method but not the flag.
    freshMock();
    setMethod("PowerOffWithFlags", "t", "",
              "raise dbus.exceptions.DBusException('flags', "
              "name='org.freedesktop.DBus.Error.InvalidArgs')");
    EXPECT_TRUE(service.exitSession(ISessionService::kShutDown | ISessionService::kForce));
    EXPECT_EQ(text(calls()), text({"PowerOffWithFlags 16", "PowerOff True"}));
}

int main(int argc, char** argv) {
    // The process's own buses are never used; see the note at the top.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system-bus");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/session-bus");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
