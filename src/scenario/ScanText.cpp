#include "scenario/ScanText.h"

#include <charconv>
#include <climits>
#include <string>

#include "data/DataScan.h"

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optional sign and decimal digits at p. Returns false (p unchanged)
// when no digit follows. `magnitude` stops growing once it passes 2^32.
bool ReadSignedDigits(const char*& p, const char* end, bool& negative, uint64_t& magnitude) {
  const char* q = p;
  negative = false;
  if (q < end && (*q == '+' || *q == '-')) {
    negative = *q == '-';
    ++q;
  }
  if (q >= end || !IsDigit(*q)) return false;
  magnitude = 0;
  while (q < end && IsDigit(*q)) {
    if (magnitude < (1ull << 32)) magnitude = magnitude * 10 + uint64_t(*q - '0');
    ++q;
  }
  p = q;
  return true;
}

// Reads a decimal floating-point number at p in the C locale.
bool ReadFloat(const char*& p, const char* end, float& out) {
  const char* q = p;
  bool negative = false;
  if (q < end && (*q == '+' || *q == '-')) {
    negative = *q == '-';
    ++q;
  }
  if (q >= end || *q == '+' || *q == '-') return false;
  float value = 0;
  auto [last, ec] = std::from_chars(q, end, value, std::chars_format::general);
  if (last == q) return false;
  if (ec == std::errc::result_out_of_range) value = 0;  // denormal underflow or overflow
  out = negative ? -value : value;
  p = last;
  return true;
}
}  // namespace

void ScanCursor::SkipWhite() {
  while (pos < end && IsScanWhite(*pos)) ++pos;
}

void ScanCursor::SkipSpaces() {
  while (pos < end && *pos == ' ') ++pos;
}

bool ScanCursor::Blanks() {
  if (pos >= end || *pos != ' ') return false;
  SkipSpaces();
  return true;
}

void ScanCursor::SkipLine() {
  while (pos < end && *pos != '\n') ++pos;
  if (pos < end) ++pos;
}

bool ScanCursor::Literal(char c) {
  if (pos >= end || *pos != c) return false;
  ++pos;
  return true;
}

bool ScanCursor::Word(std::string& out, size_t max) {
  SkipWhite();
  return LineWord(out, max);
}

bool ScanCursor::LineWord(std::string& out, size_t max) {
  out.clear();
  const char* start = pos;
  while (pos < end && !IsScanWhite(*pos)) ++pos;
  if (pos == start) return false;
  out.assign(start, size_t(pos - start) < max ? size_t(pos - start) : max);
  return true;
}

bool ScanCursor::SpacedWord(std::string& out, size_t max) {
  out.clear();
  const char* save = pos;
  if (!Blanks() || !LineWord(out, max)) {
    pos = save;
    SkipSpaces();
    return false;
  }
  return true;
}

bool ScanCursor::RestOfLine(std::string& out, size_t max) {
  out.clear();
  const char* start = pos;
  while (pos < end && *pos != '\n') ++pos;
  if (pos == start) return false;
  out.assign(start, size_t(pos - start) < max ? size_t(pos - start) : max);
  return true;
}

bool ScanCursor::ToSemicolon(std::string& out, size_t max) {
  out.clear();
  const char* start = pos;
  while (pos < end && *pos != '\n' && *pos != ';') ++pos;
  if (pos == start) return false;
  out.assign(start, size_t(pos - start) < max ? size_t(pos - start) : max);
  return true;
}

bool ScanCursor::U16(uint16_t& out) {
  SkipWhite();
  bool negative;
  uint64_t magnitude;
  if (!ReadSignedDigits(pos, end, negative, magnitude)) return false;
  // The conversion of a 32-bit unsigned long: saturating, a minus sign
  // wrapping, then cut to 16 bits.
  uint32_t v = magnitude > 0xFFFFFFFFull ? 0xFFFFFFFFu : negative ? 0u - uint32_t(magnitude) : uint32_t(magnitude);
  out = uint16_t(v & 0xFFFFu);
  return true;
}

bool ScanCursor::S16(int16_t& out) {
  uint16_t v;
  if (!U16(v)) return false;
  out = int16_t(v);
  return true;
}

bool ScanCursor::Int(int32_t& out) {
  SkipWhite();
  bool negative;
  uint64_t magnitude;
  if (!ReadSignedDigits(pos, end, negative, magnitude)) return false;
  if (negative)
    out = magnitude > uint64_t(INT_MAX) + 1 ? INT_MIN : int32_t(-int64_t(magnitude));
  else
    out = magnitude > uint64_t(INT_MAX) ? INT_MAX : int32_t(magnitude);
  return true;
}

bool ScanCursor::Float(float& out) {
  SkipWhite();
  return ReadFloat(pos, end, out);
}

QuotedResult ScanCursor::Quoted(std::string& out, bool allowLines, size_t max) {
  out.clear();
  if (pos >= end || *pos != '"') return QuotedNone;
  const char* start = pos + 1;
  const char* q = start;
  while (q < end && *q != '"' && (allowLines || *q != '\n') && size_t(q - start) <= max) ++q;
  if (q >= end || *q != '"') return QuotedUnterminated;
  out.assign(start, size_t(q - start));
  pos = q + 1;
  return QuotedOk;
}

int32_t DecimalToInt(std::string_view text) {
  // One conversion rule for every data file: the shared reader's.
  return datascan::TextToInt(std::string(text).c_str());
}

float DecimalToFloat(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end && IsScanWhite(*p)) ++p;
  float value = 0;
  if (!ReadFloat(p, end, value)) return 0;
  return value;
}

void DropLineEndCRs(std::string& text) {
  size_t w = 0;
  for (size_t r = 0; r < text.size(); ++r) {
    if (text[r] == '\r' && (r + 1 == text.size() || text[r + 1] == '\n')) continue;
    text[w++] = text[r];
  }
  text.resize(w);
}
