#pragma once
// CBArray: the engine's raster, a two-dimensional array of fixed-size
// elements stored row by row (row y at byte elementSize * y * width).
// Frames use 4-byte elements (blue, green, red, 0) with row 0 the bottom row
// of the picture; maps use 2-byte little-endian tile IDs with row 0 the
// northern edge. Operations return 1 for success and 0 for failure.
// Colours, keys and boundaries are pointers to elementSize bytes; elements
// are compared byte by byte.
//
// Every drawing operation clips its writes to the array, so no caller can
// write outside the buffer, whatever the coordinates.
#include <cstddef>
#include <cstdint>
#include <string>

class CBArray {
 public:
  CBArray() = default;
  ~CBArray();
  CBArray(const CBArray&) = delete;
  CBArray& operator=(const CBArray&) = delete;

  // Largest buffer an array may hold (guards sizes read from files).
  static constexpr size_t MaxBytes = size_t(1) << 28;
  // Byte size for the dimensions; false when one is < 1 or the product is
  // larger than MaxBytes.
  static bool ByteSizeFor(int64_t width, int64_t height, int64_t elementSize, size_t* out);

  int SetDims(int width, int height, int elementSize);
  int GetDims(int* width, int* height, int* elementSize) const;
  int Alloc();
  int Init(int width, int height, int elementSize);
  // Adopts a buffer of width*height*elementSize bytes allocated with new[].
  int Attach(uint8_t* buffer);
  // Uses a buffer owned by someone else (a set's slot); never freed here.
  int AttachView(uint8_t* buffer);
  // Hands the buffer on without freeing it: data none, width and height 0.
  int Detach();
  // Frees the buffer (if owned) and clears the dimensions.
  void Free();
  // Exchanges buffers and dimensions with another array.
  void Swap(CBArray& other);

  uint8_t* GetData() const { return data_; }
  bool HasData() const { return data_ != nullptr; }
  bool IsView() const { return data_ != nullptr && !owned_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int ElementSize() const { return elementSize_; }
  size_t ByteSize() const { return size_t(width_) * size_t(height_) * size_t(elementSize_); }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  uint8_t* ElementPtr(int x, int y) const {
    return data_ + (size_t(y) * size_t(width_) + size_t(x)) * size_t(elementSize_);
  }

  int CopyBytes(const uint8_t* source);
  int InitByCopy(const CBArray& other);
  void Fill(uint8_t value);
  void FillPattern(const uint8_t* pattern, int length);
  int SetElement(const void* element, int x, int y);
  int GetElement(void* out, int x, int y) const;

  // 16-bit little-endian elements (map cells), independent of the host.
  uint16_t GetU16(int x, int y) const;
  int SetU16(uint16_t value, int x, int y);

  int PlotLine(const uint8_t* colour, int x1, int y1, int x2, int y2);
  int PlotLineEx(const uint8_t* colour, int x1, int y1, int x2, int y2, int truncate);
  int PlotLinePhased(const uint8_t* colour, int x1, int y1, int x2, int y2, int truncate,
                     float phase);
  int DrawHLine(const uint8_t* colour, int x1, int x2, int y);
  int DrawVLine(const uint8_t* colour, int x, int y1, int y2);
  int FillRect(const uint8_t* colour, int x1, int y1, int x2, int y2);
  int FillToBoundaryV(const uint8_t* colour, const uint8_t* boundary, int x1, int y1, int x2,
                      int y2, int upwards, int truncate);
  int FillToBoundaryH(const uint8_t* colour, const uint8_t* boundary, int x1, int y1, int x2,
                      int y2, int leftwards, int truncate);
  int FillRowsToBoundary(const uint8_t* colour, const uint8_t* boundary, int x, int y1, int y2,
                         int mode);
  int BlitScaled(const CBArray& source, int x, int y, float scaleX, float scaleY,
                 const uint8_t* key, int mirrored);
  // Copies every element of `buffer` (same dimensions) that differs from key.
  int OverlayFrom(const CBArray& buffer, const uint8_t* key);
  int CopyRegion(const CBArray& source, int destX, int destY, int sx1, int sy1, int sx2, int sy2);
  int DrawDots(int x, int y, int w, int h, const uint8_t* colour, uint8_t gapX, uint8_t gapY,
               uint8_t offsetX, uint8_t offsetY);
  int DrawDotsScaled(int x, int y, int w, int h, const uint8_t* colour, uint8_t gapX,
                     uint8_t gapY, uint8_t offsetX, uint8_t offsetY, float scaleX, float scaleY);
  int ReplaceColour(const uint8_t* from, const uint8_t* to);
  // 1 main diagonal, 2 left-right, 3 quarter turn counter-clockwise (row 0 at
  // the top), 4 top-bottom, 5 quarter turn clockwise, 6 half turn, 7 other
  // diagonal. Types 1, 3, 5 and 7 need a square array.
  int Mirror(int type);

  // Array files: "QUORVELLIAN914 B1 V1\n", "height width elementSize\n",
  // "<Data>\n", then the raw elements. Failures go to LastErrorText; a failed
  // Load leaves the array as it was.
  int Save(const std::string& path) const;
  int Load(const std::string& path);
  // The same from file bytes already in memory.
  int LoadFromBytes(const std::string& bytes);
  std::string SaveToBytes() const;

 private:
  void Put(const uint8_t* colour, int x, int y) {
    if (Inside(x, y)) __builtin_memcpy(ElementPtr(x, y), colour, size_t(elementSize_));
  }
  bool Equals(int x, int y, const uint8_t* element) const;
  int PlotLineImpl(const uint8_t* colour, int x1, int y1, int x2, int y2, float r, float phase);
  void FillRun(const uint8_t* colour, const uint8_t* boundary, int x, int y, int dx, int dy);

  uint8_t* data_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int elementSize_ = 0;
  bool owned_ = true;
};

// Colour adjustment over every element not equal to key (all when key is
// null). factors holds factorCount floats, one per component; components
// beyond factorCount are left as they are. Results are clamped to 0..255
// (and to the component's lower limit in the Ex form).
int CBAAdjustAllColors(CBArray* array, int multiply, const float* factors, int factorCount,
                       const uint8_t* key);
int CBAAdjustAllColorsEx(CBArray* array, int multiply, const float* factors, int factorCount,
                         const uint8_t* key, const uint8_t* lower);
// Sets every component whose weight is >= 0 to the weighted mean of those
// components (clamped to 255; stepped past the key byte).
int CBASetGreyscale(CBArray* array, const float* weights, int weightCount, uint8_t key);
