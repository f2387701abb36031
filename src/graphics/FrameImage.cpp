#include "graphics/FrameImage.h"

#include "data/BmpFile.h"
#include "data/PngFile.h"
#include "platform/Files.h"

int ImageToFrame(int width, int height, const uint32_t* topDownPixels, CBArray* frame) {
  if (!frame || !topDownPixels || frame->HasData()) return 0;
  if (!frame->Init(width, height, 4)) return 0;
  for (int y = 0; y < height; ++y) {
    const uint32_t* in = topDownPixels + size_t(height - 1 - y) * size_t(width);
    uint8_t* out = frame->ElementPtr(0, y);
    for (int x = 0; x < width; ++x, out += 4) {
      out[0] = uint8_t(in[x]);
      out[1] = uint8_t(in[x] >> 8);
      out[2] = uint8_t(in[x] >> 16);
      out[3] = 0;
    }
  }
  return 1;
}

int FrameToImage(const CBArray& frame, std::vector<uint32_t>* topDownPixels) {
  if (!topDownPixels || !frame.HasData() || frame.ElementSize() != 4) return 0;
  const int w = frame.Width(), h = frame.Height();
  topDownPixels->resize(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y) {
    const uint8_t* in = frame.ElementPtr(0, y);
    uint32_t* out = topDownPixels->data() + size_t(h - 1 - y) * size_t(w);
    for (int x = 0; x < w; ++x, in += 4) out[x] = uint32_t(in[2]) << 16 | uint32_t(in[1]) << 8 | in[0];
  }
  return 1;
}

bool ReadImageFile(const std::string& path, int* width, int* height,
                   std::vector<uint32_t>* topDownPixels, std::string* error) {
  std::string bytes;
  if (!AReadFile(path, bytes)) {
    if (error) *error = "could not open " + path;
    return false;
  }
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
    return DecodeBmp(bytes, width, height, topDownPixels, error);
  if (bytes.size() >= 8 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0)
    return DecodePng(bytes, width, height, topDownPixels, error);
  if (error) *error = path + " is neither a BMP nor a PNG image";
  return false;
}
