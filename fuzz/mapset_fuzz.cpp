// Map-set files: MAPSET.dat sections from any text, over a few map files.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzTempDir.h"
#include "data/BArray.h"
#include "graphics/MapSet.h"
#include "text/Output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool mapsWritten = [] {
    // 1.map and t.map are 3 x 2 maps, s.map is 1 x 1 (a template of other size).
    const char* names[] = {"1", "t", "s"};
    for (const char* name : names) {
      CBArray map;
      bool small = name[0] == 's';
      map.Init(small ? 1 : 3, small ? 1 : 2, 2);
      map.Fill(name[0] == 't' ? 0 : 5);
      map.Save(FuzzTempDir() + "/" + name + ".map");
    }
    return true;
  }();
  (void)mapsWritten;
  std::string output;
  SetOutputCapture(&output);
  FuzzWriteFile(FuzzTempDir() + "/MAPSET.dat", data, size);
  for (uint16_t id : {uint16_t(1), uint16_t(2)}) {
    std::unique_ptr<CMap> map = LoadMapObjectFromDirs(FuzzTempDir(), FuzzTempDir() + "/save", id);
    if (map)
      for (int d = 0; d < 8; ++d) map->Border(d);
  }
  SetOutputCapture(nullptr);
  return 0;
}
