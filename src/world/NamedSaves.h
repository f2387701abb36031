#pragma once
// Named saves as directory copies, made so that an interrupted save or load
// never leaves the previous state unusable: the copy is built aside and
// swapped in by renames, and an interrupted swap is undone on the next use.
#include <string>

// Copies the working directory to the named save `target` ("save\<name>").
// The copy is built in "save\.stage-<name>"; the old save is renamed to
// "save\.old-<name>" only once the copy is complete, and deleted after the
// new one took its place. Returns 1, or 0 after an ERROR line.
int WriteNamedSave(const std::string& workDir, const std::string& target);
// Copies the named save into the working directory: built in
// "<workDir>.stage", then the working directory is renamed to
// "<workDir>.tmp", the stage takes its place and the ".tmp" is deleted.
int RestoreNamedSave(const std::string& source, const std::string& workDir);
// Undoes an interrupted swap of a named save or of the working directory.
void RecoverInterruptedSave(const std::string& dir);
