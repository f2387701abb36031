#pragma once
// ImageDisplay: one picture shown in place of the map view (scripts' images,
// space travel). The picture is a bottom-up image of 4-byte pixels (blue,
// green, red, 0), like a frame; it stays its owner's.
#include <cstdint>

class CBArray;

class ImageDisplay {
 public:
  // Window position of the picture's top-left pixel and the scale.
  int Init(int x, int y, int scale);
  // Places the picture at (a, b) picture pixels from the window's origin.
  void SetOffset(int a, int b);
  // Fails without pixels or unless the picture has 4-byte pixels.
  int SetImage(const CBArray* picture);
  int Show() const;

  int X() const { return x_; }
  int Y() const { return y_; }
  int Scale() const { return scale_; }
  const CBArray* Image() const { return image_; }

 private:
  const CBArray* image_ = nullptr;
  const uint8_t* data_ = nullptr;
  int width_ = 0, height_ = 0, elementSize_ = 0;
  int x_ = 0, y_ = 0;
  int scale_ = 1;
};
