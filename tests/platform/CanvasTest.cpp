#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
Canvas Numbered(int w, int h) {
  Canvas c;
  c.Resize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) c.Row(y)[x] = static_cast<uint32_t>(1000 + y * 100 + x);
  return c;
}
}  // namespace

TEST(Canvas, MoveRectMovesWhatLiesInsideTheCanvasBothWays) {
  const struct {
    int x, y, w, h, dx, dy;
  } cases[] = {
      {1, 2, 6, 5, 0, -1},    // up by one row, overlapping
      {1, 1, 6, 5, 0, 2},     // down, overlapping
      {2, 1, 5, 4, -2, 0},    // left within the rows
      {0, 0, 5, 4, 3, 1},     // right and down
      {-3, -2, 8, 6, 2, 1},   // source partly off the canvas
      {4, 3, 6, 6, 0, -2},    // source hanging off the bottom right
      {0, 0, 9, 7, 0, -9},    // destination wholly off the canvas
      {0, 0, 9, 7, 0, 0},     // no move
      {2, 2, 0, 3, 0, -1},    // empty
  };
  for (const auto& c : cases) {
    Canvas canvas = Numbered(9, 7);
    const Canvas before = canvas;
    canvas.MoveRect(c.x, c.y, c.w, c.h, c.dx, c.dy);
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 9; ++x) {
        // The pixel comes from (x - dx, y - dy) when that lies in the
        // rectangle and on the canvas; otherwise it keeps its value.
        int sx = x - c.dx, sy = y - c.dy;
        bool moved = sx >= c.x && sy >= c.y && sx < c.x + c.w && sy < c.y + c.h && sx >= 0 &&
                     sy >= 0 && sx < 9 && sy < 7;
        uint32_t want = moved ? before.At(sx, sy) : before.At(x, y);
        ASSERT_EQ(canvas.At(x, y), want)
            << "case " << c.x << "," << c.y << " " << c.w << "x" << c.h << " by " << c.dx << ","
            << c.dy << " at " << x << "," << y;
      }
    }
  }
}

TEST(CanvasWatch, LearnsOfEveryDrawingThatMeetsItsRectangle) {
  Canvas canvas = Numbered(20, 10);
  CanvasWatch watch;
  EXPECT_TRUE(watch.Damaged());  // following nothing
  watch.Follow(&canvas, 5, 2, 6, 4);  // x 5..10, y 2..5
  EXPECT_TRUE(watch.Damaged());       // new: nothing known yet
  watch.Clear();
  EXPECT_FALSE(watch.Damaged());

  const struct {
    const char* what;
    void (*draw)(Canvas&);
    bool damages;
  } cases[] = {
      {"fill beside", [](Canvas& c) { c.FillRect(0, 0, 5, 10, 1); }, false},
      {"fill below", [](Canvas& c) { c.FillRect(5, 6, 6, 4, 1); }, false},
      {"fill over one corner pixel", [](Canvas& c) { c.FillRect(10, 5, 3, 3, 1); }, true},
      {"invert inside", [](Canvas& c) { c.InvertRect(6, 3, 1, 1); }, true},
      {"invert undone before anyone looks", [](Canvas& c) { c.InvertRectTransient(6, 3, 2, 2); },
       false},
      {"move into it", [](Canvas& c) { c.MoveRect(0, 0, 4, 4, 6, 0); }, true},
      {"move out of it", [](Canvas& c) { c.MoveRect(5, 2, 2, 2, -5, 4); }, false},
      {"reported direct writes", [](Canvas& c) { c.Damage(8, 0, 1, 3); }, true},
      {"resize", [](Canvas& c) { c.Resize(c.width, c.height); }, true},
      {"assigned a picture", [](Canvas& c) { c = Numbered(20, 10); }, true},
  };
  for (const auto& c : cases) {
    watch.Clear();
    c.draw(canvas);
    EXPECT_EQ(watch.Damaged(), c.damages) << c.what;
  }
  // Another watch elsewhere on the same canvas is told only of its own area.
  CanvasWatch other;
  other.Follow(&canvas, 0, 0, 4, 4);
  watch.Clear();
  other.Clear();
  canvas.FillRect(0, 0, 1, 1, 7);
  EXPECT_FALSE(watch.Damaged());
  EXPECT_TRUE(other.Damaged());
  // A copy of the canvas has no watches; drawing on it tells nobody.
  Canvas copy = canvas;
  watch.Clear();
  copy.FillRect(0, 0, 20, 10, 3);
  EXPECT_FALSE(watch.Damaged());
}

TEST(CanvasWatch, CanvasAndWatchMayGoInEitherOrder) {
  auto canvas = std::make_unique<Canvas>(Numbered(8, 8));
  {
    CanvasWatch early;
    early.Follow(canvas.get(), 0, 0, 8, 8);
  }  // the canvas forgets it
  canvas->FillRect(0, 0, 8, 8, 1);
  CanvasWatch watch;
  watch.Follow(canvas.get(), 0, 0, 8, 8);
  watch.Clear();
  canvas.reset();
  EXPECT_TRUE(watch.Damaged());
  EXPECT_FALSE(watch.Follows(nullptr, 0, 0, 8, 8));
  watch.Clear();
  EXPECT_TRUE(watch.Damaged());  // following nothing stays damaged
}
