// Runs the readers of a saved game over arbitrary bytes: the character file,
// save.dat, version.dat and the stack order file (on a small stack map with
// a few stacked objects). A character file that reads must write back to a
// text that reads again to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/Output.h"
#include "world/CharacterFile.h"
#include "world/GameDat.h"
#include "world/QMap.h"
#include "world/StackOrder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::string sink;
  sink.clear();
  SetOutputCapture(&sink);
  const std::string text(reinterpret_cast<const char*>(data), size);

  PCRecord pc;
  std::string scenarioId;
  if (LoadPCText(pc, text, &scenarioId)) {
    std::string once = SavePCText(pc, nullptr);
    PCRecord again;
    if (!LoadPCText(again, once)) std::abort();
    if (SavePCText(again, nullptr) != once) std::abort();
  }

  GameDatValues values;
  LoadGameDatText(values, text, 64);
  std::string dat = SaveGameDatText(values, 1);
  GameDatValues reread;
  LoadGameDatText(reread, dat, 64);
  if (SaveGameDatText(reread, 1) != dat) std::abort();
  LoadVersionText(text);

  QMap q(8, 8);
  q.Push(1, 1, 3, 1, 0);
  q.Push(1, 1, 4, 2, 0);
  q.Push(1, 1, 1, 3, 1);
  q.Push(2, 2, 4, 4, 0);
  q.Push(2, 2, 4, 5, 0);
  LoadQMapStackOrderText(q, text, nullptr);
  if (q.StackSize(1, 1) != 3 || q.StackSize(2, 2) != 2) std::abort();
  SetOutputCapture(nullptr);
  return 0;
}
