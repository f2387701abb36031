#include "ui/ImageTools.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/BArray.h"
#include "data/BArraySet.h"
#include "data/BmpFile.h"
#include "data/PngFile.h"
#include "graphics/OverheadDisplay.h"
#include "graphics/TileSet.h"
#include "platform/Backend.h"
#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/Frame.h"
#include "platform/HeadlessBackend.h"
#include "text/GetString.h"
#include "text/Output.h"
#include "text/TextDisplay.h"

namespace {

// Draws nothing; the tests read the printed lines from the output capture.
class NullFont : public Font {
 public:
  NullFont() {
    metrics_.height = 16;
    metrics_.averageWidth = 8;
    metrics_.spaceWidth = 8;
  }
  const FontMetrics& Metrics() const override { return metrics_; }
  void DrawText(Canvas&, int, int, const char*, size_t, uint32_t, uint32_t) const override {}

 private:
  FontMetrics metrics_;
};

// Hands every message to the key input, as the controller does.
class ForwardingApp : public CAppBase {
 public:
  int HandleMessage(WindowId, uint32_t message, uint64_t wParam, int64_t, int64_t*) override {
    if (message == msg::Destroy) {
      RequestQuit();
      return 1;
    }
    if (CGetString* input = GetKeyInput()) input->ProcessMessage(message, wParam);
    return message == msg::Close ? 0 : 1;
  }
};

// The tools run in a fresh current directory on a headless window of
// 200 x 150, with the main text display drawing into a canvas of its own.
class ImageTools : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/korva-tools-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    ResetFrameForTests();
    textCanvas_.Resize(640, 640);
    display_.SetCanvas(&textCanvas_);
    display_.SetFont(&font_);
    display_.SetWindowAndPosition(MainWindowId, 0, 0);
    display_.SetSize(80, 40);
    display_.InitBuffer(200);
  }
  void TearDown() override {
    SetOutputCapture(nullptr);
    SetConsole(nullptr);
    SetOutput(nullptr);
    SetActiveApp(nullptr);
    SetBackend(nullptr);
    ResetFrameForTests();
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(dir_);
  }
  void Start(const std::string& keys) {
    std::string error;
    auto backend = CreateHeadlessBackend(keys, error);
    ASSERT_NE(backend, nullptr) << error;
    SetBackend(std::move(backend));
    WindowId window = NoWindow;
    ASSERT_EQ(CreateWindow(WindowCaption, false, false, 200, 150, &window), 1);
    SetActiveApp(&app_);
    input_ = std::make_unique<CGetString>(&display_);
    SetConsole(input_.get());
    SetOutput(&display_);
    SetTextPause(false);
    SetOutputCapture(&out);
  }
  // A w x h picture whose pixel (x, y), counted from the top, is Colour(x, y).
  static uint32_t Colour(int x, int y) { return RgbPixel(uint8_t(10 * x + 1), uint8_t(20 * y), 0x5A); }
  static std::vector<uint32_t> Picture(int w, int h) {
    std::vector<uint32_t> p;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) p.push_back(Colour(x, y));
    return p;
  }
  // The window shows the w x h picture at the origin, four times enlarged.
  void ExpectPictureShown(int w, int h) {
    const Canvas& c = Backend()->GetCanvas();
    for (int y = 0; y < 4 * h; ++y)
      for (int x = 0; x < 4 * w; ++x) ASSERT_EQ(c.At(x, y), Colour(x / 4, y / 4)) << x << "," << y;
  }

  std::filesystem::path dir_, previous_;
  Canvas textCanvas_;
  NullFont font_;
  TextDisplay display_{"main"};
  std::unique_ptr<CGetString> input_;
  ForwardingApp app_;
  std::string out;
};

TEST_F(ImageTools, BitmapConversionWritesAFrameFileOfTheBitmap) {
  const auto pixels = Picture(5, 3);
  ASSERT_TRUE(WriteBmp("pic.bmp", 5, 3, pixels.data()));
  ASSERT_TRUE(WritePng("shot.png", 5, 3, pixels.data()));
  // Typed answers are echoed on the display, not in the capture of printed text.
  Start("\"pic\" <Enter> <Space> \"shot\" <Enter> <Space> \"none\" <Enter> <Enter>");
  EXPECT_EQ(UIBitmapConversion(), 1);
  EXPECT_EQ(out,
            "*** Bitmap Conversion ***\n"
            "Enter filename (no extension)\n> "
            "Converting bitmap ... DONE\n"
            "Displaying converted image ... DONE\n"
            "Enter filename (no extension)\n> "
            "Converting bitmap ... DONE\n"
            "Displaying converted image ... DONE\n"
            "Enter filename (no extension)\n> "
            "Converting bitmap ... ERROR: Could not convert none.bmp\n"
            "Enter filename (no extension)\n> ");
  ExpectPictureShown(5, 3);
  for (const char* name : {"pic.til", "shot.til"}) {
    CBArray frame;
    ASSERT_EQ(frame.Load(name), 1) << name;
    ASSERT_EQ(frame.ElementSize(), 4);
    ASSERT_EQ(frame.Width(), 5);
    ASSERT_EQ(frame.Height(), 3);
    // Frames store the bottom row first, blue, green, red, 0.
    for (int line = 0; line < 3; ++line)
      for (int x = 0; x < 5; ++x) {
        const uint8_t* p = frame.ElementPtr(x, line);
        const uint32_t c = Colour(x, 2 - line);
        EXPECT_EQ(p[0], c & 0xFF);
        EXPECT_EQ(p[1], (c >> 8) & 0xFF);
        EXPECT_EQ(p[2], (c >> 16) & 0xFF);
        EXPECT_EQ(p[3], 0);
      }
  }
}

TEST_F(ImageTools, ImageViewerShowsFramesAndRefusesOtherArrays) {
  const auto pixels = Picture(4, 2);
  ASSERT_TRUE(WriteBmp("pic.bmp", 4, 2, pixels.data()));
  CBArray map;
  ASSERT_EQ(map.Init(3, 3, 2), 1);
  map.Fill(7);
  ASSERT_EQ(map.Save("level.map"), 1);
  // Convert first, then view the frame file, a map file and a missing file.
  Start("\"pic\" <Enter> <Space> <Enter>");
  ASSERT_EQ(UIBitmapConversion(), 1);
  Backend()->GetCanvas().FillRect(0, 0, 200, 150, 0);
  SetBackend(nullptr);
  ResetFrameForTests();
  out.clear();
  Start("\"pic.til\" <Enter> \"level.map\" <Enter> \"gone.til\" <Enter> <Enter>");
  EXPECT_EQ(UIImageViewer(), 1);
  EXPECT_EQ(out,
            "*** Image Viewer ***\n"
            "Enter filename or <return> to exit\n> "
            "Enter filename or <return> to exit\n> "
            "ERROR: Could not display image\n"
            "Enter filename or <return> to exit\n> "
            "ERROR: Could not load gone.til\n"
            "Enter filename or <return> to exit\n> ");
  ExpectPictureShown(4, 2);
}

}  // namespace

namespace {

// The display benchmark screen shares the console set-up of the tools.
TEST_F(ImageTools, DisplayBenchmarkRunsTheChosenOperationAndRestoresTheDrawMode) {
  CBArraySet frames;
  ASSERT_EQ(frames.Init(2, 2, 4, 4, 0), 1);
  CTileSet tiles;
  ASSERT_EQ(tiles.Init(4, 0, 0), 1);
  EXPECT_EQ(CreateMDisplay(0, 0, 5, 5, 1, nullptr, &frames, false, 1), nullptr);
  EXPECT_EQ(CreateMDisplay(0, 0, 0, 5, 1, &tiles, &frames, false, 1), nullptr);
  auto display = CreateMDisplay(3, 4, 5, 6, 2, &tiles, &frames, false, 0);
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(display->AnimDivider(), 1);
  EXPECT_EQ(display->ScreenX(), 3);
  EXPECT_EQ(display->ViewHeight(), 6);
  EXPECT_FALSE(display->FSBMode());
  auto viewMap = CreateMDisplay(0, 0, 64, 64, 1, &tiles, &frames, true, 3);
  ASSERT_NE(viewMap, nullptr);
  EXPECT_EQ(viewMap->ScreenBuffer().Width(), 128);

  Start("5 <Enter> 3 <Enter>");
  EXPECT_EQ(UIDisplayBenchmark(display.get()), 1);
  EXPECT_EQ(out,
            "*** CMDisplay Benchmarks ***\n1) CreateSTMap\n2) CreateSFMap\n3) Display\n"
            "4) FS buffer\n5) FSB display test\nChoice: Iterations: "
            "Start time: H:12 M:0 S:0 MS:0\nEnd time: H:12 M:0 S:0 MS:0\n");
  EXPECT_FALSE(display->FSBMode());
  EXPECT_TRUE(display->Animate());
}

}  // namespace
