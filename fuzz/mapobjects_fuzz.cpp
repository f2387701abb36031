// Runs the map file readers over arbitrary bytes: the map game data block
// and the four object list sections with their container entries. Whatever
// is read must write back to a text that reads again to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/Output.h"
#include "world/MapFile.h"

namespace {
template <class SaveFn>
void RoundTrip(const std::string& text, char kind, SaveFn save) {
  LoadedObjectList first;
  if (!LoadObjectListText(text, kind, first)) return;
  std::string once = save(first);
  LoadedObjectList second;
  if (!LoadObjectListText(once, kind, second)) std::abort();
  if (save(second) != once) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::string sink;
  sink.clear();
  SetOutputCapture(&sink);
  const std::string text(reinterpret_cast<const char*>(data), size);

  MapGameData gameData;
  LoadMapGameDataText(text, 1, gameData);
  std::string block = SaveMapGameDataText(gameData);
  MapGameData again;
  LoadMapGameDataText(block, 1, again);
  if (SaveMapGameDataText(again) != block) std::abort();

  RoundTrip(text, 'C', [](const LoadedObjectList& l) { return SaveCreatureListText(*l.creatures); });
  RoundTrip(text, 'V', [](const LoadedObjectList& l) { return SaveVehicleListText(*l.vehicles, nullptr); });
  RoundTrip(text, 'I', [](const LoadedObjectList& l) { return SaveItemListText(*l.items, nullptr); });
  LoadedObjectList locations;
  LoadObjectListText(text, 'L', locations);
  HasObjectListSection(text, 'I');
  SetOutputCapture(nullptr);
  return 0;
}
