#include "common/Error.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

using veskor::FormatMessage;

TEST(FormatMessage, SubstitutesTheFirstPlaceholderOnly) {
    EXPECT_EQ(FormatMessage("Invalid data type for '%s'", std::string("Left")),
              "Invalid data type for 'Left'");
    EXPECT_EQ(FormatMessage("%s and %s", std::string("x")), "x and %s");
    EXPECT_EQ(FormatMessage("%d of %s", std::string("x")), "x of %s");
    EXPECT_EQ(FormatMessage("Line %d", 42LL), "Line 42");
    EXPECT_EQ(FormatMessage("%d", LLONG_MIN), "-9223372036854775808");
}

TEST(FormatMessage, LeavesTextWithoutPlaceholderAlone) {
    EXPECT_EQ(FormatMessage("Load failed.", std::string("x")), "Load failed.");
    EXPECT_EQ(FormatMessage("100%", 5LL), "100%");
    EXPECT_EQ(FormatMessage("", std::string("x")), "");
    EXPECT_EQ(FormatMessage("%x %s", std::string("y")), "%x y");
}

TEST(FormatMessage, ArgumentIsInsertedVerbatim) {
    // A "%s" inside the argument must not be expanded again.
    EXPECT_EQ(FormatMessage("[%s]", std::string("%s%d")), "[%s%d]");
}

} // namespace
