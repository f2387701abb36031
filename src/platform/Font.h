#pragma once
// Fixed-pitch text for the text displays. Fonts are looked up by face name
// ("Fixedsys", "Courier New", "Courier") and fall back to a monospace face.
#include <cstdint>
#include <memory>
#include <string>

struct Canvas;

struct FontMetrics {
  int height = 0;        // cell height in pixels
  int averageWidth = 0;  // cell width in pixels
  int spaceWidth = 0;    // advance of the space character, 0 when unknown
  bool fixedPitch = true;
};

class Font {
 public:
  virtual ~Font() = default;
  virtual const FontMetrics& Metrics() const = 0;
  // Draws `length` bytes (Windows-1252) starting at pixel (x, y) = top-left
  // of the first cell, one cell per byte, filling each cell's background.
  // Every cell's pixels depend on its byte and the two colours only, and
  // nothing outside the cells is touched: a text display relies on this
  // when it moves drawn lines instead of drawing them again. Clipped to the
  // canvas. Reports no damage to the canvas; the caller does.
  virtual void DrawText(Canvas& canvas, int x, int y, const char* text, size_t length,
                        uint32_t textColour, uint32_t backColour) const = 0;
};

class FontService {
 public:
  virtual ~FontService() = default;
  // stockId: 0 = none, 16 = system fixed font, 11 = ANSI fixed font.
  // Returns null only when no font at all can be had.
  virtual std::unique_ptr<Font> CreateFont(int stockId, const std::string& face, int height,
                                           int weight) = 0;
};
