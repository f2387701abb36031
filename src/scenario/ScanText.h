#pragma once
// Scanning of scenario text files held in memory. The scenario loaders read
// their values with a handful of fixed scan forms; ScanCursor reproduces each
// of them on a bounded buffer without the C library's formatted scanning:
//   SkipWhite      a blank in a form: any white space, line ends included
//   Blanks         "%*[ ]": one or more spaces (false when there is none)
//   Word           "%s": skips white space, then a run of non-white characters
//   LineWord       "%[^ \n]": a run of characters up to a space or line end
//   U16            "%hu": white space, an optional sign, decimal digits,
//                  converted as a 32-bit unsigned long (saturating; a minus
//                  sign wraps) and cut to 16 bits ("-1" gives 65535, "70000"
//                  4464)
//   S16, Int       "%hd", "%d": as above, signed; "%d" saturates at the
//                  32-bit limits instead of overflowing
//   Float          "%f" in the C locale, whatever the process locale
//   Quoted         "\"%[^\"]\"": a double quote, text up to the next double
//                  quote (an empty pair is accepted), the closing quote
// Every text read is bounded by the caller's maximum.
#include <cstdint>
#include <string>
#include <string_view>

// Longest keyword and longest value text a loader keeps.
constexpr size_t kMaxKeywordText = 511;
constexpr size_t kMaxValueText = 2047;

// Result of a quoted-text scan.
enum QuotedResult { QuotedNone = 0, QuotedOk = 1, QuotedUnterminated = -1 };

class ScanCursor {
 public:
  ScanCursor() = default;
  ScanCursor(const char* begin, const char* end) : pos(begin), end(end) {}
  explicit ScanCursor(std::string_view text) : pos(text.data()), end(text.data() + text.size()) {}

  bool AtEnd() const { return pos >= end; }
  bool AtLineEnd() const { return pos >= end || *pos == '\n'; }
  char Peek() const { return pos < end ? *pos : '\0'; }

  void SkipWhite();
  void SkipSpaces();  // zero or more spaces
  bool Blanks();      // one or more spaces
  void SkipLine();    // up to and including the next line end
  bool Literal(char c);

  bool Word(std::string& out, size_t max = kMaxValueText);
  bool LineWord(std::string& out, size_t max = kMaxValueText);
  // "%*[ ]%[^ \n]": one or more spaces, then a word on the same line.
  bool SpacedWord(std::string& out, size_t max = kMaxValueText);
  // "%[^\n]": at least one character up to the line end (not consumed).
  bool RestOfLine(std::string& out, size_t max = kMaxValueText);
  // "%[^;\n]"
  bool ToSemicolon(std::string& out, size_t max = kMaxValueText);

  bool U16(uint16_t& out);
  bool S16(int16_t& out);
  bool Int(int32_t& out);
  bool Float(float& out);
  // Expects the opening quote at the cursor. The text may run over line ends
  // when allowLines is set; otherwise it must close on its line. A text that
  // does not close (or runs past `max`) is unterminated.
  QuotedResult Quoted(std::string& out, bool allowLines, size_t max = kMaxValueText);

  const char* pos = nullptr;
  const char* end = nullptr;
};

// Decimal text-to-integer conversion as the data files use it (the shared
// reader's rule): leading white space, an optional sign, digits up to the
// first non-digit; no digits give 0. Saturates at the 32-bit limits.
int32_t DecimalToInt(std::string_view text);
// Decimal text-to-float conversion in the C locale; no number gives 0.
float DecimalToFloat(std::string_view text);
// True for the white-space characters of the scan forms.
inline bool IsScanWhite(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Drops every carriage return that stands directly before a line feed (and a
// carriage return ending the text), so files written with CR LF line ends
// read like the others.
void DropLineEndCRs(std::string& text);
