// The Vector Frame Display screen driven by keys through the headless
// backend: drawing, the distance shift, another scenario and leaving.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "VectorTestUtil.h"
#include "platform/Backend.h"
#include "platform/Frame.h"
#include "platform/HeadlessBackend.h"
#include "text/GetString.h"
#include "text/TextDisplay.h"
#include "vector/VFDisplay.h"

namespace {

// 8 x 16 cells, drawn as plain blocks (the screen's text is checked through
// the output capture, not the pixels).
class BlockFont : public Font {
 public:
  BlockFont() {
    metrics_.height = 16;
    metrics_.averageWidth = 8;
    metrics_.spaceWidth = 8;
  }
  const FontMetrics& Metrics() const override { return metrics_; }
  void DrawText(Canvas& canvas, int x, int y, const char*, size_t length, uint32_t,
                uint32_t back) const override {
    canvas.FillRect(x, y, int(length) * 8, 16, back);
  }

 private:
  FontMetrics metrics_;
};

class KeyApp : public CAppBase {
 public:
  int HandleMessage(WindowId, uint32_t message, uint64_t wParam, int64_t, int64_t*) override {
    if (message == msg::Destroy) {
      RequestQuit();
      return 1;
    }
    CGetString* input = GetKeyInput();
    return input ? input->ProcessMessage(message, wParam) : 0;
  }
};

void Write(const std::string& path, const char* text) {
  FILE* f = std::fopen(path.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs(text, f);
  std::fclose(f);
}

TEST(VectorFrameDisplayScreen, KeysDrawShiftSwitchScenarioAndLeave) {
  std::string dir = vtest::MakeTempDir();
  ASSERT_EQ(mkdir((dir + "/DATA5").c_str(), 0755), 0);
  // A centre wall frame: a red box over the whole frame, drawn at distance DIST.
  Write(dir + "/DATA5/VFSET.dat", "FS: 1\nF: 1 2\nCOLOR 255 0 0\nBOX 0 0 15 7\n");
  Write(dir + "/DATA5/VFDisplay.cfg",
        "SIZE: 256 128\nPOS: 0 0\nROFFSET: 0 0\nCWALLID: 1\nDIST: 0\nBORDER: 0\n");
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);

  std::string error;
  auto backend = CreateHeadlessBackend(
      "<Enter> <Up> <Down> D \"6\" <Enter> <Enter> D \"5\" <Enter> <Up> <shot:" + dir +
          "/shot.png> <Esc>",
      error);
  ASSERT_TRUE(backend) << error;
  HeadlessBackend* headless = backend.get();
  uint32_t beforeEscape = 0, besideWall = 1;
  HeadlessHooks hooks;
  hooks.screenshot = [&](const std::string&) {
    beforeEscape = headless->GetCanvas().At(200, 280);
    besideWall = headless->GetCanvas().At(190, 280);
  };
  headless->SetHooks(hooks);
  SetBackend(std::move(backend));
  ASSERT_TRUE(CreateWindow("test", false, false, 640, 480, nullptr));
  KeyApp app;
  SetActiveApp(&app);
  BlockFont font;
  auto display = std::make_unique<TextDisplay>("main");
  display->SetFont(&font);
  display->SetWindowAndPosition(MainWindow(), 0, 200);
  display->SetSize(40, 10);
  display->InitBuffer(50);
  auto input = std::make_unique<CGetString>(display.get());
  SetConsole(input.get());
  SetOutput(display.get());

  std::string out;
  SetOutputCapture(&out);
  EXPECT_TRUE(RunVectorFrameDisplay(5));
  SetOutputCapture(nullptr);
  const Canvas& canvas = headless->GetCanvas();
  uint32_t afterEscape = canvas.At(200, 280);

  SetConsole(nullptr);
  SetOutput(nullptr);
  input.reset();
  display.reset();
  ResetFrameForTests();
  SetBackend(nullptr);
  ASSERT_EQ(chdir(old), 0);

  // The typed scenario number is echoed by the line input, not printed.
  EXPECT_EQ(out.substr(0, out.find("Data ID? ")),
            "*** Vector Frame Display ***\nRETURN: Display\nESCAPE: Exit\nDisplaying\n"
            "POS: +1\nPOS: +0\n");
  size_t other = out.find("Displaying\nERROR in display\n");  // DATA6 has no frames
  EXPECT_NE(other, std::string::npos);
  EXPECT_EQ(out.substr(out.rfind("Data ID? ") + 9), "POS: +1\n");
  EXPECT_EQ(out.find("ERROR in display", other + 12), std::string::npos);
  // Before leaving, the wall (an 8 x 4 box) showed one distance deeper than
  // DIST, magnified 3 at (64, 32) from the bottom; leaving blanked it.
  EXPECT_EQ(beforeEscape, 0xFF0000u);
  EXPECT_EQ(besideWall, 0u);
  EXPECT_EQ(afterEscape, 0u);
}

}  // namespace
