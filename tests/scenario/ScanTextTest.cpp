#include "scenario/ScanText.h"

#include <gtest/gtest.h>

#include <clocale>

#include "scenario/Keywords.h"

TEST(ScanText, U16AcceptsSignAndWraps) {
  struct Case {
    const char* text;
    bool ok;
    uint16_t value;
  } cases[] = {
      {"  42", true, 42},     {"\n 7x", true, 7},     {"-1", true, 65535}, {"+5", true, 5},
      {"65536", true, 0},     {"70000", true, 4464},  {"abc", false, 0},   {"-", false, 0},
      {"", false, 0},         {"99999999999999", true, 65535}, {"-70000", true, uint16_t(0u - 70000u)},
  };
  for (const Case& c : cases) {
    ScanCursor s{std::string_view(c.text)};
    uint16_t v = 0;
    EXPECT_EQ(s.U16(v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

TEST(ScanText, IntSaturatesAndS16Wraps) {
  ScanCursor s{std::string_view("99999999999 -99999999999 40000")};
  int32_t a, b;
  int16_t h;
  ASSERT_TRUE(s.Int(a));
  ASSERT_TRUE(s.Int(b));
  ASSERT_TRUE(s.S16(h));
  EXPECT_EQ(a, INT32_MAX);
  EXPECT_EQ(b, INT32_MIN);
  EXPECT_EQ(h, int16_t(40000 - 65536));
}

TEST(ScanText, BlanksNeedASpace) {
  std::string w;
  ScanCursor none{std::string_view("word")};
  EXPECT_FALSE(none.SpacedWord(w));
  ScanCursor tab{std::string_view("\tword")};
  EXPECT_FALSE(tab.SpacedWord(w));
  ScanCursor two{std::string_view("  word rest")};
  ASSERT_TRUE(two.SpacedWord(w));
  EXPECT_EQ(w, "word");
  ScanCursor end{std::string_view("   \nnext")};
  EXPECT_FALSE(end.SpacedWord(w));
}

TEST(ScanText, QuotedTexts) {
  std::string t;
  ScanCursor empty{std::string_view("\"\" x")};
  EXPECT_EQ(empty.Quoted(t, false), QuotedOk);
  EXPECT_EQ(t, "");
  EXPECT_EQ(*empty.pos, ' ');
  ScanCursor lines{std::string_view("\"a\nb\"")};
  EXPECT_EQ(lines.Quoted(t, true), QuotedOk);
  EXPECT_EQ(t, "a\nb");
  ScanCursor oneLine{std::string_view("\"a\nb\"")};
  EXPECT_EQ(oneLine.Quoted(t, false), QuotedUnterminated);
  ScanCursor open{std::string_view("\"never closed")};
  EXPECT_EQ(open.Quoted(t, true), QuotedUnterminated);
  EXPECT_EQ(*open.pos, '"');  // nothing consumed
  ScanCursor bare{std::string_view("word")};
  EXPECT_EQ(bare.Quoted(t, true), QuotedNone);
  std::string longText = "\"" + std::string(kMaxValueText + 5, 'a') + "\"";
  ScanCursor tooLong{std::string_view(longText)};
  EXPECT_EQ(tooLong.Quoted(t, true), QuotedUnterminated);
}

TEST(ScanText, FloatIgnoresProcessLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // may be missing; then C stays
  ScanCursor s{std::string_view(" 0.5 -2.25e1 x")};
  float a = 0, b = 0, c = 0;
  EXPECT_TRUE(s.Float(a));
  EXPECT_TRUE(s.Float(b));
  EXPECT_FALSE(s.Float(c));
  EXPECT_FLOAT_EQ(a, 0.5f);
  EXPECT_FLOAT_EQ(b, -22.5f);
  EXPECT_FLOAT_EQ(DecimalToFloat("1,5"), 1.0f);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ScanText, DecimalConversion) {
  EXPECT_EQ(DecimalToInt("  12abc"), 12);
  EXPECT_EQ(DecimalToInt("-7"), -7);
  EXPECT_EQ(DecimalToInt("abc"), 0);
  EXPECT_EQ(DecimalToInt(""), 0);
  EXPECT_EQ(DecimalToInt("99999999999"), INT32_MAX);
}

TEST(ScanText, DropsCarriageReturnsBeforeLineFeeds) {
  std::string t = "A 1\r\nB\r2\r\n\r";
  DropLineEndCRs(t);
  EXPECT_EQ(t, "A 1\nB\r2\n");
}

TEST(Keywords, WordsAndNumbers) {
  struct Case {
    WordTable table;
    const char* word;
    int value;
  } cases[] = {
      {WordTable::ObjectKind, "SCRIPT", 6},        {WordTable::CreatureState, "CORNERED", 11},
      {WordTable::CreatureState, "NONE", 0},       {WordTable::CreatureState, "hostile", 0},
      {WordTable::ItemType, "ICONTAINER", 16},     {WordTable::ItemType, "17", 17},
      {WordTable::LockKind, "SCRIPT", 3},          {WordTable::EntryType, "ENTERBORDER", 5},
      {WordTable::LocationKind, "UPDOWN", 5},      {WordTable::LocationKind, "4", 4},
      {WordTable::DestinationMode, "MAP", 4},      {WordTable::PowerKind, "CIRCLE", 14},
      {WordTable::EffectUseKind, "MULTI", 9},      {WordTable::ModifierTarget, "WILL", 6},
      {WordTable::ResistanceSource, "PPOOL", 3},   {WordTable::SpellEffectKind, "REMOVE_MAPOBJ", 6},
      {WordTable::SaveType, "REF", 2},             {WordTable::RewardKind, "ATTRIB", 5},
      {WordTable::AttackTargeting, "ZOOM", 3},     {WordTable::SidebarField, "TORCHES", 6},
      {WordTable::Security, "UNSAFE", 102},        {WordTable::Colour, "DGREY", 9},
      {WordTable::Permission, "ECHECK", 4},        {WordTable::TerrainCapability, "WATER", 6},
      {WordTable::TerrainCapability, "1005", 1005}, {WordTable::Colour, "PURPLE", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseWord(c.table, c.word), c.value) << c.word;
}

TEST(Keywords, NameOperations) {
  EXPECT_STREQ(WordName(WordTable::CreatureState, 13), "TEST");
  EXPECT_STREQ(WordName(WordTable::CreatureState, 0), "NONE");
  EXPECT_EQ(WordName(WordTable::CreatureState, 9), nullptr);
  EXPECT_STREQ(WordName(WordTable::LockKind, 2), "KEY");
  EXPECT_EQ(WordName(WordTable::LockKind, 0), nullptr);
  EXPECT_STREQ(WordName(WordTable::EntryType, 4), "BORDER");
  EXPECT_STREQ(WordName(WordTable::ModifierTarget, 0), "NONE");
  EXPECT_STREQ(WordName(WordTable::ResistanceSource, 2), "PDEF");
  EXPECT_EQ(WordName(WordTable::ItemType, 1), nullptr);  // no name operation
}
