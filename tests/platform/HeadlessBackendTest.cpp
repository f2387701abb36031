#include "platform/HeadlessBackend.h"

#include <gtest/gtest.h>

#include "platform/FreeTypeFonts.h"

namespace {

std::unique_ptr<HeadlessBackend> Make(const std::string& script) {
  std::string error;
  auto backend = CreateHeadlessBackend(script, error);
  EXPECT_NE(backend, nullptr) << error;
  if (backend) {
    EXPECT_TRUE(backend->CreateMainWindow("test", false, 64, 48));
  }
  return backend;
}

// Messages as "kind:wParam" words, e.g. "down:65 char:97 up:65".
std::string Describe(const WindowMessage& m) {
  switch (m.message) {
    case msg::KeyDown: return "down:" + std::to_string(m.wParam);
    case msg::KeyUp: return "up:" + std::to_string(m.wParam);
    case msg::Char: return "char:" + std::to_string(m.wParam);
    case msg::Timer: return "timer:" + std::to_string(m.wParam);
    case msg::Close: return "close";
    case msg::Quit: return "quit";
    case msg::Paint: return "paint";
    case msg::SetFocus: return "focus";
    default: return "msg:" + std::to_string(m.message);
  }
}

std::string Take(HeadlessBackend& b, int count, bool inputWanted = true) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    WindowMessage m;
    if (!b.GetMessage(m, inputWanted)) return out + "<none>";
    if (!out.empty()) out += ' ';
    out += Describe(m);
  }
  return out;
}

TEST(HeadlessBackend, KeysBecomeKeyDownCharacterKeyUp) {
  auto b = Make("a <C-v> ? <S-F12> <Up>");
  EXPECT_EQ(Take(*b, 1), "focus");
  EXPECT_EQ(Take(*b, 3), "down:65 char:97 up:65");
  EXPECT_EQ(Take(*b, 5), "down:17 down:86 char:22 up:86 up:17");
  EXPECT_EQ(Take(*b, 5), "down:16 down:191 char:63 up:191 up:16");
  EXPECT_EQ(Take(*b, 4), "down:16 down:123 up:123 up:16");
  EXPECT_EQ(Take(*b, 2), "down:38 up:38");
}

TEST(HeadlessBackend, TimedPauseNeverTakesScriptKeys) {
  auto b = Make("x y");
  Take(*b, 1);  // focus
  ASSERT_TRUE(b->SetTimer(MainWindowId, 2, 300));
  ASSERT_TRUE(b->SetTimer(MainWindowId, 1, 200));
  // Only timers come while no input is wanted; the clock jumps to each.
  EXPECT_EQ(Take(*b, 3, false), "timer:1 timer:2 timer:1");
  EXPECT_EQ(b->Ticks(), 400u);
  EXPECT_FALSE(b->ScriptFinished());
  ASSERT_TRUE(b->KillTimer(MainWindowId, 1));
  ASSERT_TRUE(b->KillTimer(MainWindowId, 2));
  WindowMessage m;
  EXPECT_FALSE(b->GetMessage(m, false));  // nothing could ever come
  EXPECT_EQ(Take(*b, 3), "down:88 char:120 up:88");
  EXPECT_EQ(b->Ticks(), 400u);  // keys take no time
}

TEST(HeadlessBackend, WaitFiresDueTimersInOrderOnTheVirtualClock) {
  auto b = Make("<wait:1000> k");
  Take(*b, 1);
  ASSERT_TRUE(b->SetTimer(MainWindowId, 1, 400));
  ASSERT_TRUE(b->SetTimer(MainWindowId, 7, 300));
  EXPECT_EQ(Take(*b, 4), "timer:7 timer:1 timer:7 timer:1");
  EXPECT_EQ(b->Ticks(), 800u);
  // 900 is due for timer 7 still within the wait; then the wait ends at 1000.
  EXPECT_EQ(Take(*b, 2), "timer:7 down:75");
  EXPECT_EQ(b->Ticks(), 1000u);
  LocalTime t = b->GetLocalTime();
  EXPECT_EQ(t.hour, 12);
  EXPECT_EQ(t.minute, 0);
  EXPECT_EQ(t.second, 1);
  EXPECT_EQ(t.millisecond, 0);
}

TEST(HeadlessBackend, ExhaustedScriptClosesOnceThenQuits) {
  auto b = Make("q");
  EXPECT_EQ(Take(*b, 4), "focus down:81 char:113 up:81");
  EXPECT_EQ(Take(*b, 3), "close quit quit");
  EXPECT_TRUE(b->ScriptFinished());
}

TEST(HeadlessBackend, PostedFirstThenPaintThenScript) {
  auto b = Make("<close> z");
  Take(*b, 1);
  b->Invalidate();
  WindowMessage posted;
  posted.window = MainWindowId;
  posted.message = 0x400;
  b->PostMessage(posted);
  EXPECT_EQ(Take(*b, 3), "msg:1024 paint close");
  b->Invalidate();
  b->Validate();
  EXPECT_EQ(Take(*b, 1), "down:90");
}

TEST(HeadlessBackend, HooksSeedAndClipboard) {
  std::string error;
  auto b = CreateHeadlessBackend("<seed:99> <shot:a.png> <dump:b.txt> <shot:c.png>", error);
  ASSERT_NE(b, nullptr) << error;
  EXPECT_EQ(b->ScriptSeed(), std::optional<uint32_t>(99));
  std::vector<std::string> calls;
  b->SetHooks({[&](const std::string& f) { calls.push_back("shot " + f); },
               [&](const std::string& f) { calls.push_back("dump " + f); }});
  b->CreateMainWindow("x", false, 10, 10);
  Take(*b, 2);  // focus, then the hooks run before the close
  EXPECT_EQ(calls, (std::vector<std::string>{"shot a.png", "dump b.txt", "shot c.png"}));

  std::string clip;
  EXPECT_FALSE(b->GetClipboardText(clip));
  b->SetClipboard("pasted");
  EXPECT_TRUE(b->GetClipboardText(clip));
  EXPECT_EQ(clip, "pasted");
}

TEST(HeadlessBackend, BadScriptGivesNoBackend) {
  std::string error;
  EXPECT_EQ(CreateHeadlessBackend("<Nope>", error), nullptr);
  EXPECT_EQ(error, "ERROR (ParseKeyScript): Unknown key <Nope> at character 1");
}

TEST(HeadlessBackend, RecordsTheKeysItDelivers) {
  auto b = Make("<wait:50> a <C-b>");
  b->SetKeyRecorder(std::make_unique<KeyRecorder>(3, 0));
  Take(*b, 1 + 3 + 5);
  EXPECT_EQ(b->Recorder()->Text(), "<seed:3>\n<wait:50> a <C-b> ");
}

TEST(HeadlessBackend, WindowSizes) {
  std::string error;
  auto b = CreateHeadlessBackend("", error);
  int w = 0, h = 0;
  EXPECT_FALSE(b->GetClientSize(w, h));
  EXPECT_TRUE(b->CreateMainWindow("x", true, 10, 10));
  EXPECT_TRUE(b->GetClientSize(w, h));
  EXPECT_EQ(w, HeadlessBackend::ScreenWidth);
  EXPECT_EQ(h, HeadlessBackend::ScreenHeight);
  EXPECT_EQ(b->GetCanvas().width, w);
}

// Headless fonts have the same cell whatever face the machine has.
TEST(HeadlessBackend, FontsHaveFixedCellMetrics) {
  std::string error;
  auto b = CreateHeadlessBackend("", error);
  const struct {
    int stock;
    const char* face;
    int height, weight, cellW, cellH;
  } cases[] = {
      {0, "Fixedsys", 15, 400, 8, 15},
      {0, "Courier New", 20, 700, 11, 20},
      {0, "No Such Face At All", 12, 400, 6, 12},
      {16, "", 0, 0, 8, 15},
  };
  for (const auto& c : cases) {
    std::unique_ptr<Font> font = b->Fonts().CreateFont(c.stock, c.face, c.height, c.weight);
    ASSERT_NE(font, nullptr) << c.face;
    EXPECT_EQ(font->Metrics().averageWidth, c.cellW) << c.face;
    EXPECT_EQ(font->Metrics().height, c.cellH) << c.face;
    EXPECT_TRUE(font->Metrics().fixedPitch);
  }
  // Drawing stays inside the cells and fills their background.
  Canvas canvas;
  canvas.Resize(40, 20);
  canvas.FillRect(0, 0, 40, 20, 0x123456);
  auto font = b->Fonts().CreateFont(0, "Fixedsys", 15, 400);
  font->DrawText(canvas, 8, 2, "Wq\x80", 3, 0xFFFFFF, 0x000000);
  bool inked = false;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      bool inside = x >= 8 && x < 32 && y >= 2 && y < 17;
      if (!inside) {
        EXPECT_EQ(canvas.At(x, y), 0x123456u) << x << "," << y;
      }
      if (inside && canvas.At(x, y) != 0) inked = true;
    }
  }
  EXPECT_TRUE(inked);
}

}  // namespace
