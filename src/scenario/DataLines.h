#pragma once
// Keyword-line reading of the scenario's text data files held in memory: the
// header line, "#" line comments and "/*" ... "*/" block comments are skipped,
// and each keyword's values are read from the rest of its line. A keyword's
// values must stand on its own line: a value that is missing there is
// missing, and the next line is never taken in its place.
#include <cstdint>
#include <string>
#include <vector>

#include "scenario/LoadReport.h"
#include "scenario/ScanText.h"

class DataLines {
 public:
  DataLines(const std::string& file, const std::string& text);

  // The first word of the next line that is not a comment, or false at the
  // end of the text. The rest of that line is left for the value readers.
  bool NextKeyword(std::string& keyword);
  // From the current position: the next line whose keyword is exactly `key`
  // (comments honoured); the rest of that line is left for the caller.
  bool FindLine(const char* key);
  void SkipLine() { cursor.SkipLine(); }

  // Value readers on the rest of the current line.
  ScanCursor Line() const;            // a cursor over the rest of the line
  void Consume(const ScanCursor& c) { cursor.pos = c.pos; }
  bool U16(uint16_t& out);
  bool Int(int32_t& out);
  bool SpacedWord(std::string& out);  // "%*[ ]%[^ \n]"
  bool RestOfLine(std::string& out);  // "%[^\n]"

  LoadSite& Site() { return site; }
  ScanCursor cursor;

 private:
  LoadSite site;
};

// Finds the "LIST:" line and reads its count ("%d"), checked as a full
// integer: true with 0 <= count <= max, the position then on the next line.
// Otherwise false after "ERROR (<op>): Could not get list" (no line or no
// number) or "ERROR (<op>): Invalid list count <n>".
bool ScenarioListCount(DataLines& file, const char* operation, int max, int& count);

// Sized lists on the rest of the line: the size ("%hd", 1 to limit - 1),
// then the values, each after one or more blanks and converted as decimal
// numbers. Missing values are 0; a value beyond the size prints
// "ERROR (<op>): Allocation size <n> too small" and ends the list (success).
// A bad size prints "ERROR (<op>): Invalid list size <n>" and fails. The
// operation names are ReadSizedByteArray and ReadSizedWordArray.
bool ScenarioSizedBytes(DataLines& file, std::vector<uint8_t>& out, int limit);
bool ScenarioSizedWords(DataLines& file, std::vector<uint16_t>& out, int limit);
