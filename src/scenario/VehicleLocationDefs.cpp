// The vehicle (V) and location (L) sections of objdefs.dat.
#include "scenario/Keywords.h"
#include "scenario/ObjDefsReader.h"

namespace {
constexpr uint16_t kMaxHitPoints = 32767;

// Common record handling: the new definition is stored under its ID, or kept
// as the (discarded) current definition when the ID does not fit the table.
template <class T>
struct RecordLoad {
  RecordLoad(ObjDefsReader& r, DefTable<T>& t, char k) : r(r), table(t), kind(k) {}
  ObjDefsReader& r;
  DefTable<T>& table;
  char kind;
  T* current = nullptr;
  std::unique_ptr<T> discarded;

  // Scans ID and quoted name from `c`; false when no record is to be made.
  bool Begin(ScanCursor& c, std::unique_ptr<T>& def, bool& nameOk, bool& broken) {
    discarded.reset();
    current = nullptr;
    if (c.AtEnd()) {
      ScenarioMessage("ERROR (LoadCreateDefs): Missing values on %s record line", DefKindName(kind));
      return false;
    }
    def = std::make_unique<T>();
    nameOk = broken = false;
    if (!c.U16(def->id)) return true;
    c.SkipWhite();
    std::string text;
    QuotedResult q = LineQuoted(c, text);
    broken = q == QuotedUnterminated;
    nameOk = q == QuotedOk;
    if (nameOk) SetQuotedText(def->name, text);
    return true;
  }
  void Store(std::unique_ptr<T> def, bool broken) {
    int id = def->id;
    current = def.get();
    if (broken || id < 1 || id > table.Count()) {
      if (!broken) ReportBadDefId(kind, id);
      discarded = std::move(def);
      return;
    }
    table.Set(id, std::move(def));
  }
};

void VehicleRecord(RecordLoad<VehicleDef>& load) {
  ScanCursor c = load.r.Line();
  std::unique_ptr<VehicleDef> def;
  bool nameOk, broken;
  if (!load.Begin(c, def, nameOk, broken)) return;
  std::string word;
  if (nameOk && c.U16(def->tile) && c.U16(def->subtype) && c.Word(word)) {
    def->terrainCap = uint16_t(ParseWord(WordTable::TerrainCapability, word));
    if (c.Float(def->foodFactor)) c.U16(def->value);
  }
  load.Store(std::move(def), broken);
}

void VehicleKeyword(RecordLoad<VehicleDef>& load, const std::string& w) {
  VehicleDef* d = load.current;
  if (!d) return;
  ScanCursor c = load.r.Line();
  if (w == "LOOK:") {
    std::string text;
    if (load.r.FileQuoted(text) == QuotedOk) SetQuotedText(d->look, text);
  } else if (w == "VTILE:") {
    c.U16(d->vectorTile);
  } else if (w == "VLTERRAIN:") {
    c.U16(d->landingTerrain);
  } else if (w == "VSOUND:") {
    if (c.U16(d->sound1)) c.U16(d->sound2);
  } else if (w == "ITEMS:") {
    if (c.U16(d->items[0]) && c.U16(d->items[1])) c.U16(d->items[2]);
  } else if (w == "ITEMDEF:") {
    uint16_t v;
    if (!c.U16(v)) return;
    if (d->cargo != 0)
      ScenarioMessage("ERROR (LoadCreateDefs): A vehicle that holds cargo may not be portable");
    else
      d->portableItem = v;
  } else if (w == "HP:") {
    if (c.U16(d->maxHp) && d->maxHp > kMaxHitPoints) d->maxHp = kMaxHitPoints;
  } else if (w == "AC:") {
    uint16_t v;
    if (c.U16(v)) d->armourClass = int16_t(v);
  } else if (w == "WIND:" || w == "TYPE:") {
    uint16_t v;
    if (c.U16(v)) (w == "WIND:" ? d->wind : d->type) = uint8_t(v & 0xFF);
  } else if (w == "CARGOCAP:") {
    int32_t v;
    if (!c.Int(v)) return;
    if (d->portableItem != 0)
      ScenarioMessage("ERROR (LoadCreateDefs): A portable vehicle may not hold cargo");
    else
      d->cargo = v;
  }
}

void LocationRecord(RecordLoad<LocationDef>& load) {
  ScanCursor c = load.r.Line();
  std::unique_ptr<LocationDef> def;
  bool nameOk, broken;
  if (!load.Begin(c, def, nameOk, broken)) return;
  std::string word;
  if (nameOk && c.U16(def->tile) && c.Word(word)) {
    def->subtype = uint16_t(ParseWord(WordTable::LocationKind, word));
    if (c.Word(word)) {
      def->entryType = uint8_t(ParseWord(WordTable::EntryType, word));
      int32_t v;
      if (c.Int(v)) def->value = uint8_t(v & 0xFF);
    }
  }
  load.Store(std::move(def), broken);
}

void LocationKeyword(RecordLoad<LocationDef>& load, const std::string& w) {
  LocationDef* d = load.current;
  if (!d) return;
  ScanCursor c = load.r.Line();
  if (w == "ENTER") {
    d->flags |= LocationEnter;
  } else if (w == "LOOK:" || w == "BMESSAGE:" || w == "AMESSAGE:") {
    std::string text;
    if (load.r.FileQuoted(text) == QuotedOk)
      SetQuotedText(w == "LOOK:" ? d->look : w == "BMESSAGE:" ? d->beforeMessage : d->afterMessage, text);
  } else if (w == "VTILE:") {
    c.U16(d->vectorTile);
  } else if (w == "LSOUND:") {
    if (c.U16(d->soundBefore)) c.U16(d->soundAfter);
  } else if (w == "LFX:") {
    if (c.U16(d->effectBefore)) c.U16(d->effectAfter);
  } else if (w == "VEHICLES") {
    d->flags |= LocationVehicles;
  } else if (w == "WAIT:") {
    c.U16(d->wait);
  } else if (w == "CBUFFERING") {
    d->buffering = 1;
  } else if (w == "NOBASETILE") {
    d->flags |= LocationNoBaseTile;
  } else if (w == "AMESSAGEDARK") {
    d->flags |= LocationAMessageDark;
  }
}
}  // namespace

bool ReadVehicleSection(ObjDefsReader& r, std::unique_ptr<VehicleTable>& table) {
  RecordLoad<VehicleDef> load(r, *table, 'V');
  std::string w;
  while (r.NextWord(w)) {
    if (w == "END") break;
    if (w == "V:")
      VehicleRecord(load);
    else
      VehicleKeyword(load, w);
    r.SkipLine();
  }
  return true;
}

bool ReadLocationSection(ObjDefsReader& r, std::unique_ptr<LocationTable>& table) {
  RecordLoad<LocationDef> load(r, *table, 'L');
  std::string w;
  while (r.NextWord(w)) {
    if (w == "END") break;
    if (w == "L:")
      LocationRecord(load);
    else
      LocationKeyword(load, w);
    r.SkipLine();
  }
  return true;
}
