#pragma once
// The options menu of play (F2) with its advanced and bug-fix pages, the
// casting-mode switch and the known-spell reordering.
#include "play/UIServices.h"

class CGame;

// Shows the menu and runs one choice. Returns the result of the chosen
// command (0 only on an internal error).
int ShowOptionsMenu(CGame& game, const UIServices& ui);
int ShowAdvancedOptions(CGame& game, const UIServices& ui);
int ShowBugFixOptions(CGame& game);
// Repairs 1 to 4 of saved games damaged by earlier versions; 0 for another
// number.
int ApplyBugFix(CGame& game, int number);
int SwitchCastingMode(CGame& game);
int ReorderKnownSpellList(CGame& game);
// A verbosity answer: exactly 1 to 4 after optional blanks, else 0.
int ParseVerbosity(const char* text);
