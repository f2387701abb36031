#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TextFixture.h"

namespace {
struct EditorFixture {
  explicit EditorFixture(int columns = 40, int max = 512, bool insert = false)
      : screen(columns, 5, 20) {
    buffer[0] = 0;
    screen.display.WriteWrapped("> ", false);
    editor.Begin(&screen.display, buffer, max, false, insert);
  }
  int Type(const std::string& text) {
    int r = 0;
    for (char c : text) r = editor.Key(static_cast<unsigned char>(c), true, false);
    return r;
  }
  int Key(int code, bool control = false) { return editor.Key(code, false, control); }
  // The editor's text as the screen rows show it, from the prompt on.
  std::string Shown() {
    std::string all;
    for (int r = 0; r < screen.display.Rows(); ++r) {
      std::string row = screen.display.RowText(r);
      row.resize(screen.display.Columns(), ' ');
      all += row;
    }
    while (!all.empty() && all.back() == ' ') all.pop_back();
    return all;
  }
  char buffer[InputLineMax + 1];
  TestScreen screen;
  CLineEditor editor;
};
}  // namespace

TEST(LineEditor, EnterInTheMiddleReturnsTheTextBeforeTheCursor) {
  EditorFixture f;
  f.Type("hello world");
  f.Key(keys::Home);
  for (int i = 0; i < 3; ++i) f.Key(keys::Right);
  EXPECT_EQ(f.Type("\r"), 1);
  EXPECT_STREQ(f.buffer, "hel");
  EXPECT_EQ(f.screen.display.LineText(0), "> hel");
  EXPECT_EQ(f.screen.display.WriteLine(), 1);
}

TEST(LineEditor, OvertypeAndInsert) {
  EditorFixture f;
  f.Type("abcdef");
  f.Key(keys::Home);
  f.Type("XY");  // overtype
  EXPECT_EQ(f.Shown(), "> XYcdef");
  f.Key(keys::Insert, true);  // Control+Insert: insert on
  EXPECT_TRUE(f.editor.InsertOn());
  f.Type("12");
  EXPECT_EQ(f.Shown(), "> XY12cdef");
  f.Key(keys::Insert, true);
  f.Key(keys::Insert, true);  // twice: back to insert on
  EXPECT_TRUE(f.editor.InsertOn());
  f.Key(keys::Insert);  // plain Insert: a space at the cursor
  EXPECT_EQ(f.Shown(), "> XY12 cdef");
  f.Key(keys::Delete);
  f.Key(keys::Delete);
  EXPECT_EQ(f.Shown(), "> XY12def");
  f.Type("\b");  // Backspace with text after the cursor
  EXPECT_EQ(f.Shown(), "> XY1def");
  f.Key(keys::End);
  f.Type("\r");
  EXPECT_STREQ(f.buffer, "XY1def");
}

TEST(LineEditor, InsertAtFullLengthIsIgnored) {
  EditorFixture f(40, 5, true);
  f.Type("abcd");
  f.Key(keys::Home);
  f.Type("x");
  EXPECT_EQ(f.editor.Before() + f.editor.After(), 5);
  f.Type("y");  // would make 6 characters
  f.Key(keys::Insert);
  EXPECT_EQ(f.editor.Before() + f.editor.After(), 5);
  f.Key(keys::End);
  EXPECT_STREQ(f.buffer, "xabcd");  // reaching max ends the line
  EXPECT_EQ(f.screen.display.WriteLine(), 0);  // without a new line
}

TEST(LineEditor, WordMovesAndEscape) {
  EditorFixture f;
  f.Type("ab cd/ef\\gh");
  f.Key(keys::Left, true);
  EXPECT_EQ(f.editor.Before(), 9);
  f.Key(keys::Left, true);
  EXPECT_EQ(f.editor.Before(), 6);
  f.Key(keys::Left, true);
  f.Key(keys::Left, true);
  EXPECT_EQ(f.editor.Before(), 0);
  f.Key(keys::Right, true);
  EXPECT_EQ(f.editor.Before(), 3);
  f.Key(keys::Right);
  EXPECT_EQ(f.editor.Before(), 4);
  f.Type("\x1b");
  EXPECT_EQ(f.editor.Before() + f.editor.After(), 0);
  EXPECT_EQ(f.Shown(), ">");
  f.Type("z\r");
  EXPECT_STREQ(f.buffer, "z");
}

TEST(LineEditor, ControlBackspaceLeavesASpace) {
  EditorFixture f;
  f.Type("abcd");
  f.Key(keys::Left);
  f.Type("\x7f");  // deletes 'c' and leaves a space behind the cursor
  EXPECT_EQ(f.editor.Before(), 2);
  EXPECT_EQ(f.editor.After(), 2);
  f.Key(keys::End);
  f.Type("\r");
  EXPECT_STREQ(f.buffer, "ab d");
  EditorFixture g;
  g.Type("ab\x7f");  // at the end the text just ends
  g.Key(keys::End);
  g.Type("\r");
  EXPECT_STREQ(g.buffer, "a");
}

TEST(LineEditor, EditingAcrossScreenLines) {
  EditorFixture f(10);  // "> " and then 8 cells per first line, 10 after
  f.Type("abcdefghijklmnopqrstu");
  EXPECT_EQ(f.Shown(), "> abcdefghijklmnopqrstu");
  f.Key(keys::Home);
  f.Key(keys::Insert, true);
  f.Type("XY");
  EXPECT_EQ(f.Shown(), "> XYabcdefghijklmnopqrstu");
  f.Key(keys::End);
  for (int i = 0; i < 12; ++i) f.Key(keys::Left);
  f.Type("\b\b");
  EXPECT_EQ(f.Shown(), "> XYabcdefgjklmnopqrstu");
  f.Key(keys::Right, true);
  f.Type("\r");
  EXPECT_STREQ(f.buffer, "XYabcdefgjklmnopqrstu");
}

TEST(LineReader, BackspaceEscapeAndLimit) {
  TestScreen s(40, 5, 10);
  char buffer[InputLineMax + 1];
  s.display.WriteWrapped("Name? ", false);
  CLineReader reader;
  reader.Begin(&s.display, buffer, 5, false);
  for (char c : std::string("abc")) reader.Key(c, true);
  reader.Key(keys::Back, true);
  EXPECT_EQ(s.display.LineText(0), "Name? ab");
  reader.Key(keys::Escape, true);
  EXPECT_EQ(s.display.LineText(0), "Name?");  // the prompt stays
  reader.Key(keys::Left, false);  // key-downs are not text
  for (char c : std::string("vwxy")) EXPECT_EQ(reader.Key(c, true), 0);
  EXPECT_EQ(reader.Key('z', true), 2);  // the fifth character ends the line
  reader.End(false);
  EXPECT_STREQ(buffer, "vwxyz");
  EXPECT_EQ(s.display.WriteLine(), 0);
}

TEST(LineEditor, EditingAtTheBottomOfAFullRing) {
  TestScreen s(10, 3, 5);
  for (int i = 0; i < 12; ++i) s.display.WriteWrapped("historyxyz", false);  // full lines
  char buffer[InputLineMax + 1] = "";
  CLineEditor editor;
  editor.Begin(&s.display, buffer, 100, false, true);
  for (char c : std::string("abcdefghijklmnopqrstuvw")) editor.Key(c, true, false);
  editor.Key(keys::Home, false, false);
  editor.Key('X', true, false);
  editor.Key(keys::Right, false, true);  // Control+Right: to the end
  EXPECT_EQ(editor.Before(), 24);
  // The screen shows the end of the text, and no history in it.
  EXPECT_EQ(s.display.RowText(0), "Xabcdefghi");
  EXPECT_EQ(s.display.RowText(1), "jklmnopqrs");
  EXPECT_EQ(s.display.RowText(2), "tuvw");
  EXPECT_EQ(s.Screen(2), "tuvw");
  editor.Key(keys::Home, false, false);
  editor.Key(keys::Right, false, false);
  editor.Key(keys::Delete, false, false);
  EXPECT_EQ(editor.Key('\r', true, false), 1);
  EXPECT_STREQ(buffer, "X");
  EXPECT_EQ(s.display.RowText(1), "X");
  EXPECT_EQ(s.display.RowText(2), "");
  EXPECT_EQ(s.display.HeldLines().back(), "X");  // the text behind the cursor is gone
}
