#pragma once
// Sized word and byte arrays on one line of a text data file. The file is
// positioned after the keyword; the line holds the size (where the format
// has one) and the values, each after one or more spaces. Values are read as
// words and converted as signed decimal text (a non-numeric word is 0);
// reading stops where the line ends. Entries a line does not fill are 0.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "data/DataLists.h"
#include "data/TextDataFile.h"

// Size n ("%hd") then values; 1 <= n < limit. A value beyond n prints
// "Allocation size %d too small" and is dropped (still success). On failure
// words is emptied and count is 0.
bool ReadSizedWordArray(TextDataFile* file, std::vector<uint16_t>* words, int16_t* count, int16_t limit);
bool ReadSizedByteArray(TextDataFile* file, std::vector<uint8_t>* bytes, int16_t* count, int16_t limit);
// With n = 0 the size is read first ("%hu"); then values. countOut = n,
// readOut = values read (either may be null).
bool ReadSizedWordArraySW(TextDataFile* file, std::vector<uint16_t>* words, uint16_t n, uint16_t* countOut,
                          uint16_t* readOut);
// Values only, at most max; the array is sized to the values read.
bool LoadCreateWORDArrayOpenFile(TextDataFile* file, int max, std::vector<uint16_t>* words, int* count);
std::unique_ptr<WordList> LoadCreateWORDListOpenFile(TextDataFile* file, int max);
// As ReadSizedWordArraySW; a list of n words (n at most 32767).
std::unique_ptr<WordList> LoadCreateWListSWOpenFile(TextDataFile* file, uint16_t n);
// Size n (1 to 255) then values; more values than n is an error.
bool LoadCreateBListExOpenFile(TextDataFile* file, std::unique_ptr<ByteList>* list);

// "n w1 w2 ... \n": every number followed by one space.
bool WriteSizedWordArray(FILE* file, const uint16_t* words, int n);
// The prefix as it stands, then "w " for each word, then "\n"; nothing for an
// empty list.
bool WriteSizedWordArraySW(FILE* file, const WordList* list, const char* prefix);
