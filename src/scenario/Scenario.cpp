#include "scenario/Scenario.h"

#include "scenario/KeywordFile.h"
#include "scenario/ScanText.h"
#include "scenario/ScenarioFiles.h"

void ScenarioData::Unload() {
  config.strReady.reset();
  config.strWear.reset();
  defs = ObjDefTables();
  terrainGroups.reset();
  terrainInfo.reset();
  resistance.reset();
  classes.reset();
  races.reset();
  genders.reset();
  cspells.reset();
}

void LoadVersionText(ScenarioData& s, const std::string& text, const std::string& fileName) {
  KeywordFile file(fileName, text);
  std::string k, word;
  while (file.Next(k)) {
    if (k == "SAVE:" && file.Word(word)) s.saveVersion = word;
    file.SkipLine();
  }
}

void LoadVersionFile(ScenarioData& s) {
  std::string path = ScenarioPath(s.scenarioNumber, "version.dat");
  std::string text;
  if (ReadScenarioText(path, text)) LoadVersionText(s, text, path);
}

int LoadGameDefaultsLastText(ScenarioData& s, const char* onlyKeyword, const std::string& text,
                             const std::string& fileName) {
  KeywordFile file(fileName, text);
  std::string k, word;
  while (file.Next(k)) {
    if (onlyKeyword && k != onlyKeyword) {
      file.SkipLine();
      continue;
    }
    if (k == "INVORDER:" && !s.invOrder) {
      const int n = s.defs.items ? s.defs.items->Count() : 0;
      if (n > 0) {
        std::vector<uint16_t> order(size_t(n), 0);
        size_t i = 0;
        bool tooLong = false;
        while (file.Word(word)) {
          if (i == order.size()) {
            tooLong = true;
            break;
          }
          order[i++] = uint16_t(DecimalToInt(word));
        }
        if (tooLong) {
          ScenarioMessage("ERROR (LoadInvOrder): Failed to load or create list");
          ScenarioMessage("ERROR (LoadGameDefaultsLastFile): Could not load inventory order");
          return 0;
        }
        s.invOrder = std::move(order);
      }
    }
    file.SkipLine();
  }
  return 1;
}

int LoadGameDefaultsLastFile(ScenarioData& s, const char* onlyKeyword) {
  std::string path = ScenarioPath(s.scenarioNumber, "DefaultsLast.dat");
  std::string text;
  if (!ReadScenarioText(path, text)) return 1;
  return LoadGameDefaultsLastText(s, onlyKeyword, text, path);
}

int LoadScenario(ScenarioData& s, int scenarioNumber, const ScenarioLoadHooks* hooks) {
  s.scenarioNumber = scenarioNumber;
  const int n = scenarioNumber;
  auto call = [&](const std::function<void(int)>& f) {
    if (f) f(n);
  };
  ReadConfigFile(s.config, n, hooks ? &hooks->plugIns : nullptr);
  LoadVersionFile(s);
  // The five sections come from one file: read it once.
  const std::string objdefs = ScenarioPath(n, "objdefs.dat");
  std::string text;
  const bool haveObjdefs = ReadScenarioText(objdefs, text);
  for (char kind : {'C', 'N', 'L', 'V', 'I'}) {
    if (haveObjdefs)
      LoadCreateDefsText(s.defs, kind, text, objdefs);
    else
      LoadCreateDefs(s.defs, kind, n);  // reports the missing file
  }
  s.terrainGroups = LoadTerrainGroups(n);
  s.terrainInfo = LoadTerrainGroupInfo(n);
  if (hooks) {
    call(hooks->loadStores);
    call(hooks->loadTreasure);
    call(hooks->loadTreasureEx);
    call(hooks->loadEffects);
  }
  s.resistance = LoadResistanceList(n);
  s.classes = LoadCreateClassList(n, nullptr);
  s.races = LoadCreateClassList(n, "RACES");
  s.genders = LoadCreateClassList(n, "GENDER");
  s.cspells = LoadCSpellList(n);
  if (hooks) call(hooks->loadSoundSet);
  return 1;
}
