#pragma once
// Everything a scenario directory DATA<n> defines, loaded in the engine's
// fixed order: the scenario rules, the save version, the object definition
// tables, the terrain groups and the rule tables. The game object embeds one
// ScenarioData and hands it to the play rules.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scenario/ObjDefs.h"
#include "scenario/RuleTables.h"
#include "scenario/ScenarioConfig.h"
#include "scenario/TerrainGroups.h"

struct ScenarioData {
  int scenarioNumber = 0;
  ScenarioConfig config;
  OwnedText saveVersion;                           // version.dat "SAVE:"
  std::optional<std::vector<uint16_t>> invOrder;   // default inventory order
  ObjDefTables defs;
  std::unique_ptr<TerrainGroups> terrainGroups;
  std::unique_ptr<TerrainInfoTable> terrainInfo;
  std::unique_ptr<ResistanceTable> resistance;
  std::unique_ptr<ClassTable> classes, races, genders;
  std::unique_ptr<CSpellTable> cspells;

  // Frees the owned texts STRREADY and STRWEAR and every loaded table; the
  // plain configuration fields keep their values (a reload overwrites only
  // what the files name).
  void Unload();
};

// Loaders of other parts of the engine that the load order calls. Each one
// that is not set is skipped exactly as when its file is missing.
struct ScenarioLoadHooks {
  std::function<void(int scenarioNumber)> loadStores;      // stores.dat
  std::function<void(int scenarioNumber)> loadTreasure;    // treasure.dat
  std::function<void(int scenarioNumber)> loadTreasureEx;  // treasureex.dat
  std::function<void(int scenarioNumber)> loadEffects;     // effects.dat
  std::function<void(int scenarioNumber)> loadSoundSet;    // SSET.dat
  PlugInHooks plugIns;                                     // scenario.dat PLUGIN, PLUGINCMD
};

// Loads scenario n into `s` in the fixed order: scenario.dat, version.dat,
// the C, N, L, V and I sections of objdefs.dat, Terrain.dat, TerrainInfo.dat,
// stores, treasure, treasureex, effects, resistance.dat, classes.dat (classes,
// RACES, GENDER), cspells.dat, the sound set. Each step runs whatever the
// previous ones gave; a missing or broken file leaves its part empty after
// its loader has reported the problem. Always returns 1.
int LoadScenario(ScenarioData& s, int scenarioNumber, const ScenarioLoadHooks* hooks = nullptr);

// Reads DATA<n>\version.dat: the "SAVE:" word is the save version (a later
// line replaces an earlier one). A missing file leaves it absent.
void LoadVersionFile(ScenarioData& s);
void LoadVersionText(ScenarioData& s, const std::string& text, const std::string& fileName);

// Reads DATA<n>\DefaultsLast.dat; with `onlyKeyword` set, lines whose first
// word is not exactly that are skipped. "INVORDER:" sets the default
// inventory order (a sized word list as long as the item table) unless one
// is already held. Returns 0 when the order cannot be read.
int LoadGameDefaultsLastFile(ScenarioData& s, const char* onlyKeyword);
int LoadGameDefaultsLastText(ScenarioData& s, const char* onlyKeyword, const std::string& text,
                             const std::string& fileName);
