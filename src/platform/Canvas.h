#pragma once
// The window's picture: a software canvas of 32-bit pixels, rows top-down.
// A pixel's bytes in memory are blue, green, red, 0 (as uint32_t: 0x00RRGGBB).
#include <cstddef>
#include <cstdint>
#include <vector>

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width * height, row 0 at the top

  void Resize(int w, int h);
  uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
  const uint32_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Clipped to the canvas.
  void FillRect(int x, int y, int w, int h, uint32_t colour);
  void InvertRect(int x, int y, int w, int h);
};

inline constexpr uint32_t RgbPixel(uint8_t r, uint8_t g, uint8_t b) {
  return (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b};
}
