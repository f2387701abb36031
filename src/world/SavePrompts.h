#pragma once
// Asking the player for the name of a saved game.
#include <optional>
#include <string>

// "Please enter save name: " with the stored name as initial text. On success
// the typed name is stored in `nameStore` and `path` is "save\<name>".
// With mustExist a missing save is refused. Returns true on success.
bool PromptSaveName(std::string& path, std::optional<std::string>& nameStore, bool mustExist);

// Chooses a saved game to load for scenario `scenario`: 0 cancelled or
// failed, 1 a directory save (its path in `path`), 2 a combined save unpacked
// into the working save directory.
int PromptSetupLoad(std::string& path, std::optional<std::string>& nameStore, int scenario);
