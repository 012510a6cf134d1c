#include "launcher/model/page_layout.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(PageEntries, BuiltinsThenGroupInMapOrderThenReturnBoundedToFiftySlots) {
    EntryMap builtins;
    builtins.Set(L"B", L"tb");
    builtins.Set(L"A", L"ta");
    EntryMap group;
    group.Set(L"x", L"1");
    group.Set(L"y", L"2");
    std::vector<LaunchEntry> e = PageEntries({L"B", L"A"}, builtins, group);
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].name, L"B");
    EXPECT_EQ(e[1].target, L"ta");
    std::vector<std::wstring> groupOrder;
    for (const LaunchEntry& g : group) groupOrder.push_back(g.name);
    EXPECT_EQ(e[2].name, groupOrder[0]);
    EXPECT_EQ(e[3].name, groupOrder[1]);
    EXPECT_EQ(e[4].name, L"Return");
    EXPECT_EQ(e[4].target, L"return");

    // An empty group: Return alone.
    EXPECT_EQ(PageEntries({}, EntryMap(), EntryMap()).size(), 1u);

    // More entries than slots: the first 49 in map order, then Return in slot 50.
    EntryMap big;
    for (int i = 0; i < 60; ++i) big.Set(L"n" + std::to_wstring(i), L"t");
    e = PageEntries({L"B", L"A"}, builtins, big);
    ASSERT_EQ(e.size(), static_cast<std::size_t>(kPageUsableSlots));
    EXPECT_EQ(e.back().name, L"Return");
    EXPECT_EQ(GroupEntriesToRead(0), 49u);
    EXPECT_EQ(GroupEntriesToRead(2), 47u);
    EXPECT_EQ(GroupEntriesToRead(60), 0u);
}

TEST(TileFlow, ColumnsAtTheDocumentedSizes) {
    TileFlow big(1920, 1080, 1080);
    std::vector<RECT> r;
    for (int i = 0; i < 17; ++i) r.push_back(big.Next());
    EXPECT_EQ(r[0].left, 100);
    EXPECT_EQ(r[0].top, 210);
    EXPECT_EQ(r[0].right - r[0].left, 400);
    EXPECT_EQ(r[0].bottom - r[0].top, 73);
    EXPECT_EQ(r[1].top, 304);
    EXPECT_EQ(r[7].top, 868);  // eight in a column
    EXPECT_EQ(r[8].left, 550);
    EXPECT_EQ(r[8].top, 210);
    EXPECT_EQ(r[16].left, 1000);

    TileFlow small(1024, 768, 768);
    r.clear();
    for (int i = 0; i < 8; ++i) r.push_back(small.Next());
    EXPECT_EQ(r[0].left, 53);
    EXPECT_EQ(r[0].top, 150);
    EXPECT_EQ(r[1].top, 217);
    EXPECT_EQ(r[6].top, 552);  // seven in a column: 619 > 618 starts the next
    EXPECT_EQ(r[7].top, 150);
    EXPECT_EQ(r[7].left, 53 + 240);
}

TEST(PageHighlight, WrapsBothWaysSkippingDeletedTiles) {
    std::vector<bool> avail{false, true, false, true, true};  // slots 1..4, slot 2 deleted
    auto a = [&](int s) { return avail[s]; };
    EXPECT_EQ(MoveHighlight(1, 4, false, a), 4);  // Up on the first wraps to Return
    EXPECT_EQ(MoveHighlight(4, 4, true, a), 1);   // Down on Return wraps to the first
    EXPECT_EQ(MoveHighlight(1, 4, true, a), 3);
    EXPECT_EQ(MoveHighlight(3, 4, false, a), 1);
    EXPECT_EQ(MoveHighlight(1, 1, true, a), 1);
    EXPECT_EQ(MoveHighlight(9, 4, true, a), 1);   // out of range starts at the edge
    EXPECT_EQ(MoveHighlight(2, 0, true, a), 2);
    auto none = [](int) { return false; };
    EXPECT_EQ(MoveHighlight(2, 4, true, none), 2);  // never spins
}

TEST(PageHighlight, ChannelKeysGoAColumnOverAvailableTilesAndStopAtTheEnds) {
    // Twelve slots, four to a column; slots 3 and 6 deleted.
    auto a = [](int s) { return s != 3 && s != 6; };
    EXPECT_EQ(ColumnStep(1, 12, 4, true, a), 7);    // 2, 4, 5, 7
    EXPECT_EQ(ColumnStep(7, 12, 4, false, a), 1);
    EXPECT_EQ(ColumnStep(10, 12, 4, true, a), 12);  // the last, not round to the first
    EXPECT_EQ(ColumnStep(2, 12, 4, false, a), 1);
    EXPECT_EQ(ColumnStep(12, 12, 4, true, a), 12);
    EXPECT_EQ(ColumnStep(1, 0, 4, true, a), 1);
    EXPECT_EQ(ColumnStep(2, 12, 4, true, [](int) { return false; }), 2);
}

TEST(PageDelete, AvailableTilesCloseUpInSlotOrder) {
    // Five user tiles and Return; the first and the fourth are gone.
    std::vector<bool> avail{false, false, true, true, false, true, true};
    std::vector<int> pos = ClosedGapPositions(avail);
    EXPECT_EQ(pos, (std::vector<int>{0, 0, 1, 2, 0, 3, 4}));
}

TEST(SelectChoices, DefaultsOrMapOrderBoundedToEightSlots) {
    std::vector<LaunchEntry> d = SelectChoices(EntryMap(EntryMap::kChoiceBuckets));
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].name, L"Game Menu");
    EXPECT_EQ(d[1].name, L"Other Program");
    EXPECT_TRUE(d[0].target.empty());

    // Two drives: the order follows the 8-bucket hash of the texts, not the letters.
    EntryMap drives(EntryMap::kChoiceBuckets);
    for (const LaunchEntry& c : RemovableDiskChoices(L"E:\\ F:\\ ")) drives.Set(c.name, c.target);
    std::vector<LaunchEntry> c = SelectChoices(drives);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_LT(drives.BucketOf(c[0].name), drives.BucketOf(c[1].name));
    EXPECT_EQ(c[0].name, L"Play From " + c[0].target + L" Disk");
    EXPECT_EQ(drives.Find(L"Play From E:\\  Disk") ? *drives.Find(L"Play From E:\\  Disk") : L"", L"E:\\ ");

    // Every letter C..Z accumulated: only eight choices.
    EntryMap many(EntryMap::kChoiceBuckets);
    for (wchar_t l = L'C'; l <= L'Z'; ++l) {
        std::wstring root{l, L':', L'\\', L' '};
        for (const LaunchEntry& e : RemovableDiskChoices(root)) many.Set(e.name, e.target);
    }
    EXPECT_EQ(SelectChoices(many).size(), kChoiceSlots);
    // A trailing fragment shorter than a root is no choice.
    EXPECT_EQ(RemovableDiskChoices(L"E:\\ F:").size(), 1u);
}

TEST(SelectChoices, UpDownWrapAndBringCurrentBackIntoRange) {
    EXPECT_EQ(ChoiceUp(0, 2), 1);
    EXPECT_EQ(ChoiceDown(1, 2), 0);
    EXPECT_EQ(ChoiceDown(0, 2), 1);
    EXPECT_EQ(ChoiceUp(5, 2), 1);   // 5 is out of range: from slot 0
    EXPECT_EQ(ChoiceDown(-3, 2), 1);
    EXPECT_EQ(ClampChoice(7, 2), 0);
    EXPECT_EQ(ClampChoice(1, 2), 1);
    EXPECT_EQ(ChoiceUp(0, 0), 0);

    RECT dlg = SelectDialogRect(1920, 1080);
    EXPECT_EQ(dlg.left, 760);
    EXPECT_EQ(dlg.bottom - dlg.top, 590);
    EXPECT_EQ(dlg.top, 540 - 295);
    RECT seventh = ChoiceRect(6, 1080);
    EXPECT_EQ(seventh.top, 578);
    EXPECT_EQ(seventh.right - seventh.left, 350);
}

}  // namespace
}  // namespace tessaly
