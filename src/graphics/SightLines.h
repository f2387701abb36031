#pragma once
// Distances and straight-line tests between cells, for range and line of
// sight. Line results: 1 the line is clear, 2 it is blocked.
#include <cstdint>
#include <functional>

class CMap;
class CTileSet;

inline constexpr int LineClear = 1;
inline constexpr int LineBlocked = 2;

// The larger of a and b plus half the smaller (a = |dx|, b = |dy|).
int CellDistance(int a, int b);

// The line from (x1, y1) to (x2, y2) over the map's tile layer: blocked when
// a cell strictly between the ends shows a tile of view class BLOCKED, or
// when the line leaves the map over an edge that does not wrap. Over WRAP
// edges the shorter way round is taken. Steps and positions are
// single-precision, as the stored games' sight rules were computed so.
// Always succeeds; the result goes to *result.
int CheckMapLine(int* result, const CMap& map, CTileSet& tiles, int x1, int y1, int x2, int y2);

// The same over the cells of a view, without wrapping; `viewClassAt` gives
// the view class of the tile shown in a view cell.
int CheckViewLine(int* result, int col1, int row1, int col2, int row2,
                  const std::function<uint8_t(int col, int row)>& viewClassAt);
