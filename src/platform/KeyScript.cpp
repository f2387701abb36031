#include "platform/KeyScript.h"

#include <cctype>
#include <cstring>

#include "platform/Keys.h"

namespace {

struct NamedKey {
  const char* name;
  int key;
};

// The first name of a key is the one KeyToken writes.
constexpr NamedKey kNamedKeys[] = {
    {"Enter", keys::Return},    {"Return", keys::Return},   {"Esc", keys::Escape},
    {"Escape", keys::Escape},   {"Space", keys::Space},     {"Tab", keys::Tab},
    {"Backspace", keys::Back},  {"BS", keys::Back},         {"Up", keys::Up},
    {"Down", keys::Down},       {"Left", keys::Left},       {"Right", keys::Right},
    {"PgUp", keys::PageUp},     {"PageUp", keys::PageUp},   {"PgDn", keys::PageDown},
    {"PageDown", keys::PageDown}, {"Home", keys::Home},     {"End", keys::End},
    {"Insert", keys::Insert},   {"Ins", keys::Insert},      {"Delete", keys::Delete},
    {"Del", keys::Delete},      {"Pause", keys::Pause},     {"F1", keys::F1},
    {"F2", keys::F2},           {"F3", keys::F3},           {"F4", keys::F4},
    {"F5", keys::F5},           {"F6", keys::F6},           {"F7", keys::F7},
    {"F8", keys::F8},           {"F9", keys::F9},           {"F10", keys::F10},
    {"F11", keys::F11},         {"F12", keys::F12},         {"KP0", keys::Num0},
    {"KP1", keys::Num0 + 1},    {"KP2", keys::Num0 + 2},    {"KP3", keys::Num0 + 3},
    {"KP4", keys::Num0 + 4},    {"KP5", keys::Num0 + 5},    {"KP6", keys::Num0 + 6},
    {"KP7", keys::Num0 + 7},    {"KP8", keys::Num0 + 8},    {"KP9", keys::Num0 + 9},
    {"KP*", keys::Multiply},    {"KP+", keys::Add},         {"KP-", keys::Subtract},
    {"KP.", keys::Decimal},     {"KP/", keys::Divide},
};

struct PunctuationKey {
  int key;
  char plain;
  char shifted;
};

constexpr PunctuationKey kPunctuation[] = {
    {keys::Semicolon, ';', ':'}, {keys::Equals, '=', '+'},    {keys::Comma, ',', '<'},
    {keys::Minus, '-', '_'},     {keys::Period, '.', '>'},    {keys::Slash, '/', '?'},
    {keys::Backquote, '`', '~'}, {keys::LBracket, '[', '{'},  {keys::Backslash, '\\', '|'},
    {keys::RBracket, ']', '}'},  {keys::Quote, '\'', '"'},
};

constexpr const char* kShiftedDigits = ")!@#$%^&*(";

bool EqualsNoCase(const std::string& a, const char* b) {
  size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

KeyScriptEvent KeyEvent(int key, bool shift, bool control) {
  KeyScriptEvent e;
  e.kind = KeyScriptEvent::Kind::Key;
  e.key = key;
  e.shift = shift;
  e.control = control;
  return e;
}

// Reads the name part of a key tag (after the modifiers) into a key press.
bool KeyFromName(const std::string& name, int& key, bool& shift) {
  if (name.size() == 1) return KeyForCharacter(name[0], key, shift);
  for (const NamedKey& k : kNamedKeys) {
    if (EqualsNoCase(name, k.name)) {
      key = k.key;
      shift = false;
      return true;
    }
  }
  if (name.size() > 3 && EqualsNoCase(name.substr(0, 3), "vk:")) {
    uint32_t code = 0;
    if (!ParseDecimal32(name.substr(3), code) || code < 1 || code > 254) return false;
    key = static_cast<int>(code);
    shift = false;
    return true;
  }
  return false;
}

}  // namespace

int KeyCharacter(int key, bool shift, bool control) {
  if (key >= 'A' && key <= 'Z') {
    if (control) return key - 'A' + 1;
    return shift ? key : key + ('a' - 'A');
  }
  if (control) {
    switch (key) {
      case keys::Return: return 10;
      case keys::Back: return 127;
      case keys::Escape: return 27;
      case keys::Space: return 32;
      case keys::LBracket: return 27;
      case keys::Backslash: return 28;
      case keys::RBracket: return 29;
      case '6': return shift ? 30 : -1;
      case keys::Minus: return shift ? 31 : -1;
      default: return -1;
    }
  }
  switch (key) {
    case keys::Return: return 13;
    case keys::Escape: return 27;
    case keys::Back: return 8;
    case keys::Tab: return 9;
    case keys::Space: return 32;
    case keys::Multiply: return '*';
    case keys::Add: return '+';
    case keys::Subtract: return '-';
    case keys::Decimal: return '.';
    case keys::Divide: return '/';
    default: break;
  }
  if (key >= '0' && key <= '9') return shift ? kShiftedDigits[key - '0'] : key;
  if (key >= keys::Num0 && key <= keys::Num0 + 9) return '0' + (key - keys::Num0);
  for (const PunctuationKey& p : kPunctuation) {
    if (p.key == key) return shift ? p.shifted : p.plain;
  }
  return -1;
}

bool KeyForCharacter(char c, int& key, bool& shift) {
  shift = false;
  if (c >= 'a' && c <= 'z') {
    key = c - 'a' + 'A';
    return true;
  }
  if (c >= 'A' && c <= 'Z') {
    key = c;
    shift = true;
    return true;
  }
  if (c >= '0' && c <= '9') {
    key = c;
    return true;
  }
  if (c == ' ') {
    key = keys::Space;
    return true;
  }
  for (int d = 0; d < 10; ++d) {
    if (kShiftedDigits[d] == c) {
      key = '0' + d;
      shift = true;
      return true;
    }
  }
  for (const PunctuationKey& p : kPunctuation) {
    if (p.plain == c || p.shifted == c) {
      key = p.key;
      shift = p.shifted == c;
      return true;
    }
  }
  return false;
}

std::string KeyToken(int key, bool shift, bool control) {
  std::string name;
  bool shiftInName = false;  // the character itself shows Shift
  if (key >= 'A' && key <= 'Z') {
    name = std::string(1, static_cast<char>(key + ('a' - 'A')));
    if (shift && !control) {
      name = std::string(1, static_cast<char>(key));
      shiftInName = true;
    }
  } else if (key == keys::Space) {
    name = "Space";
  } else {
    int c = KeyCharacter(key, shift, false);
    bool printable = c > 32 && c < 127 && !(key >= keys::Num0 && key <= keys::Divide);
    if (printable) {
      int plain = KeyCharacter(key, false, false);
      if (shift && !control && c != '"' && c != '<') {
        name = std::string(1, static_cast<char>(c));
        shiftInName = true;
      } else {
        name = std::string(1, static_cast<char>(plain));
      }
    } else {
      for (const NamedKey& k : kNamedKeys) {
        if (k.key == key) {
          name = k.name;
          break;
        }
      }
      if (name.empty()) name = "vk:" + std::to_string(key);
    }
  }
  std::string mods;
  if (control) mods += "C-";
  if (shift && !shiftInName) mods += "S-";
  if (mods.empty() && name.size() == 1 && name != "<") return name;
  return "<" + mods + name + ">";
}

bool KeyScriptSeed(const std::string& text, uint32_t& seed) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  static const char prefix[] = "<seed:";
  if (text.compare(i, sizeof(prefix) - 1, prefix) != 0) return false;
  size_t close = text.find('>', i);
  if (close == std::string::npos) return false;
  size_t start = i + sizeof(prefix) - 1;
  return ParseDecimal32(text.substr(start, close - start), seed);
}

bool ParseKeyScript(const std::string& text, std::vector<KeyScriptEvent>& events,
                    std::string& error) {
  events.clear();
  error.clear();
  auto fail = [&](size_t at, const std::string& what) {
    error = "ERROR (ParseKeyScript): " + what + " at character " + std::to_string(at + 1);
    return false;
  };
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (IsSpace(c)) {
      ++i;
      continue;
    }
    size_t start = i;
    if (c == '"') {
      ++i;
      bool closed = false;
      while (i < text.size()) {
        char t = text[i++];
        if (t == '"') {
          closed = true;
          break;
        }
        if (t == '\\' && i < text.size() && (text[i] == '"' || text[i] == '\\')) t = text[i++];
        int key = 0;
        bool shift = false;
        if (t == '\n' || t == '\r') {
          key = keys::Return;
        } else if (!KeyForCharacter(t, key, shift)) {
          return fail(i - 1, "No key types character " + std::to_string(static_cast<unsigned char>(t)));
        }
        events.push_back(KeyEvent(key, shift, false));
      }
      if (!closed) return fail(start, "Unterminated text (missing closing quote)");
      continue;
    }
    if (c == '<' && (i + 1 >= text.size() || IsSpace(text[i + 1]))) {
      events.push_back(KeyEvent(keys::Comma, true, false));
      ++i;
      continue;
    }
    if (c != '<') {
      int key = 0;
      bool shift = false;
      if (!KeyForCharacter(c, key, shift)) {
        return fail(i, "No key types character " + std::to_string(static_cast<unsigned char>(c)));
      }
      events.push_back(KeyEvent(key, shift, false));
      ++i;
      continue;
    }
    // A tag. File names of shot and dump may contain spaces; other tags may not.
    size_t close = text.find('>', i + 2);  // "<>>" is the '>' key
    if (close == std::string::npos) return fail(start, "Unterminated tag (missing '>')");
    std::string content = text.substr(i + 1, close - i - 1);
    i = close + 1;
    size_t colon = content.find(':');
    std::string word = colon == std::string::npos ? content : content.substr(0, colon);
    std::string arg = colon == std::string::npos ? std::string() : content.substr(colon + 1);
    KeyScriptEvent e;
    if (colon != std::string::npos && EqualsNoCase(word, "wait")) {
      if (!ParseDecimal32(arg, e.value) || e.value > 86400000u)
        return fail(start, "Bad wait time \"" + arg + "\"");
      e.kind = KeyScriptEvent::Kind::Wait;
    } else if (colon != std::string::npos && EqualsNoCase(word, "seed")) {
      if (!ParseDecimal32(arg, e.value)) return fail(start, "Bad seed \"" + arg + "\"");
      if (!events.empty()) return fail(start, "<seed:N> must be the first token");
      e.kind = KeyScriptEvent::Kind::Seed;
    } else if (colon != std::string::npos && (EqualsNoCase(word, "shot") || EqualsNoCase(word, "dump"))) {
      if (arg.empty()) return fail(start, "Missing file name in <" + word + ":>");
      e.kind = EqualsNoCase(word, "shot") ? KeyScriptEvent::Kind::Shot : KeyScriptEvent::Kind::Dump;
      e.file = arg;
    } else if (EqualsNoCase(content, "close")) {
      e.kind = KeyScriptEvent::Kind::Close;
    } else {
      for (char t : content) {
        if (IsSpace(t)) return fail(start, "White space inside tag <" + content + ">");
      }
      bool shift = false, control = false;
      std::string name = content;
      while (name.size() > 2 && name[1] == '-' && (name[0] == 'C' || name[0] == 'c' || name[0] == 'S' || name[0] == 's')) {
        if (name[0] == 'C' || name[0] == 'c') control = true;
        else shift = true;
        name.erase(0, 2);
      }
      int key = 0;
      bool charShift = false;
      if (name.empty() || !KeyFromName(name, key, charShift)) {
        return fail(start, "Unknown key <" + content + ">");
      }
      events.push_back(KeyEvent(key, shift || charShift, control));
      continue;
    }
    events.push_back(e);
  }
  return true;
}

bool ParseDecimal32(const std::string& text, uint32_t& out) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > 0xFFFFFFFFull) return false;
  out = static_cast<uint32_t>(value);
  return true;
}
