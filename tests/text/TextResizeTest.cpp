#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "TextFixture.h"

TEST(TextDisplayResize, RingIsNeverShorterThanTheRows) {
  TestScreen s(20, 25, 5);
  EXPECT_EQ(s.display.BufferLines(), 25);
  s.display.Resize(0, 40);
  EXPECT_GE(s.display.BufferLines(), 40);
  EXPECT_EQ(s.display.Rows(), 40);
  EXPECT_EQ(s.display.Columns(), 20);
}

TEST(TextDisplayResize, WiderKeepsEveryLineAndTheCursor) {
  TestScreen s(10, 3, 6);
  for (const char* t : {"one", "two", "three", "four", "five", "six", "seven"})
    s.display.WriteWrapped(t, true);
  s.display.WriteText("open", false, 4);
  ASSERT_TRUE(s.display.Wrapped());
  s.display.Resize(30, 0);
  EXPECT_EQ(s.display.Columns(), 30);
  auto held = s.display.HeldLines();
  std::vector<std::string> expected = {"three", "four", "five", "six", "seven", "open"};
  EXPECT_EQ(held, expected);
  EXPECT_EQ(s.display.CursorColumn(), 4);
  // Writing goes on where it was, and the next lines do not mix with old ones.
  s.display.WriteWrapped(" more text that is long", true);
  s.display.WriteWrapped("next", false);
  held = s.display.HeldLines();
  EXPECT_EQ(held[held.size() - 2], "open more text that is long");
  EXPECT_EQ(held.back(), "next");
  s.display.Redraw();
  EXPECT_EQ(s.Screen(2), "next");
}

TEST(TextDisplayResize, NarrowerBreaksLinesSoTheyStayReadable) {
  TestScreen s(20, 4, 10);
  s.display.WriteWrapped("abcdefghijklmnop", true);
  s.display.SetMargin(15);
  s.display.WriteText("xyz", false, 3);
  ASSERT_EQ(s.display.CursorColumn(), 18);
  s.display.Resize(8, 0);
  // The open line "               xyz" becomes three pieces of 8.
  std::vector<std::string> expected = {"abcdefgh", "ijklmnop", "", "       x", "yz"};
  EXPECT_EQ(s.display.HeldLines(), expected);
  EXPECT_LT(s.display.Margin(), 8);
  EXPECT_EQ(s.display.CursorColumn(), 2);
  EXPECT_EQ(s.display.CursorRow(), 3);
  s.display.WriteText("!", true, 1);
  EXPECT_EQ(s.display.RowText(2), "yz!");
  EXPECT_EQ(s.Screen(2), "yz!");
}

TEST(TextDisplayResize, ColourBufferFollowsTheText) {
  TestScreen s(10, 3, 3);
  s.display.AllocColourBuffer();
  s.display.WriteText("ab", false, 2);
  s.display.SetAttribute(1);
  s.display.WriteText("cd", true, 2);
  s.display.Resize(40, 30);  // more lines and wider than the old buffers
  EXPECT_EQ(s.display.CellAttribute(0, 2), 1);
  // Every cell of the grown ring takes attributes without running off the end.
  s.display.SetLine(29);
  s.display.SetColumn(39);
  EXPECT_TRUE(s.display.SetAttribute(1));
  EXPECT_EQ(s.display.CellAttribute(29, 39), 1);
  s.display.Redraw();
}

TEST(TextDisplayResize, NarrowerKeepsInverseVideoAcrossTheBreak) {
  TestScreen s(20, 3, 5);
  s.display.AllocColourBuffer();
  s.display.WriteText("ab", false, 2);
  s.display.SetAttribute(1);
  s.display.WriteText("cdefghijkl", true, 10);
  s.display.Resize(6, 0);
  s.display.Redraw();
  // "abcdef" / "ghijkl": the second piece is still inverse from its start.
  EXPECT_EQ(s.display.RowText(0), "abcdef");
  EXPECT_EQ(s.display.RowText(1), "ghijkl");
  EXPECT_FALSE(s.Inverse(0, 1));
  EXPECT_TRUE(s.Inverse(0, 2));
  EXPECT_TRUE(s.Inverse(1, 0));
  EXPECT_FALSE(s.Inverse(2, 0));
}

TEST(TextDisplayResize, AutoTextSizeFitsTheCanvas) {
  TestScreen s(200, 100, 100);  // configured maximum larger than the canvas
  ASSERT_TRUE(s.display.AutoTextSize(0, 0));
  EXPECT_EQ(s.display.Columns(), 160);
  EXPECT_EQ(s.display.Rows(), 64);
  ASSERT_TRUE(s.display.AutoTextSize(400, 160));
  EXPECT_EQ(s.display.Columns(), 50);
  EXPECT_EQ(s.display.Rows(), 10);
  EXPECT_FALSE(s.display.AutoTextSize(-1, 0));
}

TEST(TextDisplaySetup, InitBufferNeedsASize) {
  CellFont font;
  Canvas canvas;
  TextDisplay d;
  d.SetCanvas(&canvas);
  d.SetFont(&font);
  EXPECT_FALSE(d.InitBuffer(100));
  EXPECT_FALSE(d.WriteWrapped("x", true));
}

TEST(TextDisplaySetup, BuiltInFontTable) {
  EXPECT_EQ(BuiltInFont(2).face, "Courier New");
  EXPECT_EQ(BuiltInFont(3).stockId, 11);
  EXPECT_EQ(BuiltInFont(4).flags, 2);
  EXPECT_EQ(BuiltInFont(9).face, "Fixedsys");
}

// ---- dump and line log

TEST(TextDump, DisplaysInFixedOrderWithTheirLines) {
  TestScreen party(10, 2, 2, "party");
  TestScreen main(20, 3, 10, "main");
  TestScreen full(20, 3, 3, "full");
  main.display.WriteWrapped("hello   ", true);
  main.display.WriteWrapped("CMD: ", false);
  for (const char* t : {"a", "b", "c", "d"}) full.display.WriteWrapped(t, true);
  full.display.WriteWrapped("e", false);
  party.display.WriteWrapped("P1", false);
  std::string out;
  DumpTextDisplays(out);
  EXPECT_EQ(out,
            "=== main ===\nhello\nCMD:\n"
            "=== full ===\nc\nd\ne\n"
            "=== party ===\nP1\n");
}

TEST(TextLog, EveryLineAsItIsLeft) {
  FILE* log = std::tmpfile();
  ASSERT_NE(log, nullptr);
  {
    TestScreen main(20, 5, 10, "main");
    TestScreen full(20, 5, 10, "full");
    SetTextLog(log);
    main.display.WriteWrapped("first   ", true);
    main.display.WriteWrapped("Which? ", false);
    main.display.WriteWrapped("A", true);
    full.display.Clear();
    full.display.SetRow(2);
    full.display.WriteText("Menu", false, 4);
    full.display.SetRow(4);  // leaves "Menu"
    full.display.SetRow(0);  // nothing written on row 4: not logged
    full.display.WriteText("Top", false, 3);
    full.display.Clear();
    main.display.WriteWrapped("open", false);
    FlushTextLog();
    SetTextLog(nullptr);
  }
  std::rewind(log);
  std::string text;
  char buf[256];
  while (std::fgets(buf, sizeof buf, log)) text += buf;
  std::fclose(log);
  EXPECT_EQ(text,
            "main| first\nmain| Which? A\nfull| Menu\nfull|     Top\nmain| open\n");
}

// ---- font selection

namespace {
struct FakeFont : Font {
  FontMetrics m;
  const FontMetrics& Metrics() const override { return m; }
  void DrawText(Canvas&, int, int, const char*, size_t, uint32_t, uint32_t) const override {}
};
// Records every request; faces listed in `proportional` are not fixed-pitch,
// "Missing" cannot be created.
struct FakeFonts : FontService {
  std::vector<std::string> requests;
  std::vector<std::string> proportional;
  std::unique_ptr<Font> CreateFont(int stockId, const std::string& face, int height,
                                   int weight) override {
    requests.push_back(std::to_string(stockId) + ":" + face + ":" + std::to_string(height) + ":" +
                       std::to_string(weight));
    if (face == "Missing") return nullptr;
    auto f = std::make_unique<FakeFont>();
    f->m.height = height ? height : 16;
    f->m.averageWidth = 7;
    f->m.spaceWidth = 9;
    f->m.fixedPitch = std::find(proportional.begin(), proportional.end(), face) == proportional.end();
    return f;
  }
};
}  // namespace

TEST(TextDisplayFont, StockCreatedAndSubstitutedFonts) {
  TextDisplay d;
  FakeFonts fonts;
  int step = -1;
  ASSERT_TRUE(d.SelectFont(1, 1, &step, &fonts));  // the stock system fixed font
  EXPECT_EQ(step, 0);
  EXPECT_EQ(fonts.requests.back(), "16:Fixedsys:15:0");
  EXPECT_EQ(d.CharWidth(), 7);

  ASSERT_TRUE(d.SelectFont(1, 2, &step, &fonts));  // a multiplier needs a created font
  EXPECT_EQ(fonts.requests.back(), "0:Fixedsys:30:0");
  EXPECT_EQ(d.CharHeight(), 30);

  ASSERT_TRUE(d.SelectFont(2, 1, &step, &fonts));  // flag 1: the width of a space
  EXPECT_EQ(fonts.requests.back(), "0:Courier New:15:700");
  EXPECT_EQ(d.CharWidth(), 9);

  ASSERT_TRUE(d.SelectFont(FontRecord{}, 0, &step, &fonts));  // nothing named: choice 1
  EXPECT_EQ(step, 1);

  fonts.proportional = {"Serif", "Courier New"};
  fonts.requests.clear();
  ASSERT_TRUE(d.SelectFont(FontRecord{0, "Serif", 12, 400, 0}, 1, &step, &fonts));
  EXPECT_EQ(step, 1);  // substituted by choice 1
  EXPECT_EQ(fonts.requests.size(), 2u);

  fonts.proportional = {"Serif", "Courier New", "Courier", "Fixedsys"};
  fonts.requests.clear();
  ASSERT_TRUE(d.SelectFont(FontRecord{0, "Serif", 12, 400, 0}, 1, &step, &fonts));
  EXPECT_EQ(step, 4);  // choice 4 accepts any pitch
  fonts.requests.clear();
  ASSERT_TRUE(d.SelectFont(FontRecord{0, "Serif", 12, 400, 0}, 3, &step, &fonts));
  EXPECT_EQ(step, 4);

  EXPECT_FALSE(d.SelectFont(FontRecord{0, "Missing", 12, 400, 0}, 1, &step, &fonts));
}
