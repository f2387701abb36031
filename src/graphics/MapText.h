#pragma once
// Maps as editable text: a line "MAP width height", then one line per row
// from north to south holding width tile IDs (0 to 65535) from west to east,
// separated by blanks. Blank lines and lines starting with '#' are ignored.
#include <string>

#include "data/BArray.h"

// Fails unless the map has 2-byte elements.
int MapToText(const CBArray& map, std::string* text);
// On failure `map` is unchanged and `error` says where and why.
int MapFromText(const std::string& text, CBArray* map, std::string* error);
