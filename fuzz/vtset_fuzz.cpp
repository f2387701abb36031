// Vector tile-set files (VTSET.dat) from any text: loading, then the frame
// look-up of every loaded tile for each view position, some distances, every
// facing and a few phases.
#include <cstdint>
#include <memory>
#include <string>

#include "text/Output.h"
#include "vector/VTile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string output;
  SetOutputCapture(&output);
  std::string text(reinterpret_cast<const char*>(data), size);
  if (std::unique_ptr<VTileSet> set = LoadCreateVTileSetFromText(text)) {
    for (int i = 0; i < set->Capacity() && i < 64; ++i) {
      const VTile* tile = set->ItemAt(i);
      if (!tile) continue;
      for (int pos = 0; pos <= 7; ++pos)
        for (int distance = 0; distance < 13; distance += 3)
          for (int facing = 0; facing < 5; ++facing)
            for (int phase : {0, 1, 23}) VTileFrame(tile, phase, pos, distance, facing);
    }
  }
  SetOutputCapture(nullptr);
  return 0;
}
