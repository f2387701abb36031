// The status sidebar. Each line is placed with SetRow, so a line beyond the
// display's rows is skipped and never scrolls the first rows away.
#include "text/StatusSidebar.h"

#include <cstdio>

#include "play/Game.h"
#include "text/TextDisplay.h"

namespace {
constexpr int ItemTypeCurrency = 1, ItemTypeFood = 2, ItemTypeLight = 11;

const char* const WindTexts[6] = {"WIND=NONE ", "WIND=NORTH", "WIND=EAST ", "WIND=SOUTH", "WIND=WEST ", "WIND=CALM "};

const VehicleObject* HpVehicle(const CGame& game) {
  const VehicleObject* v = game.pc ? game.pc->vehicle.get() : nullptr;
  return v && v->def && v->def->maxHp > 0 ? v : nullptr;
}

// The value at line L from column 5, with inverse video below the maximum.
// A row is selected only when the cursor is not on it already, so that the
// label and its value form one line of the display's log.
bool OnRow(TextDisplay* d, int line) { return d->CursorRow() == line && line < d->Rows() ? true : d->SetRow(line); }

int WriteValue(TextDisplay* d, int line, long long value, const long long* maximum) {
  if (!d || !OnRow(d, line) || !d->SetColumn(5)) return 0;
  // The number over five blank cells, written in one piece after its video
  // is set (inverse from column 5, back at column 9), so that a value that
  // did not change leaves the picture alone.
  const bool inverse = maximum && value < *maximum;
  if (maximum) {
    d->SetAttribute(inverse ? 1 : 0);
    if (d->SetColumn(9)) d->SetAttribute(inverse ? 1 : 0);
    d->SetColumn(5);
  }
  char field[32];
  std::snprintf(field, sizeof field, "%-5s", FormatSidebarNumber(value).c_str());
  d->WriteClipped(field, false);
  return 1;
}

int WriteLabel(TextDisplay* d, int line, const char* label) {
  if (!d || !d->SetRow(line) || !d->SetColumn(0)) return 0;
  d->WriteClipped(label, false);
  return 1;
}

// Whether a chosen field writes a line of its own.
bool FieldShown(const CGame& game, int field) {
  switch (field) {
    case FieldTorches: return true;
    case FieldWind: return game.scenario.config.wind != 0 && game.currentWind <= 5;
    case FieldSP: return game.pc && game.pc->spMax != 0;
    default: return false;
  }
}

// The line a chosen field uses (4 or 5, or 5 pulled up to 4 when the
// line-4 field writes nothing); -1 when it is not chosen or not shown.
int FieldLine(const CGame& game, int field) {
  const int f4 = game.scenario.config.sbField4, f5 = game.scenario.config.sbField5;
  if (f4 == field) return FieldShown(game, field) ? 4 : -1;
  if (f5 == field) return FieldShown(game, field) ? (FieldShown(game, f4) ? 5 : 4) : -1;
  return -1;
}

const long long Hundred = 100;
}  // namespace

void SetSidebarDisplay(CGame& game, TextDisplay* display) { game.turn.sidebar = display; }
TextDisplay* SidebarDisplay(const CGame& game) { return game.turn.sidebar; }

std::string FormatSidebarNumber(long long value) {
  char buf[32];
  if (value > 99999) std::snprintf(buf, sizeof buf, "%.4lldK", value / 1000);
  else std::snprintf(buf, sizeof buf, "%.4lld", value);
  return buf;
}

long long CountItemsOfType(const CGame& game, int itemType) {
  if (!game.pc || !game.scenario.defs.items) return 0;
  long long n = 0;
  for (const InvEntry& e : game.pc->inventory) {
    const ItemDef* d = game.scenario.defs.items->Find(e.defId);
    if (d && d->subtype == itemType) n += e.quantity;
  }
  return n;
}

int DrawSidebar(CGame& game) {
  TextDisplay* d = SidebarDisplay(game);
  if (!d || !game.pc) return 0;
  const PCRecord& pc = *game.pc;
  // With its picture whole, the fields below draw only what changed.
  d->RedrawIfStale();
  WriteLabel(d, 0, "H.P.=");
  if (const VehicleObject* v = HpVehicle(game)) {
    const long long m = v->def->maxHp;
    WriteValue(d, 0, v->hp, &m);
  } else {
    const long long m = pc.def.maxHp;
    WriteValue(d, 0, pc.body.hp, &m);
  }
  WriteLabel(d, 1, "FOOD=");
  WriteValue(d, 1, CountItemsOfType(game, ItemTypeFood), &Hundred);
  WriteLabel(d, 2, "EXP.=");
  WriteValue(d, 2, pc.xp, nullptr);
  WriteLabel(d, 3, "GOLD=");
  WriteValue(d, 3, CountItemsOfType(game, ItemTypeCurrency), nullptr);
  int line = 4;
  for (int field : {int(game.scenario.config.sbField4), int(game.scenario.config.sbField5)}) {
    if (!FieldShown(game, field)) continue;
    if (field == FieldTorches) {
      WriteLabel(d, line, "TRCH=");
      WriteValue(d, line, CountItemsOfType(game, ItemTypeLight), nullptr);
    } else if (field == FieldWind) {
      WriteLabel(d, line, WindTexts[game.currentWind]);
    } else {
      WriteLabel(d, line, "S.P.=");
      const long long m = pc.spMax;
      WriteValue(d, line, pc.sp, &m);
      game.turn.sidebarSP = true;
    }
    ++line;
  }
  return 1;
}

int UpdateSidebarValue(CGame& game, int field, long long value) {
  TextDisplay* d = SidebarDisplay(game);
  if (!d || !game.pc) return 0;
  const PCRecord& pc = *game.pc;
  // With its picture whole, the field is drawn only when it changed.
  d->RedrawIfStale();
  long long m = 0;
  switch (field) {
    case FieldHP:
      if (HpVehicle(game)) return 1;
      m = pc.def.maxHp;
      return WriteValue(d, 0, value, &m);
    case FieldFood: return WriteValue(d, 1, value, &Hundred);
    case FieldXP: return WriteValue(d, 2, value, nullptr);
    case FieldGold: return WriteValue(d, 3, value, nullptr);
    case FieldVHP:
      if (!HpVehicle(game)) return 1;
      m = HpVehicle(game)->def->maxHp;
      return WriteValue(d, 0, value, &m);
    case FieldTorches:
    case FieldWind:
    case FieldSP: {
      const int line = FieldLine(game, field);
      if (line < 0) return 1;
      if (field == FieldSP) {
        if (!game.turn.sidebarSP) return 1;
        m = pc.spMax;
        return WriteValue(d, line, value, &m);
      }
      return WriteValue(d, line, value, nullptr);
    }
    default: return WriteValue(d, 0, value, nullptr);
  }
}

int ClearSidebarField(CGame& game, int field) {
  if (field < FieldTorches || field > FieldSP) return 0;
  TextDisplay* d = SidebarDisplay(game);
  const int line = FieldLine(game, field);
  if (field == FieldSP) game.turn.sidebarSP = false;
  if (!d || line < 0 || !d->SetRow(line) || !d->SetColumn(0)) return 1;
  d->WriteClipped("          ", false);
  if (field == FieldSP) {
    if (d->SetColumn(5)) d->SetAttribute(0);
    if (d->SetColumn(9)) d->SetAttribute(0);
  }
  return 1;
}

int ShowSidebarZeros(CGame& game) {
  TextDisplay* d = SidebarDisplay(game);
  if (!d || !game.pc) return 0;
  const long long m = game.pc->def.maxHp;
  WriteValue(d, 0, 0, &m);
  WriteValue(d, 1, 0, &Hundred);
  WriteValue(d, 2, 0, nullptr);
  WriteValue(d, 3, 0, nullptr);
  return 1;
}

int UpdateSidebarForItem(CGame& game, uint16_t itemDef) {
  const ItemDef* def = game.scenario.defs.items ? game.scenario.defs.items->Find(itemDef) : nullptr;
  if (!def) return 0;
  switch (def->subtype) {
    case ItemTypeCurrency: return UpdateSidebarValue(game, FieldGold, CountItemsOfType(game, ItemTypeCurrency));
    case ItemTypeFood: return UpdateSidebarValue(game, FieldFood, CountItemsOfType(game, ItemTypeFood));
    case ItemTypeLight: return UpdateSidebarValue(game, FieldTorches, CountItemsOfType(game, ItemTypeLight));
    default: return 1;
  }
}
