// New games, saving and loading (the working save directory), named saves
// and the start of play.
#include <cmath>

#include "platform/Files.h"
#include "play/Game.h"
#include "scenario/Keywords.h"
#include "text/Output.h"
#include "world/NamedSaves.h"
#include "world/SavePrompts.h"
#include "world/WorldPaths.h"

namespace {
bool VerifyCreateBaseDirs() {
  if (ADirExists("save")) return true;
  if (AMakeDir("save")) return true;
  PrintLine("ERROR (VerifyCreateBaseDirs): Could not create save");
  return false;
}

int32_t Trunc(float v) { return int32_t(std::trunc(v)); }

// The limits of the derived combat values of a new character.
void LimitBaseValues(PCRecord& pc) {
  if (pc.baseAc < 0) pc.baseAc = 0;
  if (pc.baseAb < 0) pc.baseAb = 0;
  if (pc.baseDb < 0) {
    if (pc.baseSides <= 0) pc.baseDb = 0;
    else if (pc.baseDb < -pc.baseDice) pc.baseDb = -pc.baseDice;
  }
}
}  // namespace

int CGame::PrepNewGame() {
  if (!VerifyCreateBaseDirs()) return 0;
  std::string dir = WorkingSaveDir(scenarioNumber);
  RecoverInterruptedSave(dir);
  if (ADirExists(dir) && !ADeleteDir(dir)) {
    PrintLine("ERROR (PrepNewGame): Could not delete %s", dir.c_str());
    return 0;
  }
  if (!AMakeDir(dir)) {
    PrintLine("ERROR (PrepNewGame): Could not create %s", dir.c_str());
    return 0;
  }
  if (scenario.saveVersion && !AWriteFileAtomic(dir + "\\version.dat", SaveVersionText(&*scenario.saveVersion))) {
    PrintLine("ERROR (SaveVersionFile): Could not open %s", (dir + "\\version.dat").c_str());
    return 0;
  }
  return 1;
}

std::unique_ptr<PCRecord> CGame::LoadPCTemplate() {
  auto rec = std::make_unique<PCRecord>();
  std::string path = ScenarioDirName(scenarioNumber) + "\\pc.dat";
  std::string text;
  if (!AReadFile(path, text) || !LoadPCText(*rec, text)) {
    PrintLine("WARNING (LoadPCTemplate): Could not load PC template file; using internal defaults");
    *rec = PCRecord();
    rec->ownCap = CapabilityLand;
    rec->def.terrainCap = CapabilityLand;
  }
  rec->def.state = 9;
  return rec;
}

int CGame::NewGameDChar() {
  if (!PrepNewGame()) {
    PrintLine("ERROR (NewGameDChar): PrepNewGame failed");
    return 0;
  }
  std::unique_ptr<PCRecord> rec = LoadPCTemplate();
  if (!rec) {
    PrintLine("ERROR (NewGameDChar): LoadPCTemplate failed");
    return 0;
  }
  const ScenarioConfig& cfg = scenario.config;
  PCRecord& r = *rec;
  int q = cfg.ccPoints / 6;
  for (uint16_t& a : r.attrib) a = uint16_t(a + q);
  r.baseAc += r.attrib[2];
  r.baseAb += Trunc(float(r.attrib[1]) * cfg.ccAbMult);
  r.baseDb += Trunc(float(r.attrib[0]) * cfg.ccDdbMult);
  LimitBaseValues(r);
  r.def.armourClass = uint16_t(r.baseAc);
  r.def.attackBonus = uint16_t(r.baseAb);
  r.def.damageDice = uint16_t(r.baseDice);
  r.def.damageSides = uint16_t(r.baseSides);
  r.def.damageBonus = uint16_t(r.baseDb);
  r.def.saveReflex = uint16_t(r.def.saveReflex + cfg.ccSaveMod + r.attrib[1]);
  r.def.saveFortitude = uint16_t(r.def.saveFortitude + cfg.ccSaveMod + r.attrib[2]);
  r.def.saveWill = uint16_t(r.def.saveWill + cfg.ccSaveMod + r.attrib[4]);
  bool bound = true;
  uint32_t weight = 0;
  for (const InvEntry& e : r.inventory) {
    const ItemDef* def = scenario.defs.items ? scenario.defs.items->Find(e.defId) : nullptr;
    if (!def) bound = false;
    else weight += def->weight * uint32_t(e.quantity > 0 ? e.quantity : 0);
  }
  if (!bound) {
    PrintLine("WARNING (NewGameDChar): Failed to initialize inventory");
  } else {
    r.capacity = uint32_t(cfg.ccWeightMult) * (uint32_t(r.attrib[2]) + r.attrib[0]) * 1000u;
    r.weight = weight;
  }
  if (r.body.hp == 0) r.body.hp = int16_t(r.def.maxHp);
  // A template names no map: the game starts on the scenario's start map.
  if (r.posMap == 0) {
    r.posMap = uint16_t(cfg.startMap);
    r.posX = r.posY = -1;
  }
  std::string path = WorkingSaveDir(scenarioNumber) + "\\pc.dat";
  if (!SavePC(r, path, scenario.defs.items.get())) {
    PrintLine("ERROR (NewGameDChar): SavePC failed");
    return 0;
  }
  rec.reset();
  if (!LoadCurrentGame()) {
    PrintLine("ERROR (NewGameDChar): LoadCurrentGame failed");
    return 0;
  }
  mapLoadType = 2;
  return 1;
}

std::unique_ptr<PCRecord> CGame::MakePCFromFile(const std::string& path, bool member) {
  auto rec = std::make_unique<PCRecord>();
  std::string text;
  if (!AReadFile(path, text) || !LoadPCText(*rec, text)) {
    if (member) PrintLine("WARNING (Create PC): Could not load PC from %s", path.c_str());
    else PrintLine("WARNING (Create PC): Could not load PC");
    *rec = PCRecord();
    rec->ownCap = CapabilityLand;
  }
  rec->def.state = 9;
  if (rec->def.terrainCap == 0) rec->def.terrainCap = rec->ownCap;
  if (rec->cls != 0 && (!scenario.classes || !scenario.classes->Get(rec->cls))) {
    PrintLine("ERROR (LoadCurrentGame): Unknown class %d", rec->cls);
    return nullptr;
  }
  for (const InvEntry& e : rec->inventory)
    if (!scenario.defs.items || !scenario.defs.items->Find(e.defId)) {
      PrintLine("WARNING (Create PC): Failed to initialize inventory");
      break;
    }
  if (rec->vehicle) {
    rec->vehicle->def = scenario.defs.vehicles ? scenario.defs.vehicles->Find(rec->vehicle->defId) : nullptr;
    if (!rec->vehicle->def) {
      PrintLine("ERROR (LoadCurrentGame): Unknown vehicle definition %d", rec->vehicle->defId);
      return nullptr;
    }
  }
  return rec;
}

int CGame::ReadPlayerFromSave() {
  auto rec = MakePCFromFile(WorkingSaveDir(scenarioNumber) + "\\pc.dat", false);
  if (!rec) return 0;
  pc = std::move(rec);
  return 1;
}

// The party of a save; 1 with a party, 0 without one (a missing file) or
// when it cannot be read (the whole list is then discarded).
int CGame::LoadParty() {
  partyMembers.clear();
  activeMember = 0;
  partySize = 0;
  std::string dir = WorkingSaveDir(scenarioNumber);
  std::string text;
  if (!AReadFile(dir + "\\party.dat", text)) return 0;
  PartyFile file;
  if (!LoadPartyText(text, file)) return 0;
  std::vector<std::unique_ptr<PCRecord>> members(size_t(file.size));
  for (int k : file.members) {
    auto rec = MakePCFromFile(dir + "\\" + MemberFileName(k), true);
    if (!rec) {
      PrintLine("ERROR (LoadParty PC): Failed to load character %d", k);
      return 0;
    }
    if (rec->body.hp < 1) rec->gone = true;
    members[size_t(k - 1)] = std::move(rec);
  }
  pc = std::move(members[size_t(file.active - 1)]);
  partyMembers = std::move(members);
  activeMember = file.active;
  partySize = file.size;
  return 1;
}

int CGame::SaveParty() {
  std::string dir = WorkingSaveDir(scenarioNumber);
  PartyFile file;
  file.size = partySize;
  file.active = activeMember;
  for (int k = 1; k <= partySize; ++k) {
    const PCRecord* member = PartyMember(k);
    if (!member) continue;
    file.members.push_back(k);
    std::string path = dir + "\\" + MemberFileName(k);
    if (!SavePC(*member, path, scenario.defs.items.get())) {
      PrintLine("ERROR (SaveParty): Save failed for character %d (%s)", k, path.c_str());
      return 0;
    }
  }
  if (!AWriteFileAtomic(dir + "\\party.dat", SavePartyText(file))) {
    PrintLine("ERROR (SaveParty): Could not open file: %s", (dir + "\\party.dat").c_str());
    return 0;
  }
  return 1;
}

int CGame::LoadCurrentGame() {
  std::string dir = WorkingSaveDir(scenarioNumber);
  RecoverInterruptedSave(dir);
  std::string text;
  world = GameDatValues();
  world.foodRate = scenario.config.foodRate;
  partyMembers.clear();
  activeMember = partySize = 0;
  if (AReadFile(dir + "\\save.dat", text))
    LoadGameDatText(world, text, scenario.defs.items ? scenario.defs.items->Count() : 0);
  if (scenario.config.party > 1 && LoadParty()) {
    // The party's active member plays.
  } else if (!ReadPlayerFromSave()) {
    return 0;
  }
  map.reset();
  if (!LoadMap(pc->posMap)) return 0;
  mapLoadType = 1;
  if (!LoadGameDefaultsLastFile(scenario, nullptr)) PrintLine("ERROR (LoadCurrentGame): Failed to load game defaults");
  if (pc->posX >= 0 && pc->posX < map->Width()) playerX = pc->posX;
  if (pc->posY >= 0 && pc->posY < map->Height()) playerY = pc->posY;
  if (pc->posFacing != 255) facing = pc->posFacing & 3;
  pc->body.x = int16_t(playerX);
  pc->body.y = int16_t(playerY);
  pc->body.facing = uint8_t(facing);
  if (CMapView* v = View()) {
    if (!v->Move(playerX, playerY, facing)) {
      PrintLine("ERROR: Display move failed");
      return 0;
    }
  }
  return 1;
}

int CGame::SaveGame() {
  DebugPrintLine("Saving map %d", mapNumber);
  if (!pc || !map) return 0;
  if (!VerifyCreateBaseDirs()) return 0;
  std::string dir = WorkingSaveDir(scenarioNumber);
  if (!ADirExists(dir) && !AMakeDir(dir)) {
    PrintLine("ERROR (SaveGame): Could not create %s", dir.c_str());
    return 0;
  }
  if (hooks_.saving) hooks_.saving();
  if (scenario.saveVersion && !AWriteFileAtomic(dir + "\\version.dat", SaveVersionText(&*scenario.saveVersion))) {
    PrintLine("ERROR (SaveVersionFile): Could not open %s", (dir + "\\version.dat").c_str());
    return 0;
  }
  pc->posMap = mapNumber;
  pc->posX = int16_t(playerX);
  pc->posY = int16_t(playerY);
  pc->posFacing = uint8_t(facing);
  pc->body.x = int16_t(playerX);
  pc->body.y = int16_t(playerY);
  pc->body.facing = uint8_t(facing);
  if (!AWriteFileAtomic(dir + "\\save.dat", SaveGameDatText(world, scenarioNumber))) {
    PrintLine("ERROR (SaveGameDat): Could not open file: %s", (dir + "\\save.dat").c_str());
    return 0;
  }
  if (activeMember) {
    if (!SaveParty()) return 0;
  } else {
    if (!SavePC(*pc, dir + "\\pc.dat", scenario.defs.items.get())) return 0;
    if (scenario.config.party > 1) {
      // A single character: party files of an earlier party are stale.
      ADeleteFile(dir + "\\party.dat");
      for (int k = 2; k <= 255; ++k)
        if (AFileExists(dir + "\\" + MemberFileName(k))) ADeleteFile(dir + "\\" + MemberFileName(k));
    }
  }
  if (saveBMap) {
    // The changed tiles, written whole beside the old file and renamed.
    std::string tiles = MapSavePath(scenarioNumber, mapNumber);
    if (!AWriteFileAtomic(tiles, map->cells.SaveToBytes())) {
      PrintLine("ERROR (SaveMap): Could not save map %s", tiles.c_str());
      return 0;
    }
  }
  // The map file is assembled whole before it replaces the old one.
  std::string mapPath = dir + "\\" + MapDataFileName(mapNumber);
  if (!AWriteFileAtomic(mapPath, MapFileText())) {
    PrintLine("ERROR (SaveObjectList): Could not open file: %s", mapPath.c_str());
    return 0;
  }
  if (!SaveQMapStackOrder()) return 0;
  return 1;
}

bool CGame::SaveAllowed() const { return mapData.save != 0; }

int CGame::OfferSave() {
  if (!SaveAllowed()) {
    if (verbosity == 1) PrintLine("SAVE: ONLY OUTDOORS!");
    else if (verbosity >= 2) PrintLine("SAVE: NOT HERE!");
    return 1;
  }
  Print("Do you wish to save the game? ");
  if (!AskYesNo()) return 1;
  return SaveGame();
}

int CGame::SaveNamedGame() {
  if (!SaveAllowed()) {
    Refuse("NOT HERE!");
    return 2;
  }
  std::string path;
  if (!PromptSaveName(path, saveName, false)) {
    CommandPrompt();
    return 2;
  }
  if (ADirExists(path) || AFileExists(path)) {
    Print("Save exists, overwrite? ");
    if (!AskYesNo()) {
      CommandPrompt();
      return 2;
    }
  }
  if (!SaveGame()) {
    PrintLine("ERROR (SaveNamedGame): Could not save game");
    CommandPrompt();
    return 0;
  }
  // Combined save files are not available: a named save is always a directory.
  if (!WriteNamedSave(WorkingSaveDir(scenarioNumber), path)) {
    CommandPrompt();
    return 0;
  }
  if (!loadName) loadName = saveName;
  CommandPrompt();
  return 1;
}

int CGame::LoadNamedGame(const std::string& dir) {
  if (!RestoreNamedSave(dir, WorkingSaveDir(scenarioNumber))) return 0;
  return LoadCurrentGame();
}

int CGame::ReloadGame(const std::string* dir) {
  world = GameDatValues();
  world.foodRate = scenario.config.foodRate;
  memoryBuffer.clear();
  if (currentGroup && groupCreatedByRun) {
    std::string buffer = GroupBufferDir(currentGroup);
    if (ADirExists(buffer) && !ADeleteDir(buffer))
      PrintLine("ERROR (DeleteBufferDir): Could not delete %s", buffer.c_str());
  }
  currentGroup = 0;
  groupCreatedByRun = false;
  int ok = dir ? LoadNamedGame(*dir) : LoadCurrentGame();
  if (!ok) return 0;
  if (CMapView* v = View()) v->ShowPlayer(true, pc->ownTile ? pc->ownTile : pc->def.tile);
  playerMayAct = true;
  RunScript(ScriptStart, mapData.startScript);
  if (!RedrawAll()) return 0;
  if (hooks_.positionTriggers) hooks_.positionTriggers();
  arrivalMark = false;
  if (dark) PrintLine("IT'S DARK!");
  CommandPrompt();
  return 1;
}

int CGame::LoadGameCommand() {
  std::string path;
  int setup = PromptSetupLoad(path, loadName, scenarioNumber);
  if (setup == 0) {
    CommandPrompt();
    return 1;
  }
  int ok = setup == 1 ? ReloadGame(&path) : ReloadGame(nullptr);
  if (ok && !saveName) saveName = loadName;
  return ok;
}

int CGame::StartPlay() {
  if (!displays_.overhead) {
    PrintLine("ERROR: Map display undefined");
    return 0;
  }
  if (!map && !LoadMap(uint16_t(scenario.config.startMap))) return 0;
  if (CMapView* v = View()) {
    v->ShowPlayer(true, pc && pc->ownTile ? pc->ownTile : pc ? pc->def.tile : 0);
    v->Move(playerX, playerY, facing);
  }
  if (pc) {
    pc->body.x = int16_t(playerX);
    pc->body.y = int16_t(playerY);
    pc->body.facing = uint8_t(facing);
  }
  RunScript(ScriptStart, mapData.startScript);
  if (!RedrawAll()) return 0;
  debugMove = false;
  playerMayAct = true;
  if (hooks_.positionTriggers) hooks_.positionTriggers();
  arrivalMark = false;
  if (dark) PrintLine("IT'S DARK!");
  CommandPrompt();
  return 1;
}
