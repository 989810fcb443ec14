#include "session/core/InstanceGuard.h"

#include "platform/fake/FakeInstanceSlots.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace veskor;

namespace {

const std::string kName = "Quenby.CloneControl.veskor";

// One copy of the program as the guard sees it: its own places object over the user's shared
// count, and what the guard asked of the program.
struct Copy {
    explicit Copy(FakeInstanceSlots::Held& held, const std::string& file = "veskor")
        : slots(held), guard(slots, file) {
        guard.setMessageDisplay([this](const std::string& text) { messages.push_back(text); });
        guard.setQuitRequest([this] { ++quits; });
    }
    FakeInstanceSlots slots;
    InstanceGuard guard;
    std::vector<std::string> messages;
    int quits = 0;
};

} // namespace

TEST(InstanceGuard, CountsTheFirstCopyAndReleasesItAtTheEnd) {
    FakeInstanceSlots::Held held;
    {
        Copy copy(held);
        EXPECT_EQ(copy.guard.name(), kName);
        EXPECT_EQ(copy.guard.maxInstances(), 1);
        EXPECT_EQ(copy.guard.action(), InstanceGuard::Action::Message);
        EXPECT_EQ(copy.guard.termination(), InstanceGuard::Termination::AppTerminate);
        EXPECT_EQ(held[kName], 0) << "nothing is counted before the check";
        copy.guard.check();
        EXPECT_TRUE(copy.guard.isCounted());
        EXPECT_EQ(held[kName], 1);
        EXPECT_EQ(copy.quits, 0);
    }
    EXPECT_EQ(held[kName], 0);
}

TEST(InstanceGuard, ASurplusCopyActsAndEndsAsSet) {
    FakeInstanceSlots::Held held{{kName, 1}}; // the first copy runs
    {
        Copy copy(held);
        copy.guard.check();
        EXPECT_FALSE(copy.guard.isCounted());
        EXPECT_EQ(copy.messages,
                  std::vector<std::string>{"Only 1 instance(s) of application is allowed"});
        EXPECT_EQ(copy.quits, 1);
    }
    EXPECT_EQ(held[kName], 1) << "a surplus copy never takes the first one's count away";
    {
        // As on the bar: silently.
        Copy copy(held);
        copy.guard.setAction(InstanceGuard::Action::None);
        copy.guard.check();
        EXPECT_TRUE(copy.messages.empty());
        EXPECT_EQ(copy.quits, 1);
    }
    {
        Copy copy(held);
        std::vector<std::string> order;
        copy.guard.setAction(InstanceGuard::Action::Custom);
        copy.guard.setTermination(InstanceGuard::Termination::Custom);
        copy.guard.setOnAction([&](InstanceGuard& sender) {
            EXPECT_EQ(&sender, &copy.guard);
            order.emplace_back("action");
        });
        copy.guard.setOnTerminate([&](InstanceGuard&) { order.emplace_back("terminate"); });
        copy.guard.check();
        EXPECT_EQ(order, (std::vector<std::string>{"action", "terminate"}));
        EXPECT_TRUE(copy.messages.empty());
        EXPECT_EQ(copy.quits, 0);
    }
}

TEST(InstanceGuardDeathTest, HaltEndsTheSurplusCopyAtOnce) {
    FakeInstanceSlots::Held held{{kName, 1}};
    EXPECT_EXIT(
        {
            Copy copy(held);
            copy.guard.setTermination(InstanceGuard::Termination::Halt);
            copy.guard.check();
            std::fprintf(stderr, "still running\n");
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "^$");
}

TEST(InstanceGuard, CopiesUnderAnotherNameOrBelowTheLimitRun) {
    FakeInstanceSlots::Held held{{kName, 1}};
    {
        Copy renamed(held, "veskor-copy");
        renamed.guard.check();
        EXPECT_TRUE(renamed.guard.isCounted());
    }
    Copy second(held);
    second.guard.setMaxInstances(2);
    second.guard.check();
    EXPECT_TRUE(second.guard.isCounted());
    EXPECT_EQ(held[kName], 2);
}

TEST(InstanceGuard, WithoutPlacesTheCopyRunsUnlimitedAndSilent) {
    FakeInstanceSlots::Held held{{kName, 1}};
    Copy copy(held);
    copy.slots.unavailable = true;
    copy.guard.check();
    EXPECT_FALSE(copy.guard.isCounted());
    EXPECT_TRUE(copy.messages.empty());
    EXPECT_EQ(copy.quits, 0);
}

TEST(InstanceGuard, StoresTheLimitWithinItsRange) {
    FakeInstanceSlots::Held held;
    Copy copy(held);
    const std::pair<int, int> stored[] = {{0, 1}, {-5, 1}, {3, 3}, {65520, 65520}, {70000, 65520}};
    for (const auto& [set, read] : stored) {
        copy.guard.setMaxInstances(set);
        EXPECT_EQ(copy.guard.maxInstances(), read) << set;
    }
}

TEST(InstanceGuard, OneGuardPerProgram) {
    FakeInstanceSlots::Held held;
    FakeInstanceSlots slots(held);
    {
        const InstanceGuard first(slots, "veskor");
        EXPECT_EQ(test::errorOf([&] { const InstanceGuard second(slots, "other"); }),
                  "Only one instance of CloneControl allowed");
        EXPECT_THROW(InstanceGuard(slots, "veskor"), InstanceGuardError);
    }
    // Once the first is gone, a new one may be made.
    EXPECT_EQ(test::errorOf([&] { const InstanceGuard again(slots, "veskor"); }), "no error");
}
