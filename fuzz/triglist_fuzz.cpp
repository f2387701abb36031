// Runs the triglist reader over arbitrary bytes (with a 16 x 16 map and a
// zone list), then reads the same bytes as a trigsave file for that list and
// writes the list back out.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzTempDir.h"
#include "scripting/Triggers.h"
#include "text/Output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    const std::string& dir = FuzzTempDir();
    if (chdir(dir.c_str()) != 0) return false;
    return system("mkdir -p DATA1") == 0;
  }();
  if (!ready) return 0;
  static std::string sink;
  SetOutputCapture(&sink);
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The input can include itself and name itself as an external script.
  FuzzWriteFile("DATA1/inc.dat", data, size);
  FuzzWriteFile("DATA1/script1.dat", data, size);
  TriggerCellArray cells(16, 16);
  ZoneList zones;
  std::unique_ptr<TriggerList> list = LoadTriggerListText(text, "DATA1\\triglist1.dat", 1, &cells, &zones);
  if (list) {
    for (const TriggerZone& z : zones.zones)
      if (z.trigger == 0) __builtin_trap();
    if (static_cast<int>(zones.zones.size()) > zones.capacity) __builtin_trap();
    ApplySavedTriggerText(text, list.get(), &cells);
    const std::string saved = TriggerSaveText(*list, cells);
    // What was written reads back to the same text.
    if (!ApplySavedTriggerText(saved, list.get(), &cells) || TriggerSaveText(*list, cells) != saved) __builtin_trap();
  }
  sink.clear();
  SetOutputCapture(nullptr);
  return 0;
}
