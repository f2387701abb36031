#pragma once
// The word reader behind the objdefs.dat sections (used by the section
// loaders only).
#include <string>

#include "scenario/Definitions.h"
#include "scenario/LoadReport.h"
#include "scenario/ObjDefs.h"
#include "scenario/ScanText.h"

class ObjDefsReader {
 public:
  ObjDefsReader(const std::string& file, const std::string& text, char kind)
      : cursor(text), site(file, text), kind(kind) {}

  // The next word that is not inside a comment; false at the end of the text.
  bool NextWord(std::string& word);
  // Searches from the start for the line "<kind>LIST:"; false when missing.
  bool FindSectionHeader();
  void SkipLine() { cursor.SkipLine(); }

  // The rest of the current line (leading blanks included); false if empty.
  bool RestOfLine(std::string& out) { return cursor.RestOfLine(out); }
  // A cursor limited to the rest of the current line, and taking its position.
  ScanCursor Line() const;
  void Consume(const ScanCursor& c) { cursor.pos = c.pos; }
  // "%hu" from the current line; false (field unchanged) when none is there.
  bool LineU16(uint16_t& out);
  // "%*[ ]%[^ \n]": one word after one or more blanks.
  bool LineWord(std::string& out) { return cursor.SpacedWord(out); }
  // "%*[ ]\"%[^\"]\"" read on from the file: the text may run over line
  // ends. Unterminated text prints an error and returns QuotedUnterminated.
  QuotedResult FileQuoted(std::string& out);

  ScanCursor cursor;
  LoadSite site;
  char kind;
};


// Section loaders; each returns false when the section must be dropped.
bool ReadCreatureSection(ObjDefsReader& r, std::unique_ptr<CreatureTable>& table);
bool ReadNpcSection(ObjDefsReader& r, std::unique_ptr<NpcTable>& table);
bool ReadItemSection(ObjDefsReader& r, std::unique_ptr<ItemTable>& table);
bool ReadVehicleSection(ObjDefsReader& r, std::unique_ptr<VehicleTable>& table);
bool ReadLocationSection(ObjDefsReader& r, std::unique_ptr<LocationTable>& table);

// Prints the section's could-not-load error for an ID outside the table.
void ReportBadDefId(char kind, int id);

// Quoted texts of a record line read from a line cursor: the text between
// the quotes (an empty pair included). Unterminated text prints the loader's
// error and returns QuotedUnterminated.
QuotedResult LineQuoted(ScanCursor& c, std::string& out);
