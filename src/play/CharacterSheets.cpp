// The character sheets of the Z and Control+Z commands.
#include "play/CharacterSheets.h"

#include <cstdarg>
#include <cstdio>
#include <algorithm>
#include <cstring>

#include "play/Game.h"
#include "scenario/Keywords.h"
#include "text/Output.h"
#include "text/TextDisplay.h"

namespace {
const ItemDef* ItemOf(const CGame& game, uint16_t id) {
  return game.scenario.defs.items ? game.scenario.defs.items->Find(id) : nullptr;
}

std::string ItemName(const CGame& game, uint16_t id) {
  const ItemDef* def = ItemOf(game, id);
  return def && def->name ? *def->name : "None";
}

std::string RecordName(const ClassTable* table, uint16_t id) {
  const ClassRecord* r = table ? table->Get(id) : nullptr;
  return r ? r->name : "None";
}

std::string MemberName(const PCRecord& m) { return m.def.name ? *m.def.name : ""; }

bool InClass(const ItemDef& def, int listingClass) {
  switch (listingClass) {
    case 0: return true;
    case 6: return def.flags & ItemWeapon;
    case 7: return def.flags & ItemArmour;
    case 18:
      return !(def.flags & (ItemWeapon | ItemArmour | ItemCore)) && def.subtype != ItemTypeShield &&
             def.subtype != ItemTypeSpell;
    case 19: return def.subtype == 15 || def.subtype == 17;
    case 20: return (def.flags & ItemWeapon) || def.subtype == ItemTypeShield || def.subtype == ItemTypeAmmo;
    default: return def.subtype == listingClass;
  }
}

int CountOfKind(const CGame& game, const PCRecord& m, int kind) {
  int total = 0;
  for (const InvEntry& e : m.inventory) {
    const ItemDef* def = ItemOf(game, e.defId);
    if (def && def->subtype == kind && e.quantity > 0) total += e.quantity;
  }
  return total;
}

int Quantity(const PCRecord& m, uint16_t defId) {
  for (const InvEntry& e : m.inventory)
    if (e.defId == defId && e.quantity > 0) return e.quantity;
  return 0;
}

bool AnyOfClass(const CGame& game, const PCRecord& m, int listingClass) {
  return !CompactInventoryList(game, m, listingClass).empty();
}

std::string Format(const char* format, ...) KORVA_PRINTF(1, 2);
std::string Format(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

// Writes the sheet's lines; the columns need the display, without one the
// lines simply follow each other.
struct Sheet {
  TextDisplay* d;
  int Columns() const { return d ? d->Columns() : 80; }
  void Line(const std::string& text) { PrintClipped("%s", text.c_str()); }
  void Open(const std::string& text) { Print("%s", text.c_str()); }
  void Blank() { PrintNewLine(); }
  void Row(int row) {
    if (d) d->SetRow(row);
  }
  int CurrentRow() const { return d ? d->CursorRow() : 0; }
  void Margin(int column) {
    if (d) d->SetMargin(column < 0 ? 0 : column);
  }
  void MarginCentred(const char* sample) {
    if (d) d->SetMarginCentred(0.5, sample);
  }
  void RightEdge(const std::string& text) {
    if (d) d->SetColumn(Columns() - int(text.size()) < 0 ? 0 : Columns() - int(text.size()));
    Line(text);
  }
  void List(const CGame& game, const PCRecord& m, const char* head, int listingClass) {
    Open(head);
    Line(CompactInventoryList(game, m, listingClass));
  }
  void Top() {
    if (d) d->ScrollToTop();
  }
};

int16_t Signed(uint16_t v) { return int16_t(v); }
}  // namespace

std::string CompactInventoryList(const CGame& game, const PCRecord& m, int listingClass) {
  std::string list;
  for (const InvEntry& e : m.inventory) {
    const ItemDef* def = ItemOf(game, e.defId);
    if (!def || e.quantity <= 0 || !InClass(*def, listingClass)) continue;
    list += Format("%s-%d ", def->name ? def->name->c_str() : "", e.quantity);
  }
  return list;
}

std::string ConditionWords(const PCRecord& m) {
  const CreatureObject& b = m.body;
  if (b.hp < 1) return " DEAD ";
  const bool pcKind = m.def.state == 9;
  std::string words;
  if (b.delay) words += " DELAYED ";
  if (b.attackImmobile) words += pcKind ? " ARMS PARALYZED " : " ATTACKS IMMOBILIZED ";
  if (b.moveImmobile) words += pcKind ? " LEGS PARALYZED " : " MOVEMENT IMMOBILIZED ";
  if (b.sleepTurns || b.sleepEffect || m.asleepMark) words += " ASLEEP ";
  if (b.poisonEffect || b.poisonTimer) words += " POISONED ";
  return words.empty() ? " GOOD" : words;
}

void WriteClassicSheet(const CGame& game, const PCRecord& m, TextDisplay* display) {
  Sheet s{display};
  const int cols = s.Columns();
  s.Line(MemberName(m));
  s.Line(Format("A level %d %s %s %s", m.level, RecordName(game.scenario.genders.get(), m.gender).c_str(),
                RecordName(game.scenario.races.get(), m.race).c_str(),
                RecordName(game.scenario.classes.get(), m.cls).c_str()));
  s.Blank();
  s.Line("WEAPON: " + ItemName(game, m.weapon));
  s.Line("ARMOUR: " + ItemName(game, m.armour));
  s.Line(" SPELL: " + ItemName(game, m.spell));
  s.Row(3);
  s.Margin(cols - int(std::strlen("TORCHES-xxxxx")));
  s.Line(Format("TORCHES-%d", CountOfKind(game, m, 11)));
  s.Line(Format("   KEYS-%d", CountOfKind(game, m, 4)));
  s.Line(Format("  TOOLS-%d", CountOfKind(game, m, 5)));
  s.Margin(0);
  s.Blank();
  s.Line(Format("STRENGTH-%d", m.attrib[0]));
  s.Line(Format(" AGILITY-%d", m.attrib[1]));
  s.Row(7);
  s.MarginCentred(" STAMINA-xx");
  s.Line(Format(" STAMINA-%d", m.attrib[2]));
  s.Line(Format("CHARISMA-%d", m.attrib[5]));
  s.Row(7);
  s.Margin(cols - int(std::strlen("WISDOM-xx")));
  s.Line(Format("WISDOM-%d", m.attrib[4]));
  s.Line(Format("INTEL.-%d", m.attrib[3]));
  s.Margin(0);
  s.Blank();
  s.List(game, m, "WEAPONS: ", 6);
  s.List(game, m, "ARMOUR: ", 7);
  s.List(game, m, "SPELLS: ", ItemTypeSpell);
  s.List(game, m, "ITEMS: ", 18);
  s.Top();
}

void WriteDetailedSheet(const CGame& game, const PCRecord& m, TextDisplay* display) {
  Sheet s{display};
  const int cols = s.Columns();
  const CreatureDef& d = m.def;
  s.Line(MemberName(m));
  s.Open(Format("%s %s %s", RecordName(game.scenario.genders.get(), m.gender).c_str(),
                RecordName(game.scenario.races.get(), m.race).c_str(),
                RecordName(game.scenario.classes.get(), m.cls).c_str()));
  s.RightEdge(Format("LVL: %d  EXP: %d", m.level, m.xp));
  s.Blank();
  s.Line(Format("HP: %d/%d  CONDITION:", m.body.hp, d.maxHp) + ConditionWords(m));
  s.Line(Format("AC: %d  ATTACK: %d (%dd%d+%d)", Signed(d.armourClass), Signed(d.attackBonus), d.damageDice,
                d.damageSides, Signed(d.damageBonus)));
  if (d.range > 1 || d.attackDelay) s.Line(Format("RANGE: %d  DELAY: %d", d.range, d.attackDelay));
  if (m.spMax) s.Line(Format("SP: %d/%d", m.sp, m.spMax));
  if (game.scenario.config.weightLimits) s.RightEdge(Format("WEIGHT: %u/%u", m.weight / 1000, m.capacity / 1000));
  s.Blank();
  if (m.vehicle) {
    const VehicleObject& v = *m.vehicle;
    std::string name = v.name ? *v.name : v.def && v.def->name ? *v.def->name : "";
    s.Line("VEHICLE: " + name);
    if (v.def && v.def->maxHp) s.Line(Format("  HP: %d/%d", v.hp, v.def->maxHp));
    if (m.vehicleAc >= 0) s.Line(Format("  AC: %d", m.vehicleAc));
    if (m.vehicleAmmo)
      s.Line(Format("AMMO: %s (%d)", ItemName(game, m.vehicleAmmo).c_str(), Quantity(m, m.vehicleAmmo)));
  }
  const int equipRow = s.CurrentRow();
  const ItemDef* weapon = ItemOf(game, m.weapon);
  s.Line("WEAPON: " + ItemName(game, m.weapon) + (weapon && (weapon->flags & ItemTwoHanded) ? " (2H)" : ""));
  s.Line(Format("AMMO: %s (%d)", ItemName(game, m.ammo).c_str(), Quantity(m, m.ammo)));
  s.Line("ARMOUR: " + ItemName(game, m.armour));
  if (m.shield) s.Line("SHIELD: " + ItemName(game, m.shield));
  if (m.spell) s.Line(" SPELL: " + ItemName(game, m.spell));
  const int leftEnd = s.CurrentRow();
  s.Row(equipRow);
  s.Margin(cols - int(std::strlen("TORCHES: xxxxx")));
  s.Line(Format("   GOLD: %d", CountOfKind(game, m, 1)));
  s.Line(Format("   FOOD: %d", CountOfKind(game, m, 2)));
  s.Line(Format("TORCHES: %d", CountOfKind(game, m, 11)));
  const int below = std::max(leftEnd, s.CurrentRow());
  s.Row(below);
  s.Margin(0);
  s.Line(Format("STRENGTH: %d", m.attrib[0]));
  s.Line(Format("  INTEL.: %d", m.attrib[3]));
  s.Row(below);
  s.MarginCentred("AGILITY: xx");
  s.Line(Format("AGILITY: %d", m.attrib[1]));
  s.Line(Format(" WISDOM: %d", m.attrib[4]));
  s.Row(below);
  s.Margin(cols - int(std::strlen(" STAMINA: xx")));
  s.Line(Format(" STAMINA: %d", m.attrib[2]));
  s.Line(Format("CHARISMA: %d", m.attrib[5]));
  s.Margin(0);
  s.Blank();
  s.List(game, m, "WEAPONS: ", 6);
  s.List(game, m, "ARMOUR: ", 7);
  if (AnyOfClass(game, m, ItemTypeShield)) s.List(game, m, "SHIELDS: ", ItemTypeShield);
  if (AnyOfClass(game, m, ItemTypeSpell)) s.List(game, m, "SPELLS: ", ItemTypeSpell);
  s.List(game, m, "ITEMS: ", 18);
  s.Top();
}

int StatsFullScreen(CGame& game, const UIServices& ui, int style, PCRecord* member) {
  if (!member) {
    PrintLine("ERROR (StatsFS): Missing param(s)");
    return 0;
  }
  if (ui.enterFullScreen) ui.enterFullScreen();
  TextDisplay* d = ui.fullDisplay;
  // Without a party every key closes the sheet; browsing the members comes
  // with the party.
  if (d) {
    d->Clear();
    d->HideCaret();
    d->SetCaretOn(false);
  }
  if (style == 1) WriteDetailedSheet(game, *member, d);
  else WriteClassicSheet(game, *member, d);
  GetKey();
  if (d) d->SetCaretOn(true);
  if (ui.leaveFullScreen) ui.leaveFullScreen();
  return 1;
}

int Stats(CGame& game, const UIServices& ui) {
  int style = game.scenario.config.statsType;
  if (style != 0 && style != 1) {
    PrintLine("ERROR (Stats): Invalid type %d", style);
    return 0;
  }
  return StatsFullScreen(game, ui, style, game.pc.get());
}

namespace {
int MoraleOf(const PCRecord& m, bool* found) {
  for (const std::string& line : m.keptLines) {
    if (line.compare(0, 7, "MORALE:") != 0) continue;
    const char* p = line.c_str() + 7;
    while (*p == ' ' || *p == '\t') ++p;
    long value = 0;
    bool negative = *p == '-';
    if (negative) ++p;
    while (*p >= '0' && *p <= '9' && value < 1000000000L) value = value * 10 + (*p++ - '0');
    *found = true;
    return int(negative ? -value : value);
  }
  *found = false;
  return 0;
}
}  // namespace

int DetailedStats(CGame& game) {
  if (!game.pc) {
    PrintLine("ERROR (DetailedStats): Missing param(s)");
    return 0;
  }
  const PCRecord& m = *game.pc;
  const CreatureDef& d = m.def;
  PrintLine("Stats:");
  PrintNewLine();
  PrintLine("Name: %s", MemberName(m).c_str());
  PrintLine("Class: %s", RecordName(game.scenario.classes.get(), m.cls).c_str());
  PrintLine("Race: %s", RecordName(game.scenario.races.get(), m.race).c_str());
  PrintLine("Gender: %s", RecordName(game.scenario.genders.get(), m.gender).c_str());
  PrintLine("Condition:%s", ConditionWords(m).c_str());
  PrintLine("HP: %d/%d", m.body.hp, d.maxHp);
  PrintLine("LVL and XP: %d %d", m.level, m.xp);
  PrintLine("Attributes: %d %d %d %d %d %d", m.attrib[0], m.attrib[1], m.attrib[2], m.attrib[3], m.attrib[4],
            m.attrib[5]);
  PrintLine("AC: %d  Attack: %d (%dd%d+%d)", Signed(d.armourClass), Signed(d.attackBonus), d.damageDice,
            d.damageSides, Signed(d.damageBonus));
  if (d.range > 1 || d.attackDelay) PrintLine("Range: %d  Delay: %d", d.range, d.attackDelay);
  if (d.attackEffect) PrintLine("Attack effect: %d", d.attackEffect);
  PrintLine("Saves: %d %d %d", Signed(d.saveReflex), Signed(d.saveFortitude), Signed(d.saveWill));
  if (m.spMax) PrintLine("SP: %d/%d", m.sp, m.spMax);
  bool hasMorale = false;
  int morale = MoraleOf(m, &hasMorale);
  if (hasMorale) PrintLine("Morale: %d", morale);
  if (game.scenario.config.weightLimits)
    PrintLine("Weight: %g/%g", double(m.weight) * 0.001, double(m.capacity) * 0.001);
  const ItemDef* weapon = ItemOf(game, m.weapon);
  PrintLine("Weapon: %s%s", ItemName(game, m.weapon).c_str(),
            weapon && (weapon->flags & ItemTwoHanded) ? " (2H)" : "");
  if (m.ammo) PrintLine("Ammo: %s (%d)", ItemName(game, m.ammo).c_str(), Quantity(m, m.ammo));
  PrintLine("Armor: %s", ItemName(game, m.armour).c_str());
  if (m.shield) PrintLine("Shield: %s", ItemName(game, m.shield).c_str());
  if (m.spell) PrintLine("Spell: %s", ItemName(game, m.spell).c_str());
  if (m.vehicle) {
    const VehicleObject& v = *m.vehicle;
    std::string name = v.name ? *v.name : v.def && v.def->name ? *v.def->name : "";
    PrintLine("Vehicle: %s", name.c_str());
    if (v.def && v.def->maxHp) Print("VHP: %d/%d  ", v.hp, v.def->maxHp);
    if (m.vehicleAc >= 0) PrintLine("VAC: %d", m.vehicleAc);
    else PrintNewLine();
    if (m.vehicleAmmo)
      PrintLine("VAMMO: %s (%d)", ItemName(game, m.vehicleAmmo).c_str(), Quantity(m, m.vehicleAmmo));
  }
  if (game.world.lightPoints > 0) PrintLine("Light: %d", game.world.lightPoints);
  PrintNewLine();
  game.CommandPrompt();
  return 1;
}
