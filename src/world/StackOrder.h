#pragma once
// The stack order file qmstack<m>.dat: the order of objects sharing a cell,
// which applying the lists (locations, items, vehicles, creatures) loses.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "world/QMap.h"

struct PlacedObject {
  uint16_t kind = 0, id = 0;
  int16_t x = 0, y = 0;
};

// "STACK: x y" and one "E: kind id effect" line per entry, top down, for
// every cell whose stack holds more than one entry; `objects` lists the
// objects on the map in the order creatures, vehicles, locations, items.
// Empty when there is nothing to write.
std::string SaveQMapStackOrderText(const QMap& q, const std::vector<PlacedObject>& objects);

// Applies the file to the stack map. A cell is reordered only when the
// file's entries are a permutation of its actual stack; otherwise it is
// skipped with a WARNING. Cells that changed are added to `changed`.
// Returns false (after the ERROR line) on a malformed file.
bool LoadQMapStackOrderText(QMap& q, const std::string& text, std::vector<std::pair<int, int>>* changed);
