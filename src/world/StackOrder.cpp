#include "world/StackOrder.h"

#include <algorithm>
#include <cstdio>

#include "scenario/ScanText.h"
#include "text/Output.h"

std::string SaveQMapStackOrderText(const QMap& q, const std::vector<PlacedObject>& objects) {
  std::string s;
  char buf[96];
  for (const PlacedObject& o : objects) {
    const QEntry* top = q.Top(o.x, o.y);
    if (!top || top->kind != o.kind || top->id != o.id || q.StackSize(o.x, o.y) < 2) continue;
    std::snprintf(buf, sizeof buf, "STACK: %d %d\n", o.x, o.y);
    s += buf;
    for (const QEntry& e : q.Stack(o.x, o.y)) {
      std::snprintf(buf, sizeof buf, "E: %d %d %d\n", e.kind, e.id, e.effect);
      s += buf;
    }
  }
  return s;
}

namespace {
ScanCursor TakeLine(ScanCursor& c) {
  const char* start = c.pos;
  while (c.pos < c.end && *c.pos != '\n') ++c.pos;
  ScanCursor line(start, c.pos);
  if (c.pos < c.end) ++c.pos;
  return line;
}

bool SameObjects(std::vector<QEntry> a, std::vector<QEntry> b) {
  if (a.size() != b.size()) return false;
  auto key = [](const QEntry& e) { return (uint32_t(e.kind) << 16) | e.id; };
  auto less = [&](const QEntry& x, const QEntry& y) { return key(x) < key(y); };
  std::sort(a.begin(), a.end(), less);
  std::sort(b.begin(), b.end(), less);
  for (size_t i = 0; i < a.size(); ++i)
    if (key(a[i]) != key(b[i])) return false;
  return true;
}

struct PendingCell {
  int x = -1, y = -1;
  std::vector<QEntry> entries;
};
}  // namespace

bool LoadQMapStackOrderText(QMap& q, const std::string& input, std::vector<std::pair<int, int>>* changed) {
  std::string text = input;
  DropLineEndCRs(text);
  ScanCursor c(text);
  PendingCell cell;
  bool open = false;
  auto fail = [] {
    PrintLine("ERROR (LoadQMapStackOrder): Load of stack order save file failed");
    return false;
  };
  auto finish = [&] {
    if (!open) return;
    open = false;
    std::vector<QEntry> actual = q.Stack(cell.x, cell.y);
    if (!SameObjects(actual, cell.entries)) {
      PrintLine("WARNING (LoadQMapStackOrder): Stack at %d,%d does not match its objects; order not applied", cell.x,
                cell.y);
      return;
    }
    // Effects stay those of the objects themselves.
    for (QEntry& e : cell.entries)
      for (const QEntry& a : actual)
        if (a.kind == e.kind && a.id == e.id) e.effect = a.effect;
    q.SetStack(cell.x, cell.y, cell.entries);
    if (changed) changed->emplace_back(cell.x, cell.y);
  };
  while (!c.AtEnd()) {
    c.SkipWhite();
    if (c.AtEnd()) break;
    std::string kw;
    c.LineWord(kw, 511);
    ScanCursor line = TakeLine(c);
    if (kw == "STACK:") {
      finish();
      int32_t x = 0, y = 0;
      if (!line.Int(x) || !line.Int(y) || !q.Inside(x, y) || q.StackSize(x, y) == 0) return fail();
      cell = PendingCell{x, y, {}};
      open = true;
    } else if (kw == "E:") {
      uint16_t kind = 0, id = 0, effect = 0;
      if (!open || !line.U16(kind) || !line.U16(id) || !line.U16(effect)) return fail();
      if (int(cell.entries.size()) >= q.StackSize(cell.x, cell.y)) return fail();
      QEntry e;
      e.kind = kind;
      e.id = id;
      e.effect = uint8_t(effect);
      cell.entries.push_back(e);
    }
  }
  finish();
  return true;
}
