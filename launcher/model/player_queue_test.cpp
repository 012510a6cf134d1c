#include "launcher/model/player_queue.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(PlayQueue, WalksForwardAndBackWithinTheList) {
    PlayQueue q;
    EXPECT_FALSE(q.HasCurrent());
    EXPECT_EQ(q.Current(), L"");
    EXPECT_FALSE(q.Advance());
    EXPECT_FALSE(q.Back());

    q.Assign({L"a", L"b", L"c"});
    EXPECT_EQ(q.Current(), L"a");
    EXPECT_FALSE(q.Back());
    EXPECT_EQ(q.Current(), L"a");
    EXPECT_TRUE(q.Advance());
    EXPECT_TRUE(q.Advance());
    EXPECT_EQ(q.Current(), L"c");
    EXPECT_FALSE(q.Advance());  // the end holds
    EXPECT_EQ(q.Current(), L"c");
    EXPECT_TRUE(q.Back());
    EXPECT_EQ(q.Current(), L"b");

    // A new list starts at its first file; an empty one has none.
    q.Assign({L"x"});
    EXPECT_EQ(q.Index(), 0u);
    EXPECT_EQ(q.Current(), L"x");
    EXPECT_FALSE(q.Advance());
    q.Clear();
    EXPECT_TRUE(q.Empty());
    EXPECT_FALSE(q.HasCurrent());
    EXPECT_EQ(q.Current(), L"");
}

}  // namespace
}  // namespace tessaly
