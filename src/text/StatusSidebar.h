#pragma once
// The status sidebar: the active character's hit points, food, experience
// and gold on lines 0 to 3 and two lines chosen by the scenario.
#include <cstdint>
#include <string>

class CGame;
class TextDisplay;

// Sidebar field numbers.
enum SidebarField { FieldHP = 1, FieldFood = 2, FieldXP = 3, FieldGold = 4, FieldVHP = 5, FieldTorches = 6,
                    FieldWind = 7, FieldSP = 8 };

// The display the sidebar writes to (none: nothing is drawn).
void SetSidebarDisplay(CGame& game, TextDisplay* display);
TextDisplay* SidebarDisplay(const CGame& game);

// "%.4d" up to 99999, above it thousands with "%.4dK".
std::string FormatSidebarNumber(long long value);

int DrawSidebar(CGame& game);
int UpdateSidebarValue(CGame& game, int field, long long value);
int ClearSidebarField(CGame& game, int field);
int ShowSidebarZeros(CGame& game);
// After a gain or loss of items of a definition: rewrites gold, food or torches.
int UpdateSidebarForItem(CGame& game, uint16_t itemDef);
// The count of the active character's items of an item type.
long long CountItemsOfType(const CGame& game, int itemType);
