// classes.dat: the class, race and gender records.
#include <cstring>

#include "data/SizedArrays.h"
#include "scenario/KeywordFile.h"
#include "scenario/ScanText.h"
#include "scenario/RuleTables.h"
#include "scenario/ScenarioFiles.h"
#include "text/Output.h"

namespace {
// All `n` values of a "%hu ..." form, each stored into `out` (the low 8 bits
// when T is 8-bit, the signed value when T is int16_t).
template <class T>
bool ReadAll(KeywordFile& file, T* const* out, int n) {
  for (int i = 0; i < n; ++i) {
    uint16_t v;
    if (!file.U16(v)) return false;
    *out[i] = T(v);
  }
  return true;
}

bool Fail(const char* text) {
  ScenarioMessage("%s", text);
  return false;
}

// One keyword of the current record; false when the whole load fails.
bool ClassKeyword(KeywordFile& file, const std::string& k, ClassRecord& r) {
  auto one8 = [&](uint8_t& f) {
    uint8_t* p[] = {&f};
    return ReadAll(file, p, 1);
  };
  int16_t count = 0;
  bool ok = true;
  if (k == "ATTRIB:") {
    uint16_t* p[] = {&r.attrib[0], &r.attrib[1], &r.attrib[2], &r.attrib[3], &r.attrib[4], &r.attrib[5]};
    ok = ReadAll(file, p, 6);
  } else if (k == "BCSTATS:") {
    int16_t ac, ab, db;
    uint16_t hp, dice, sides;
    ok = file.U16(hp) && file.S16(ac) && file.S16(ab) && file.U16(dice) && file.U16(sides) && file.S16(db);
    if (ok) {
      r.baseHp = hp;
      r.baseAc = ac;
      r.baseAb = ab;
      r.baseDice = dice;
      r.baseSides = sides;
      r.baseDb = db;
    }
  } else if (k == "LCSTATS:") {
    uint16_t* p[] = {&r.levelGain[0], &r.levelGain[1], &r.levelGain[2],
                     &r.levelGain[3], &r.levelGain[4], &r.levelGain[5]};
    ok = ReadAll(file, p, 6);
  } else if (k == "BSAVES:" || k == "LSAVES:") {
    uint16_t* s = k == "BSAVES:" ? r.baseSaves : r.levelSaves;
    uint16_t* p[] = {&s[0], &s[1], &s[2]};
    ok = ReadAll(file, p, 3);
  } else if (k == "LEVELTYPE:") ok = one8(r.levelType);
  else if (k == "PLAC:") ok = one8(r.periodAc);
  else if (k == "PLAB:") ok = one8(r.periodAb);
  else if (k == "PLDDB:") ok = one8(r.periodDb);
  else if (k == "SPATTRIB:") ok = one8(r.spAttrib);
  else if (k == "CASTERTYPE:") ok = one8(r.casterType);
  else if (k == "CASTERSAVEMOD:") ok = one8(r.casterSaveMod);
  else if (k == "TRAPS:") ok = one8(r.traps);
  else if (k == "PLSAVES:") {
    uint8_t* p[] = {&r.periodSaves[0], &r.periodSaves[1], &r.periodSaves[2]};
    ok = ReadAll(file, p, 3);
  } else if (k == "SPMOD:") {
    uint8_t* p[] = {&r.spCreate, &r.spLevel};
    ok = ReadAll(file, p, 2);
  } else if (k == "CASTERDURMOD:" || k == "CPCMMAX:") {
    // These two are read from the rest of the line.
    std::string rest;
    ScanCursor c;
    if (file.RestOfLine(rest)) c = ScanCursor(rest);
    if (k == "CASTERDURMOD:") {
      uint16_t a, b;
      ok = c.U16(a) && c.U16(b);
      if (ok) {
        r.casterDurMod = uint8_t(a);
        r.casterDurDiv = uint8_t(b);
      }
    } else {
      int16_t a, b;
      ok = c.S16(a) && c.S16(b);
      if (ok) {
        r.pcmMax[0] = a;
        r.pcmMax[1] = b;
      }
    }
  } else if (k == "ITEMTYPES:") {
    if (!ReadSizedByteArray(file.File(), &r.itemTypes, &count, 256))
      return Fail("ERROR (LoadCreateClassList ITEMTYPES): Failed");
  } else if (k == "SPELLS:") {
    if (!ReadSizedWordArray(file.File(), &r.spells, &count, 4096))
      return Fail("ERROR (LoadCreateClassList SPELLS): Failed");
  } else if (k == "STSPELLS:") {
    if (!ReadSizedWordArray(file.File(), &r.startSpells, &count, 4096))
      return Fail("ERROR (LoadCreateClassList STARTSPELLS): Failed");
  }
  if (!ok) {
    ScenarioMessage("ERROR (LoadCreateClassList): Missing or bad value after %s", k.c_str());
    return false;
  }
  return true;
}

bool IsClassKeyword(const std::string& k) {
  static const char* const keys[] = {"ATTRIB:",   "BCSTATS:",   "LCSTATS:",     "BSAVES:",        "LSAVES:",
                                     "LEVELTYPE:", "PLAC:",     "PLAB:",        "PLDDB:",         "SPATTRIB:",
                                     "CASTERTYPE:", "CASTERSAVEMOD:", "TRAPS:", "PLSAVES:",       "SPMOD:",
                                     "CASTERDURMOD:", "CPCMMAX:", "ITEMTYPES:", "SPELLS:",        "STSPELLS:"};
  for (const char* key : keys)
    if (k == key) return true;
  return false;
}
}  // namespace

std::unique_ptr<ClassTable> LoadCreateClassListText(const std::string& text, const std::string& fileName,
                                                    const char* section) {
  DebugPrintLine("Loading class/%s definitions", section ? section : "");
  KeywordFile file(fileName, text);
  if (section && !file.FindLine(section)) return nullptr;
  int count = 0;
  if (!ScenarioListCount(file, "LoadCreateClassList", 65535, count)) return nullptr;
  auto table = std::make_unique<ClassTable>(count);
  ClassRecord* current = nullptr;
  std::string k;
  while (file.Next(k)) {
    // Each table ends where the next section (or the end marker) begins.
    if (k == "RACES" || k == "GENDER" || k == "END") break;
    if (k == "C:") {
      auto rec = std::make_unique<ClassRecord>();
      std::string rest;
      ScanCursor c;
      if (file.RestOfLine(rest)) c = ScanCursor(rest);
      if (!c.U16(rec->id) || !c.Word(rec->name, kMaxKeywordText) || !c.U16(rec->tile) || !c.Int(rec->xpFactor)) {
        ScenarioMessage("ERROR (LoadCreateClassList): Missing or bad value after C:");
        return nullptr;
      }
      current = rec.get();
      uint16_t id = rec->id;
      if (!table->Set(id, std::move(rec))) {
        ScenarioMessage("ERROR (LoadCreateClassList): Could not store record %d", id);
        return nullptr;
      }
    } else if (IsClassKeyword(k)) {
      if (!current) {
        ScenarioMessage("ERROR (LoadCreateClassList): %s before any C: line", k.c_str());
        return nullptr;
      }
      if (!ClassKeyword(file, k, *current)) return nullptr;
    }
    file.SkipLine();
  }
  return table;
}

std::unique_ptr<ClassTable> LoadCreateClassList(int scenarioNumber, const char* section) {
  std::string path = ScenarioPath(scenarioNumber, "classes.dat");
  std::string text;
  if (!ReadScenarioText(path, text)) return nullptr;
  return LoadCreateClassListText(text, path, section);
}

const char* ClassName(const ClassTable* table, uint16_t id) {
  const ClassRecord* r = table ? table->Get(id) : nullptr;
  return r ? r->name.c_str() : "None";
}

uint16_t FindClassByPrefix(const ClassTable* table, const char* text, int n) {
  if (!table || !text || n < 0) return 0;
  size_t len = std::strlen(text);
  if (size_t(n) < len) len = size_t(n);
  for (const auto& [id, rec] : table->Slots())
    if (rec && rec->name.compare(0, len, text, len) == 0) return id;
  return 0;
}

bool ClassAllowsItemType(const ClassRecord& record, int itemType) {
  if (record.itemTypes.empty()) return true;
  for (uint8_t t : record.itemTypes)
    if (t == itemType) return true;
  return false;
}

bool ClassHasSpell(const ClassRecord& record, uint16_t spell) {
  for (uint16_t s : record.spells)
    if (s == spell) return true;
  return false;
}
