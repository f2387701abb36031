#include "platform/KeyScript.h"

#include <gtest/gtest.h>

#include "platform/KeyRecorder.h"
#include "platform/Keys.h"

namespace {

using Kind = KeyScriptEvent::Kind;

KeyScriptEvent Key(int key, bool shift = false, bool control = false) {
  KeyScriptEvent e;
  e.kind = Kind::Key;
  e.key = key;
  e.shift = shift;
  e.control = control;
  return e;
}

KeyScriptEvent Other(Kind kind, uint32_t value = 0, const std::string& file = "") {
  KeyScriptEvent e;
  e.kind = kind;
  e.value = value;
  e.file = file;
  return e;
}

struct ParseCase {
  const char* script;
  std::vector<KeyScriptEvent> events;
};

TEST(KeyScript, ParsesTokens) {
  const ParseCase cases[] = {
      {"", {}},
      {"  a\tZ\n5 ", {Key('A'), Key('Z', true), Key('5')}},
      {"? ! : \\ ~ >", {Key(keys::Slash, true), Key('1', true), Key(keys::Semicolon, true),
                        Key(keys::Backslash), Key(keys::Backquote, true), Key(keys::Period, true)}},
      {"\"Hi !\"", {Key('H', true), Key('I'), Key(keys::Space), Key('1', true)}},
      {"\"a\\\"b\\\\\"", {Key('A'), Key(keys::Quote, true), Key('B'), Key(keys::Backslash)}},
      {"<Enter><esc> <SPACE> <Tab> <Backspace>",
       {Key(keys::Return), Key(keys::Escape), Key(keys::Space), Key(keys::Tab), Key(keys::Back)}},
      {"<Up><Down><Left><Right><PgUp><PgDn><Home><End><Insert><Delete>",
       {Key(keys::Up), Key(keys::Down), Key(keys::Left), Key(keys::Right), Key(keys::PageUp),
        Key(keys::PageDown), Key(keys::Home), Key(keys::End), Key(keys::Insert), Key(keys::Delete)}},
      {"<F1> <F12> <C-F1> <S-F12> <C-Enter>",
       {Key(keys::F1), Key(keys::F12), Key(keys::F1, false, true), Key(keys::F12, true),
        Key(keys::Return, false, true)}},
      {"<C-v> <C-S-a> <S-x> <S-'> <C-->",
       {Key('V', false, true), Key('A', true, true), Key('X', true), Key(keys::Quote, true),
        Key(keys::Minus, false, true)}},
      {"< <<> <>> <a> <KP7> <vk:19>",
       {Key(keys::Comma, true), Key(keys::Comma, true), Key(keys::Period, true), Key('A'),
        Key(keys::Num0 + 7), Key(keys::Pause)}},
      {"<seed:42> x <wait:250> <close> <shot:out dir/a.png> <dump:d.txt>",
       {Other(Kind::Seed, 42), Key('X'), Other(Kind::Wait, 250), Other(Kind::Close),
        Other(Kind::Shot, 0, "out dir/a.png"), Other(Kind::Dump, 0, "d.txt")}},
  };
  for (const ParseCase& c : cases) {
    std::vector<KeyScriptEvent> events;
    std::string error;
    EXPECT_TRUE(ParseKeyScript(c.script, events, error)) << c.script << ": " << error;
    EXPECT_EQ(events, c.events) << c.script;
  }
}

TEST(KeyScript, RejectsMalformedTokensWithAClearError) {
  const struct {
    const char* script;
    const char* error;
  } cases[] = {
      {"ab \"open", "ERROR (ParseKeyScript): Unterminated text (missing closing quote) at character 4"},
      {"<Enter", "ERROR (ParseKeyScript): Unterminated tag (missing '>') at character 1"},
      {"x <Foo>", "ERROR (ParseKeyScript): Unknown key <Foo> at character 3"},
      {"<C-F13>", "ERROR (ParseKeyScript): Unknown key <C-F13> at character 1"},
      {"<wait:abc>", "ERROR (ParseKeyScript): Bad wait time \"abc\" at character 1"},
      {"<wait:99999999999>", "ERROR (ParseKeyScript): Bad wait time \"99999999999\" at character 1"},
      {"a <seed:5>", "ERROR (ParseKeyScript): <seed:N> must be the first token at character 3"},
      {"<shot:>", "ERROR (ParseKeyScript): Missing file name in <shot:> at character 1"},
      {"<vk:0>", "ERROR (ParseKeyScript): Unknown key <vk:0> at character 1"},
      {"\xE9", "ERROR (ParseKeyScript): No key types character 233 at character 1"},
      {"<S- >", "ERROR (ParseKeyScript): White space inside tag <S- > at character 1"},
  };
  for (const auto& c : cases) {
    std::vector<KeyScriptEvent> events;
    std::string error;
    EXPECT_FALSE(ParseKeyScript(c.script, events, error)) << c.script;
    EXPECT_EQ(error, c.error) << c.script;
  }
}

TEST(KeyScript, CharacterMessagesOfKeys) {
  const struct {
    int key;
    bool shift, control;
    int character;
  } cases[] = {
      {'A', false, false, 'a'},          {'A', true, false, 'A'},
      {'V', false, true, 22},            {'Z', true, true, 26},
      {keys::Return, false, false, 13},  {keys::Escape, false, false, 27},
      {keys::Back, false, false, 8},     {keys::Tab, false, false, 9},
      {keys::Space, true, false, 32},    {'2', true, false, '@'},
      {keys::Slash, true, false, '?'},   {keys::Quote, false, false, '\''},
      {keys::Num0 + 3, false, false, '3'}, {keys::Up, false, false, -1},
      {keys::F1, false, false, -1},      {keys::Delete, false, false, -1},
      {keys::Shift, true, false, -1},    {'5', false, true, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyCharacter(c.key, c.shift, c.control), c.character)
        << c.key << " shift " << c.shift << " control " << c.control;
  }
}

TEST(KeyScript, SeedAtTheStart) {
  uint32_t seed = 0;
  EXPECT_TRUE(KeyScriptSeed("  <seed:1234> abc", seed));
  EXPECT_EQ(seed, 1234u);
  EXPECT_FALSE(KeyScriptSeed("abc <seed:1>", seed));
  EXPECT_FALSE(KeyScriptSeed("<seed:x>", seed));
}

// Every key the engine knows, with every modifier, is written by the recorder
// as a token that parses back to the same key press.
TEST(KeyRecorder, RecordedScriptParsesBackToTheSameEvents) {
  KeyRecorder recorder(777, 1000);
  std::vector<KeyScriptEvent> expected{Other(Kind::Seed, 777)};
  uint64_t ticks = 1000;
  for (int key = 1; key <= 254; ++key) {
    if (key == keys::Shift || key == keys::Control || key == keys::Alt) continue;
    for (int mods = 0; mods < 4; ++mods) {
      bool shift = mods & 1, control = mods & 2;
      uint64_t wait = static_cast<uint64_t>((key * 7 + mods) % 3) * 40;
      ticks += wait;
      if (wait) expected.push_back(Other(Kind::Wait, static_cast<uint32_t>(wait)));
      recorder.RecordKey(ticks, key, shift, control);
      expected.push_back(Key(key, shift, control));
    }
  }
  recorder.RecordClose(ticks + 5);
  expected.push_back(Other(Kind::Wait, 5));
  expected.push_back(Other(Kind::Close));

  std::vector<KeyScriptEvent> events;
  std::string error;
  ASSERT_TRUE(ParseKeyScript(recorder.Text(), events, error)) << error;
  ASSERT_EQ(events.size(), expected.size());
  for (size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i], expected[i]) << "event " << i << " key " << expected[i].key;
  }
  EXPECT_EQ(recorder.Text().rfind("<seed:777>\n", 0), 0u);
}

TEST(KeyRecorder, WritesTheFileAsItGoes) {
  std::string dir = testing::TempDir() + "korva_recorder_XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  std::string path = dir + "/keys.txt";
  {
    KeyRecorder recorder(9, 0);
    std::string error;
    ASSERT_TRUE(recorder.OpenFile(path, error)) << error;
    recorder.RecordKey(30, 'Q', true, false);
    FILE* f = fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buffer[256] = {};
    size_t n = fread(buffer, 1, sizeof(buffer) - 1, f);
    fclose(f);
    EXPECT_EQ(std::string(buffer, n), "<seed:9>\n<wait:30> Q ");
  }
  KeyRecorder bad(1, 0);
  std::string error;
  EXPECT_FALSE(bad.OpenFile(dir + "/missing/keys.txt", error));
  EXPECT_EQ(error, "ERROR (KeyRecorder): Could not create record file " + dir + "/missing/keys.txt");
}

}  // namespace
