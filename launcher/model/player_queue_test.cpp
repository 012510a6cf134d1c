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

// A tree listed in batches: the first batch starts the list, later ones extend it, a second listing
// waits for the first to end, and nothing of a listing given up or ended gets through.
TEST(TreeListing, FirstBatchStartsLaterOnesExtendStaleOnesAreDropped) {
    TreeListing listing;
    PlayQueue q;
    auto apply = [&](unsigned ticket, const std::vector<std::wstring>& files) {
        switch (listing.Found(ticket, !files.empty())) {
            case TreeListing::Use::kStart: q.Assign(files); return 's';
            case TreeListing::Use::kAppend: q.Append(files); return 'a';
            default: return 'd';
        }
    };
    EXPECT_FALSE(listing.Busy());
    EXPECT_EQ(apply(1, {L"x"}), 'd');  // nothing asked for

    const unsigned first = listing.Begin();
    ASSERT_NE(first, 0u);
    EXPECT_TRUE(listing.Busy());
    EXPECT_EQ(listing.Begin(), 0u);  // a second press while listing
    EXPECT_EQ(listing.Ticket(), first);
    EXPECT_EQ(apply(first, {}), 'd');
    EXPECT_EQ(apply(first, {L"a"}), 's');
    EXPECT_TRUE(q.Advance() == false && q.Current() == L"a");
    EXPECT_EQ(apply(first, {L"b", L"c"}), 'a');
    EXPECT_EQ(q.Current(), L"a");  // appending keeps the file that plays
    EXPECT_TRUE(q.Advance());
    EXPECT_TRUE(q.Advance());
    EXPECT_EQ(q.Current(), L"c");
    EXPECT_EQ(q.Size(), 3u);
    EXPECT_FALSE(listing.Finished(first + 1));
    EXPECT_TRUE(listing.Finished(first));
    EXPECT_FALSE(listing.Busy());
    EXPECT_EQ(apply(first, {L"late"}), 'd');

    // Given up: its batches no longer count; the next listing starts its own list.
    const unsigned second = listing.Begin();
    ASSERT_NE(second, first);
    listing.Cancel();
    EXPECT_EQ(apply(second, {L"x"}), 'd');
    EXPECT_FALSE(listing.Finished(second));
    const unsigned third = listing.Begin();
    EXPECT_EQ(apply(second, {L"x"}), 'd');
    EXPECT_EQ(apply(third, {L"y"}), 's');
    EXPECT_EQ(q.Size(), 1u);
    EXPECT_EQ(q.Current(), L"y");
}

}  // namespace
}  // namespace tessaly
