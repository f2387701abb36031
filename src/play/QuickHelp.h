#pragma once
// The quick help of play (F1, Control+F1) and its copy in a text file.
#include <string>
#include <vector>

class CGame;

// The help lines in order ("" for a blank line).
const std::vector<std::string>& QuickHelpLines();
// Prints the help on the current output ("HELP" and a blank line first), or
// with `file` writes it there too. Returns 0 when the file cannot be
// written or there is no output.
int QuickHelp(const std::string* file);
// Options menu F1: asks for a file name inside the game directory and
// writes the help there; the command prompt follows.
int HelpToFile(CGame& game);
// True for a plain file name: not empty, no path separators, no drive and
// no "..", so that the file lands in the game directory.
bool PlainFileName(const std::string& name);
