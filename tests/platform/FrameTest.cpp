#include "platform/Frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/Backend.h"
#include "platform/HeadlessBackend.h"
#include "text/Output.h"

namespace {

// A controller that logs what reaches it. Like the game controller it never
// claims Close, and it asks for the quit on Destroy.
class FakeApp : public CAppBase {
 public:
  std::vector<std::string> log;
  std::function<void(uint32_t message, uint64_t wParam)> react;

  int HandleMessage(WindowId window, uint32_t message, uint64_t wParam, int64_t,
                    int64_t* result) override {
    EXPECT_EQ(*result, 0);
    std::string entry;
    switch (message) {
      case msg::KeyDown: entry = "down:" + std::to_string(wParam); break;
      case msg::KeyUp: entry = "up:" + std::to_string(wParam); break;
      case msg::Char: entry = "char:" + std::to_string(wParam); break;
      case msg::Timer: entry = "timer:" + std::to_string(wParam); break;
      case msg::Close: entry = "close"; break;
      case msg::Destroy: entry = "destroy"; break;
      case msg::Paint: entry = "paint"; break;
      case msg::SetFocus: entry = "focus"; break;
      default: entry = "msg:" + std::to_string(message); break;
    }
    if (window != MainWindowId) entry += "@" + std::to_string(window);
    log.push_back(entry);
    if (message == msg::Close) return 0;
    if (message == msg::Destroy) {
      RequestQuit();
      return 1;
    }
    if (react) react(message, wParam);
    return 1;
  }
};

class FrameTest : public testing::Test {
 protected:
  void Start(const std::string& script, int width = 64, int height = 48) {
    std::string error;
    auto backend = CreateHeadlessBackend(script, error);
    ASSERT_NE(backend, nullptr) << error;
    headless = backend.get();
    SetBackend(std::move(backend));
    WindowId window = NoWindow;
    ASSERT_EQ(CreateWindow(WindowCaption, false, false, width, height, &window), 1);
    EXPECT_EQ(window, MainWindowId);
    SetActiveApp(&app);
  }
  void SetUp() override { ResetFrameForTests(); }
  void TearDown() override {
    SetActiveApp(nullptr);
    SetBackend(nullptr);
    ResetFrameForTests();
  }
  void Post(WindowId window, uint32_t message, uint64_t wParam = 0) {
    WindowMessage m;
    m.window = window;
    m.message = message;
    m.wParam = wParam;
    Backend()->PostMessage(m);
  }

  FakeApp app;
  HeadlessBackend* headless = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(FrameTest, PumpMessageDispatchesOneMessageAndDropsOtherWindows) {
  Start("k");
  Post(5, 0x400);
  Post(MainWindowId, 0x401);
  EXPECT_EQ(PumpMessage(), 1);  // the focus of the new window
  EXPECT_EQ(PumpMessage(), 1);  // 0x400 for window 5 is dropped on the way
  EXPECT_EQ(app.log, (Log{"focus", "msg:1025"}));
  for (int i = 0; i < 3; ++i) PumpMessage();
  EXPECT_EQ(app.log, (Log{"focus", "msg:1025", "down:75", "char:107", "up:75"}));
  EXPECT_FALSE(QuitRequested());
}

TEST_F(FrameTest, ASleepDispatchesEverythingButItsOwnTimerAndTakesNoKeys) {
  Start("a");
  PumpMessage();  // focus
  ASSERT_EQ(StartGameTimer(100), 1);
  Post(5, 0x400);
  std::vector<int> depths;
  app.react = [&](uint32_t, uint64_t) { depths.push_back(SleepDepth()); };
  EXPECT_EQ(ASleep(250), 1);
  EXPECT_EQ(app.log, (Log{"focus", "msg:1024@5", "timer:1", "timer:1"}));
  EXPECT_EQ(depths, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(SleepDepth(), 0);
  EXPECT_EQ(Backend()->Ticks(), 250u);
  ASSERT_EQ(StopGameTimer(), 1);
  // The script key waited for the next input.
  PumpMessage();
  EXPECT_EQ(app.log.back(), "down:65");
}

TEST_F(FrameTest, CloseBecomesDestroyWhichAsksForTheQuit) {
  Start("<close>");
  while (!QuitRequested()) PumpMessage();
  EXPECT_EQ(app.log, (Log{"focus", "close", "destroy"}));
}

TEST_F(FrameTest, QuitUnwindsEveryEnclosingWait) {
  Start("a <close> b");
  int nestedSteps = 0;
  app.react = [&](uint32_t message, uint64_t wParam) {
    if (message != msg::KeyDown || wParam != 'A') return;
    // A command waiting for a key, as the input layer does.
    while (!QuitRequested()) {
      PumpMessage();
      ++nestedSteps;
    }
  };
  while (!QuitRequested()) PumpMessage();
  EXPECT_GT(nestedSteps, 0);
  // The outer loop and any later wait see the quit at once, without time
  // passing and without taking the remaining key.
  EXPECT_EQ(PumpMessage(), 1);
  EXPECT_EQ(ASleep(5000), 1);
  EXPECT_EQ(Backend()->Ticks(), 0u);
  EXPECT_EQ(app.log.back(), "destroy");
  WindowMessage m;
  ASSERT_TRUE(Backend()->GetMessage(m, true));
  EXPECT_EQ(m.message, msg::Quit);
}

// A pause started while another waits (an animation tick during a scripted
// pause) must not leave the outer pause without its timer.
TEST_F(FrameTest, NestedSleepGivesTheOuterPauseItsTimerBack) {
  Start("");
  PumpMessage();
  ASSERT_EQ(StartGameTimer(100), 1);
  int ticks = 0;
  int innerDepth = 0;
  app.react = [&](uint32_t message, uint64_t) {
    if (message != msg::Timer) return;
    if (++ticks == 1) {
      EXPECT_EQ(ASleep(300), 1);
      innerDepth = SleepDepth();
      EXPECT_EQ(Backend()->Ticks(), 400u);
    }
    if (ticks > 50) RequestQuit();  // would only happen if the outer pause hung
  };
  EXPECT_EQ(ASleep(1000), 1);
  EXPECT_EQ(innerDepth, 1);
  EXPECT_EQ(SleepDepth(), 0);
  EXPECT_EQ(Backend()->Ticks(), 1000u);
  EXPECT_FALSE(QuitRequested());
}

TEST_F(FrameTest, SendPaintCallsTheControllerDirectly) {
  Start("");
  SendPaint();
  EXPECT_EQ(app.log, (Log{"paint"}));
  SetActiveApp(nullptr);
  SendPaint();  // unhandled paint: nothing happens
  EXPECT_EQ(DispatchWindowMessage(WindowMessage{MainWindowId, msg::Close, 0, 0}), 0);
}

TEST_F(FrameTest, RefreshWindowErasesWhenThePaintValidates) {
  Start("", 4, 4);
  Canvas& canvas = Backend()->GetCanvas();
  canvas.FillRect(0, 0, 4, 4, 0xFF0000);
  std::vector<uint32_t> seen;
  app.react = [&](uint32_t message, uint64_t) {
    if (message != msg::Paint) return;
    seen.push_back(canvas.At(1, 1));
    ValidateWindow();
    seen.push_back(canvas.At(1, 1));
  };
  RefreshWindow();
  EXPECT_EQ(app.log, (Log{"focus", "paint"}));
  EXPECT_EQ(seen, (std::vector<uint32_t>{0xFF0000, 0}));
  canvas.FillRect(0, 0, 4, 4, 0xFF0000);
  SendPaint();  // a paint without invalidation keeps the picture
  EXPECT_EQ(seen.back(), 0xFF0000u);
}

TEST_F(FrameTest, CreateWindowFailsWithoutABackend) {
  SetLastErrorText("");
  WindowId window = 7;
  EXPECT_EQ(CreateWindow(WindowCaption, false, false, 640, 480, &window), 0);
  EXPECT_STREQ(LastErrorText(), "ERROR (CreateWindow): Could not create window");
  EXPECT_EQ(window, 7);
  EXPECT_EQ(MainWindow(), NoWindow);
}

TEST_F(FrameTest, SizesClipboardAndTime) {
  Start("", 320, 200);
  int w = 0, h = 0;
  EXPECT_EQ(GetClientSize(&w, nullptr), 1);
  EXPECT_EQ(GetClientSize(nullptr, &h), 1);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 200);
  EXPECT_EQ(GetScreenSize(&w, &h), 1);
  EXPECT_EQ(w, HeadlessBackend::ScreenWidth);

  std::string text = "x";
  EXPECT_EQ(GetClipboardText(text), 0);
  EXPECT_EQ(text, "");
  headless->SetClipboard(std::string(2000, 'c'));
  EXPECT_EQ(GetClipboardText(text), 1);
  EXPECT_EQ(text, std::string(1023, 'c'));

  char buffer[64];
  FormatTimeOfDay(buffer, sizeof(buffer));
  EXPECT_STREQ(buffer, "H:12 M:0 S:0 MS:0");
  PumpMessage();
  ASSERT_EQ(ASleep(2750), 1);
  FormatTimeOfDay(buffer, sizeof(buffer));
  EXPECT_STREQ(buffer, "H:12 M:0 S:2 MS:750");
  EXPECT_EQ(TimeSeed(), 2u * 750u);
  char small[8];
  FormatTimeOfDay(small, sizeof(small));
  EXPECT_STREQ(small, "H:12 M:");
}

TEST_F(FrameTest, DisplayScaledBitmapDrawsBottomUpScaledAndClipped) {
  Start("", 9, 7);
  const int bw = 3, bh = 2;
  uint8_t pixels[bw * bh * 4];
  for (int i = 0; i < bw * bh; ++i) MakePixel(pixels + i * 4, static_cast<uint8_t>(10 + i), 0, static_cast<uint8_t>(i));
  const struct {
    int x, y, sx, sy;
  } cases[] = {{0, 0, 1, 1}, {3, 3, 2, 2}, {-2, -1, 2, 3}, {1, 2, 4, 1}, {20, 0, 1, 1}};
  for (const auto& c : cases) {
    Canvas& canvas = Backend()->GetCanvas();
    canvas.FillRect(0, 0, canvas.width, canvas.height, 0xABCDEF);
    ASSERT_EQ(DisplayScaledBitmap(pixels, bw, bh, c.x, c.y, c.sx, c.sy), 1);
    for (int y = 0; y < canvas.height; ++y) {
      for (int x = 0; x < canvas.width; ++x) {
        uint32_t expected = 0xABCDEF;
        int dx = x - c.x, dy = y - c.y;
        if (dx >= 0 && dy >= 0 && dx < bw * c.sx && dy < bh * c.sy) {
          int col = dx / c.sx, rowFromTop = dy / c.sy;
          const uint8_t* p = pixels + ((bh - 1 - rowFromTop) * bw + col) * 4;
          expected = RgbPixel(p[2], p[1], p[0]);
        }
        EXPECT_EQ(canvas.At(x, y), expected) << "case " << c.x << "," << c.y << " at " << x << "," << y;
      }
    }
  }
  // What it drew is reported to the canvas's watches.
  CanvasWatch inside, beside;
  inside.Follow(&Backend()->GetCanvas(), 5, 5, 2, 2);
  beside.Follow(&Backend()->GetCanvas(), 0, 0, 4, 7);
  inside.Clear();
  beside.Clear();
  ASSERT_EQ(DisplayScaledBitmap(pixels, bw, bh, 4, 4, 1, 1), 1);
  EXPECT_TRUE(inside.Damaged());
  EXPECT_FALSE(beside.Damaged());
  EXPECT_EQ(DisplayScaledBitmap(nullptr, bw, bh, 0, 0, 1, 1), 0);
  EXPECT_EQ(DisplayScaledBitmap(pixels, bw, bh, 0, 0, 0, 1), 0);
  EXPECT_STREQ(LastErrorText(), "ERROR (DisplayScaledBitmap): Failed to draw bitmap");
  SetBackend(nullptr);
  EXPECT_EQ(DisplayScaledBitmap(pixels, bw, bh, 0, 0, 1, 1), 0);
  EXPECT_STREQ(LastErrorText(), "ERROR (DisplayScaledBitmap): Failed to get DC from given Window handle");
}

TEST(ParseStringArg, CopiesOneWord) {
  const struct {
    std::string text;
    const char* word;
    size_t rest;  // characters left after the cursor
  } cases[] = {
      {"  hello world", "hello", 6},
      {"   ", "", 0},
      {"abc\ndef", "abc", 4},
      {"", "", 0},
      {std::string(5000, ' ') + "x", "", 5000 - 4096 + 1},
      {std::string(10, ' ') + std::string(4200, 'w'), nullptr, 4200 - (4096 - 10)},
  };
  for (const auto& c : cases) {
    char out[8192];
    const char* cursor = c.text.c_str();
    EXPECT_EQ(ParseStringArg(&cursor, out, sizeof(out)), 1);
    if (c.word) {
      EXPECT_STREQ(out, c.word);
    } else {
      EXPECT_EQ(std::string(out), std::string(4096 - 10, 'w'));
    }
    EXPECT_EQ(std::strlen(cursor), c.rest) << c.text.substr(0, 20);
  }
}

TEST(ParseStringArg, ReportsMissingParamsAndLongWords) {
  std::string captured;
  SetOutputCapture(&captured);
  char out[6];
  const char* cursor = nullptr;
  EXPECT_EQ(ParseStringArg(&cursor, out, sizeof(out)), 0);
  EXPECT_EQ(ParseStringArg(nullptr, out, sizeof(out)), 0);
  const char* text = " toolongword next";
  cursor = text;
  EXPECT_EQ(ParseStringArg(&cursor, nullptr, 0), 0);
  EXPECT_EQ(ParseStringArg(&cursor, out, sizeof(out)), 0);
  EXPECT_STREQ(out, "toolo");
  EXPECT_STREQ(cursor, " next");  // the rest of the word is not taken as the next one
  EXPECT_EQ(ParseStringArg(&cursor, out, sizeof(out)), 1);
  EXPECT_STREQ(out, "next");
  SetOutputCapture(nullptr);
  EXPECT_EQ(captured,
            "ERROR (ParseStringArg): Missing param(s)\n"
            "ERROR (ParseStringArg): Missing param(s)\n"
            "ERROR (ParseStringArg): Missing param(s)\n"
            "ERROR (ParseStringArg): Word longer than 5 characters\n");
}

TEST(Pixels, MakeSplitAndCompare) {
  uint8_t p[4];
  MakePixel(p, 1, 2, 3);
  EXPECT_EQ(p[0], 3);
  EXPECT_EQ(p[1], 2);
  EXPECT_EQ(p[2], 1);
  EXPECT_EQ(p[3], 0);
  uint8_t r = 0, g = 0, b = 0;
  SplitPixel(p, &r, &g, &b);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(g, 2);
  EXPECT_EQ(b, 3);

  uint8_t array[2 * 3 * 4] = {};
  MakePixel(array + (1 + 2 * 2) * 4, 1, 2, 3);  // (1, 2) in a 2 x 3 array
  EXPECT_TRUE(PixelEquals(p, 1, 2, array, 2, 3, 4));
  EXPECT_FALSE(PixelEquals(p, 0, 2, array, 2, 3, 4));
  EXPECT_FALSE(PixelEquals(p, 2, 0, array, 2, 3, 4));
  EXPECT_FALSE(PixelEquals(p, 1, 3, array, 2, 3, 4));
  EXPECT_FALSE(PixelEquals(p, -1, 0, array, 2, 3, 4));
  EXPECT_FALSE(PixelEquals(nullptr, 1, 2, array, 2, 3, 4));
  EXPECT_FALSE(PixelEquals(p, 1, 2, nullptr, 2, 3, 4));
}

}  // namespace
