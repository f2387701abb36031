#include "vector/VFDisplay.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "data/DataFile.h"
#include "platform/Frame.h"
#include "platform/Keys.h"
#include "scenario/ScanText.h"
#include "text/Output.h"
#include "vector/MVDisplay.h"
#include "vector/VRender.h"

namespace {

constexpr int kMaxDistance = 32;
constexpr int kMaxDelay = 60000;

int ReadConfig(DataFileReader& reader, VFDisplayConfig* c) {
  while (const char* kw = reader.NextKeyword()) {
    const char* rest = reader.ReadRestOfLine();
    std::string text = rest ? rest : "";
    ScanCursor s(text);
    std::string key = kw;
    int32_t a = 0, b = 0;
    uint16_t u = 0, v = 0;
    if (key == "DIST:") {
      if (s.Int(a) && a >= 0 && a <= kMaxDistance) {
        c->distance = a;
        c->testFrom = c->testTo = std::max(0, a - 1);
      } else {
        PrintLine("ERROR (VFDisplay): Invalid distance");
      }
    } else if (key == "SHOWLWALLS:" || key == "SHOWRWALLS:" || key == "SHOWCWALL:") {
      if (s.U16(u)) {
        uint8_t flag = uint8_t(u);
        if (key == "SHOWLWALLS:") c->showLeft = flag;
        else if (key == "SHOWRWALLS:") c->showRight = flag;
        else c->showCentre = flag;
      }
    } else if (key == "CWALLID:") {
      if (s.U16(u)) c->centreWall = u;
    } else if (key == "LWALLID:" || key == "RWALLID:") {
      if (s.U16(u)) {
        if (!s.U16(v)) v = 0;
        (key[0] == 'L' ? c->leftWall : c->rightWall) = u;
        (key[0] == 'L' ? c->leftFar : c->rightFar) = v;
      }
    } else if (key == "TESTFRID:") {
      if (s.U16(u)) c->testFrame = u;
    } else if (key == "TESTFRDIST:") {
      if (s.Int(a) && s.Int(b) && a >= 0 && a <= kMaxDistance && b <= kMaxDistance) {
        c->testFrom = a;
        c->testTo = std::max(a, b);
      } else {
        PrintLine("ERROR (VFDisplay): Invalid test distances");
      }
    } else if (key == "AFRAMES:") {
      uint16_t n;
      if (s.U16(n)) {
        c->animFrames.clear();
        for (int i = 0; i < int(uint8_t(n)) && s.U16(u); ++i) c->animFrames.push_back(u);
      }
    } else if (key == "ADELAY:") {
      if (s.Int(a) && a >= 0 && a <= kMaxDelay) c->delay = a;
      else PrintLine("ERROR (VFDisplay): Invalid delay");
    } else if (key == "ROFFSET:") {
      if (s.Int(a) && s.Int(b)) {
        c->rootX = a;
        c->rootY = b;
      }
    } else if (key == "SIZE:") {
      if (s.Int(a) && s.Int(b) && a > 0 && b > 0 && a <= MaxVPictureSide && b <= MaxVPictureSide) {
        c->width = a;
        c->height = b;
      } else {
        PrintLine("ERROR (VFDisplay): Invalid picture size");
      }
    } else if (key == "POS:") {
      if (s.Int(a) && s.Int(b) && a >= 0 && b >= 0 && a <= MaxVPictureSide && b <= MaxVPictureSide) {
        c->posX = a;
        c->posY = b;
      }
    } else if (key == "BORDER:") {
      if (s.U16(u)) c->border = u;
    }
    reader.SkipLine();
  }
  // The origin must lie in the picture.
  if (c->rootX < 0 || c->rootX >= c->width) {
    PrintLine("ERROR: Invalid X offset of %d, resetting to 0", c->rootX);
    c->rootX = 0;
  }
  if (c->rootY < 0 || c->rootY >= c->height) {
    PrintLine("ERROR: Invalid Y offset of %d, resetting to 0", c->rootY);
    c->rootY = 0;
  }
  return 1;
}

int AtDepth(RenderContext* ctx, const VFDisplayConfig& c, uint16_t frame, int depth) {
  if (frame == 0) return 1;
  return RenderFrameAtDepth(ctx, frame, depth, c.rootX, c.rootY, c.sideX, c.sideY);
}

int Show(const CBArray& picture, const VFDisplayConfig& c, Canvas* canvas) {
  const int x = c.posX * c.magnification, y = c.posY * c.magnification;
  if (canvas) return DrawPictureOnCanvas(picture, canvas, x, y, c.magnification);
  return DisplayScaledBitmap(picture.GetData(), picture.Width(), picture.Height(), x, y,
                             c.magnification, c.magnification);
}

VFDisplayConfig lastConfig;  // where the last picture was shown (ESC blanks it)

}  // namespace

int ReadVFDisplayConfig(const std::string& enginePath, VFDisplayConfig* config) {
  DataFileReader reader;
  if (!config) return 0;
  if (!reader.Open(enginePath)) return 1;
  return ReadConfig(reader, config);
}

int ReadVFDisplayConfigText(const std::string& text, VFDisplayConfig* config) {
  if (!config) return 0;
  DataFileReader reader;
  reader.OpenText(text);
  return ReadConfig(reader, config);
}

int DrawVFDisplayPicture(const VFDisplayConfig& c, const VFrameSet& frames, int shift,
                         uint16_t testFrame, CBArray* picture) {
  if (!picture) return 0;
  picture->Free();
  if (!picture->Init(c.width, c.height, 4)) return 0;
  picture->Fill(0);
  RenderContext ctx;
  if (!ctx.Attach(picture)) return 0;
  ctx.frameSet = &frames;
  if (c.border) {
    if (!RenderVFrameByID(&ctx, c.border, 0, 0, 1.0f, 1.0f)) return 0;
  } else {
    const uint8_t white[4] = {255, 255, 255, 0}, left[4] = {0, 191, 31, 0},
                  right[4] = {255, 0, 159, 0};
    const int w = c.width, h = c.height;
    picture->PlotLine(white, 0, 0, w - 1, 0);
    picture->PlotLine(white, 0, h - 1, w - 1, h - 1);
    picture->PlotLine(left, 0, 0, 0, h - 1);
    picture->PlotLine(right, w - 1, 0, w - 1, h - 1);
  }
  const int n = std::max(0, c.distance + shift);
  int from = c.testFrom, to = c.testTo;
  if (from == to) from = to = std::max(0, from + shift);
  if (c.showLeft) {
    for (int d = 0; d < n; ++d)
      if (!AtDepth(&ctx, c, c.leftWall, d)) return 0;
    if (n > 0 && !AtDepth(&ctx, c, c.leftFar, n - 1)) return 0;
  }
  if (c.showRight) {
    for (int d = 0; d < n; ++d)
      if (!AtDepth(&ctx, c, c.rightWall, d)) return 0;
    if (n > 0 && !AtDepth(&ctx, c, c.rightFar, n - 1)) return 0;
  }
  if (c.showCentre && !AtDepth(&ctx, c, c.centreWall, n)) return 0;
  for (int d = from; d <= to; ++d)
    if (!AtDepth(&ctx, c, testFrame, d)) return 0;
  return 1;
}

int VFDisplayDraw(const std::string& scenarioDir, int shift, Canvas* canvas) {
  VFDisplayConfig config;
  ReadVFDisplayConfig(scenarioDir + "\\VFDisplay.cfg", &config);
  lastConfig = config;
  std::unique_ptr<VFrameSet> frames = LoadCreateVFrameSet(scenarioDir, "VFSET.dat");
  if (!frames) return 0;
  std::vector<uint16_t> pictures = config.animFrames;
  if (pictures.empty()) pictures.push_back(config.testFrame);
  CBArray picture;
  for (size_t i = 0; i < pictures.size(); ++i) {
    if (i > 0 && !canvas) ASleep(unsigned(config.delay));
    if (!DrawVFDisplayPicture(config, *frames, shift, pictures[i], &picture)) return 0;
    if (!Show(picture, config, canvas)) return 0;
  }
  return 1;
}

int RunVectorFrameDisplay(int scenario) {
  PrintLine("*** Vector Frame Display ***");
  PrintLine("RETURN: Display");
  PrintLine("ESCAPE: Exit");
  int shift = 0;
  for (;;) {
    const int key = GetKey();
    if (key == 0 || QuitRequested()) return 1;
    bool draw = false;
    if (key == keys::Return) {
      PrintLine("Displaying");
      draw = true;
    } else if (key == keys::Up || key == keys::Down) {
      shift += key == keys::Up ? 1 : -1;
      PrintLine("POS: +%d", shift);
      draw = true;
    } else if (key == 'D') {
      Print("Data ID? ");
      int n = 0;
      if (InputInt(&n)) scenario = n;
    } else if (key == keys::Escape) {
      CBArray black;
      if (black.Init(lastConfig.width, lastConfig.height, 4)) {
        black.Fill(0);
        Show(black, lastConfig, nullptr);
      }
      return 1;
    }
    if (draw) {
      char dir[32];
      std::snprintf(dir, sizeof dir, "DATA%d", scenario);
      if (!VFDisplayDraw(dir, shift, nullptr)) PrintLine("ERROR in display");
    }
  }
}
