#pragma once
// The window's picture: a software canvas of 32-bit pixels, rows top-down.
// A pixel's bytes in memory are blue, green, red, 0 (as uint32_t: 0x00RRGGBB).
//
// Damage: a CanvasWatch follows one rectangle of a canvas and learns when
// anything draws into it. The drawing operations of the canvas report what
// they change by themselves; code that writes pixels through Row() or
// `pixels` calls Damage() for the rectangle it wrote.
#include <cstddef>
#include <cstdint>
#include <vector>

class CanvasWatch;

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width * height, row 0 at the top

  Canvas() = default;
  // Copies and moves take the picture, never the watches: a watch stays on
  // the canvas it was put on, and learns that its pixels were replaced.
  Canvas(const Canvas& other);
  Canvas(Canvas&& other) noexcept;
  Canvas& operator=(const Canvas& other);
  Canvas& operator=(Canvas&& other) noexcept;
  ~Canvas();

  void Resize(int w, int h);
  uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
  const uint32_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Clipped to the canvas.
  void FillRect(int x, int y, int w, int h, uint32_t colour);
  void InvertRect(int x, int y, int w, int h);
  // Inverts without reporting damage: only for a change that is undone
  // before anything else draws (the caret put into an upload of the picture).
  void InvertRectTransient(int x, int y, int w, int h);
  // Moves the pixels of the rectangle by (dx, dy), as far as both the source
  // and the destination pixel lie inside the canvas. Pixels of the source
  // that the moved rectangle does not cover keep their values.
  void MoveRect(int x, int y, int w, int h, int dx, int dy);
  // Marks every watch whose rectangle meets this one.
  void Damage(int x, int y, int w, int h);

 private:
  friend class CanvasWatch;
  void DamageAll();
  std::vector<CanvasWatch*> watches_;
};

// Follows one rectangle of a canvas. Damaged() tells whether anything drew
// into it since the watch was put there or last cleared. The canvas and the
// watch may be destroyed in either order: a watch whose canvas is gone
// follows nothing and counts as damaged.
class CanvasWatch {
 public:
  CanvasWatch() = default;
  ~CanvasWatch();
  CanvasWatch(const CanvasWatch&) = delete;
  CanvasWatch& operator=(const CanvasWatch&) = delete;

  // Starts following the rectangle on `canvas` (null: follows nothing). A
  // new watch counts as damaged until cleared.
  void Follow(Canvas* canvas, int x, int y, int w, int h);
  bool Follows(const Canvas* canvas, int x, int y, int w, int h) const {
    return canvas_ && canvas_ == canvas && x_ == x && y_ == y && w_ == w && h_ == h;
  }
  bool Damaged() const { return damaged_; }
  void Clear() { damaged_ = canvas_ == nullptr; }

 private:
  friend struct Canvas;
  void Detach();
  Canvas* canvas_ = nullptr;
  int x_ = 0, y_ = 0, w_ = 0, h_ = 0;
  bool damaged_ = true;
};

inline constexpr uint32_t RgbPixel(uint8_t r, uint8_t g, uint8_t b) {
  return (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b};
}
