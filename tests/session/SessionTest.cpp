// Always on top and the tray tip.

#include "platform/fake/FakeWindowState.h"
#include "session/core/TopMost.h"
#include "session/widgets/TrayIcon.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

TEST(TopMost, AppliesAtCreationAndOnChangesOnly) {
    FakeWindowState state;
    std::uintptr_t window = 0x2a;
    TTopMost topMost(state, [&] { return window; });
    ASSERT_EQ(state.calls.size(), 1U);
    EXPECT_TRUE(state.calls[0].onTop);
    EXPECT_EQ(state.calls[0].window, 0x2aU);

    topMost.SetTopMost(true); // the current value: no platform call
    EXPECT_EQ(state.calls.size(), 1U);
    topMost.SetTopMost(false);
    ASSERT_EQ(state.calls.size(), 2U);
    EXPECT_FALSE(state.calls[1].onTop);
    EXPECT_FALSE(topMost.TopMost());
    topMost.SetTopMost(false);
    EXPECT_EQ(state.calls.size(), 2U);

    window = 0x2b; // a re-created window gets the state again
    topMost.Apply();
    ASSERT_EQ(state.calls.size(), 3U);
    EXPECT_EQ(state.calls[2].window, 0x2bU);
    EXPECT_FALSE(state.calls[2].onTop);
}

TEST(TrayTip, CutTo63Characters) {
    EXPECT_EQ(TrayTip("Veskor Pro 4.5"), "Veskor Pro 4.5");
    const QString long70 = QString(70, QChar('a'));
    EXPECT_EQ(TrayTip(long70).size(), 63);
    EXPECT_EQ(TrayTip(QString(63, QChar('b'))), QString(63, QChar('b')));
    // Accented characters count as one each.
    EXPECT_EQ(TrayTip(QString(64, QChar(0x17E))).size(), 63);
    // A character outside the basic plane is not cut in half.
    const QString astral = QString(62, QChar('c')) + QString::fromUtf8("\xF0\x9F\x93\x85");
    EXPECT_EQ(TrayTip(astral), QString(62, QChar('c')));
}

} // namespace
} // namespace veskor
