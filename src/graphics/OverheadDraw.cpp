// CMDisplay: the full-screen buffer, window output, animation and the patch.
#include <algorithm>
#include <cstring>

#include "data/BArraySet.h"
#include "graphics/OverheadDisplay.h"
#include "graphics/TileSet.h"
#include "platform/Backend.h"
#include "platform/Frame.h"

namespace {

// Blue, green, red, unused in memory -> 0x00RRGGBB.
inline uint32_t WindowPixel(const uint8_t* p) {
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v & 0x00FFFFFFu;
#else
  return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | uint32_t{p[0]};
#endif
}

}  // namespace

// Draws a bottom-up picture of 4-byte pixels into the window at (x, y),
// every pixel as scale x scale window pixels, clipped to the window. The
// pixels are those DisplayScaledBitmap gives; this form widens each picture
// line once and copies it for the further window lines, which keeps a full
// redraw within the memory bandwidth.
int CMDisplay::Blit(const uint8_t* pixels, int width, int height, int x, int y) const {
  if (!pixels || width < 1 || height < 1) return 0;
  PlatformBackend* backend = Backend();
  if (!backend || !backend->HasWindow() || MainWindow() == NoWindow) {
    SetLastErrorText("ERROR (DisplayScaledBitmap): Failed to get DC from given Window handle");
    return 0;
  }
  Canvas& canvas = backend->GetCanvas();
  const int64_t s = scale_;
  const int64_t outW = int64_t(width) * s, outH = int64_t(height) * s;
  const int64_t x0 = std::max<int64_t>(0, x), x1 = std::min<int64_t>(canvas.width, x + outW);
  const int64_t y0 = std::max<int64_t>(0, y), y1 = std::min<int64_t>(canvas.height, y + outH);
  if (x0 >= x1 || y0 >= y1) return 1;
  const size_t span = size_t(x1 - x0);
  int64_t sy = y0;
  while (sy < y1) {
    const int64_t line = (sy - y) / s;  // picture line from the top
    const uint8_t* src = pixels + size_t(height - 1 - line) * size_t(width) * 4;
    uint32_t* first = canvas.Row(int(sy)) + x0;
    // Widen the line: window column sx shows picture column (sx - x) / s.
    const int64_t skip = x0 - x;
    const uint8_t* p = src + size_t(skip / s) * 4;
    uint32_t* out = first;
    uint32_t* const end = first + span;
    if (s == 1) {
      while (out < end) {
        *out++ = WindowPixel(p);
        p += 4;
      }
    } else {
      int64_t run = s - skip % s;  // what is left of the first picture pixel
      while (out < end) {
        const uint32_t value = WindowPixel(p);
        p += 4;
        uint32_t* runEnd = out + std::min<int64_t>(run, end - out);
        while (out < runEnd) *out++ = value;
        run = s;
      }
    }
    // The further window lines of this picture line are copies.
    const int64_t lineEnd = std::min<int64_t>(y1, y + (line + 1) * s);
    for (int64_t copy = sy + 1; copy < lineEnd; ++copy)
      std::memcpy(canvas.Row(int(copy)) + x0, first, span * 4);
    sy = lineEnd;
  }
  canvas.Damage(int(x0), int(y0), int(x1 - x0), int(y1 - y0));
  return 1;
}

int CMDisplay::RenderFSBuffer() {
  if (!bufferMode_) return 1;
  if (!EnsureScreenBuffer() || !blankFrame_.HasData()) return 0;
  Refresh();
  const size_t lineBytes = size_t(frameWidth_) * 4;
  const size_t bufferLine = size_t(viewWidth_) * lineBytes;
  uint8_t* buffer = screenBuffer_.GetData();
  const uint8_t* blank = blankFrame_.GetData();
  for (int row = 0; row < viewHeight_; ++row) {
    // View row 0 is the top band, which a bottom-up image stores last.
    uint8_t* band = buffer + size_t(viewHeight_ - 1 - row) * size_t(frameHeight_) * bufferLine;
    for (int col = 0; col < viewWidth_; ++col) {
      const uint8_t* frame = cellFrames_[CellIndex(col, row)];
      if (!frame) frame = blank;
      uint8_t* out = band + size_t(col) * lineBytes;
      for (int l = 0; l < frameHeight_; ++l)
        std::memcpy(out + size_t(l) * bufferLine, frame + size_t(l) * lineBytes, lineBytes);
    }
  }
  return 1;
}

int CMDisplay::Display() {
  if (!blankFrame_.HasData()) return 0;
  int ok = 1;
  if (bufferMode_) {
    if (!screenBuffer_.HasData()) return 0;
    ok = Blit(screenBuffer_.GetData(), screenBuffer_.Width(), screenBuffer_.Height(), screenX_,
              screenY_);
  } else {
    Refresh();
    const uint8_t* blank = blankFrame_.GetData();
    for (int row = 0; row < viewHeight_ && ok; ++row)
      for (int col = 0; col < viewWidth_ && ok; ++col) {
        const uint8_t* frame = cellFrames_[CellIndex(col, row)];
        ok = DrawFrameAtCell(frame ? frame : blank, col, row);
      }
  }
  if (ok) Backend()->Present();
  return ok;
}

int CMDisplay::DrawFrameAtCell(const uint8_t* frame, int col, int row) {
  if (!frame || frameWidth_ < 1) return 0;
  const int64_t x = screenX_ + int64_t(col) * scale_ * frameWidth_;
  const int64_t y = screenY_ + int64_t(row) * scale_ * frameHeight_;
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return 1;  // off screen
  return Blit(frame, frameWidth_, frameHeight_, int(x), int(y));
}

int CMDisplay::Blank() {
  if (!blankFrame_.HasData()) return 0;
  if (bufferMode_) {
    if (!EnsureScreenBuffer()) return 0;
    screenBuffer_.FillPattern(blankFrame_.GetData(), frameElementSize_);
    return Display();
  }
  const uint8_t* blank = blankFrame_.GetData();
  for (auto& f : cellFrames_) f = blank;
  int ok = 1;
  for (int row = 0; row < viewHeight_ && ok; ++row)
    for (int col = 0; col < viewWidth_ && ok; ++col) ok = DrawFrameAtCell(blank, col, row);
  if (ok) Backend()->Present();
  return ok;
}

int CMDisplay::AnimationTick(int tick) {
  if (!animate_ || tick % animDivider_ != 0) return 1;
  phase_ = phase_ + 1 >= AnimPhaseCount ? 0 : phase_ + 1;
  if (!CreateSFMap()) return 0;
  if (hasPatch_) ApplyPatch();
  if (bufferMode_ && !RenderFSBuffer()) return 0;
  return Display();
}

int CMDisplay::SetPatch(CTile* const* tiles, int x1, int y1, int x2, int y2,
                        CBArraySet* patchFrames) {
  if (!tiles) {
    hasPatch_ = false;
    patch_.clear();
    patchFrames_ = nullptr;
    builtPatchFrames_ = {};
    return 1;
  }
  if (x1 < 0 || y1 < 0 || x1 > x2 || y1 > y2 || x2 >= viewWidth_ || y2 >= viewHeight_) return 0;
  CBArraySet* frames = patchFrames ? patchFrames : frameSet_;
  if (!frames) return 0;
  int w = 0, h = 0, e = 0;
  frames->GetDims(&w, &h, &e);
  if (w != frameWidth_ || h != frameHeight_ || e != frameElementSize_) {
    SetLastErrorText("ERROR (CMDisplay::SetPatch): Patch frames differ in size from the view's");
    return 0;
  }
  patch_.assign(tiles, tiles + size_t(x2 - x1 + 1) * size_t(y2 - y1 + 1));
  patchX1_ = x1;
  patchY1_ = y1;
  patchX2_ = x2;
  patchY2_ = y2;
  patchFrames_ = frames;
  hasPatch_ = true;
  return 1;
}

int CMDisplay::ApplyPatch() {
  if (!hasPatch_ || !patchFrames_) return 0;
  int w = 0, h = 0, e = 0;
  patchFrames_->GetDims(&w, &h, &e);
  if (w != frameWidth_ || h != frameHeight_ || e != frameElementSize_) return 0;
  size_t k = 0;
  for (int row = patchY1_; row <= patchY2_; ++row)
    for (int col = patchX1_; col <= patchX2_; ++col) {
      CTile* tile = patch_[k++];
      uint16_t frameID = 0;
      if (!tile || !tile->GetFrame(phase_, &frameID)) continue;
      const uint8_t* frame = patchFrames_->Get(frameID);
      if (!frame) continue;
      const size_t i = CellIndex(col, row);
      cellFrames_[i] = frame;
      cellTilePtrs_[i] = tile->view == TileViewPatchOnly ? nullptr : tile;
    }
  builtPatchFrames_ = {patchFrames_, patchFrames_->Generation()};
  return 1;
}
