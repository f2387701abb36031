#pragma once
// Windows-1252, the character set of every engine text, and UTF-8, the
// character set of the host's clipboard and message boxes.
#include <cstdint>
#include <string>

// The Unicode code point of a byte; 0 for the five bytes 1252 leaves unassigned.
uint32_t Cp1252ToUnicode(uint8_t byte);
std::string Cp1252ToUtf8(const std::string& text);
// Characters 1252 cannot hold become '?'; broken UTF-8 bytes too.
std::string Utf8ToCp1252(const std::string& text);
