#pragma once
// Key scripts: the text that drives a headless run (--keys, --keys-file) and
// that --record writes. Tokens are separated by white space:
//   a-z A-Z 0-9 and US-keyboard punctuation   one key press (A = Shift+a, ? = Shift+/)
//   "text"                                    each character typed ( \" and \\ inside )
//   <Enter> <Esc> <Space> <Tab> <Backspace> <Up> <Down> <Left> <Right> <PgUp> <PgDn>
//   <Home> <End> <Insert> <Delete> <F1>..<F12> <KP0>..<KP9> <KP*> <KP+> <KP-> <KP.>
//   <KP/> <vk:N>                              named keys; <x> is the key of character x
//   <C-x> <S-x> <C-S-x>                       with Control and/or Shift held
//   <wait:MS>                                 let MS milliseconds pass
//   <close>                                   close the window
//   <shot:FILE.png> <dump:FILE>               screenshot / text dump at this point
//   <seed:N>                                  random seed (only as the first token)
// A lone '<' followed by white space or the end is the '<' key.
#include <cstdint>
#include <string>
#include <vector>

struct KeyScriptEvent {
  enum class Kind { Key, Wait, Close, Shot, Dump, Seed };
  Kind kind = Kind::Key;
  int key = 0;  // key code (keys::...)
  bool shift = false;
  bool control = false;
  uint32_t value = 0;  // Wait: milliseconds; Seed: the seed
  std::string file;    // Shot, Dump

  bool operator==(const KeyScriptEvent&) const = default;
};

// Parses a whole script. On a malformed token returns false, leaves `events`
// with the tokens before it and sets `error` to an "ERROR (ParseKeyScript): ..." line.
bool ParseKeyScript(const std::string& text, std::vector<KeyScriptEvent>& events,
                    std::string& error);

// The seed of a script that begins with <seed:N>; false when it does not.
bool KeyScriptSeed(const std::string& text, uint32_t& seed);
// Digits only (at most 10) forming a value that fits in 32 bits.
bool ParseDecimal32(const std::string& text, uint32_t& out);

// The character message a key press produces on a US keyboard, or -1 when it
// produces none: printable characters (shifted as Shift gives them), Enter 13,
// Escape 27, Backspace 8, Tab 9, Space 32, Control+letter 1-26, keypad digits
// and operators. Arrows, function keys, Insert/Delete etc. give none.
int KeyCharacter(int key, bool shift, bool control);

// The key and Shift state that type character c on a US keyboard; false when
// no key types it.
bool KeyForCharacter(char c, int& key, bool& shift);

// The script token for one key press (the inverse of the parser), e.g. "a",
// "A", "?", "<C-v>", "<S-F12>", "<Enter>".
std::string KeyToken(int key, bool shift, bool control);
