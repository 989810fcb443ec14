#include "session/core/ExitSession.h"

#include "platform/fake/FakeSessionService.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <optional>
#include <utility>

using namespace veskor;

namespace {

constexpr std::pair<ExitType, std::uint32_t> kTypeFlags[] = {
    {ExitType::LogOff, 0}, {ExitType::Reboot, 2}, {ExitType::ShutDown, 1}, {ExitType::PowerOff, 8}};

// The fake answers at once, so a run has ended when these return.
std::optional<ExitOutcome> outcome(ExitSession& exit) {
    std::optional<ExitOutcome> seen;
    exit.execute([&seen](ExitOutcome done) { seen = done; });
    return seen;
}

bool accepted(ExitSession& exit) {
    return outcome(exit) == ExitOutcome::Accepted;
}

bool privileged(ExitSession& exit) {
    std::optional<bool> seen;
    exit.enableShutdownPrivilege([&seen](bool allowed) { seen = allowed; });
    return seen.value_or(false);
}

} // namespace

TEST(ExitSession, AsksForTheFlagsOfEveryTypeWithAndWithoutForce) {
    for (const int platform : {1, 2}) {
        for (const auto& [type, flags] : kTypeFlags) {
            for (const bool force : {false, true}) {
                FakeSessionService service;
                service.id = platform;
                ExitSession exit(service);
                exit.setExitType(type);
                exit.setUnconditional(force);
                EXPECT_TRUE(accepted(exit));
                const std::uint32_t expected = force ? flags | 4 : flags;
                EXPECT_EQ(service.requests, std::vector{expected}) << platform;
                // Only the platform that wants it runs the privilege step, for the same request.
                EXPECT_EQ(service.adjusted,
                          platform == 2 ? std::vector{expected} : std::vector<std::uint32_t>{});
                EXPECT_EQ(exit.lastError(), "");
            }
        }
    }
}

TEST(ExitSession, ClassifiesThePlatformByItsIdentifier) {
    EXPECT_EQ(platformKind(0), PlatformKind::Win32s);
    EXPECT_EQ(platformKind(1), PlatformKind::Windows);
    EXPECT_EQ(platformKind(2), PlatformKind::Nt);
    EXPECT_EQ(platformKind(3), PlatformKind::Unknown);
    EXPECT_EQ(platformKind(-1), PlatformKind::Unknown);
    // An unknown platform is asked directly.
    FakeSessionService service;
    service.id = 3;
    ExitSession exit(service);
    EXPECT_TRUE(accepted(exit));
    EXPECT_EQ(service.opens, 0);
}

TEST(ExitSession, ARefusedPrivilegeStepAsksForNothing) {
    // The session manager cannot be reached.
    FakeSessionService unreachable;
    unreachable.openError = ECONNREFUSED;
    ExitSession first(unreachable);
    EXPECT_FALSE(privileged(first));
    EXPECT_EQ(first.lastError(), "Error: OpenProcessToken");
    EXPECT_EQ(outcome(first), ExitOutcome::Refused);
    EXPECT_EQ(first.lastError(), "Error: 111");
    EXPECT_TRUE(unreachable.adjusted.empty());
    EXPECT_TRUE(unreachable.requests.empty());

    // The user may not end it.
    FakeSessionService refusing;
    refusing.adjustError = EPERM;
    refusing.reason = "not this user";
    ExitSession second(refusing);
    second.setExitType(ExitType::ShutDown);
    EXPECT_FALSE(privileged(second));
    EXPECT_EQ(second.lastError(), "Error: AdjustTokenPrivileges");
    EXPECT_EQ(outcome(second), ExitOutcome::Refused);
    EXPECT_EQ(second.lastError(), "Error: 1");
    EXPECT_EQ(second.reason(), "not this user");
    EXPECT_EQ(refusing.adjusted, (std::vector<std::uint32_t>{1, 1}));
    EXPECT_TRUE(refusing.requests.empty());
}

TEST(ExitSession, TheDialogChoosesTheTypeAndCanOnlySwitchForcingOn) {
    FakeSessionService service;
    std::optional<std::pair<int, int>> shownAt;
    ExitChoice answer{ExitSelection::PowerOff, true};
    ExitSession exit(service, [&](int left, int top) {
        shownAt = {left, top};
        return answer;
    });
    EXPECT_EQ(exit.exitType(), ExitType::LogOff);
    EXPECT_FALSE(exit.unconditional());
    exit.setShowDialog(true);
    EXPECT_TRUE(accepted(exit));
    EXPECT_EQ(shownAt, std::pair(250, 220));
    EXPECT_EQ(service.requests, std::vector<std::uint32_t>{12});
    EXPECT_EQ(exit.exitType(), ExitType::PowerOff);

    // The box left empty the next time does not switch forcing off.
    answer = {ExitSelection::Reboot, false};
    EXPECT_TRUE(accepted(exit));
    EXPECT_EQ(service.requests.back(), 6U);
    EXPECT_EQ(exit.exitType(), ExitType::Reboot);

    const std::pair<ExitSelection, ExitType> codes[] = {
        {ExitSelection::LogOff, ExitType::LogOff}, {ExitSelection::ShutDown, ExitType::ShutDown}};
    for (const auto& [selection, type] : codes) {
        answer = {selection, false};
        EXPECT_TRUE(accepted(exit));
        EXPECT_EQ(exit.exitType(), type);
    }
}

TEST(ExitSession, CancelInTheDialogAsksForNothing) {
    FakeSessionService service;
    ExitSession cancelled(service, [](int, int) {
        return ExitChoice{ExitSelection::Cancel, true};
    });
    cancelled.setShowDialog(true);
    cancelled.setExitType(ExitType::Reboot);
    EXPECT_EQ(outcome(cancelled), ExitOutcome::Cancelled);
    EXPECT_EQ(cancelled.exitType(), ExitType::Reboot);
    EXPECT_FALSE(cancelled.unconditional());
    EXPECT_EQ(cancelled.lastError(), "");

    // Without a dialog to show, nothing is asked either.
    ExitSession withoutDialog(service);
    withoutDialog.setShowDialog(true);
    EXPECT_EQ(outcome(withoutDialog), ExitOutcome::Cancelled);
    EXPECT_EQ(service.opens, 0);
    EXPECT_TRUE(service.requests.empty());
}
