#pragma once
// The Vector Frame Display: an authoring screen that previews vector frames
// as walls, a far wall and test frames at their view depths, with the
// settings of "DATA<n>\VFDisplay.cfg". The frames are read anew from the
// scenario's VFSET.dat for every drawing, so an author can edit and redraw.
#include <cstdint>
#include <string>
#include <vector>

#include "data/BArray.h"
#include "platform/Canvas.h"
#include "vector/VFrame.h"

struct VFDisplayConfig {
  int distance = 1;  // DIST:
  uint8_t showLeft = 1, showRight = 1, showCentre = 1;
  uint16_t centreWall = 0;
  uint16_t leftWall = 0, leftFar = 0, rightWall = 0, rightFar = 0;
  uint16_t testFrame = 0;
  int testFrom = 0, testTo = 0;
  std::vector<uint16_t> animFrames;  // AFRAMES:
  int delay = 1000;                  // ADELAY: milliseconds
  int rootX = 1, rootY = 1;          // ROFFSET:
  int sideX = 64, sideY = 32;
  int width = 258, height = 128;     // SIZE:
  int posX = 10, posY = 30;          // POS: (unmagnified)
  int magnification = 3;
  uint16_t border = 0;  // BORDER: background frame; 0 the border lines
};

// Reads the configuration (a missing file keeps the defaults). Bad values
// print an error line and keep the default of that setting.
int ReadVFDisplayConfig(const std::string& enginePath, VFDisplayConfig* config);
int ReadVFDisplayConfigText(const std::string& text, VFDisplayConfig* config);

// One picture: background, left and right walls, the centre wall, then
// `testFrame` over the test range, all moved by the distance shift.
int DrawVFDisplayPicture(const VFDisplayConfig& config, const VFrameSet& frames, int shift,
                         uint16_t testFrame, CBArray* picture);

// Reads the configuration and frames of the scenario directory and shows
// every picture (one per animation frame, with the delay between them) in
// the window, or on `canvas` when given. 0 when anything fails.
int VFDisplayDraw(const std::string& scenarioDir, int shift, Canvas* canvas);

// The screen itself: runs on the current output and key input until ESC
// (or the quit). `scenario` is the scenario number it starts with.
int RunVectorFrameDisplay(int scenario);
