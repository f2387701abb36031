#pragma once
// Scanning of one line of a tile-set or map-set file. The readers of these
// files look at each line's first token and read its values from the same
// line; every value reader here stops at the end of the line, so a short
// line never takes its values from the next one. The readers follow the
// rules of the engine's scan patterns: a number may have a sign, a 16-bit
// unsigned number keeps the low 16 bits of what was written, a "word" is a
// run of characters up to a given set of stop characters.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class LineScan {
 public:
  explicit LineScan(std::string_view line) : s_(line) {}

  bool AtEnd() const { return pos_ >= s_.size(); }
  size_t Pos() const { return pos_; }
  std::string_view Rest() const { return s_.substr(pos_); }

  // White space (blank or tab) before the next character.
  void SkipBlanks() {
    while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
  }
  // One or more characters of `set`; false (nothing consumed) when none.
  bool SkipSet(std::string_view set) {
    size_t start = pos_;
    while (pos_ < s_.size() && set.find(s_[pos_]) != std::string_view::npos) ++pos_;
    return pos_ > start;
  }
  // The next token: a run of non-blank characters after blanks.
  bool Token(std::string* out) {
    SkipBlanks();
    size_t start = pos_;
    while (pos_ < s_.size() && !IsBlank(s_[pos_])) ++pos_;
    out->assign(s_.substr(start, pos_ - start));
    return pos_ > start;
  }
  // One or more characters not in `stop` (a word); false when none.
  bool WordUntil(std::string_view stop, std::string* out) {
    size_t start = pos_;
    while (pos_ < s_.size() && stop.find(s_[pos_]) == std::string_view::npos) ++pos_;
    out->assign(s_.substr(start, pos_ - start));
    return pos_ > start;
  }
  // One or more spaces, then a word ending at a stop character (the stop set
  // should hold the space).
  bool SpacedWord(std::string* out, std::string_view stop = " ") {
    if (!SkipSet(" ")) return false;
    return WordUntil(stop, out);  // on failure the spaces stay consumed
  }
  // A decimal integer after blanks, with optional sign; saturates far
  // outside 32 bits so that range checks see a large value.
  bool Integer(int64_t* out) {
    size_t save = pos_;
    SkipBlanks();
    bool negative = false;
    if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) negative = s_[pos_++] == '-';
    if (pos_ >= s_.size() || s_[pos_] < '0' || s_[pos_] > '9') {
      pos_ = save;
      return false;
    }
    int64_t v = 0;
    while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') {
      if (v < (int64_t(1) << 40)) v = v * 10 + (s_[pos_] - '0');
      ++pos_;
    }
    *out = negative ? -v : v;
    return true;
  }
  // A 16-bit unsigned value: the low 16 bits of the number written.
  bool U16(uint16_t* out) {
    int64_t v;
    if (!Integer(&v)) return false;
    *out = uint16_t(uint64_t(v) & 0xFFFF);
    return true;
  }
  bool S16(int16_t* out) {
    int64_t v;
    if (!Integer(&v)) return false;
    *out = int16_t(uint16_t(uint64_t(v) & 0xFFFF));
    return true;
  }
  bool Int(int* out) {
    int64_t v;
    if (!Integer(&v)) return false;
    *out = v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int(v);
    return true;
  }
  // A literal character.
  bool Char(char c) {
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

 private:
  std::string_view s_;
  size_t pos_ = 0;
};

// The decimal value of a word as the engine's text-to-integer conversion
// reads it: leading blanks, a sign, digits up to the first other character;
// 0 when there are none. Saturates at the 32-bit limits.
int64_t WordValue(std::string_view word);

// The lines of a text file (line ends "\n" or "\r\n" removed); false when the
// file cannot be read.
bool ReadTextLines(const std::string& enginePath, std::vector<std::string>* lines);

// ReadKeyValue: the rest of the first line that starts with the key, a colon
// and one or more spaces; false when there is none.
bool FindKeyValue(const std::vector<std::string>& lines, const std::string& key,
                  std::string* value);
