// Text display throughput: PrintLine into the main display and a full redraw
// of the full-screen display, with a fixed 8x16 font that fills every cell.
#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/Canvas.h"
#include "platform/Font.h"
#include "text/Output.h"
#include "text/TextDisplay.h"

namespace {
class BlockFont : public Font {
 public:
  BlockFont() {
    metrics_.height = 16;
    metrics_.averageWidth = 8;
    metrics_.spaceWidth = 8;
  }
  const FontMetrics& Metrics() const override { return metrics_; }
  // Fills each cell with the background and draws a glyph bar for non-blanks.
  void DrawText(Canvas& canvas, int x, int y, const char* text, size_t length, uint32_t textColour,
                uint32_t backColour) const override {
    for (size_t i = 0; i < length; ++i) {
      int cx = x + static_cast<int>(i) * 8;
      for (int row = 0; row < 16; ++row) {
        int py = y + row;
        if (py < 0 || py >= canvas.height || cx < 0 || cx + 8 > canvas.width) continue;
        uint32_t* p = canvas.Row(py) + cx;
        uint32_t bits = text[i] == ' ' ? 0 : static_cast<unsigned char>(text[i]) * 0x9E3779B1u >> row;
        for (int col = 0; col < 8; ++col) p[col] = (bits >> col) & 1 ? textColour : backColour;
      }
    }
  }

 private:
  FontMetrics metrics_;
};

struct Screen {
  Screen(int columns, int rows, int lines) {
    canvas.width = columns * 8;
    canvas.height = rows * 16;
    canvas.pixels.assign(static_cast<size_t>(canvas.width) * canvas.height, 0);
    display.SetCanvas(&canvas);
    display.SetFont(&font);
    display.SetSize(columns, rows);
    display.InitBuffer(lines);
  }
  BlockFont font;
  Canvas canvas;
  TextDisplay display;
};
}  // namespace

static void BM_PrintLineMainDisplay(benchmark::State& state) {
  Screen s(64, 25, 100);
  SetOutput(&s.display);
  int i = 0;
  for (auto _ : state) {
    PrintLine("The orc hits you for %d points of damage with its rusty blade.", ++i % 20);
  }
  SetOutput(nullptr);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PrintLineMainDisplay);

static void BM_RedrawFullDisplay(benchmark::State& state) {
  Screen s(128, 51, 51);
  for (int i = 0; i < 60; ++i)
    s.display.WriteWrapped("Full screen text with a fair amount of characters on each line of it.",
                           true);
  for (auto _ : state) {
    s.display.Redraw();
    benchmark::DoNotOptimize(s.canvas.pixels.data());
  }
}
BENCHMARK(BM_RedrawFullDisplay);
