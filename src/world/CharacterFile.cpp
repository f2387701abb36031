#include "world/CharacterFile.h"

#include <cstdio>

#include "platform/Files.h"
#include "scenario/Keywords.h"
#include "scenario/ScanText.h"
#include "text/Output.h"
#include "world/MapFile.h"

namespace {
constexpr const char* Header = "QUORVELLIAN914 DATA V1\n\n";

ScanCursor TakeLine(ScanCursor& c) {
  const char* start = c.pos;
  while (c.pos < c.end && *c.pos != '\n') ++c.pos;
  ScanCursor line(start, c.pos);
  if (c.pos < c.end) ++c.pos;
  return line;
}

uint16_t Cap(ScanCursor& line) {
  std::string w;
  if (!line.Word(w, 64)) return 0;
  return uint16_t(ParseWord(WordTable::TerrainCapability, w));
}

template <class... A>
void Put(std::string& s, const char* fmt, A... v) {
  char buf[256];
  std::snprintf(buf, sizeof buf, fmt, v...);
  s += buf;
  s += '\n';
}

bool General(PCRecord& pc, const std::string& kw, ScanCursor& line, std::string* scenarioId) {
  if (kw == "BDEF:") {
    line.U16(pc.ownTile);
    pc.ownCap = Cap(line);
  } else if (kw == "DEF:") {
    line.U16(pc.def.tile);
    pc.def.terrainCap = Cap(line);
  } else if (kw == "POS:") {
    uint16_t f = 255;
    line.U16(pc.posMap) && line.S16(pc.posX) && line.S16(pc.posY) && line.U16(f);
    pc.posFacing = uint8_t(f);
  } else if (kw == "SCENID:") {
    std::string w;
    if (line.Word(w, 255) && scenarioId) *scenarioId = w;
  }
  return true;
}

bool Character(PCRecord& pc, const std::string& kw, ScanCursor& line) {
  uint16_t a = 0, b = 0, d = 0, e = 0;
  if (kw == "NAME:") {
    std::string name;
    line.SkipSpaces();
    if (line.RestOfLine(name, 255)) {
      // A name ends at the first control character: it is written back as
      // one line of text.
      size_t end = 0;
      while (end < name.size() && static_cast<unsigned char>(name[end]) >= 32) ++end;
      pc.def.name = name.substr(0, end);
    }
  } else if (kw == "TYPE:") {
    line.U16(pc.cls) && line.U16(pc.race) && line.U16(pc.gender);
  } else if (kw == "LVLXP:") {
    line.Int(pc.level) && line.Int(pc.xp);
  } else if (kw == "ATTRIB:") {
    for (uint16_t& v : pc.attrib)
      if (!line.U16(v)) break;
  } else if (kw == "BCSTATS:") {
    int16_t db = 0;
    if (line.U16(a) && line.U16(b) && line.U16(d) && line.U16(e) && line.S16(db)) pc.baseDb = db;
    pc.baseAc = a;
    pc.baseAb = b;
    pc.baseDice = d;
    pc.baseSides = e;
  } else if (kw == "CSTATS:") {
    line.U16(pc.def.armourClass) && line.U16(pc.def.attackBonus) && line.U16(pc.def.damageDice) &&
        line.U16(pc.def.damageSides) && line.U16(pc.def.damageBonus);
  } else if (kw == "RANGE:") {
    line.U16(pc.def.range);
  } else if (kw == "ATTACKDELAY:") {
    if (line.U16(a)) pc.def.attackDelay = uint8_t(a);
  } else if (kw == "AREFFECT:") {
    line.U16(pc.def.attackEffect);
  } else if (kw == "SAVES:") {
    line.U16(pc.def.saveReflex) && line.U16(pc.def.saveFortitude) && line.U16(pc.def.saveWill);
  } else if (kw == "HP:") {
    if (line.U16(a)) pc.body.hp = int16_t(a);
    line.U16(pc.def.maxHp);
  } else if (kw == "SP:") {
    line.U16(pc.sp) && line.U16(pc.spMax);
  } else if (kw == "CONDITION:") {
    line.U16(a) && line.U16(b) && line.U16(pc.body.poisonEffect) && line.U16(pc.body.sleepEffect);
    pc.body.attackImmobile = uint8_t(a);
    pc.body.moveImmobile = uint8_t(b);
  } else if (kw == "POISON:") {
    if (line.U16(a)) pc.body.poisonTimer = uint8_t(a);
  } else if (kw == "SLEEP:") {
    line.U16(a) && line.U16(b);
    pc.body.sleepTurns = uint8_t(a);
    pc.body.sleepSave = uint8_t(b);
  } else if (kw == "SLEEPEX") {
    pc.asleepMark = true;
  } else if (kw == "EQUIPMENT:") {
    line.U16(pc.weapon) && line.U16(pc.armour) && line.U16(pc.spell);
  } else if (kw == "SHIELD:") {
    line.U16(pc.shield);
  } else if (kw == "AMMO:") {
    line.U16(pc.ammo);
  } else if (kw == "INVWEIGHT:") {
    int32_t w = 0, cap = 0;
    line.Int(w) && line.Int(cap);
    pc.weight = uint32_t(w);
    pc.capacity = uint32_t(cap);
  } else if (kw == "FLAGS:") {
    int32_t n = 0;
    line.Int(n);
    pc.flagCount = uint16_t(n);
    pc.hasFlags = true;
    pc.flags.clear();
    for (;;) {
      line.SkipSpaces();
      if (!line.Literal(';')) break;
      int32_t f = 0, v = 0;
      if (!line.Int(f) || !line.Int(v)) break;
      if (f < 0 || f >= n) {
        PrintLine("ERROR (LoadCreateBListOpenFile): Could not load %d", f);
        continue;
      }
      pc.flags.emplace_back(uint16_t(f), v);
    }
  } else if (kw == "VAC:") {
    if (line.U16(a)) pc.vehicleAc = a;
  } else if (kw == "AMMORQ:") {
    line.U16(pc.ammoRequired) && line.U16(pc.ammoClass);
  } else if (kw == "CDEF:") {
    line.U16(pc.creatureDef);
  } else if (kw == "NPCDEF:") {
    line.U16(pc.npcDef);
  } else if (kw == "ID:") {
    line.U16(pc.recordId);
  } else if (kw == "V:") {
    auto v = std::make_shared<VehicleObject>();
    uint16_t x = 0, y = 0, hp = 0;
    line.U16(v->id) && line.U16(v->defId) && line.U16(x) && line.U16(y) && line.U16(hp);
    v->x = int16_t(x);
    v->y = int16_t(y);
    v->hp = int16_t(hp);
    if (v->defId == 0) {
      PrintLine("ERROR: Must define type ID");
      return false;
    }
    pc.vehicle = v;
  } else if (kw == "VAMMO:") {
    if (!pc.vehicle) PrintLine("ERROR (LoadPC): Could not load vehicle readied ammo, no vehicle object defined; ignoring");
    else line.U16(pc.vehicleAmmo);
  } else if (kw == "VNAME:") {
    if (!pc.vehicle) {
      PrintLine("ERROR (LoadPC): Could not load vehicle name, no vehicle object defined; ignoring");
    } else {
      std::string name;
      line.SkipWhite();
      if (line.Quoted(name, false) == QuotedOk) SetQuotedText(pc.vehicle->name, name);
    }
  } else if (kw == "MORALE:" || kw == "POINTCM:" || kw == "RESIST:" || kw == "SPELLS:") {
    std::string rest;
    line.RestOfLine(rest);
    pc.keptLines.push_back(kw + rest);
  }
  return true;
}
}  // namespace

bool LoadPCText(PCRecord& pc, const std::string& input, std::string* scenarioId) {
  DebugPrintLine("Loading PC data");
  std::string text = input;
  DropLineEndCRs(text);
  ScanCursor c(text);
  int section = 0;  // 1 general, 2 character, 3 inventory
  bool inComment = false;
  pc.def.state = 9;
  while (!c.AtEnd()) {
    c.SkipWhite();
    if (c.AtEnd()) break;
    std::string kw;
    c.LineWord(kw, 511);
    if (inComment) {
      if (kw == "*/") inComment = false;
      c.SkipLine();
      continue;
    }
    if (kw == "/*") {
      inComment = true;
      c.SkipLine();
      continue;
    }
    if (kw == "!GENERAL") section = 1;
    else if (kw == "!CHARACTER") section = 2;
    else if (kw == "!INVENTORY") section = 3;
    if (kw.empty() || kw[0] == '!' || kw[0] == '#') {
      c.SkipLine();
      continue;
    }
    if (section == 3 && kw == "INV:") {
      const char* save = c.pos;
      ScanCursor probe = TakeLine(c);
      probe.Int(pc.invSize);
      c.pos = save;
      pc.inventory.clear();
      if (!ReadInventoryEntries(c, pc.inventory)) return false;
      continue;
    }
    if (section == 2 && kw == "INV:") {
      // The vehicle's cargo: its entries run to their END line.
      if (!pc.vehicle) {
        PrintLine("ERROR (LoadPC): Could not load vehicle inventory, no vehicle object defined; ignoring");
        c.SkipLine();
        continue;
      }
      auto box = std::make_unique<Container>();
      if (!ReadContainerEntries(c, *box, "LoadLLInventoryEntry")) return false;
      pc.vehicle->cargo = std::move(box);
      continue;
    }
    ScanCursor line = TakeLine(c);
    if (section == 1) {
      if (!General(pc, kw, line, scenarioId)) return false;
    } else if (section == 2) {
      if (!Character(pc, kw, line)) return false;
    }
  }
  pc.body.def = nullptr;
  return true;
}

bool LoadPC(PCRecord& pc, const std::string& path, std::string* scenarioId) {
  std::string text;
  if (!AReadFile(path, text)) {
    PrintLine("ERROR (LoadPC): Could not open file: %s", path.c_str());
    return false;
  }
  return LoadPCText(pc, text, scenarioId);
}

std::string SavePCText(const PCRecord& pc, const ItemTable* items, const char* scenarioId) {
  DebugPrintLine("Saving PC data");
  std::string s = Header;
  s += "!GENERAL\n";
  Put(s, "BDEF: %d %d", pc.ownTile, pc.ownCap);
  Put(s, "DEF: %d %d", pc.def.tile, pc.def.terrainCap);
  Put(s, "POS: %d %d %d %d", pc.posMap, pc.posX, pc.posY, pc.posFacing);
  if (scenarioId) Put(s, "SCENID: %s", scenarioId);
  s += "\n!CHARACTER\n";
  s += "NAME: " + (pc.def.name ? *pc.def.name : std::string()) + "\n";
  Put(s, "TYPE: %d %d %d", pc.cls, pc.race, pc.gender);
  Put(s, "LVLXP: %d %d", pc.level, pc.xp);
  Put(s, "ATTRIB: %d %d %d %d %d %d", pc.attrib[0], pc.attrib[1], pc.attrib[2], pc.attrib[3], pc.attrib[4],
      pc.attrib[5]);
  Put(s, "BCSTATS: %d %d %d %d %d", pc.baseAc, pc.baseAb, pc.baseDice, pc.baseSides, pc.baseDb);
  Put(s, "CSTATS: %d %d %d %d %d", pc.def.armourClass, pc.def.attackBonus, pc.def.damageDice, pc.def.damageSides,
      pc.def.damageBonus);
  if (pc.def.range) Put(s, "RANGE: %d", pc.def.range);
  if (pc.def.attackDelay) Put(s, "ATTACKDELAY: %d", pc.def.attackDelay);
  if (pc.def.attackEffect) Put(s, "AREFFECT: %d", pc.def.attackEffect);
  Put(s, "SAVES: %d %d %d", pc.def.saveReflex, pc.def.saveFortitude, pc.def.saveWill);
  Put(s, "HP: %d %d", uint16_t(pc.body.hp), pc.def.maxHp);
  if (pc.spMax) Put(s, "SP: %d %d", pc.sp, pc.spMax);
  Put(s, "CONDITION: %d %d %d %d", pc.body.attackImmobile, pc.body.moveImmobile, pc.body.poisonEffect,
      pc.body.sleepEffect);
  if (pc.body.poisonTimer) Put(s, "POISON: %d", pc.body.poisonTimer);
  if (pc.body.sleepEffect) Put(s, "SLEEP: %d %d", pc.body.sleepTurns, pc.body.sleepSave);
  if (pc.asleepMark) s += "SLEEPEX\n";
  Put(s, "EQUIPMENT: %d %d %d", pc.weapon, pc.armour, pc.spell);
  if (pc.shield) Put(s, "SHIELD: %d", pc.shield);
  if (pc.ammo) Put(s, "AMMO: %d", pc.ammo);
  Put(s, "INVWEIGHT: %u %u", pc.weight, pc.capacity);
  for (const std::string& kept : pc.keptLines)
    if (kept.compare(0, 7, "MORALE:") == 0 || kept.compare(0, 8, "POINTCM:") == 0) s += kept + "\n";
  if (pc.hasFlags) {
    std::string line = "FLAGS: " + std::to_string(pc.flagCount);
    for (const auto& f : pc.flags)
      if (f.second != 0) line += "; " + std::to_string(f.first) + " " + std::to_string(f.second);
    s += line + "\n";
  }
  if (pc.vehicleAc >= 0) Put(s, "VAC: %d", pc.vehicleAc);
  if (pc.ammoRequired || pc.ammoClass) Put(s, "AMMORQ: %d %d", pc.ammoRequired, pc.ammoClass);
  for (const std::string& kept : pc.keptLines)
    if (kept.compare(0, 7, "RESIST:") == 0) s += kept + "\n";
  if (pc.creatureDef) Put(s, "CDEF: %d", pc.creatureDef);
  if (pc.npcDef) Put(s, "NPCDEF: %d", pc.npcDef);
  if (pc.recordId) Put(s, "ID: %d", pc.recordId);
  if (pc.vehicle) {
    const VehicleObject& v = *pc.vehicle;
    Put(s, "V: %d %d %d %d %d", v.id, v.defId, v.x, v.y, v.hp);
    if (v.cargo) s += WriteContainerEntries(*v.cargo, items);
    if (pc.vehicleAmmo) Put(s, "VAMMO: %d", pc.vehicleAmmo);
    if (v.name) s += "VNAME: \"" + *v.name + "\"\n";
  }
  for (const std::string& kept : pc.keptLines)
    if (kept.compare(0, 7, "SPELLS:") == 0) s += kept + "\n";
  s += "\n!INVENTORY\n";
  s += WriteInventoryEntries(pc.invSize, pc.inventory, items);
  return s;
}

bool SavePC(const PCRecord& pc, const std::string& path, const ItemTable* items, const char* scenarioId) {
  if (!AWriteFileAtomic(path, SavePCText(pc, items, scenarioId))) {
    PrintLine("ERROR (SavePC): Could not open file: %s", path.c_str());
    return false;
  }
  return true;
}

std::string MemberFileName(int k) { return k == 1 ? "pc.dat" : "pc" + std::to_string(k) + ".dat"; }

std::string SavePartyText(const PartyFile& party) {
  std::string s = Header;
  s += "LIST: " + std::to_string(party.size) + "\n";
  for (int k : party.members) {
    s += "PC: " + std::to_string(k) + "\n";
    if (k == party.active) s += "ACTIVE\n";
  }
  return s;
}

bool LoadPartyText(const std::string& input, PartyFile& out) {
  std::string text = input;
  DropLineEndCRs(text);
  ScanCursor c(text);
  out = PartyFile();
  bool haveList = false;
  while (!c.AtEnd()) {
    c.SkipWhite();
    if (c.AtEnd()) break;
    std::string kw;
    c.LineWord(kw, 511);
    ScanCursor line = TakeLine(c);
    if (kw == "LIST:") {
      int32_t n = 0;
      if (!line.Int(n) || n < 1 || n > 255) {
        PrintLine("ERROR (LoadParty): Failed to get list");
        return false;
      }
      out.size = n;
      haveList = true;
    } else if (kw == "PC:") {
      int32_t k = 0;
      if (!haveList) {
        PrintLine("ERROR (LoadParty): Failed to get list");
        return false;
      }
      if (!line.Int(k)) {
        PrintLine("ERROR (LoadParty PC): Could not read line");
        return false;
      }
      bool taken = false;
      for (int m : out.members) taken |= m == k;
      if (k < 1 || k > out.size || taken) {
        PrintLine("ERROR (LoadParty PC): Failed to add to party character %d", k);
        return false;
      }
      out.members.push_back(k);
    } else if (kw == "ACTIVE" && !out.members.empty()) {
      out.active = out.members.back();
    }
  }
  if (out.members.empty()) return false;
  if (!out.active) out.active = out.members.front();
  return true;
}
