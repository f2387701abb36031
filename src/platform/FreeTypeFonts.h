#pragma once
// Fonts drawn with FreeType, faces found through fontconfig. "Fixedsys",
// "Courier New" and "Courier" are looked up by name; a face that is missing
// (or not monospace when another name was found) falls back to the system's
// monospace face, then DejaVu Sans Mono. Weight 700 and above is bold.
//
// With fixedMetrics the cell is (height * 8 + 7) / 15 wide and height high
// whatever face is installed (the headless backend uses this so that layout
// never depends on the machine); the glyph is scaled to fit the cell.
// Otherwise the cell width is the face's own advance at that height.
#include <memory>

#include "platform/Font.h"

std::unique_ptr<FontService> CreateFreeTypeFontService(bool fixedMetrics);

// The fixed cell width for a cell height.
inline int FixedCellWidth(int height) { return (height * 8 + 7) / 15; }
