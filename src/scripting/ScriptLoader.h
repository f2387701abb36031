#pragma once
// The script loader: script files (and the internal scripts of trigger
// lists) into ScriptLists. Body syntax, word by word:
//   "#" comment line; "/*" ... a line starting with "*/" block comment;
//   "END" ends the script (in an included file: that file);
//   "INCLUDE: name [-SCRIPT]" one level of include from the scenario directory;
//   "<id> <Command> args..." a command line; any other first word is ignored.
// Arguments are separated by spaces only (a tab belongs to the word); a
// double-quoted argument may hold spaces and run over line ends. Every
// failure prints its "ERROR (SCRIPT LOADER): ..." line (or nothing, where the
// format says so) and yields no script: a script is never partly loaded.
#include <cstdint>
#include <string>

#include "scripting/ScriptList.h"

class TextDataFile;

// Most arguments read for one line; further words are discarded.
inline constexpr int MaxScriptArgs = 256;

// Opens the engine path, seeks "SCRIPT:" and reads the body; none (without a
// message) when the file cannot be read or has no "SCRIPT:".
ScriptList* LoadScriptFile(const std::string& path, uint16_t scenario);
// "DATA%d\script%d.dat".
ScriptList* LoadScriptNumber(uint16_t scenario, uint16_t number);
// Capacity and body from the file's current position up to the script's
// "END" or the end of the file; the file stays open. `firstLine` is the
// 1-based line of the current position and `path` the file's name, for the
// messages' listener (0 / empty: unknown, the file's own path then).
ScriptList* ReadScriptBody(TextDataFile& file, uint16_t scenario, int firstLine = 0,
                           const std::string& path = std::string());

// Receives every message the loader prints, with the file and the 1-based
// line being read (0 when not known). Used by korva-tool check.
using ScriptLoadListener = void (*)(void* user, const std::string& file, int line, const std::string& text);
void SetScriptLoadListener(ScriptLoadListener listener, void* user);
bool ScriptLoadListening();
// Prints a loader line and hands it to the listener with the given place.
void ReportScriptLoad(const std::string& file, int line, const std::string& text);

// A file name given by a script or data file, relative to the scenario
// directory: false for an empty name, an absolute path, a drive name or a
// ".." component, so that nothing outside the scenario directory is reached.
bool IsScenarioRelativeName(const std::string& name);
// 1-based line of a position in a text (CR before LF dropped as the reader does).
int LineOfPosition(const std::string& rawText, size_t normalizedPos);
