#pragma once
// Value readers on an open text data file. The string readers return the
// file's value text (valid until the next read of that file) or none, and
// never pass a newline; the numeric readers skip white space, newlines
// included. Every reader accepts a null file and then finds nothing.
#include <cstdint>
#include <string>

#include "data/TextDataFile.h"

// Up to and including the next newline, or to the end.
void SkipLine(TextDataFile* file);

// The rest of the line, leading blanks included; none if nothing is left.
const char* ReadRestOfLine(TextDataFile* file);
// Up to a ';' or the end of the line.
const char* ReadToSemicolon(TextDataFile* file);
// One or more spaces (not tabs), then a word; none when no space is there,
// when the line ends or at the end of the file.
const char* ReadWord(TextDataFile* file);
// Like ReadWord, but the spaces are optional.
const char* ReadWordLoose(TextDataFile* file);

bool ReadU16(TextDataFile* file, uint16_t* out);
bool ReadInt(TextDataFile* file, int* out);
bool ReadS16(TextDataFile* file, int16_t* out);
// A "%hu" number whose low 8 bits are stored when out is given.
bool ReadByte(TextDataFile* file, uint8_t* out);

// One or more spaces, then a text in double quotes (it may run over lines).
// An owned copy (free with FreeString), or none when the pattern fails, the
// quotes are empty or the text is "<NULL>".
char* ReadQuotedString(TextDataFile* file);
// An owned copy of the ReadWord word, or none.
char* ReadWordString(TextDataFile* file);

// From the current position (no rewind), finds the next line whose first
// token is exactly key, honouring '#' line comments and "/*" ... "*/" blocks;
// the rest of that line is left for the caller. False at the end.
bool FindKeywordLine(TextDataFile* file, const char* key);

// Finds the first line, from the current position, that starts with the key
// exactly as given, a colon and one or more spaces; out receives the rest of
// that line (empty when not found). The file is rewound in every case.
// Comments are not honoured here.
bool ReadKeyValue(TextDataFile* file, const char* key, std::string& out);
