// BMP reading and writing. Every field is read little-endian from the file
// bytes and checked against the file's length before pixels are taken.
#include "data/BmpFile.h"

#include "data/PngFile.h"
#include "platform/Files.h"

namespace {

uint32_t U32(const std::string& s, size_t at) {
  return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 |
         uint32_t(uint8_t(s[at + 2])) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}
uint16_t U16(const std::string& s, size_t at) {
  return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8);
}

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

// One colour channel of a bit-field mask, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    max = m >> shift;
  }
  uint8_t Get(uint32_t v) const {
    if (!mask) return 0;
    return uint8_t((uint64_t((v & mask) >> shift) * 255 + max / 2) / max);
  }
};

void PutU16(std::string& s, uint16_t v) {
  s += char(v & 0xFF);
  s += char(v >> 8);
}
void PutU32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
}

}  // namespace

bool DecodeBmp(const std::string& s, int* width, int* height,
               std::vector<uint32_t>* topDownPixels, std::string* error) {
  if (s.size() < 14 + 40 || s[0] != 'B' || s[1] != 'M') return Fail(error, "not a BMP image");
  const uint32_t offset = U32(s, 10);
  const uint32_t headerSize = U32(s, 14);
  if (headerSize < 40 || 14 + uint64_t(headerSize) > s.size())
    return Fail(error, "unsupported BMP header (size " + std::to_string(headerSize) + ")");
  const int32_t w = int32_t(U32(s, 18));
  const int32_t h = int32_t(U32(s, 22));
  const uint16_t bits = U16(s, 28);
  const uint32_t compression = U32(s, 30);
  if (bits != 24 && bits != 32)
    return Fail(error, "unsupported BMP depth " + std::to_string(bits) + " (24 or 32 bits needed)");
  if (w < 1 || h == 0 || h == INT32_MIN || w > MaxImageSide || h > MaxImageSide || h < -MaxImageSide)
    return Fail(error, "BMP size out of range");
  uint32_t masks[3] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
  if (compression == 3 || compression == 6) {
    if (bits != 32) return Fail(error, "bit-field masks need a 32-bit BMP");
    // Masks follow a 40-byte header, or stand inside a larger one.
    if (14 + 40 + 12 > uint64_t(s.size())) return Fail(error, "truncated BMP header");
    for (int i = 0; i < 3; ++i) masks[i] = U32(s, 14 + 40 + size_t(i) * 4);
  } else if (compression != 0) {
    return Fail(error, "compressed BMP images are not supported");
  }
  const bool topDown = h < 0;
  const int rows = topDown ? -h : h;
  const uint64_t stride = (uint64_t(w) * bits + 31) / 32 * 4;
  if (uint64_t(offset) + stride * uint64_t(rows) > s.size())
    return Fail(error, "BMP pixel data is shorter than its header claims");
  Channel red(masks[0]), green(masks[1]), blue(masks[2]);
  topDownPixels->assign(size_t(w) * size_t(rows), 0);
  for (int r = 0; r < rows; ++r) {
    size_t row = size_t(offset + stride * uint64_t(r));
    int outRow = topDown ? r : rows - 1 - r;
    uint32_t* out = topDownPixels->data() + size_t(outRow) * size_t(w);
    for (int x = 0; x < w; ++x) {
      if (bits == 24) {
        size_t p = row + size_t(x) * 3;
        out[x] = uint32_t(uint8_t(s[p + 2])) << 16 | uint32_t(uint8_t(s[p + 1])) << 8 | uint8_t(s[p]);
      } else {
        uint32_t v = U32(s, row + size_t(x) * 4);
        out[x] = uint32_t(red.Get(v)) << 16 | uint32_t(green.Get(v)) << 8 | blue.Get(v);
      }
    }
  }
  *width = w;
  *height = rows;
  return true;
}

bool ReadBmp(const std::string& path, int* width, int* height,
             std::vector<uint32_t>* topDownPixels, std::string* error) {
  std::string bytes;
  if (!AReadFile(path, bytes)) return Fail(error, "could not open " + path);
  return DecodeBmp(bytes, width, height, topDownPixels, error);
}

bool WriteBmp(const std::string& path, int width, int height, const uint32_t* topDownPixels) {
  if (!topDownPixels || width < 1 || height < 1 || width > MaxImageSide || height > MaxImageSide)
    return false;
  const uint32_t stride = (uint32_t(width) * 3 + 3) / 4 * 4;
  const uint32_t dataSize = stride * uint32_t(height);
  std::string s = "BM";
  PutU32(s, 54 + dataSize);
  PutU32(s, 0);
  PutU32(s, 54);
  PutU32(s, 40);
  PutU32(s, uint32_t(width));
  PutU32(s, uint32_t(height));
  PutU16(s, 1);
  PutU16(s, 24);
  PutU32(s, 0);
  PutU32(s, dataSize);
  PutU32(s, 2835);
  PutU32(s, 2835);
  PutU32(s, 0);
  PutU32(s, 0);
  for (int r = height - 1; r >= 0; --r) {
    const uint32_t* in = topDownPixels + size_t(r) * size_t(width);
    for (int x = 0; x < width; ++x) {
      s += char(in[x] & 0xFF);
      s += char((in[x] >> 8) & 0xFF);
      s += char((in[x] >> 16) & 0xFF);
    }
    s.append(stride - uint32_t(width) * 3, '\0');
  }
  return AWriteFileAtomic(path, s);
}
