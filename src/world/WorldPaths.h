#pragma once
// Directory and file names of the world: the scenario directory, the working
// save directory, group buffers, and the checks that keep names coming from
// data files and from the player inside the engine's directories.
#include <cstdint>
#include <string>

#include "graphics/FrameSet.h"

// ScenarioDirName(n) ("DATA<n>") comes from graphics/FrameSet.h.
std::string WorkingSaveDir(int scenario);        // "save\Default<n>"
std::string GroupBufferDir(int group);           // "save\Buffer<g>"
std::string MapDataFileName(uint16_t map);       // "map<m>.dat"

// A file name from a data file: not empty, not absolute, no drive, no ".."
// component, no control characters.
bool IsConfinedName(const std::string& name);

// The longest save name accepted.
inline constexpr size_t MaxSaveNameLength = 64;
// A save name typed by the player: no path separators, no "..", no leading
// dot, no control characters, none of the engine's own directory names
// (Default<n>, Buffer<g>, compared without case), at most MaxSaveNameLength
// characters. On refusal `why` says what is wrong.
bool CheckSaveName(const std::string& name, std::string* why);
