// The creature section (C) of objdefs.dat, with the power records.
#include "scenario/Keywords.h"
#include "scenario/ObjDefsReader.h"

namespace {
constexpr uint16_t kMaxHitPoints = 32767;

struct CreatureLoad {
  CreatureLoad(ObjDefsReader& r, CreatureTable& t) : r(r), table(t) {}
  ObjDefsReader& r;
  CreatureTable& table;
  CreatureDef* current = nullptr;
  std::unique_ptr<CreatureDef> discarded;  // the current record when it is not stored
  PowerDef* power = nullptr;               // opened by the latest POWER: line
  CreatureDef* powerOwner = nullptr;
  bool powerOpened = false;                // a POWER: line was met in the section

  // Frees a record; the current power never outlives the record holding it.
  void Free(std::unique_ptr<CreatureDef> def) {
    if (def && def.get() == powerOwner) {
      power = nullptr;
      powerOwner = nullptr;
    }
  }
  void Discard(std::unique_ptr<CreatureDef> def) {
    current = def.get();
    discarded = std::move(def);
  }
  bool Record();
  bool Keyword(const std::string& w);
  bool Abort(const std::string& w, const char* why) {
    ScenarioMessage("ERROR (LoadCreateDefs): %s %s; creature definitions not loaded", w.c_str(), why);
    return false;
  }
};

uint16_t Low8(uint16_t v) { return uint16_t(v & 0xFF); }

// Reads the record line's four scans straight from the file (line ends count
// as blanks). Returns false when the rest of the line must not be skipped.
bool CreatureLoad::Record() {
  Free(std::move(discarded));
  current = nullptr;
  auto def = std::make_unique<CreatureDef>();
  ScanCursor& c = r.cursor;
  if (!c.U16(def->id)) {
    Discard(std::move(def));
    return false;
  }
  c.SkipWhite();
  std::string text;
  QuotedResult q = c.Quoted(text, true);
  if (q == QuotedUnterminated) {
    ScenarioMessage("ERROR (LoadCreateDefs): Unterminated quoted text");
    Discard(std::move(def));
    return true;
  }
  if (q == QuotedOk) {
    def->name = text;  // stored as given, "<NULL>" included
    if (c.U16(def->tile)) c.U16(def->subtype);
  }
  std::string word;
  if (c.Word(word)) {
    def->terrainCap = uint16_t(ParseWord(WordTable::TerrainCapability, word));
    if (c.Word(word)) {
      def->state = uint8_t(ParseWord(WordTable::CreatureState, word));
      if (c.U16(def->maxHp)) c.U16(def->armourClass);
    }
  }
  if (def->maxHp > kMaxHitPoints) def->maxHp = kMaxHitPoints;
  if (c.U16(def->attackBonus) && c.U16(def->damageDice) && c.U16(def->damageSides)) c.U16(def->damageBonus);
  if (c.Int(def->experience)) c.U16(def->treasure);

  int id = def->id;
  if (id < 1 || id > table.Count()) {
    ReportBadDefId('C', id);
    Discard(std::move(def));
    return true;
  }
  Free(table.Remove(id));
  current = def.get();
  table.Set(id, std::move(def));
  return true;
}

// Handles one modifier keyword; false when the section must be dropped.
bool CreatureLoad::Keyword(const std::string& w) {
  CreatureDef* d = current;
  ScanCursor c = r.Line();  // the rest of the keyword's line
  auto u16 = [&](uint16_t& f) { c.U16(f); };
  auto u8 = [&](uint8_t& f) {
    uint16_t v;
    if (c.U16(v)) f = uint8_t(Low8(v));
  };

  // Keywords that drop the section without a current creature.
  if (w == "EPOWER:" || w == "RESISTANCE:" || w == "TYPE:" || w == "PLEVEL:" || w == "MOVEEFFECT" ||
      w == "BOARDTILE") {
    if (!d) return Abort(w, "before any creature definition");
    if ((w == "TYPE:" || w == "PLEVEL:") && c.AtEnd()) return Abort(w, "without a value");
    if (w == "EPOWER:") u16(d->powerEffect);
    else if (w == "RESISTANCE:") u16(d->resistance);
    else if (w == "TYPE:") {
      u8(d->typeA);
      u8(d->typeB);
    } else if (w == "PLEVEL:") u8(d->powerLevel);
    else if (w == "MOVEEFFECT") d->moveEffect |= 1;
    else d->boardFlags |= BoardFlagTile;
    return true;
  }
  // Power keywords that drop the section without a power.
  if (w == "POWER-CHECKLOS" || w == "POWER-SAVE:" || w == "POWER-DAMAGE:" || w == "POWER-RESITEM:" ||
      w == "POWER-RID:" || w == "POWER-FX:" || w == "POWER-RANGEFX:" || w == "POWER-RIFX:") {
    PowerDef* p = power;
    if (!p && !powerOpened) return Abort(w, "before any POWER: line");
    if (!p) {
      // The power was freed with its record (replaced or discarded).
      ScenarioMessage("ERROR (LoadCreateDefs): %s ignored; its power went with a discarded creature", w.c_str());
      return true;
    }
    if (w == "POWER-CHECKLOS") p->checkLos = 1;
    else if (w == "POWER-SAVE:") u8(p->saveType);
    else if (w == "POWER-DAMAGE:") {
      if (c.U16(p->damage[0]) && c.U16(p->damage[1])) c.U16(p->damage[2]);
    } else if (w == "POWER-RESITEM:") {
      if (c.U16(p->resistItem1)) c.U16(p->resistItem2);
    } else if (w == "POWER-RID:") u16(p->resistanceId);
    else if (w == "POWER-FX:") {
      if (c.U16(p->effect1)) c.U16(p->effect2);
    } else if (w == "POWER-RANGEFX:") u16(p->rangeEffect);
    else if (c.U16(p->resistEffect1)) c.U16(p->resistEffect2);
    return true;
  }
  if (w == "POWER-IDRANGE:") {
    if (!power) return true;
    uint16_t low, high;
    if (c.U16(low)) {
      power->idRangeLow = low;
      if (c.U16(high)) {
        power->idRangeHigh = high;
        if (high < low) power->idRangeLow = high;
      }
    }
    return true;
  }
  if (w == "POWER-IDRANGES:") {
    if (!power) return true;
    std::string countText, word;
    if (!c.ToSemicolon(countText)) return true;
    int32_t count = DecimalToInt(countText);
    if (count == 0) return true;
    if (count < 0 || count > 65535) {
      ScenarioMessage("ERROR (LoadCreateDefs): Invalid POWER-IDRANGES: count %d", count);
      return true;
    }
    if (!c.Literal(';') || !c.SpacedWord(word)) return true;
    std::vector<IdRange> ranges;
    do {
      ScanCursor p(word);
      IdRange range;
      if (!p.U16(range.low) || range.low == 0) break;
      if (p.Literal('-')) p.U16(range.high);
      if (range.high < range.low) range.high = range.low;
      ranges.push_back(range);
    } while (int(ranges.size()) < count && c.SpacedWord(word));
    power->idRanges = std::move(ranges);  // only the pairs actually read
    return true;
  }
  if (!d) return true;  // every other keyword is ignored without a current creature
  if (w == "SAVES:") {
    if (c.U16(d->saveReflex) && c.U16(d->saveFortitude)) c.U16(d->saveWill);
  } else if (w == "RANGE:") u16(d->range);
  else if (w == "RANGEFX:") {
    std::string word;
    if (r.LineWord(word)) d->rangeColour = uint16_t(ParseWord(WordTable::Colour, word));
  } else if (w == "ATTACKDELAY:") u8(d->attackDelay);
  else if (w == "LOOK:") {
    std::string text;
    if (r.FileQuoted(text) == QuotedOk) SetQuotedText(d->look, text);
  } else if (w == "VTILE:") u16(d->vectorTile);
  else if (w == "FEARLESS") d->behaviour |= BehaviourFearless;
  else if (w == "ZOOMRANGED") d->behaviour |= BehaviourZoomRanged;
  else if (w == "DEFENDER") d->behaviour |= BehaviourDefender;
  else if (w == "BOARD:") {
    if (!c.AtEnd()) {
      if (c.U16(d->boardValue1)) c.U16(d->boardValue2);
      d->boardFlags |= BoardFlagBoard;
    }
  } else if (w == "VEHICLE:") {
    if (!c.AtEnd()) {
      c.U16(d->boardValue1);
      d->boardFlags |= BoardFlagVehicle;
    }
  } else if (w == "WIND:") u8(d->wind);
  else if (w == "EGROUP:") u16(d->encounterGroup);
  else if (w == "EGTREASURE:") u16(d->encounterTreasure);
  else if (w == "AREFFECT:") {
    if (!c.AtEnd()) d->attackEffect = uint16_t(DecimalToInt(std::string_view(c.pos, size_t(c.end - c.pos))));
  } else if (w == "POWER:") {
    auto p = std::make_unique<PowerDef>();
    std::string text, word;
    if (c.Blanks()) {
      QuotedResult q = LineQuoted(c, text);
      if (q == QuotedUnterminated) return true;
      if (q == QuotedOk) {
        SetQuotedText(p->name, text);
        if (c.Word(word)) {
          p->kind = uint16_t(ParseWord(WordTable::PowerKind, word));
          uint16_t chance;
          if (c.U16(chance)) {
            p->chance = uint8_t(Low8(chance));
            if (c.U16(p->range) && c.U16(p->value3) && c.U16(p->resistItem1) && c.U16(p->effect2))
              c.U16(p->effect1);
          }
        }
      }
    }
    power = p.get();
    powerOwner = d;
    powerOpened = true;
    d->power = std::move(p);
  } else if (w == "KILLSCRIPT:") u16(d->killScript);
  else if (w == "REFID:") u16(d->moveScript);
  return true;
}
}  // namespace

bool ReadCreatureSection(ObjDefsReader& r, std::unique_ptr<CreatureTable>& table) {
  CreatureLoad load(r, *table);
  std::string w;
  while (r.NextWord(w)) {
    if (w == "END") break;
    if (w == "C:") {
      if (load.Record()) r.SkipLine();
      continue;
    }
    if (!load.Keyword(w)) return false;
    r.SkipLine();
  }
  return true;
}
