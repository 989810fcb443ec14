// The end-of-program signals reach the event loop instead of ending the process.

#include "platform/linux/QuitSignals.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <vector>

namespace veskor {
namespace {

TEST(QuitSignals, EachSignalArrivesInTheEventLoopInOrder) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    std::vector<int> arrived;
    {
        QuitSignals quitSignals;
        QObject::connect(&quitSignals, &QuitSignals::quitRequested,
                         [&](int number) { arrived.push_back(number); });
        for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
            ASSERT_EQ(std::raise(number), 0);
        }
        EXPECT_TRUE(arrived.empty()); // nothing runs inside the handler
        const QDeadlineTimer deadline(10000);
        while (arrived.size() < 3 && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
    }
    EXPECT_EQ(arrived, (std::vector<int>{SIGTERM, SIGINT, SIGHUP}));
    // Once it is gone the signals do what they always did.
    struct sigaction now {};
    ASSERT_EQ(::sigaction(SIGTERM, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

} // namespace
} // namespace veskor
