// CBArray: storage, element access and the array file format.
#include "data/BArray.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "platform/Files.h"
#include "platform/Frame.h"

namespace {

const char* const kMagic = "QUORVELLIAN914";

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

void SkipSpace(const std::string& s, size_t& pos) {
  while (pos < s.size() && IsSpace(static_cast<unsigned char>(s[pos]))) ++pos;
}

// The next run of non-white characters; empty at the end of the text.
std::string Token(const std::string& s, size_t& pos) {
  SkipSpace(s, pos);
  size_t start = pos;
  while (pos < s.size() && !IsSpace(static_cast<unsigned char>(s[pos]))) ++pos;
  return s.substr(start, pos - start);
}

// An unsigned decimal after optional white space and sign. A minus sign or a
// value beyond 32 bits gives a value no size check accepts.
bool ReadUnsigned(const std::string& s, size_t& pos, int64_t* out) {
  SkipSpace(s, pos);
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    negative = s[pos] == '-';
    ++pos;
  }
  if (pos >= s.size() || s[pos] < '0' || s[pos] > '9') return false;
  int64_t value = 0;
  while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
    if (value < (int64_t(1) << 40)) value = value * 10 + (s[pos] - '0');
    ++pos;
  }
  *out = negative && value != 0 ? -1 : value;
  return true;
}

}  // namespace

CBArray::~CBArray() { Free(); }

bool CBArray::ByteSizeFor(int64_t width, int64_t height, int64_t elementSize, size_t* out) {
  if (width < 1 || height < 1 || elementSize < 1) return false;
  const int64_t limit = int64_t(MaxBytes);
  if (width > limit || height > limit || elementSize > limit) return false;
  if (width * height > limit) return false;
  if (width * height * elementSize > limit) return false;
  *out = size_t(width * height * elementSize);
  return true;
}

void CBArray::Free() {
  if (owned_) delete[] data_;
  data_ = nullptr;
  owned_ = true;
  width_ = height_ = 0;
}

void CBArray::Swap(CBArray& other) {
  std::swap(data_, other.data_);
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  std::swap(elementSize_, other.elementSize_);
  std::swap(owned_, other.owned_);
}

int CBArray::SetDims(int width, int height, int elementSize) {
  if (width <= 0 || height <= 0 || elementSize <= 0) return 0;
  width_ = width;
  height_ = height;
  elementSize_ = elementSize;
  return 1;
}

int CBArray::GetDims(int* width, int* height, int* elementSize) const {
  if (width) *width = width_;
  if (height) *height = height_;
  if (elementSize) *elementSize = elementSize_;
  return 1;
}

int CBArray::Alloc() {
  if (data_) return 0;
  size_t bytes = 0;
  if (!ByteSizeFor(width_, height_, elementSize_, &bytes)) return 0;
  data_ = new (std::nothrow) uint8_t[bytes];
  owned_ = true;
  return data_ ? 1 : 0;
}

int CBArray::Init(int width, int height, int elementSize) {
  // An array that holds a buffer keeps it and its dimensions: changing them
  // first would leave sizes that no longer describe the buffer.
  if (data_) return 0;
  if (!SetDims(width, height, elementSize)) return 0;
  return Alloc();
}

int CBArray::Attach(uint8_t* buffer) {
  if (data_ || !buffer) return 0;
  data_ = buffer;
  owned_ = true;
  return 1;
}

int CBArray::AttachView(uint8_t* buffer) {
  if (data_ || !buffer) return 0;
  data_ = buffer;
  owned_ = false;
  return 1;
}

int CBArray::Detach() {
  data_ = nullptr;
  owned_ = true;
  width_ = height_ = 0;
  return 1;
}

int CBArray::CopyBytes(const uint8_t* source) {
  if (!source) return 0;
  if (!data_ && !Alloc()) return 0;
  std::memcpy(data_, source, ByteSize());
  return 1;
}

int CBArray::InitByCopy(const CBArray& other) {
  if (data_ || !other.data_) return 0;
  if (!Init(other.width_, other.height_, other.elementSize_)) return 0;
  std::memcpy(data_, other.data_, ByteSize());
  return 1;
}

void CBArray::Fill(uint8_t value) {
  if (data_) std::memset(data_, value, ByteSize());
}

void CBArray::FillPattern(const uint8_t* pattern, int length) {
  if (!data_ || !pattern || length <= 0) return;
  size_t n = ByteSize();
  for (size_t i = 0; i < n; ++i) data_[i] = pattern[i % size_t(length)];
}

int CBArray::SetElement(const void* element, int x, int y) {
  if (!data_ || !element || !Inside(x, y)) return 0;
  std::memcpy(ElementPtr(x, y), element, size_t(elementSize_));
  return 1;
}

int CBArray::GetElement(void* out, int x, int y) const {
  if (!data_ || !out || !Inside(x, y)) return 0;
  std::memcpy(out, ElementPtr(x, y), size_t(elementSize_));
  return 1;
}

uint16_t CBArray::GetU16(int x, int y) const {
  if (!data_ || elementSize_ < 2 || !Inside(x, y)) return 0;
  const uint8_t* p = ElementPtr(x, y);
  return uint16_t(p[0] | (p[1] << 8));
}

int CBArray::SetU16(uint16_t value, int x, int y) {
  if (!data_ || elementSize_ < 2 || !Inside(x, y)) return 0;
  uint8_t* p = ElementPtr(x, y);
  p[0] = uint8_t(value & 0xFF);
  p[1] = uint8_t(value >> 8);
  return 1;
}

bool CBArray::Equals(int x, int y, const uint8_t* element) const {
  return std::memcmp(ElementPtr(x, y), element, size_t(elementSize_)) == 0;
}

std::string CBArray::SaveToBytes() const {
  std::string out = std::string(kMagic) + " B1 V1\n";
  char header[64];
  std::snprintf(header, sizeof header, "%u %u %u\n", unsigned(height_), unsigned(width_),
                unsigned(elementSize_));
  out += header;
  out += "<Data>\n";
  if (data_) out.append(reinterpret_cast<const char*>(data_), ByteSize());
  return out;
}

int CBArray::Save(const std::string& path) const {
  FILE* f = AOpenFile(path, "wb");
  if (!f) {
    SetLastErrorText("CBArray::Save: Failed to open file \"" + path + "\"");
    return 0;
  }
  int ok = 1;
  std::string magic = std::string(kMagic) + " B1 V1\n";
  char header[64];
  std::snprintf(header, sizeof header, "%u %u %u\n", unsigned(height_), unsigned(width_),
                unsigned(elementSize_));
  if (std::fwrite(magic.data(), 1, magic.size(), f) != magic.size()) {
    SetLastErrorText("CBArray::Save: Failed to save file type header");
    ok = 0;
  } else if (std::fputs(header, f) < 0 || std::fputs("<Data>\n", f) < 0) {
    SetLastErrorText("CBArray::Save: Failed to save data header");
    ok = 0;
  } else {
    size_t n = data_ ? ByteSize() : 0;
    if (n && std::fwrite(data_, 1, n, f) != n) {
      SetLastErrorText("CBArray::Save: Failed to save byte data");
      ok = 0;
    }
  }
  if (std::fclose(f) != 0 && ok) {
    SetLastErrorText("CBArray::Save: Failed to save byte data");
    ok = 0;
  }
  return ok;
}

int CBArray::Load(const std::string& path) {
  if (path.empty()) {
    SetLastErrorText("CBArray::Load: Empty string invalid file name");
    return 0;
  }
  std::string bytes;
  if (!AReadFile(path, bytes)) {
    SetLastErrorText("CBArray::Load: Failed to open file \"" + path + "\"");
    return 0;
  }
  return LoadFromBytes(bytes);
}

// Everything is checked before the array is touched, so a bad file leaves
// the array as it was.
int CBArray::LoadFromBytes(const std::string& s) {
  size_t pos = 0;
  std::string magic = Token(s, pos);
  if (magic.empty()) {
    SetLastErrorText("CBArray::Load: Failed to load file type header");
    return 0;
  }
  if (magic != kMagic) {
    SetLastErrorText("CBArray::Load: Incorrect header");
    return 0;
  }
  // The words after the magic are not checked.
  while (pos < s.size() && s[pos] != '\n') ++pos;
  if (pos < s.size()) ++pos;

  int64_t height = 0, width = 0, elementSize = 0;
  if (!ReadUnsigned(s, pos, &height) || !ReadUnsigned(s, pos, &width) ||
      !ReadUnsigned(s, pos, &elementSize) || height < 1 || width < 1 || elementSize < 1) {
    SetLastErrorText("CBArray::Load: Failed to load data header");
    return 0;
  }
  size_t bytes = 0;
  if (!ByteSizeFor(width, height, elementSize, &bytes)) {
    SetLastErrorText("CBArray::Load: Failed to resize memory");
    return 0;
  }
  SkipSpace(s, pos);
  for (;;) {
    std::string token = Token(s, pos);
    if (token.empty()) {
      SetLastErrorText("CBArray::Load: Failed to find data tag");
      return 0;
    }
    if (token == "<Data>") break;
  }
  // Exactly one character (the line feed) separates the tag from the data,
  // which may itself begin with white space.
  if (pos < s.size()) ++pos;
  if (s.size() - pos < bytes) {
    SetLastErrorText("CBArray::Load: Failed to load byte data");
    return 0;
  }
  if (IsView() && (width != width_ || height != height_ || elementSize != elementSize_)) {
    // A view shares a set's buffer; it can be refilled but never resized.
    SetLastErrorText("CBArray::Load: Failed to resize memory");
    return 0;
  }
  if (!data_ || ByteSize() != bytes) {
    uint8_t* buffer = new (std::nothrow) uint8_t[bytes];
    if (!buffer) {
      SetLastErrorText("CBArray::Load: Failed to resize memory");
      return 0;
    }
    if (owned_) delete[] data_;
    data_ = buffer;
    owned_ = true;
  }
  width_ = int(width);
  height_ = int(height);
  elementSize_ = int(elementSize);
  std::memcpy(data_, s.data() + pos, bytes);
  return 1;
}
