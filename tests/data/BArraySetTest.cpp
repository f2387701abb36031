#include "data/BArraySet.h"

#include <gtest/gtest.h>

namespace {

uint8_t* NewBuffer(uint8_t value) {
  uint8_t* b = new uint8_t[4];
  for (int i = 0; i < 4; ++i) b[i] = value;
  return b;
}

}  // namespace

TEST(BArraySet, InitChecksItsArguments) {
  CBArraySet s;
  EXPECT_EQ(s.Init(0, 1, 4, 4, 0), 0);
  EXPECT_EQ(s.Init(1, 1, 4, 0, 0), 0);
  EXPECT_EQ(s.Init(1, 1, 4, 4, 4), 0);
  EXPECT_EQ(s.Init(1, 1, 4, 4, -1), 0);
  EXPECT_EQ(s.Init(1, 1, 4, 4, 3), 1);
  EXPECT_EQ(s.Cursor(), 3);
}

TEST(BArraySet, AddFreeWrapsToTheReservedStart) {
  CBArraySet s;
  ASSERT_EQ(s.Init(1, 1, 4, 4, 1), 1);
  ASSERT_EQ(s.SetAt(3, 30, NewBuffer(3)), 1);
  s.SetCursor(3);
  ASSERT_EQ(s.AddFree(10, NewBuffer(1)), 1);
  EXPECT_EQ(s.FindIndex(10), 1);
  EXPECT_EQ(s.Get(10)[0], 1);
  ASSERT_EQ(s.AddFree(20, NewBuffer(2)), 1);
  EXPECT_EQ(s.FindIndex(20), 2);
  uint8_t* extra = NewBuffer(9);
  EXPECT_EQ(s.AddFree(40, extra), 0);  // slots 1 to 3 are full; slot 0 is reserved
  delete[] extra;
}

TEST(BArraySet, AddNextRefusesAnOccupiedSlotAndAdvances) {
  CBArraySet s;
  ASSERT_EQ(s.Init(1, 1, 4, 2, 0), 1);
  ASSERT_EQ(s.SetAt(0, 5, NewBuffer(5)), 1);
  uint8_t* b = NewBuffer(6);
  EXPECT_EQ(s.AddNext(6, b), 0);  // the caller keeps b
  EXPECT_EQ(s.Get(5)[0], 5);
  s.SetCursor(1);
  ASSERT_EQ(s.AddNext(6, b), 1);
  EXPECT_EQ(s.Cursor(), 2);
  uint8_t* c = NewBuffer(7);
  EXPECT_EQ(s.AddNext(7, c), 0);
  delete[] c;
  // Look-ups by ID find the first slot holding it.
  ASSERT_EQ(s.RemoveAt(1, 1), 1);
  ASSERT_EQ(s.SetAt(1, 5, NewBuffer(8)), 1);
  EXPECT_EQ(s.Get(5)[0], 5);
  ASSERT_EQ(s.Remove(5, 1), 1);
  EXPECT_EQ(s.Get(5)[0], 8);
  EXPECT_EQ(s.Remove(99, 1), 1);
}

TEST(BArraySet, AddArrayTakesOnlyMatchingOwnedBuffers) {
  CBArraySet s;
  ASSERT_EQ(s.Init(2, 1, 4, 3, 0), 1);
  CBArray wrong;
  ASSERT_EQ(wrong.Init(1, 2, 4), 1);
  EXPECT_EQ(s.AddArray(1, &wrong, 1), 0);
  EXPECT_TRUE(wrong.HasData());

  CBArray frame;
  ASSERT_EQ(frame.Init(2, 1, 4), 1);
  frame.Fill(0x11);
  uint8_t* buffer = frame.GetData();
  ASSERT_EQ(s.AddArray(1, &frame, 1), 1);
  EXPECT_FALSE(frame.HasData());
  EXPECT_EQ(s.Get(1), buffer);

  {
    CBArray view;
    ASSERT_EQ(s.ViewAt(0, &view), 1);
    EXPECT_TRUE(view.IsView());
    EXPECT_EQ(view.Width(), 2);
    const uint8_t px[4] = {1, 2, 3, 0};
    view.SetElement(px, 1, 0);
    // A view cannot be handed over: the set already owns its buffer.
    EXPECT_EQ(s.AddArray(2, &view, 1), 0);
    // Destroyed without Detach: the view never frees the set's buffer.
  }
  EXPECT_EQ(s.Get(1)[4], 1);
  EXPECT_EQ(s.Get(1)[0], 0x11);

  CBArray replacement;
  ASSERT_EQ(replacement.Init(2, 1, 4), 1);
  replacement.Fill(0x22);
  uint32_t generation = s.Generation();
  ASSERT_EQ(s.ReplaceAt(0, 3, &replacement), 1);
  EXPECT_GT(s.Generation(), generation);
  EXPECT_EQ(s.Get(1), nullptr);
  EXPECT_EQ(s.Get(3)[7], 0x22);
}
