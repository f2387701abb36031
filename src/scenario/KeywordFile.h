#pragma once
// A scenario text data file read with the shared keyword reader, with the
// place of each keyword kept for the load messages.
#include <cstdint>
#include <string>

#include "data/DataFileReader.h"
#include "scenario/LoadReport.h"

class KeywordFile {
 public:
  // `text` is the whole file.
  KeywordFile(const std::string& path, const std::string& text);

  // The next keyword (comments and the header line skipped); false at the end.
  bool Next(std::string& keyword);
  // From the current position, the next line whose keyword is `key`.
  bool FindLine(const char* key);
  void SkipLine() { reader.SkipLine(); }

  // Value readers: numbers skip white space (line ends included); words and
  // the rest of the line stay on the current line.
  bool U16(uint16_t& out) { return reader.ReadU16(&out); }
  bool S16(int16_t& out) { return reader.ReadS16(&out); }
  bool Int(int32_t& out);
  bool Word(std::string& out);        // "%*[ ]%[^ \n]"
  bool RestOfLine(std::string& out);  // "%[^\n]"
  TextDataFile* File() { return reader.File(); }

 private:
  void MarkHere();
  std::string text;  // as the reader sees it (CR LF read as LF)
  LoadSite site;
  DataFileReader reader;
};

// Finds "LIST:" and reads its count ("%d") as a full integer: true with
// 0 <= count <= max, positioned on the next line. Otherwise false after
// "ERROR (<op>): Could not get list" (no line or no number) or
// "ERROR (<op>): Invalid list count <n>".
bool ScenarioListCount(KeywordFile& file, const char* operation, int max, int& count);
