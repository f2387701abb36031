// The item section (I) of objdefs.dat.
#include "scenario/Keywords.h"
#include "scenario/ObjDefsReader.h"

namespace {
struct ItemLoad {
  ItemLoad(ObjDefsReader& r, ItemTable& t) : r(r), table(t) {}
  ObjDefsReader& r;
  ItemTable& table;
  ItemDef* current = nullptr;
  std::unique_ptr<ItemDef> discarded;

  void Record();
  void Keyword(const std::string& w);
};

int32_t RestToInt(const ScanCursor& c) { return DecimalToInt(std::string_view(c.pos, size_t(c.end - c.pos))); }

// The weight word: a number directly followed by "m" is in thousandths,
// otherwise whole weight units.
uint32_t ParseWeight(const std::string& word) {
  ScanCursor c(word);
  uint16_t n;
  if (!c.U16(n)) return 0;
  return c.Peek() == 'm' ? n : uint32_t(n) * 1000u;
}

void ItemLoad::Record() {
  discarded.reset();
  current = nullptr;
  ScanCursor c = r.Line();
  if (c.AtEnd()) {
    ScenarioMessage("ERROR (LoadCreateDefs): Missing values on item record line");
    return;
  }
  auto def = std::make_unique<ItemDef>();
  std::string text, word;
  bool broken = false;
  if (c.U16(def->id)) {
    c.SkipWhite();
    QuotedResult q = LineQuoted(c, text);
    broken = q == QuotedUnterminated;
    if (q == QuotedOk) {
      SetQuotedText(def->name, text);
      if (c.U16(def->tile) && c.Word(word)) {
        def->subtype = uint16_t(ParseWord(WordTable::ItemType, word));
        if (def->subtype == ItemTypeIContainer) def->flags &= uint8_t(~ItemTakeable);
        if (c.Word(word)) def->weight = ParseWeight(word);
      }
    }
  }
  int id = def->id;
  if (broken || id < 1 || id > table.Count()) {
    if (!broken) ReportBadDefId('I', id);
    current = def.get();
    discarded = std::move(def);
    return;
  }
  current = def.get();
  table.Set(id, std::move(def));
}

void ItemLoad::Keyword(const std::string& w) {
  ItemDef* d = current;
  if (!d) return;
  ScanCursor c = r.Line();
  const bool rest = !c.AtEnd();  // rest-of-line keywords act only on a non-empty rest
  auto u8 = [&](uint8_t& f) {
    uint16_t v;
    if (c.U16(v)) f = uint8_t(v & 0xFF);
  };
  if (w == "LOOK:" || w == "IMESSAGE:") {
    std::string text;
    if (r.FileQuoted(text) == QuotedOk) SetQuotedText(w == "LOOK:" ? d->look : d->useMessage, text);
  } else if (w == "CORE") {
    d->flags |= ItemCore;
  } else if (w == "WEAPON:") {
    if (!rest) return;
    d->flags |= ItemWeapon;
    if (c.U16(d->attackBonus) && c.U16(d->damageDice) && c.U16(d->damageSides) && c.U16(d->damageBonus) &&
        c.U16(d->range))
      u8(d->attackDelay);
  } else if (w == "2H") {
    d->flags |= ItemTwoHanded;
  } else if (w == "NDMULT:") {
    u8(d->damagePercent);
  } else if (w == "RANGEFX:") {
    c.U16(d->rangeColour);
  } else if (w == "ARMOR:") {
    if (!rest) return;
    d->flags |= ItemArmour;
    c.U16(d->armour);
  } else if (w == "SHIELD:") {
    if (!rest) return;
    d->subtype = ItemTypeShield;
    c.U16(d->armour);
  } else if (w == "AMMO:") {
    if (!rest) return;
    d->subtype = ItemTypeAmmo;
    d->flags &= uint8_t(~ItemWeapon);
    u8(d->ammoClass);
  } else if (w == "AMMOTYPE:") {
    u8(d->ammoClass);
  } else if (w == "SPELL:") {
    if (!rest) return;
    auto s = std::make_unique<SpellDef>();
    std::string word;
    if (c.Word(word)) {
      s->kind = uint16_t(ParseWord(WordTable::SpellEffectKind, word));
      int32_t v1;
      if (c.U16(s->value[3]) && c.U16(s->value[4]) && c.Int(v1)) {
        s->value[0] = uint16_t(v1);
        if (c.U16(s->value[1])) c.U16(s->value[2]);
      }
    }
    int32_t extra;
    if (c.Int(extra)) {
      ScenarioMessage("ERROR (LoadCreateDefs SPELL): More than five values");
      return;
    }
    d->subtype = ItemTypeSpell;
    d->spell = std::move(s);
  } else if (w == "SPM:") {
    if (!rest) return;
    if (!d->spell) {
      ScenarioMessage("ERROR (LoadCreateDefs SPM): Item has no spell record");
      return;
    }
    SpellDef& s = *d->spell;
    std::string word;
    if (c.U16(s.multiplier[0]) && c.U16(s.multiplier[1]) && c.U16(s.multiplier[2]) && c.Word(word) &&
        word == "-PURE")
      s.pure = 1;
  } else if (w == "SPPOWER:") {
    if (rest && d->spell) d->power = uint16_t(RestToInt(c));
  } else if (w == "VTILE:") {
    c.U16(d->vectorTile);
  } else if (w == "USECHARGES:") {
    if (rest) d->usesConsume = uint8_t(RestToInt(c) & 0xFF);
  } else if (w == "CHARGES:") {
    if (rest) d->charges = uint16_t(RestToInt(c));
  } else if (w == "TREASURE:") {
    c.U16(d->treasure);
  } else if (w == "EFFECT:") {
    c.U16(d->attackEffect);
  } else if (w == "ISOUND:") {
    if (c.U16(d->sound1)) c.U16(d->sound2);
  } else if (w == "REFID:") {
    c.U16(d->refId);
  } else if (w == "VEHICLE:") {
    if (!rest) return;
    c.U16(d->refId);
    d->maxCount = 1;
  } else if (w == "ISCRIPT:") {
    if (rest) d->useScript = uint16_t(RestToInt(c));
  } else if (w == "GSCRIPT:") {
    if (rest) d->getScript = uint16_t(RestToInt(c));
  } else if (w == "GET:") {
    if (!rest) return;
    int32_t v = RestToInt(c);
    if (v != 0 && d->subtype == ItemTypeIContainer) {
      ScenarioMessage("ERROR (LoadCreateDefs): GET must be 0 for an interactive container, resetting");
      v = 0;
    }
    if (v)
      d->flags |= ItemTakeable;
    else
      d->flags &= uint8_t(~ItemTakeable);
  } else if (w == "MAX:") {
    uint16_t v;
    if (c.U16(v)) d->maxCount = v;
  } else if (w == "POWER:") {
    if (rest) d->power = uint16_t(RestToInt(c));
  } else if (w == "CAPACITY:") {
    c.Int(d->capacity);
  } else if (w == "SECURITY:") {
    std::string word;
    if (r.LineWord(word)) d->security = uint8_t(ParseWord(WordTable::Security, word) & 0xFF);
  } else if (w == "TYPE:") {
    u8(d->typeValue);
  } else if (w == "BPARAM:") {
    u8(d->behaviourParam);
  } else if (w == "NODARK") {
    d->flags |= ItemNoDark;
  } else if (w == "HIDDEN") {
    d->flags |= ItemHidden;
  } else if (w == "COVERUSE") {
    d->flags2 |= 1;
  } else if (w == "RES:") {
    std::string word;
    if (d->resource || !c.SpacedWord(word)) return;
    auto res = std::make_unique<ResourceDef>();
    std::string_view value = word;
    if (!value.empty() && value[0] == 'G') {
      res->flags |= 1;
      value.remove_prefix(1);
    }
    res->value = uint16_t(DecimalToInt(value));
    while (c.SpacedWord(word)) {
      uint16_t* field = word == "CHANCE" ? &res->chance
                        : word == "UCHARGES" ? &res->usedCharges
                        : word == "REPITEM" ? &res->replacement
                                            : nullptr;
      if (!field) continue;
      std::string number;
      if (!c.SpacedWord(number)) break;
      *field = uint16_t(DecimalToInt(number));
    }
    d->resource = std::move(res);
    d->flags |= ItemHasResource;
  }
}
}  // namespace

bool ReadItemSection(ObjDefsReader& r, std::unique_ptr<ItemTable>& table) {
  ItemLoad load(r, *table);
  std::string w;
  while (r.NextWord(w)) {
    if (w == "END") break;
    if (w == "I:")
      load.Record();
    else
      load.Keyword(w);
    r.SkipLine();
  }
  return true;
}
