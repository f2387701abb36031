#pragma once
// The small options menu of the main menu's special options: debug messages.

// Flips DebugMode; returns the new state.
bool ToggleDebugMode();
// Shows the menu and handles one key. With a running game an unknown key
// ends with the command prompt. Returns 1.
int ShowDebugOptionsMenu(bool gameExists);
