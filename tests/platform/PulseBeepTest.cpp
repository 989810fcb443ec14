// The beep when the sound server is missing or hung: the fallback rings, it is said once, and
// nothing waits on the server. (The beeps themselves are heard in the real-window alarm test.)

#include "platform/linux/PulseBeep.h"

#include "platform/fake/FakeBeep.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>

namespace veskor {
namespace {

// Runs the event loop until the bell has rung `count` times or 20 s have passed.
void waitForRings(const FakeBeep& bell, int count) {
    const QDeadlineTimer deadline(20000);
    while (bell.beeps < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
}

TEST(PulseBeep, WithoutAServerTheBellRingsAndItIsSaidOnce) {
    const test::TempDir dir;
    ::setenv("PULSE_SERVER", ("unix:" + (dir / "none").string()).c_str(), 1);
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    FakeBeep bell;
    std::ostringstream report;
    {
        PulseBeep beep(bell, report);
        beep.beep();
        beep.beep();
        waitForRings(bell, 2); // handed back by the sound thread once connecting failed
        ASSERT_EQ(bell.beeps, 2);
        beep.beep(); // not tried again at once: rung here and now
        EXPECT_EQ(bell.beeps, 3);
    }
    const std::string said = report.str();
    EXPECT_TRUE(said.starts_with("veskor: no sound server (")) << said;
    EXPECT_TRUE(said.ends_with("); alarms ring the X bell\n")) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST(PulseBeep, AServerThatNeverAnswersHoldsNothingUp) {
    // A socket that is listened on but never read: the kernel completes the connection from the
    // backlog, and the client waits for an answer that never comes.
    const test::TempDir dir;
    const std::string path = (dir / "native").string();
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof(address.sun_path));
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(::listen(listener, 8), 0);
    ::setenv("PULSE_SERVER", ("unix:" + path).c_str(), 1);
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    FakeBeep bell;
    std::ostringstream report;
    {
        PulseBeep leftWaiting(bell, report);
        leftWaiting.beep();
    } // ends while the server keeps it waiting
    {
        PulseBeep beep(bell, report);
        beep.beep();
        waitForRings(bell, 1); // once the connection's time is up
        EXPECT_EQ(bell.beeps, 1);
    }
    EXPECT_NE(report.str().find("(no answer)"), std::string::npos) << report.str();
    ::close(listener);
}

} // namespace
} // namespace veskor
