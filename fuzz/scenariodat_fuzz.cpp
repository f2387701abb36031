// scenario.dat reader (and the small keyword-line files read with it) over
// arbitrary text. INCLUDE names files of a scenario directory that does not
// exist, so only the warning path is taken.
#include <cstddef>
#include <cstdint>
#include <string>

#include "scenario/RuleTables.h"
#include "scenario/Scenario.h"
#include "scenario/ScenarioConfig.h"
#include "scenario/TerrainGroups.h"
#include "text/Output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string printed;
  SetOutputCapture(&printed);
  ScenarioConfig config;
  ReadConfigText(config, 65000, text, "DATA65000\\scenario.dat");
  ScenarioData s;
  LoadVersionText(s, text, "v");
  s.defs.items = std::make_unique<ItemTable>(8);
  LoadGameDefaultsLastText(s, nullptr, text, "d");
  LoadTerrainGroupsText(text, "t");
  LoadTerrainGroupInfoText(text, "ti");
  LoadResistanceListText(text, "r");
  LoadCSpellListText(text, "c");
  for (const char* section : {static_cast<const char*>(nullptr), "RACES", "GENDER"})
    LoadCreateClassListText(text, "cl", section);
  SetOutputCapture(nullptr);
  return 0;
}
