#include "common/Error.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

using veskor::formatMessage;

TEST(FormatMessage, SubstitutesTheFirstPlaceholderOnly) {
    EXPECT_EQ(formatMessage("Invalid data type for '%s'", std::string("Left")),
              "Invalid data type for 'Left'");
    EXPECT_EQ(formatMessage("%s and %s", std::string("x")), "x and %s");
    EXPECT_EQ(formatMessage("%d of %s", std::string("x")), "x of %s");
    EXPECT_EQ(formatMessage("Line %d", 42LL), "Line 42");
    EXPECT_EQ(formatMessage("%d", LLONG_MIN), "-9223372036854775808");
}

TEST(FormatMessage, LeavesTextWithoutPlaceholderAlone) {
    EXPECT_EQ(formatMessage("Load failed.", std::string("x")), "Load failed.");
    EXPECT_EQ(formatMessage("100%", 5LL), "100%");
    EXPECT_EQ(formatMessage("", std::string("x")), "");
    EXPECT_EQ(formatMessage("%x %s", std::string("y")), "%x y");
}

TEST(FormatMessage, ArgumentIsInsertedVerbatim) {
    // A "%s" inside the argument must not be expanded again.
    EXPECT_EQ(formatMessage("[%s]", std::string("%s%d")), "[%s%d]");
}

} // namespace
