#include <gtest/gtest.h>

#include <string>

#include "data/LinkedLists.h"
#include "data/PointerLists.h"
#include "platform/Frame.h"
#include "text/Output.h"

namespace {

struct Capture {
  std::string text;
  Capture() { SetOutputCapture(&text); }
  ~Capture() {
    SetOutputCapture(nullptr);
    SetDebugMode(false);
  }
};

int items[8];

TEST(CVPIList, AddNextWrapsToReservedStart) {
  CVPIList list;
  ASSERT_EQ(list.Init(3, 0), 1);
  for (int i = 0; i < 4; ++i) ASSERT_EQ(list.AddNext(static_cast<uint16_t>(i + 1), &items[i]), 1);
  EXPECT_EQ(list.GetAt(0), &items[3]);
  EXPECT_EQ(list.GetIdAt(0), 4);
  EXPECT_EQ(list.Cursor(), 1);

  CVPIList reserved;
  ASSERT_EQ(reserved.Init(4, 2), 1);
  for (int i = 0; i < 3; ++i) reserved.AddNext(static_cast<uint16_t>(i + 1), &items[i]);
  EXPECT_EQ(reserved.GetIdAt(2), 3);  // slots 0 and 1 stay reserved
  EXPECT_EQ(reserved.GetIdAt(0), 0);

  EXPECT_EQ(list.Init(-1, 0), 0);
  EXPECT_STREQ(LastErrorText(), "CVPIList::Init: Invalid capacity or start");
  EXPECT_EQ(list.Init(3, 4), 0);
  EXPECT_EQ(list.SetAt(0, 1, &items[0]), 0);
}

TEST(CVPIList, AddFreeFindsEmptySlotsFromTheCursor) {
  CVPIList list;
  ASSERT_EQ(list.Init(4, 1), 1);
  int slot = -1;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(list.AddFree(static_cast<uint16_t>(10 + i), &items[i], &slot), 1);
    EXPECT_EQ(slot, 1 + i);
  }
  EXPECT_EQ(list.AddFree(20, &items[4]), 0);  // slots 1..3 full; slot 0 is reserved
  list.RemoveAt(2);
  ASSERT_EQ(list.AddFree(21, &items[5], &slot), 1);
  EXPECT_EQ(slot, 2);
  CVPIList full;
  full.Init(2, 2);
  EXPECT_EQ(full.AddFree(1, &items[0]), 0);  // cursor at capacity
}

TEST(CVPIList, LookUpCacheNeverOutlivesAWrite) {
  CVPIList list;
  ASSERT_EQ(list.Init(4, 0), 1);
  list.SetAt(0, 7, &items[0]);
  list.SetAt(1, 7, &items[1]);
  EXPECT_EQ(list.Get(7), &items[0]);  // first of two
  EXPECT_EQ(list.FindIndex(7), 0);
  // Each write replaces what the cache remembered.
  list.SetAt(0, 7, &items[2]);
  EXPECT_EQ(list.Get(7), &items[2]);
  list.AddNext(7, &items[3]);  // cursor 0
  EXPECT_EQ(list.Get(7), &items[3]);
  list.RemoveAt(0);
  EXPECT_EQ(list.Get(7), &items[1]);
  list.RemoveAt(1);
  EXPECT_EQ(list.Get(7), nullptr);
  EXPECT_EQ(list.Get(0), nullptr);  // ID 0 is never found
  ASSERT_EQ(list.Grow(2), 1);
  EXPECT_EQ(list.GetCount(), 6);
  list.SetAt(5, 9, &items[4]);
  EXPECT_EQ(list.Get(9), &items[4]);
  EXPECT_EQ(list.GetAt(6), nullptr);
  EXPECT_EQ(list.GetIdAt(-1), 0);
}

TEST(CVPIList, DirectedSearchesRejectStartsOutsideTheSlots) {
  Capture out;
  SetDebugMode(true);
  CVPIList list;
  list.Init(5, 0);
  list.SetAt(1, 3, &items[0]);
  list.SetAt(3, 3, &items[1]);
  EXPECT_EQ(list.FindForward(3, 2), 3);
  EXPECT_EQ(list.FindForward(3, 4), -1);
  EXPECT_EQ(list.FindBackward(3, 2), 1);
  EXPECT_EQ(list.FindBackward(3, 0), -1);
  EXPECT_EQ(out.text, "");
  EXPECT_EQ(list.FindForward(3, -1), -1);
  EXPECT_EQ(list.FindForward(3, 5), -1);
  EXPECT_EQ(list.FindBackward(3, 5), -1);
  EXPECT_EQ(out.text,
            "DBG (CVPIList::GetPosLSForward): Invalid start position -1\n"
            "DBG (CVPIList::GetPosLSForward): Invalid start position 5\n"
            "DBG (CVPIList::GetPosLSBackward): Invalid start position 5\n");
}

TEST(CVPList, PositionsFromOne) {
  Capture out;
  CVPListOf<int> list;
  ASSERT_EQ(list.Init(2), 1);
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_EQ(list.Get(3), nullptr);
  EXPECT_EQ(out.text,
            "ERROR (CVPList::Get): Position out of range: -1\n"
            "ERROR (CVPList::Get): Position out of range: 2\n");
  EXPECT_EQ(list.Set(0, &items[0]), 0);
  EXPECT_EQ(list.Set(2, &items[1]), 1);
  EXPECT_EQ(list.AddFree(&items[2]), 1);
  EXPECT_EQ(list.AddFree(&items[3]), 0);
  EXPECT_EQ(list.AddGrow(&items[3], 0), 0);
  EXPECT_EQ(list.AddGrow(&items[3], 3), 3);
  EXPECT_EQ(list.GetCount(), 5);
  EXPECT_EQ(list.CountUsed(), 3);
  EXPECT_EQ(list.Get(3), &items[3]);
  ASSERT_EQ(list.Resize(2), 1);
  EXPECT_EQ(list.Get(2), &items[1]);
  EXPECT_EQ(list.CountUsed(), 2);
  EXPECT_EQ(list.Init(-1), 0);

  CVPTypedList typed;
  ASSERT_EQ(typed.Init(1), 1);
  EXPECT_EQ(typed.AddFree(&items[0], 5), 1);
  EXPECT_EQ(typed.AddFree(&items[1], 6), 0);
  EXPECT_EQ(typed.GetType(1), 5);
  EXPECT_EQ(typed.GetItem(1), &items[0]);
  EXPECT_EQ(typed.GetType(2), 0);
  EXPECT_EQ(typed.SetAt(0, &items[1], 1), 0);
}

TEST(LinkedLists, IdListAppendsAndRemoves) {
  CVPILinkedList list;
  list.Add(1, &items[0]);
  list.Add(2, &items[1]);
  list.Add(1, &items[2]);
  EXPECT_EQ(list.Get(2), &items[2]);
  EXPECT_EQ(list.Get(3), nullptr);
  EXPECT_EQ(list.RemoveById(1), &items[0]);
  EXPECT_EQ(list.Get(0), &items[1]);
  EXPECT_EQ(list.RemoveById(9), nullptr);
  CVPILinkedList::Node* chain = list.Detach();
  EXPECT_EQ(list.Count(), 0);
  ASSERT_NE(chain, nullptr);
  EXPECT_EQ(chain->next->item, &items[2]);
  CVPILinkedList::FreeChain(chain);
}

TEST(LinkedLists, AddAfterKeepsTheRestOfTheChain) {
  Capture out;
  CVPLinkedList list;
  list.AddHead(&items[2]);
  list.AddHead(&items[0]);  // 0, 2
  CVPLinkedList::Node* head = list.Head();
  list.AddAfter(&items[1], head);  // 0, 1, 2
  EXPECT_EQ(out.text, "WARNING (CVPLinkedList::AddPos): Next exists\n");
  list.AddAfter(&items[3], list.Last());  // at the tail: no warning
  list.AddAfter(&items[4], nullptr);      // at the head
  EXPECT_EQ(out.text, "WARNING (CVPLinkedList::AddPos): Next exists\n");
  ASSERT_EQ(list.Count(), 5);
  const int* expected[] = {&items[4], &items[0], &items[1], &items[2], &items[3]};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.GetAt(i, false)->item, expected[i]) << i;

  EXPECT_EQ(list.RemoveAt(5), nullptr);  // no such node: nothing changes
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.RemoveAt(0), &items[4]);
  CVPLinkedList::Node* taken = list.GetAt(1, true);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->item, &items[1]);
  delete taken;
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Last()->item, &items[3]);
  list.Clear();
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Last(), nullptr);
}

}  // namespace
