// Tile-set files: frame and tile sections from any text.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzTempDir.h"
#include "data/BArray.h"
#include "graphics/FrameSet.h"
#include "graphics/TileSet.h"
#include "text/Output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool framesWritten = [] {
    // Frames 1 and 2 exist (1 x 1 pixels), so "F:" lines can load something.
    for (int id = 1; id <= 2; ++id) {
      CBArray frame;
      frame.Init(1, 1, 4);
      frame.Fill(uint8_t(id));
      frame.Save(FuzzTempDir() + "/" + std::to_string(id) + ".til");
    }
    return true;
  }();
  (void)framesWritten;
  std::string output;
  SetOutputCapture(&output);
  FuzzWriteFile(FuzzTempDir() + "/TILESET.dat", data, size);
  std::unique_ptr<CBArraySet> frames;
  std::unique_ptr<CTileSet> tiles;
  LoadCreateFSTSFromDir(FuzzTempDir(), "", &frames, &tiles);
  if (std::unique_ptr<CTileSet> t = LoadCreateTSFromDir(FuzzTempDir(), "")) {
    for (uint16_t id = 0; id < 16; ++id) {
      uint16_t frame;
      if (CTile* tile = t->Find(id)) tile->GetFrame(23, &frame);
    }
  }
  SetOutputCapture(nullptr);
  return 0;
}
