// A new line on the bottom row moves the picture up instead of drawing every
// row again. Whatever path a step takes, the picture afterwards must be the
// one a full Redraw draws for the same text, and nothing outside the
// display may change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>

#include "TextFixture.h"
#include "platform/Backend.h"
#include "platform/Frame.h"
#include "platform/HeadlessBackend.h"
#include "text/Output.h"

namespace {
// A font (8x16 unless told otherwise) that paints every pixel of a cell
// from the character, the colours and the pixel's place in the cell, so that
// a row moved by a wrong amount, a stale line or a wrong colour all show. It
// notes the y of every row it draws on.
class PatternFont : public Font {
 public:
  explicit PatternFont(int width = 8, int height = 16) {
    metrics_.height = height;
    metrics_.averageWidth = width;
    metrics_.spaceWidth = width;
  }
  const FontMetrics& Metrics() const override { return metrics_; }
  void DrawText(Canvas& canvas, int x, int y, const char* text, size_t length, uint32_t textColour,
                uint32_t backColour) const override {
    rows.insert(y);
    const int w = metrics_.averageWidth;
    for (size_t i = 0; i < length; ++i) {
      uint32_t bits = (static_cast<unsigned char>(text[i]) + 1u) * 0x9E3779B1u;
      for (int r = 0; r < metrics_.height; ++r) {
        for (int c = 0; c < w; ++c) {
          int px = x + static_cast<int>(i) * w + c, py = y + r;
          if (px < 0 || py < 0 || px >= canvas.width || py >= canvas.height) continue;
          bool ink = (bits >> ((r * w + c) % 32)) & 1;
          canvas.Row(py)[px] = ink ? textColour : backColour ^ static_cast<uint32_t>(r);
        }
      }
    }
  }
  mutable std::set<int> rows;

 private:
  FontMetrics metrics_;
};

uint32_t BackgroundPixel(int x, int y) {
  return 0x00500000u + static_cast<uint32_t>(x * 31 + y * 17);
}

// A display at (x, y) in a canvas that ends `margin` pixels right of and
// below it (a display left of x = 0 hangs off the canvas), the pixels around
// it painted with a pattern that must survive every step.
struct PixelScreen {
  PixelScreen(int columns, int rows, int lines, int x, int y, int margin,
              Canvas* onCanvas = nullptr)
      : screen(columns, rows, lines), x(x), y(y) {
    TextDisplay& d = screen.display;
    if (onCanvas) d.SetCanvas(nullptr);  // the backend's canvas
    canvas = onCanvas ? onCanvas : &screen.canvas;
    if (!onCanvas) canvas->Resize(std::max(x, 0) + columns * 8 + margin, y + rows * 16 + margin);
    for (int py = 0; py < canvas->height; ++py)
      for (int px = 0; px < canvas->width; ++px) canvas->Row(py)[px] = BackgroundPixel(px, py);
    background = *canvas;
    d.SetFont(&font);
    d.Move(x, y);
  }
  TextDisplay& Display() { return screen.display; }
  bool Inside(int px, int py) {
    return px >= x && py >= y && px < x + Display().Columns() * 8 && py < y + Display().Rows() * 16;
  }
  // Fills the display, then draws it in full: the start of every scenario.
  void Fill() {
    for (int i = 0; i < Display().Rows(); ++i)
      Display().WriteWrapped(("fill " + std::to_string(i)).c_str(), true);
    Display().Redraw();
  }
  // Runs one step and checks the picture against a full Redraw of the same
  // text and the free pixels against the pattern. Returns the number of
  // rows the step drew on.
  int Step(const std::function<void()>& step, const std::string& label) {
    font.rows.clear();
    step();
    int drawn = static_cast<int>(font.rows.size());
    Canvas after = *canvas;
    Display().Redraw();
    for (int py = 0; py < canvas->height; ++py) {
      for (int px = 0; px < canvas->width; ++px) {
        uint32_t want = Inside(px, py) ? canvas->At(px, py) : background.At(px, py);
        if (after.At(px, py) != want) {
          ADD_FAILURE() << label << ": pixel (" << px << ", " << py << ") is " << std::hex
                        << after.At(px, py) << ", a full redraw gives " << want;
          return drawn;
        }
      }
    }
    return drawn;
  }

  PatternFont font;
  TestScreen screen;
  Canvas* canvas;
  Canvas background;
  int x, y;
};

std::string Sentence(int i) {
  return "word " + std::to_string(i) + " and a sentence long enough to wrap over several rows";
}
}  // namespace

TEST(TextScroll, BottomNewLineMovesThePictureAndDrawsOnlyTheChangedRows) {
  struct Case {
    const char* name;
    int columns, rows, lines, x, y, margin;
    std::function<void(TextDisplay&)> setup;
    std::function<void(TextDisplay&, int)> step;
    bool fast;  // the steps take the one-row scroll
  };
  auto plain = [](TextDisplay& d, int i) {
    d.WriteWrapped(("line " + std::to_string(i)).c_str(), true);
  };
  const Case cases[] = {
      {"plain text", 20, 6, 40, 0, 0, 0, nullptr, plain, true},
      {"word-wrapped long lines", 20, 6, 40, 0, 0, 0, nullptr,
       [](TextDisplay& d, int i) { d.WriteWrapped(Sentence(i).c_str(), true); }, true},
      {"inverse runs crossing the scroll", 20, 6, 40, 0, 0, 0,
       [](TextDisplay& d) {
         d.AllocColourBuffer();
         d.SetAttribute(0);  // colour mode from the start
       },
       [](TextDisplay& d, int i) {
         d.WriteText("ab", false, 2);
         d.SetAttribute(1);  // inverse from here to the end of the line
         d.WriteText("cdef", false, 4);
         if (i % 2) d.SetAttribute(1);  // a second toggle: a closed run
         d.WriteText("gh", false, 2);
         // An attribute set after the last text changes cells that were drawn
         // before: the line must be drawn again as it moves up.
         if (i % 3 == 0) d.SetAttribute(1);
         d.WriteText("", true, 0);
       },
       true},
      {"after the ring wraps", 20, 5, 7, 0, 0, 0, nullptr, plain, true},
      {"ring as long as the rows", 20, 5, 5, 0, 0, 0, nullptr, plain, true},
      {"one row", 20, 1, 4, 0, 0, 0, nullptr, plain, true},
      {"offset inside a larger canvas", 12, 5, 30, 24, 40, 16, nullptr,
       [](TextDisplay& d, int i) { d.WriteWrapped(Sentence(i).c_str(), true); }, true},
      {"partly off the canvas", 12, 5, 30, -8, 16, 0, nullptr, plain, false},
  };
  for (const Case& c : cases) {
    PixelScreen s(c.columns, c.rows, c.lines, c.x, c.y, c.margin);
    if (c.setup) c.setup(s.Display());
    s.Fill();
    for (int i = 0; i < 12; ++i) {
      std::string label = std::string(c.name) + " step " + std::to_string(i);
      int drawn = s.Step([&] { c.step(s.Display(), i); }, label);
      if (c.fast) EXPECT_LE(drawn, 2) << label;
      else EXPECT_EQ(drawn, c.rows) << label;
    }
  }
}

// Whatever else drew over the display, or changed what it shows without
// drawing, the next new line draws every row; after that the one-row
// scroll is used again.
TEST(TextScroll, FullRedrawWhenThePictureMayNotBeTheDisplays) {
  struct Case {
    const char* name;
    std::function<void(PixelScreen&)> disturb;
    bool fast;  // the new line after it may still take the one-row scroll
  };
  const Case cases[] = {
      {"fill over the text",
       [](PixelScreen& s) { s.canvas->FillRect(40, 50, 20, 10, 0x123456); }, false},
      {"fill beside the text",
       [](PixelScreen& s) {
         s.canvas->FillRect(0, 0, 16, 16, 0x123456);
         s.background.FillRect(0, 0, 16, 16, 0x123456);
       },
       true},
      {"another display over the text",
       [](PixelScreen& s) {
         TextDisplay other;
         other.SetCanvas(s.canvas);
         other.SetFont(&s.font);
         other.SetWindowAndPosition(MainWindowId, 24, 48);
         other.SetSize(4, 2);
         other.InitBuffer(2);
         other.WriteText("over", false, 4);
       },
       false},
      {"scrolled back", [](PixelScreen& s) { s.Display().ScrollLines(-2); }, false},
      {"erased", [](PixelScreen& s) { s.Display().Erase(); }, false},
      {"new colours", [](PixelScreen& s) { s.Display().SetColours(0x00FF00, 0x000080); }, false},
      {"the bottom row chosen on a wrapped ring",
       [](PixelScreen& s) { s.Display().SetRow(4); }, false},
      {"a line ended above the bottom of a wrapped ring",
       [](PixelScreen& s) {
         s.Display().SetRow(3);  // the write line's own number: the view stays
         s.Display().WriteWrapped("menu", true);
       },
       false},
  };
  for (const Case& c : cases) {
    PixelScreen s(12, 5, 8, 16, 16, 16);
    s.Fill();
    TextDisplay& d = s.Display();
    for (int i = 0; i < 5; ++i) d.WriteWrapped("wrapping", true);
    ASSERT_TRUE(d.Wrapped());
    ASSERT_EQ(d.WriteLine(), 2);
    EXPECT_LE(s.Step([&] { d.WriteWrapped("before", true); }, c.name), 2) << c.name;
    c.disturb(s);
    int drawn = s.Step([&] { d.WriteWrapped("after", true); }, c.name);
    if (c.fast) EXPECT_LE(drawn, 2) << c.name;
    else EXPECT_EQ(drawn, 5) << c.name;
    EXPECT_LE(s.Step([&] { d.WriteWrapped("again", true); }, c.name), 2) << c.name;
  }
}

// On the backend's canvas the caret is hidden while the pixels change and
// shown again, and each new line presents the picture once, as a full
// redraw does.
TEST(TextScroll, CaretAndPresentingOnTheBackendCanvas) {
  std::string error;
  auto backend = CreateHeadlessBackend("", error);
  ASSERT_TRUE(backend) << error;
  HeadlessBackend* headless = backend.get();
  SetBackend(std::move(backend));
  ASSERT_TRUE(CreateWindow("test", false, false, 200, 120, nullptr));
  {
    PixelScreen s(16, 5, 20, 8, 16, 0, &headless->GetCanvas());
    TextDisplay& d = s.Display();
    d.SetAutoPresent(true);
    d.SetCaretOn(true);
    d.CreateCaret();
    s.Fill();
    ASSERT_TRUE(headless->CaretVisible());
    for (int i = 0; i < 8; ++i) {
      int presents = 0;
      bool caretShown = false;
      int drawn = s.Step(
          [&] {
            int before = headless->PresentCount();
            d.WriteWrapped("caret line", true);
            presents = headless->PresentCount() - before;
            caretShown = headless->CaretVisible();
          },
          "caret step " + std::to_string(i));
      EXPECT_LE(drawn, 2);
      EXPECT_EQ(presents, 1);
      EXPECT_TRUE(caretShown);
    }
    d.DestroyCaret();
  }
  ResetFrameForTests();
  SetBackend(nullptr);
}

// An attribute changes how the rest of its line looks without drawing it;
// once that line is left above the bottom row, its pixels are not Redraw's
// and the next scroll draws everything.
TEST(TextScroll, LineLeftWithAnUndrawnAttributeMeansAFullRedraw) {
  PixelScreen s(12, 5, 20, 0, 0, 8);
  TextDisplay& d = s.Display();
  d.AllocColourBuffer();
  d.SetAttribute(0);  // colour mode from the start
  d.Redraw();
  d.WriteWrapped("top", true);
  d.WriteText("ab", false, 2);
  d.SetAttribute(1);  // the rest of the line turns inverse
  d.WriteText("", true, 0);
  d.WriteWrapped("c", true);
  d.WriteWrapped("d", true);
  ASSERT_EQ(d.CursorRow(), 4);
  EXPECT_EQ(s.Step([&] { d.WriteWrapped("bottom", true); }, "left line"), 5);
  EXPECT_LE(s.Step([&] { d.WriteWrapped("next", true); }, "next line"), 2);
}

// Random editing, layout and drawing on two displays given the same
// operations: one as it runs, the other told before every operation that
// its rectangle was drawn over, so that its next new line on the bottom row
// redraws in full. Their canvases must stay identical throughout.
TEST(TextScroll, RewritingTheSameTextDrawsNothingWhileThePictureIsTheDisplays) {
  PixelScreen s(20, 5, 10, 3, 2, 4);
  s.Fill();
  TextDisplay& d = s.Display();
  auto write = [&d](const char* text) {
    d.SetColumn(2);
    d.WriteText(text, false, std::strlen(text));
  };
  struct Case {
    const char* label;
    std::function<void()> before;
    const char* text;
    int rowsDrawn;
  } cases[] = {
      {"first write", [] {}, "HP 30", 1},
      {"same text", [] {}, "HP 30", 0},
      {"a changed value", [] {}, "HP 31", 1},
      {"same again", [] {}, "HP 31", 0},
      // Over the written cells of the bottom row, so that drawing them mends it.
      {"after something drew over it", [&s] { s.canvas->FillRect(20, 70, 30, 8, 0x00FF00); }, "HP 31", 1},
      {"same once mended", [] {}, "HP 31", 0},
  };
  for (const Case& c : cases) {
    c.before();
    EXPECT_EQ(s.Step([&] { write(c.text); }, c.label), c.rowsDrawn) << c.label;
  }
}

TEST(TextScroll, RewritingAfterAnUndrawnAttributeDrawsTheCells) {
  PixelScreen s(12, 5, 20, 0, 0, 8);
  TextDisplay& d = s.Display();
  d.AllocColourBuffer();
  d.SetAttribute(0);  // colour mode from the start
  d.Redraw();
  d.WriteText("abcdef", false, 6);
  d.SetColumn(2);
  d.SetAttribute(1);  // inverse from column 2 on, not drawn yet
  // The cells written must show their new video (the rest of the line waits
  // for its own drawing, as always).
  s.font.rows.clear();
  d.WriteText("cd", false, 2);
  EXPECT_EQ(s.font.rows.size(), 1u);
}

TEST(TextScroll, RandomUseLooksTheSameAsRedrawingInFull) {
  struct Side {
    Side() : font(3, 4) {
      canvas.Resize(120, 90);
      std::fill(canvas.pixels.begin(), canvas.pixels.end(), 0x777777u);
      d.SetCanvas(&canvas);
      d.SetFont(&font);
    }
    PatternFont font;
    Canvas canvas;
    TextDisplay d;
  };
  for (unsigned seed = 1; seed <= 60; ++seed) {
    std::mt19937 random(seed);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Side fast, full;
    const int columns = 1 + below(30), rows = 1 + below(14), lines = below(30);
    const int x = below(30) - 4, y = below(40) - 4;
    const bool colour = below(2);
    for (Side* side : {&fast, &full}) {
      side->d.SetWindowAndPosition(MainWindowId, x, y);
      side->d.SetSize(columns, rows);
      side->d.InitBuffer(lines);
      if (colour) side->d.AllocColourBuffer();
    }
    std::string lastText;
    int lastColumn = 0;
    for (int step = 0; step < 250; ++step) {
      const int op = below(40), v = below(1000);
      std::string text(static_cast<size_t>(below(50)), ' ');
      for (char& ch : text) ch = below(4) ? static_cast<char>(33 + below(94)) : ' ';
      for (Side* side : {&fast, &full}) {
        TextDisplay& d = side->d;
        Canvas& c = side->canvas;
        if (side == &full) c.Damage(0, 0, c.width, c.height);
        if (op < 12) d.WriteWrapped(text.c_str(), true, text.size());
        else if (op < 15) d.WriteWrapped(text.c_str(), false, text.size());
        else switch (op) {
          case 15: d.NewLine(); break;
          case 16: d.SetAttribute(static_cast<uint8_t>(v % 3)); break;
          case 17:
            if (side == &fast) lastColumn = d.CursorColumn(), lastText = text;
            d.WriteText(text.c_str(), v & 1, text.size());
            break;
          case 18: d.SetRow(v % 15 - 1); break;
          case 19: d.SetLine(v % 40 - 3); break;
          case 20: d.ScrollLines(v % 30 - 15); break;
          case 21: d.Backspace(v % 10); break;
          case 22: d.EraseBack(v % 30, v & 1); break;
          case 23: if (v % 5 == 0) d.Resize(1 + v % 30, 1 + v / 7 % 14); break;
          case 24: if (v % 4 == 0) d.Clear(); break;
          case 25: d.Redraw(); break;
          case 26: d.Erase(); break;
          case 27: d.SetKeepLine(v & 1); break;
          case 28:
            d.PutAhead(text.c_str(), static_cast<int>(text.size()));
            d.RedrawAhead(static_cast<int>(text.size()));
            break;
          case 29:
            d.ClearAhead(v % 20);
            if (v & 1) d.RedrawAhead(v % 20);
            break;
          case 30: d.SetMargin(v % 35); break;
          case 31: c.FillRect(v % 120 - 10, v / 3 % 90 - 10, v % 23, v % 17, 0x123456); break;
          case 32: c.MoveRect(v % 50, v % 30, v % 40, v % 20, v % 7 - 3, v % 5 - 2); break;
          case 33: if (v % 6 == 0) d.Move(v % 30 - 4, v / 5 % 40 - 4); break;
          case 34: if (v % 6 == 0) d.SetColours(v * 77u, v * 13u); break;
          case 35: d.ScrollReset(); break;
          case 36: d.ScrollToTop(); break;
          case 37:
            // The same text again where it was last written, which often
            // still holds it.
            d.SetColumn(lastColumn);
            d.WriteText(lastText.c_str(), false, lastText.size());
            break;
          default: d.WriteChar(static_cast<char>(32 + v % 95)); break;
        }
      }
      ASSERT_EQ(fast.canvas.pixels, full.canvas.pixels)
          << "seed " << seed << " step " << step << " op " << op;
    }
  }
}
