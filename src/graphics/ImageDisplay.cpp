// ImageDisplay: a picture in place of the map view.
#include "graphics/ImageDisplay.h"

#include "data/BArray.h"
#include "platform/Backend.h"
#include "platform/Frame.h"

int ImageDisplay::Init(int x, int y, int scale) {
  if (scale < 1) return 0;
  x_ = x;
  y_ = y;
  scale_ = scale;
  return 1;
}

void ImageDisplay::SetOffset(int a, int b) {
  x_ = a * scale_;
  y_ = b * scale_;
}

int ImageDisplay::SetImage(const CBArray* picture) {
  if (!picture || !picture->HasData()) return 0;
  if (picture->ElementSize() != 4) {
    SetLastErrorText("ERROR (ImageDisplay::SetImage): Pictures must have 4-byte pixels");
    return 0;
  }
  image_ = picture;
  data_ = picture->GetData();
  width_ = picture->Width();
  height_ = picture->Height();
  elementSize_ = picture->ElementSize();
  return 1;
}

int ImageDisplay::Show() const {
  // The picture may have been freed or reloaded since SetImage: draw only
  // what it holds now, and only while it still has the size taken then.
  if (!image_ || image_->GetData() != data_ || image_->Width() != width_ ||
      image_->Height() != height_ || image_->ElementSize() != elementSize_)
    return 0;
  if (!DisplayScaledBitmap(data_, width_, height_, x_, y_, scale_, scale_)) return 0;
  Backend()->Present();
  return 1;
}
