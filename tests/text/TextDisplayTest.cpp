#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TextFixture.h"

namespace {
std::string Repeat(char c, size_t n) { return std::string(n, c); }
}  // namespace

TEST(TextDisplayWrap, LongWordIsBrokenAtTheRightEdge) {
  TestScreen s(64, 25, 100);
  s.display.WriteWrapped(Repeat('x', 70).c_str(), false);
  EXPECT_EQ(s.display.LineText(0), Repeat('x', 64));
  EXPECT_EQ(s.display.LineText(1), Repeat('x', 6));
  EXPECT_EQ(s.display.CursorColumn(), 6);
  EXPECT_EQ(s.Screen(1), Repeat('x', 6));
}

TEST(TextDisplayWrap, BreakRules) {
  struct Case {
    std::string text, line0, line1;
  } cases[] = {
      // A word ending exactly at the edge stays on its line.
      {Repeat('a', 59) + " word next", Repeat('a', 59) + " word", "next"},
      // A space 24 characters before the edge is used; the space stays above.
      {Repeat('a', 40) + " " + Repeat('b', 30), Repeat('a', 40), Repeat('b', 30)},
      // A space 25 characters before the edge is not.
      {Repeat('a', 39) + " " + Repeat('b', 30), Repeat('a', 39) + " " + Repeat('b', 24),
       Repeat('b', 6)},
  };
  for (const Case& c : cases) {
    TestScreen s(64, 25, 100);
    s.display.WriteWrapped(c.text.c_str(), true);
    EXPECT_EQ(s.display.LineText(0), c.line0) << c.text;
    EXPECT_EQ(s.display.LineText(1), c.line1) << c.text;
    EXPECT_EQ(s.display.WriteLine(), 2) << c.text;
  }
}

TEST(TextDisplayWrap, FullLineWithNewlineIsFollowedByAnEmptyLine) {
  TestScreen s(64, 25, 100);
  s.display.WriteWrapped(Repeat('z', 64).c_str(), true);
  EXPECT_EQ(s.display.LineText(0), Repeat('z', 64));
  EXPECT_EQ(s.display.LineText(1), "");
  EXPECT_EQ(s.display.WriteLine(), 2);
}

TEST(TextDisplayWrite, WriteTextIsCutToTheLine) {
  TestScreen s(10, 3, 3);
  s.display.SetColumn(7);
  s.display.WriteText("abcdefghij", false, 10);
  EXPECT_EQ(s.display.LineText(0), "       abc");
  EXPECT_EQ(s.display.LineText(1), "");
  EXPECT_EQ(s.display.CursorColumn(), 10);
  // Nothing fits any more; nothing spills into the next line.
  s.display.WriteText("zz", false, 2);
  EXPECT_EQ(s.display.LineText(1), "");
  s.display.WriteText(nullptr, true, 5);
  EXPECT_EQ(s.display.WriteLine(), 1);
}

TEST(TextDisplayWrite, WriteLinesSplitsAtNewlines) {
  TestScreen s(20, 5, 10);
  s.display.WriteLines("a\n\nb");
  EXPECT_EQ(s.display.LineText(0), "a");
  EXPECT_EQ(s.display.LineText(1), "");
  EXPECT_EQ(s.display.LineText(2), "b");
  EXPECT_EQ(s.display.WriteLine(), 2);
  EXPECT_EQ(s.display.CursorColumn(), 1);
}

TEST(TextDisplayWrite, WriteCharWrapsAndBreaksLines) {
  TestScreen s(4, 3, 5);
  for (char c : std::string("abcde\nf")) s.display.WriteChar(c);
  EXPECT_EQ(s.display.LineText(0), "abcd");
  EXPECT_EQ(s.display.LineText(1), "e");
  EXPECT_EQ(s.display.LineText(2), "f");
}

TEST(TextDisplayWrite, BackspaceStopsAtTheMargin) {
  TestScreen s(20, 5, 10);
  s.display.WriteText("abcdefgh", false, 8);
  s.display.SetMargin(2);
  s.display.WriteText("xyz", false, 3);
  s.display.Backspace(1);
  EXPECT_EQ(s.display.LineText(0), "abxy  gh");  // the cell under the cursor goes too
  s.display.Backspace(10);
  EXPECT_EQ(s.display.CursorColumn(), 2);
  EXPECT_EQ(s.display.LineText(0), "ab    gh");
  EXPECT_EQ(s.Screen(0), "ab    gh");
}

TEST(TextDisplayWrite, CentredWrites) {
  TestScreen s(20, 5, 10);
  s.display.WriteCentred(0.5, "abcd", true);  // (20 - 4) / 2
  EXPECT_EQ(s.display.LineText(0), Repeat(' ', 8) + "abcd");
  s.display.WriteCentredMargin(0.5, "xy", true);
  EXPECT_EQ(s.display.Margin(), 9);
  s.display.WriteText("under", true, 5);
  EXPECT_EQ(s.display.LineText(2), Repeat(' ', 9) + "under");
  // Too long to centre: written wrapped from the current column.
  s.display.WriteCentredWrapped(0.5, Repeat('q', 25).c_str(), false);
  EXPECT_EQ(s.display.LineText(3), Repeat(' ', 9) + Repeat('q', 11));
}

TEST(TextDisplayScroll, RingOverflowAndScrollLimits) {
  TestScreen s(64, 25, 100);
  char line[16];
  for (int i = 0; i < 101; ++i) {
    std::snprintf(line, sizeof line, "L%d", i);
    s.display.WriteWrapped(line, true);
  }
  // 101 ended lines plus the open one: the two oldest are gone.
  auto held = s.display.HeldLines();
  ASSERT_FALSE(held.empty());
  EXPECT_EQ(held.front(), "L2");
  EXPECT_EQ(held.back(), "L100");
  EXPECT_EQ(s.Screen(23), "L100");

  for (int i = 0; i < 10; ++i) s.display.ScrollPages(-1);
  EXPECT_EQ(s.display.ScrollOffset(), 25 - 100);
  EXPECT_EQ(s.Screen(0), "L2");
  EXPECT_EQ(s.display.RowText(0), "L2");
  for (int i = 0; i < 10; ++i) s.display.ScrollPages(1);
  EXPECT_EQ(s.display.ScrollOffset(), 0);
  EXPECT_EQ(s.Screen(23), "L100");
}

TEST(TextDisplayScroll, OutputWhileScrolledBackJumpsToTheBottom) {
  TestScreen s(20, 5, 50);
  for (int i = 0; i < 30; ++i) s.display.WriteWrapped("old", true);
  s.display.ScrollPages(-2);
  ASSERT_LT(s.display.ScrollOffset(), 0);
  s.display.WriteWrapped("new", false);
  EXPECT_EQ(s.display.ScrollOffset(), 0);
  EXPECT_EQ(s.Screen(4), "new");
  EXPECT_EQ(s.Screen(3), "old");
}

TEST(TextDisplayScroll, ShortHistoryDoesNotScroll) {
  TestScreen s(20, 5, 50);
  s.display.WriteWrapped("one", true);
  s.display.ScrollPages(-1);
  EXPECT_EQ(s.display.ScrollOffset(), 0);
  EXPECT_EQ(s.Screen(0), "one");
}

TEST(TextDisplayLayout, SetRowAndSetLine) {
  TestScreen s(20, 5, 20);
  s.display.Clear();
  ASSERT_TRUE(s.display.SetRow(3));
  s.display.WriteText("menu", false, 4);
  EXPECT_EQ(s.Screen(3), "menu");
  EXPECT_FALSE(s.display.SetRow(5));
  ASSERT_TRUE(s.display.SetLine(12));
  s.display.WriteText("far", false, 3);
  EXPECT_EQ(s.display.CursorRow(), 4);
  EXPECT_EQ(s.Screen(4), "    far");  // the column is kept
  // Back to the top: the lines written further down can still be scrolled to.
  ASSERT_TRUE(s.display.SetLine(0));
  EXPECT_EQ(s.Screen(3), "menu");
  s.display.ScrollLines(100);
  EXPECT_EQ(s.Screen(4), "    far");
  EXPECT_FALSE(s.display.SetLine(20));
  s.display.SetRowFraction(0.5, 20);  // a block taller than the display starts at the top
  EXPECT_EQ(s.display.CursorRow(), 0);
}

namespace {
int pauseCalls = 0;
int pauseAnswer = 1;
int CountingPause(TextDisplay*) {
  ++pauseCalls;
  return pauseAnswer;
}
}  // namespace

TEST(TextDisplayPause, OneRowDisplayPausesEveryLine) {
  TestScreen s(20, 1, 10);
  pauseCalls = 0;
  pauseAnswer = 1;
  s.display.SetPauseRoutine(&CountingPause, 0);
  s.display.SetPageFromRows();
  s.display.SetPause(true);
  for (int i = 0; i < 3; ++i) s.display.WriteWrapped("line", true);
  EXPECT_EQ(pauseCalls, 3);
}

TEST(TextDisplayPause, PageLengthAndSuspension) {
  TestScreen s(20, 5, 50);
  pauseCalls = 0;
  pauseAnswer = 2;  // Q: suspended until the next input wait
  s.display.SetPauseRoutine(&CountingPause, 4);
  s.display.SetPause(true);
  for (int i = 0; i < 20; ++i) s.display.WriteWrapped("line", true);
  EXPECT_EQ(pauseCalls, 1);
  EXPECT_EQ(s.display.GetPause(), 2);
  s.display.ResetPauseCount();
  EXPECT_EQ(s.display.GetPause(), 1);
  EXPECT_TRUE(s.display.PausePending());
  pauseAnswer = 1;
  for (int i = 0; i < 8; ++i) s.display.WriteWrapped("line", true);
  EXPECT_EQ(pauseCalls, 3);
  // Without a routine: one error line and the pause goes off.
  TestScreen t(30, 5, 50);
  t.display.SetPause(true);
  t.display.SetPageFromRows();
  for (int i = 0; i < 10; ++i) t.display.WriteWrapped("x", true);
  EXPECT_EQ(t.display.GetPause(), 0);
  EXPECT_EQ(t.display.LineText(4), "ERROR (CheckAutoPause):");
}

TEST(TextDisplayColour, InverseVideoIsPerLine) {
  TestScreen s(20, 5, 10);
  EXPECT_FALSE(s.display.SetAttribute(1));  // no colour buffer yet
  s.display.AllocColourBuffer();
  s.display.WriteText("ab", false, 2);
  ASSERT_TRUE(s.display.SetAttribute(1));  // an odd number of toggles
  s.display.WriteText("cd", true, 2);
  s.display.WriteText("ef", false, 2);
  EXPECT_FALSE(s.Inverse(0, 1));
  EXPECT_TRUE(s.Inverse(0, 2));
  EXPECT_TRUE(s.Inverse(0, 3));
  EXPECT_FALSE(s.Inverse(1, 0));  // the next line starts in normal video
  s.display.Redraw();
  EXPECT_TRUE(s.Inverse(0, 3));
  EXPECT_TRUE(s.Inverse(0, 10));  // the toggle holds to the end of its line
  EXPECT_FALSE(s.Inverse(1, 1));
  s.display.Clear();
  s.display.WriteText("gh", false, 2);
  EXPECT_FALSE(s.Inverse(0, 2));
  EXPECT_EQ(s.display.CellAttribute(0, 2), 0);
}

TEST(TextDisplayScroll, ScreenAlwaysMatchesTheRing) {
  // What is drawn piecewise equals a full redraw.
  TestScreen s(12, 4, 9);
  s.display.AllocColourBuffer();
  for (int i = 0; i < 23; ++i) {
    s.display.WriteWrapped("line", false);
    if (i % 3 == 0) s.display.SetAttribute(1);
    s.display.WriteWrapped(std::to_string(i).c_str(), false);
    if (i % 3 == 0) s.display.SetAttribute(1);
    if (i % 5 != 4) s.display.NewLine();
    for (int r = 0; r < 4; ++r) ASSERT_EQ(s.Screen(r), s.display.RowText(r)) << i << " row " << r;
  }
  std::vector<bool> inverse;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 12; ++c) inverse.push_back(s.Inverse(r, c));
  s.display.Redraw();
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 12; ++c) EXPECT_EQ(s.Inverse(r, c), inverse[r * 12 + c]) << r << "," << c;
}
