#include "data/DataScan.h"

#include <cstring>

#include "data/TextDataFile.h"
#include "text/Output.h"

namespace datascan {
namespace {

void ReportCut(size_t capacity) {
  PrintLine("ERROR (DataFileReader): Text longer than %d characters cut", static_cast<int>(capacity - 1));
}

// Stores c at out[length] while there is room; remembers a cut.
inline void Put(char* out, size_t capacity, size_t& length, bool& cut, int c) {
  if (length + 1 < capacity)
    out[length++] = static_cast<char>(c);
  else
    cut = true;
}

// Magnitude and sign of a run of digits, with the 32-bit long conversion.
int32_t Convert(IntKind kind, bool negative, uint64_t magnitude, bool overflow) {
  if (kind == IntKind::UShort) {
    uint32_t value;
    if (overflow || magnitude > 0xFFFFFFFFull)
      value = 0xFFFFFFFFu;
    else
      value = negative ? static_cast<uint32_t>(0u - static_cast<uint32_t>(magnitude))
                       : static_cast<uint32_t>(magnitude);
    return static_cast<int32_t>(value & 0xFFFFu);
  }
  int64_t value;
  if (negative)
    value = (overflow || magnitude > 0x80000000ull) ? INT32_MIN : -static_cast<int64_t>(magnitude);
  else
    value = (overflow || magnitude > 0x7FFFFFFFull) ? INT32_MAX : static_cast<int64_t>(magnitude);
  if (kind == IntKind::Short) return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
  return static_cast<int32_t>(value);
}

}  // namespace

bool ScanToken(TextDataFile& file, char* out, size_t capacity) {
  size_t length = 0;
  bool cut = false;
  int c = file.Get();
  while (c != EOF && IsScanSpace(c)) c = file.Get();
  while (c != EOF && !IsScanSpace(c)) {
    Put(out, capacity, length, cut, c);
    c = file.Get();
  }
  file.Unget(c);
  if (capacity > 0) out[length] = '\0';
  if (cut) ReportCut(capacity);
  return length > 0 || cut;
}

size_t SkipBlanks(TextDataFile& file) {
  size_t count = 0;
  int c = file.Get();
  while (c == ' ') {
    ++count;
    c = file.Get();
  }
  file.Unget(c);
  return count;
}

bool ScanUntil(TextDataFile& file, const char* stops, char* out, size_t capacity) {
  size_t length = 0;
  bool cut = false;
  bool any = false;
  int c = file.Get();
  while (c != EOF && (c == 0 || std::strchr(stops, c) == nullptr)) {
    any = true;
    Put(out, capacity, length, cut, c);
    c = file.Get();
  }
  file.Unget(c);
  if (capacity > 0) out[length] = '\0';
  if (cut) ReportCut(capacity);
  return any;
}

bool ScanInteger(TextDataFile& file, IntKind kind, int32_t* out) {
  int c = file.Get();
  while (c != EOF && IsScanSpace(c)) c = file.Get();
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = file.Get();
  }
  if (c == EOF || c < '0' || c > '9') {
    file.Unget(c);
    return false;
  }
  uint64_t magnitude = 0;
  bool overflow = false;
  while (c >= '0' && c <= '9') {
    if (magnitude > (UINT64_MAX - 9) / 10) overflow = true;
    if (!overflow) magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
    c = file.Get();
  }
  file.Unget(c);
  if (out != nullptr) *out = Convert(kind, negative, magnitude, overflow);
  return true;
}

void SkipLine(TextDataFile& file) {
  int c = file.Get();
  while (c != EOF && c != '\n') c = file.Get();
}

int32_t TextToInt(const char* text) {
  if (text == nullptr) return 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p != 0 && IsScanSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int64_t value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value <= 0x80000000ll) value = value * 10 + (*p - '0');
    ++p;
  }
  if (negative) return value >= 0x80000000ll ? INT32_MIN : static_cast<int32_t>(-value);
  return value > 0x7FFFFFFFll ? INT32_MAX : static_cast<int32_t>(value);
}

}  // namespace datascan
