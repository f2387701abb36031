#pragma once
// File layer. Engine paths are written with backslashes ("DATA1\main.cfg") in
// data and messages; they are mapped to host paths here and only here. When an
// exact name is missing, each path component falls back to a case-insensitive
// match in its directory, so scenarios made on case-insensitive systems load.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

std::string HostPath(std::string_view enginePath);
FILE* AOpenFile(const std::string& enginePath, const char* mode);
bool AFileExists(const std::string& enginePath);
bool ADirExists(const std::string& enginePath);
// Whole file into `out`; false when it cannot be read.
bool AReadFile(const std::string& enginePath, std::string& out);
// Writes to a temporary file beside the target, then renames it into place.
bool AWriteFileAtomic(const std::string& enginePath, std::string_view data);
// Names in a directory (no "." or ".."), sorted; false when it cannot be listed.
bool AListDir(const std::string& enginePath, std::vector<std::string>& names);

// Each returns 1 on success, 0 on failure, with no message.
int ACopyFile(const std::string& from, const std::string& to);
int ADeleteFile(const std::string& path);
int ARenameFile(const std::string& from, const std::string& to);
int AMakeDir(const std::string& path);
// Return 1/0 and write LastErrorText on failure.
int ACopyDir(const std::string& from, const std::string& to);
int ADeleteDir(const std::string& path);
