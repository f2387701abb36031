#include "world/GameDat.h"

#include <cstdio>

#include "scenario/ScanText.h"
#include "text/Output.h"

void ExitStack::Push(uint16_t map, int16_t x, int16_t y) {
  int slot = slots[0].map == 0 ? 0 : slots[1].map == 0 ? 1 : 2;
  slots[slot] = {map, x, y};
}

const ExitSlot* ExitStack::Peek() const {
  for (int i = 2; i >= 0; --i)
    if (slots[i].map) return &slots[i];
  return nullptr;
}

void ExitStack::ClearDeepest() {
  for (int i = 2; i >= 0; --i)
    if (slots[i].map) {
      slots[i] = ExitSlot();
      return;
    }
}

namespace {
template <class... A>
void Put(std::string& s, const char* fmt, A... v) {
  char buf[160];
  std::snprintf(buf, sizeof buf, fmt, v...);
  s += buf;
  s += '\n';
}

ScanCursor TakeLine(ScanCursor& c) {
  const char* start = c.pos;
  while (c.pos < c.end && *c.pos != '\n') ++c.pos;
  ScanCursor line(start, c.pos);
  if (c.pos < c.end) ++c.pos;
  return line;
}
}  // namespace

std::string SaveGameDatText(const GameDatValues& v, int scenario) {
  std::string s = "QUORVELLIAN914 DATA V1\n\n";
  Put(s, "DATAID: %d", scenario);
  const char* keys[3] = {"EXITMAP", "EXITMAP2", "EXITMAP3"};
  for (int i = 0; i < 3; ++i)
    if (v.exits.slots[i].map)
      Put(s, "%s: %d %d %d", keys[i], v.exits.slots[i].map, v.exits.slots[i].x, v.exits.slots[i].y);
  if (v.lightPoints) Put(s, "LIGHT: %d %d", v.lightPoints, v.lightPower);
  if (v.lightTimer) Put(s, "LIGHTTIMER: %d", v.lightTimer);
  if (v.foodTimer) Put(s, "FOOD: %d %d", v.foodRate, v.foodTimer);
  if (v.frozenTurns) Put(s, "XTURNS: %d", v.frozenTurns);
  if (v.won) Put(s, "WON: %d", v.won);
  Put(s, "BORDERDIR: %d", v.borderDir);
  if (v.terrainPacing) Put(s, "TES: %d", v.terrainPacing);
  if (v.lastTerrainEffect) Put(s, "TESPOINTS: %d %d %d %d", v.lastTerrainEffect, v.skipA, v.skipB, v.turnRate);
  if (v.invOrder) {
    std::string line = "INVORDER: " + std::to_string(v.invOrder->size());
    for (uint16_t w : *v.invOrder) line += " " + std::to_string(w);
    s += line + "\n";
  }
  return s;
}

void LoadGameDatText(GameDatValues& v, const std::string& input, int itemCount) {
  std::string text = input;
  DropLineEndCRs(text);
  ScanCursor c(text);
  while (!c.AtEnd()) {
    c.SkipWhite();
    if (c.AtEnd()) break;
    std::string kw;
    c.LineWord(kw, 511);
    ScanCursor line = TakeLine(c);
    int32_t n = 0;
    uint16_t u = 0;
    if (kw == "EXITMAP:" || kw == "EXITMAP2:" || kw == "EXITMAP3:") {
      ExitSlot& slot = v.exits.slots[kw == "EXITMAP:" ? 0 : kw == "EXITMAP2:" ? 1 : 2];
      line.U16(slot.map) && line.S16(slot.x) && line.S16(slot.y);
    } else if (kw == "LIGHT:") {
      line.S16(v.lightPoints) && line.S16(v.lightPower);
    } else if (kw == "LIGHTTIMER:") {
      if (line.U16(u)) v.lightTimer = uint8_t(u);
    } else if (kw == "FOOD:") {
      line.S16(v.foodRate) && line.S16(v.foodTimer);
    } else if (kw == "XTURNS:") {
      if (line.Int(n)) v.frozenTurns = uint8_t(n);
    } else if (kw == "WON:") {
      if (line.Int(n)) v.won = uint8_t(n);
    } else if (kw == "BORDERDIR:") {
      if (line.U16(u)) v.borderDir = uint8_t(u);
    } else if (kw == "TES:") {
      if (line.Int(n)) v.terrainPacing = uint8_t(n);
    } else if (kw == "TESPOINTS:") {
      int32_t a = 0, b = 0, r = 0;
      line.U16(v.lastTerrainEffect) && line.Int(a) && line.Int(b) && line.Int(r);
      v.skipA = uint8_t(a);
      v.skipB = uint8_t(b);
      v.turnRate = uint8_t(r);
    } else if (kw == "INVORDER:") {
      if (v.invOrder) PrintLine("WARNING (LoadGameDat): Inventory order already defined; deleting existing list");
      v.invOrder.emplace();
      int32_t size = 0;
      if (!line.Int(size) || size < 0 || size > 65535) {
        PrintLine("ERROR (LoadGameDat): Failed to load inventory order");
        continue;
      }
      int32_t keep = itemCount > 0 ? itemCount : size;
      for (int32_t i = 0; i < size; ++i) {
        uint16_t w = 0;
        if (!line.U16(w)) break;
        if (i < keep) v.invOrder->push_back(w);
      }
    }
  }
}

std::string SaveVersionText(const std::string* version) {
  std::string s = "QUORVELLIAN914 DATA V1\n\n";
  if (version) s += "MAIN: " + *version + "\n";
  return s;
}

std::string LoadVersionText(const std::string& input) {
  std::string text = input;
  DropLineEndCRs(text);
  ScanCursor c(text);
  while (!c.AtEnd()) {
    c.SkipWhite();
    std::string kw;
    if (!c.LineWord(kw, 511)) break;
    ScanCursor line = TakeLine(c);
    std::string w;
    if (kw == "MAIN:" && line.Word(w, 255)) return w;
  }
  return {};
}
