#pragma once
// Owned strings, scenario paths and small file utilities of the data files.
// Engine paths use a single backslash as separator ("DATA1\scenario.dat").
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// An owned NUL-terminated copy (free with FreeString), or none for a null
// text. On allocation failure prints
// "ERROR (AllocString): Could not allocate memory" and returns none.
char* AllocString(const char* text);
// Frees an owned string and sets the slot to none.
void FreeString(char*& text);
// Stores a copy of text in the slot: over the old string in place when the
// lengths match, else as a new copy. Missing slot or text:
// "ERROR (UpdateAllocString): Missing parameter(s)", 0.
int UpdateAllocString(char** slot, const char* text);

// "DATA%d" of scenario number n; "DATA%d\%s" of a file inside it.
std::string ScenarioDir(uint16_t scenario);
std::string ScenarioFile(uint16_t scenario, std::string_view name);

// None for a null or empty path, otherwise the file opened through the file layer.
FILE* OpenFile(const std::string& path, const char* mode);
// True if the path exists, files and directories alike.
bool FileExists(const std::string& path);
// The size in bytes; false when it cannot be opened.
bool GetFileSize(int64_t* size, const std::string& path);

// A name that holds a backslash anywhere is used unchanged; otherwise
// dir + "\" + name.
std::string JoinPath(std::string_view name, std::string_view dir);
// The text after the last dot, or none.
const char* GetExtension(const char* name);
// The name up to (not including) its last dot, all of it if there is none,
// at most max characters.
std::string StripExtension(std::string_view name, size_t max);
