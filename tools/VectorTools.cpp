// korva-tool vframe2png / fpview2png: vector art to pictures, so authors can
// review frames and first-person views without playing.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/PngFile.h"
#include "graphics/FrameImage.h"
#include "graphics/MapSet.h"
#include "platform/Files.h"
#include "text/Output.h"
#include "tools/ToolCommands.h"
#include "vector/MVDisplay.h"

namespace {

bool ParseLong(const char* text, long min, long max, long* out) {
  if (!text || !*text) return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || v < min || v > max) return false;
  *out = v;
  return true;
}

bool ParseScale(const char* text, float* out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  float v = std::strtof(text, &end);
  if (*end != '\0' || !(v > 0.0f) || v > 64.0f) return false;
  *out = v;
  return true;
}

// Engine messages (loader errors) go to stderr.
struct MessagesToStderr {
  std::string text;
  MessagesToStderr() { SetOutputCapture(&text); }
  ~MessagesToStderr() {
    SetOutputCapture(nullptr);
    Flush();
  }
  void Flush() {
    std::fputs(text.c_str(), stderr);
    text.clear();
  }
};

int WritePicture(const CBArray& picture, const char* path, const char* tool) {
  std::vector<uint32_t> pixels;
  if (!FrameToImage(picture, &pixels) ||
      !WritePng(path, picture.Width(), picture.Height(), pixels.data())) {
    std::fprintf(stderr, "ERROR (%s): Could not write %s\n", tool, path);
    return 1;
  }
  return 0;
}

int VFrame2Png(int argc, char** argv) {
  const char* usage = "usage: korva-tool vframe2png DATA_DIR FRAME_ID OUT.png [--scale S]\n";
  float scale = 1.0f;
  long id = 0;
  if (argc == 5 && std::strcmp(argv[3], "--scale") == 0) {
    if (!ParseScale(argv[4], &scale)) {
      std::fprintf(stderr, "ERROR (vframe2png): Invalid scale %s (above 0, at most 64)\n", argv[4]);
      return 2;
    }
  } else if (argc != 3) {
    std::fputs(usage, stderr);
    return 2;
  }
  if (!ParseLong(argv[1], 1, 65535, &id)) {
    std::fprintf(stderr, "ERROR (vframe2png): Invalid frame ID %s (1-65535)\n", argv[1]);
    return 2;
  }
  MessagesToStderr messages;
  const std::string dir = argv[0];
  CMVDisplay display;  // its picture size and root offset come from VConfig.dat
  display.LoadConfigFile(dir + "\\VConfig.dat");
  auto frames = LoadCreateVFrameSet(dir, "VFSET.dat");
  if (!frames) {
    messages.Flush();
    std::fprintf(stderr, "ERROR (vframe2png): Could not load %s/VFSET.dat\n", argv[0]);
    return 1;
  }
  if (!frames->Get(uint16_t(id))) {
    std::fprintf(stderr, "ERROR (vframe2png): No frame %ld in %s/VFSET.dat\n", id, argv[0]);
    return 1;
  }
  CBArray picture;
  RenderContext context;
  if (!picture.Init(display.Width(), display.Height(), 4) || !context.Attach(&picture)) return 1;
  picture.Fill(0);
  context.frameSet = frames.get();
  if (!RenderVFrameByID(&context, uint16_t(id), display.RootX(), display.RootY(), scale, scale))
    std::fprintf(stderr, "WARNING (vframe2png): Frame %ld could not be drawn whole\n", id);
  return WritePicture(picture, argv[2], "vframe2png");
}

int FPView2Png(int argc, char** argv) {
  const char* usage =
      "usage: korva-tool fpview2png --game-dir DIR N MAP X Y FACING OUT.png\n"
      "  FACING: 0 north, 1 east, 2 south, 3 west\n";
  if (argc != 8 || std::strcmp(argv[0], "--game-dir") != 0) {
    std::fputs(usage, stderr);
    return 2;
  }
  long n, mapID, x, y, facing;
  if (!ParseLong(argv[2], 0, 9999, &n) || !ParseLong(argv[3], 1, 65535, &mapID) ||
      !ParseLong(argv[4], 0, 65535, &x) || !ParseLong(argv[5], 0, 65535, &y) ||
      !ParseLong(argv[6], 0, 3, &facing)) {
    std::fputs(usage, stderr);
    return 2;
  }
  MessagesToStderr messages;
  const std::string dataDir = std::string(argv[1]) + "\\DATA" + std::to_string(n);
  VectorSets sets;
  if (!LoadVectorSetsFromDir(dataDir, &sets)) {
    messages.Flush();
    std::fprintf(stderr, "ERROR (fpview2png): Could not load the vector sets of %s\n",
                 dataDir.c_str());
    return 1;
  }
  // The scenario's own map (a save directory that cannot exist is given, so
  // saved copies are not read).
  auto map = LoadMapObjectFromDirs(dataDir, dataDir + "\\.no-save", uint16_t(mapID));
  if (!map) {
    std::fprintf(stderr, "ERROR (fpview2png): Could not load map %ld of %s\n", mapID,
                 dataDir.c_str());
    return 1;
  }
  CMVDisplay display;
  display.LoadConfigFile(dataDir + "\\VConfig.dat");
  if (!display.Init(0, 0, 1)) return 1;
  display.SetSets(sets.tiles.get(), sets.frames.get());
  VMapSource source = MapSourceOf(*map);
  source.startX = int(x);
  source.startY = int(y);
  source.startFacing = uint8_t(facing);
  if (!display.SetMapSource(source)) {
    std::fprintf(stderr, "ERROR (fpview2png): (%ld, %ld) is not a cell of map %ld (%d x %d)\n", x,
                 y, mapID, map->Width(), map->Height());
    return 1;
  }
  if (!display.CreateVTMap() || !display.Render())
    std::fprintf(stderr, "WARNING (fpview2png): The view could not be drawn whole\n");
  return WritePicture(*display.Target(), argv[7], "fpview2png");
}

ToolRegistration vframe2png("vframe2png",
                            "vframe2png DATA_DIR FRAME_ID OUT.png [--scale S]   one vector frame "
                            "of DATA_DIR/VFSET.dat as a picture",
                            VFrame2Png);
ToolRegistration fpview2png("fpview2png",
                            "fpview2png --game-dir DIR N MAP X Y FACING OUT.png   the first-person "
                            "view of a map cell (FACING 0 N, 1 E, 2 S, 3 W)",
                            FPView2Png);

}  // namespace
