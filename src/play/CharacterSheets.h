#pragma once
// The character sheets: Z (the full-screen sheet in the scenario's style)
// and Control+Z (the detailed list on the main display).
#include <string>

#include "play/UIServices.h"

class CGame;
class TextDisplay;
struct PCRecord;

// Z: style 0 classic, 1 detailed (the scenario's STATS value).
int Stats(CGame& game, const UIServices& ui);
// The full-screen sheet of `member` until a key closes it.
int StatsFullScreen(CGame& game, const UIServices& ui, int style, PCRecord* member);
// Control+Z.
int DetailedStats(CGame& game);

// The sheet texts, written on the current output; `display` (may be null)
// is the display that output goes to, for the columns.
void WriteClassicSheet(const CGame& game, const PCRecord& member, TextDisplay* display);
void WriteDetailedSheet(const CGame& game, const PCRecord& member, TextDisplay* display);
// The condition words of a member (" GOOD", " DEAD ", " POISONED " ...).
std::string ConditionWords(const PCRecord& member);
// The compact inventory list of a listing class: "name-quantity " for
// each stack.
std::string CompactInventoryList(const CGame& game, const PCRecord& member, int listingClass);
