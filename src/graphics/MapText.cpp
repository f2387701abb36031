#include "graphics/MapText.h"

#include <vector>

#include "graphics/LineScan.h"

int MapToText(const CBArray& map, std::string* text) {
  if (!text || !map.HasData() || map.ElementSize() != 2) return 0;
  std::string out = "# Tile IDs, one row per line from north to south\n";
  out += "MAP " + std::to_string(map.Width()) + " " + std::to_string(map.Height()) + "\n";
  for (int y = 0; y < map.Height(); ++y) {
    for (int x = 0; x < map.Width(); ++x) {
      if (x) out += ' ';
      out += std::to_string(map.GetU16(x, y));
    }
    out += '\n';
  }
  *text = std::move(out);
  return 1;
}

int MapFromText(const std::string& text, CBArray* map, std::string* error) {
  auto fail = [&](int line, const std::string& what) {
    if (error) *error = "line " + std::to_string(line) + ": " + what;
    return 0;
  };
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.emplace_back(text, start, end - start);
    start = end + 1;
  }
  CBArray cells;
  int width = 0, height = 0, row = 0, lineNo = 0;
  for (const std::string& line : lines) {
    ++lineNo;
    LineScan scan(line);
    scan.SkipBlanks();
    if (scan.AtEnd() || scan.Rest()[0] == '#') continue;
    if (width == 0) {
      std::string word;
      int64_t w = 0, h = 0;
      if (!scan.Token(&word) || word != "MAP" || !scan.Integer(&w) || !scan.Integer(&h))
        return fail(lineNo, "expected \"MAP width height\"");
      size_t bytes;
      if (!CBArray::ByteSizeFor(w, h, 2, &bytes) || w > 65535 || h > 65535)
        return fail(lineNo, "map size " + std::to_string(w) + " x " + std::to_string(h) +
                                " is out of range");
      width = int(w);
      height = int(h);
      if (!cells.Init(width, height, 2)) return fail(lineNo, "out of memory");
      continue;
    }
    if (row >= height) return fail(lineNo, "more than " + std::to_string(height) + " rows");
    for (int x = 0; x < width; ++x) {
      int64_t id;
      if (!scan.Integer(&id))
        return fail(lineNo, "row " + std::to_string(row) + " has " + std::to_string(x) +
                                " tile IDs; " + std::to_string(width) + " are needed");
      if (id < 0 || id > 65535) return fail(lineNo, "tile ID " + std::to_string(id) + " is out of range");
      cells.SetU16(uint16_t(id), x, row);
    }
    scan.SkipBlanks();
    if (!scan.AtEnd())
      return fail(lineNo, "row " + std::to_string(row) + " has more than " +
                              std::to_string(width) + " tile IDs");
    ++row;
  }
  if (width == 0) return fail(lineNo, "no \"MAP width height\" line");
  if (row < height)
    return fail(lineNo, "only " + std::to_string(row) + " of " + std::to_string(height) + " rows");
  map->Free();
  map->Swap(cells);
  return 1;
}
