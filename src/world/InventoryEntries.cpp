// Inventory and container entries: "; id def quantity" runs on a line, with
// "INVEX:" continuation lines and the extra lines of the entry read last.
#include <cstdio>

#include "scenario/ScanText.h"
#include "text/Output.h"
#include "world/MapFile.h"

namespace {
ScanCursor TakeLine(ScanCursor& c) {
  const char* start = c.pos;
  while (c.pos < c.end && *c.pos != '\n') ++c.pos;
  ScanCursor line(start, c.pos);
  if (c.pos < c.end) ++c.pos;
  return line;
}

// Entries "%*[ ;]%[^;\n]" until the line ends.
bool ReadEntryRun(ScanCursor line, std::vector<InvEntry>& out, const char* op) {
  for (;;) {
    size_t skipped = 0;
    while (!line.AtLineEnd() && (*line.pos == ' ' || *line.pos == ';')) {
      ++line.pos;
      ++skipped;
    }
    if (line.AtLineEnd() || skipped == 0) return true;
    std::string text;
    if (!line.ToSemicolon(text, 256)) return true;
    ScanCursor e(text);
    InvEntry entry;
    int32_t quantity = 0;
    if (!e.U16(entry.id) || !e.U16(entry.defId) || !e.Int(quantity)) {
      PrintLine("ERROR (%s): Invalid syntax: %s", op, text.c_str());
      return false;
    }
    if (entry.defId == 0) {
      PrintLine("ERROR (%s): Must define type ID", op);
      return false;
    }
    entry.quantity = quantity;
    out.push_back(std::move(entry));
  }
}

// Reads one extra line (CHARGES:, V:, VNAME:, SECCHECK) for the entry read
// last. Returns 0 for an unknown key, 1 handled, -1 failure.
int ReadExtraLine(const std::string& kw, ScanCursor& line, std::vector<InvEntry>& out) {
  if (kw != "CHARGES:" && kw != "V:" && kw != "VNAME:" && kw != "SECCHECK") return 0;
  if (out.empty()) {
    PrintLine("ERROR (LoadInventorySecEntries): Failed");
    return -1;
  }
  InvEntry& last = out.back();
  if (kw == "CHARGES:") {
    int32_t v = 0;
    if (line.Int(v)) last.charges = v;
  } else if (kw == "SECCHECK") {
    last.secCheck = true;
  } else if (kw == "V:") {
    auto v = std::make_shared<VehicleObject>();
    uint16_t x = 0, y = 0, hp = 0;
    line.U16(v->id) && line.U16(v->defId) && line.U16(x) && line.U16(y) && line.U16(hp);
    v->x = int16_t(x);
    v->y = int16_t(y);
    v->hp = int16_t(hp);
    if (v->defId == 0) {
      PrintLine("ERROR: Must define type ID");
      return -1;
    }
    last.vehicle = v;
  } else if (kw == "VNAME:") {
    std::string name;
    line.SkipWhite();
    if (line.Quoted(name, false) == QuotedOk && last.vehicle) SetQuotedText(last.vehicle->name, name);
  }
  return 1;
}

void AppendEntryLines(std::string& s, int32_t head, const char* key, const std::vector<InvEntry>& entries,
                      const ItemTable* items) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "%s: %d", key, head);
  s += buf;
  bool lineOpen = true;
  for (const InvEntry& e : entries) {
    if (!lineOpen) {
      s += "INVEX: ";
      lineOpen = true;
      std::snprintf(buf, sizeof buf, "%d %d %d", e.id, e.defId, e.quantity);
    } else {
      std::snprintf(buf, sizeof buf, "; %d %d %d", e.id, e.defId, e.quantity);
    }
    s += buf;
    const ItemDef* def = items ? items->Find(e.defId) : nullptr;
    bool charges = e.charges >= 0 && (!def || e.charges != def->charges);
    if (charges || e.vehicle || e.secCheck) {
      s += '\n';
      lineOpen = false;
      if (charges) {
        std::snprintf(buf, sizeof buf, "CHARGES: %d\n", e.charges);
        s += buf;
      }
      if (e.vehicle) {
        const VehicleObject& v = *e.vehicle;
        std::snprintf(buf, sizeof buf, "V: %d %d %d %d %d\n", v.id, v.defId, v.x, v.y, v.hp);
        s += buf;
        if (v.name) s += "VNAME: \"" + *v.name + "\"\n";
      }
      if (e.secCheck) s += "SECCHECK\n";
    }
  }
  if (lineOpen) s += '\n';
}
}  // namespace

bool ReadContainerEntries(ScanCursor& c, Container& out, const char* op) {
  ScanCursor first = TakeLine(c);
  if (!first.Int(out.weight)) {
    PrintLine("ERROR (LoadContainerEntries): Could not read weight");
    return false;
  }
  if (!ReadEntryRun(first, out.entries, op)) return false;
  while (!c.AtEnd()) {
    c.SkipWhite();
    std::string kw;
    c.LineWord(kw, 511);
    ScanCursor line = TakeLine(c);
    if (kw == "END") return true;
    if (kw == "INVEX:") {
      if (!ReadEntryRun(line, out.entries, op)) return false;
      continue;
    }
    if (ReadExtraLine(kw, line, out.entries) < 0) return false;
  }
  // The section ended without its "END".
  PrintLine("ERROR (LoadContainerEntries): Missing END");
  return false;
}

std::string WriteContainerEntries(const Container& box, const ItemTable* items) {
  std::string s;
  AppendEntryLines(s, box.weight, "INV", box.entries, items);
  s += "END\n";
  return s;
}

bool ReadInventoryEntries(ScanCursor& c, std::vector<InvEntry>& out) {
  ScanCursor first = TakeLine(c);
  int32_t size = 0;
  first.Int(size);
  if (!ReadEntryRun(first, out, "LoadInventoryEntry")) return false;
  // INVEX: and the extra keys follow on their own lines.
  for (;;) {
    const char* save = c.pos;
    c.SkipWhite();
    std::string kw;
    c.LineWord(kw, 511);
    if (kw == "INVEX:") {
      ScanCursor line = TakeLine(c);
      if (!ReadEntryRun(line, out, "LoadInventoryEntry")) return false;
      continue;
    }
    if (kw == "CHARGES:" || kw == "V:" || kw == "VNAME:" || kw == "SECCHECK") {
      ScanCursor line = TakeLine(c);
      if (ReadExtraLine(kw, line, out) < 0) return false;
      continue;
    }
    c.pos = save;
    return true;
  }
}

std::string WriteInventoryEntries(int size, const std::vector<InvEntry>& entries, const ItemTable* items) {
  std::string s;
  AppendEntryLines(s, size, "INV", entries, items);
  return s;
}
