#include "scenario/ObjDefs.h"

#include "scenario/ObjDefsReader.h"
#include "scenario/ScenarioFiles.h"
#include "text/Output.h"

const char* DefKindName(char kind) {
  switch (kind) {
    case 'C': return "creature";
    case 'N': return "NPC";
    case 'L': return "location";
    case 'V': return "vehicle";
    case 'I': return "item";
  }
  return "unknown";
}

void PrintDefRangeError(int id) { PrintLine("ERROR (CVPList::Get): Position out of range: %d", id - 1); }

void ReportBadDefId(char kind, int id) {
  ScenarioMessage("ERROR (LoadCreateDefs): Could not load %s def %d", DefKindName(kind), id);
}

void SetQuotedText(OwnedText& slot, const std::string& text) {
  if (text == "<NULL>")
    slot.reset();
  else
    slot = text;
}

QuotedResult LineQuoted(ScanCursor& c, std::string& out) {
  QuotedResult q = c.Quoted(out, false);
  if (q == QuotedUnterminated) ScenarioMessage("ERROR (LoadCreateDefs): Unterminated quoted text");
  return q;
}

bool ObjDefsReader::NextWord(std::string& word) {
  bool inBlock = false;
  while (true) {
    cursor.SkipWhite();
    if (cursor.AtEnd()) return false;
    site.Mark(cursor.pos);
    cursor.LineWord(word, kMaxKeywordText);
    if (inBlock) {
      if (word == "*/") {
        inBlock = false;
        cursor.SkipLine();
      }
      continue;
    }
    if (word[0] == '#') {
      cursor.SkipLine();
      continue;
    }
    if (word == "/*") {
      inBlock = true;
      continue;
    }
    return true;
  }
}

bool ObjDefsReader::FindSectionHeader() {
  const std::string key = std::string(1, kind) + "LIST:";
  std::string word;
  bool inBlock = false;
  while (true) {
    cursor.SkipWhite();
    if (cursor.AtEnd()) return false;
    site.Mark(cursor.pos);
    cursor.LineWord(word, kMaxKeywordText);
    if (inBlock) {
      if (word == "*/") inBlock = false;
    } else if (word == "/*") {
      inBlock = true;
    } else if (word == key) {
      return true;
    }
    cursor.SkipLine();
  }
}

ScanCursor ObjDefsReader::Line() const {
  const char* e = cursor.pos;
  while (e < cursor.end && *e != '\n') ++e;
  return ScanCursor(cursor.pos, e);
}

bool ObjDefsReader::LineU16(uint16_t& out) {
  ScanCursor c = Line();
  bool ok = c.U16(out);
  Consume(c);
  return ok;
}

QuotedResult ObjDefsReader::FileQuoted(std::string& out) {
  ScanCursor c = cursor;
  if (!c.Blanks()) return QuotedNone;
  QuotedResult q = c.Quoted(out, true);
  if (q == QuotedOk) cursor = c;
  if (q == QuotedUnterminated) ScenarioMessage("ERROR (LoadCreateDefs): Unterminated quoted text");
  return q;
}

namespace {
// Reads one section into a new table of `count` entries; the table replaces
// the old one only when the whole section was read.
template <typename Table>
int LoadSection(ObjDefsReader& r, int count, bool (*read)(ObjDefsReader&, std::unique_ptr<Table>&),
                std::unique_ptr<Table>& destination) {
  auto table = std::make_unique<Table>(count);
  if (!read(r, table)) return 0;
  destination = std::move(table);
  return 1;
}
}  // namespace

int LoadCreateDefsText(ObjDefTables& tables, char kind, const std::string& text, const std::string& fileName) {
  DebugPrintLine("Loading %c definitions", kind);
  ObjDefsReader r(fileName, text, kind);
  if (!r.FindSectionHeader()) return 0;
  ScanCursor line = r.Line();
  int32_t count = 0;
  if (!line.Int(count)) {
    ScenarioMessage("ERROR (LoadCreateDefs): Missing count after %cLIST:", kind);
    return 0;
  }
  r.Consume(line);
  if (count < 0 || count > 65535) {
    ScenarioMessage("ERROR (LoadCreateDefs): Invalid %cLIST: count %d", kind, count);
    return 0;
  }
  switch (kind) {
    case 'C': return LoadSection(r, count, ReadCreatureSection, tables.creatures);
    case 'N': return LoadSection(r, count, ReadNpcSection, tables.npcs);
    case 'L': return LoadSection(r, count, ReadLocationSection, tables.locations);
    case 'V': return LoadSection(r, count, ReadVehicleSection, tables.vehicles);
    case 'I': return LoadSection(r, count, ReadItemSection, tables.items);
  }
  return 0;
}

int LoadCreateDefs(ObjDefTables& tables, char kind, int scenarioNumber) {
  std::string path = ScenarioPath(scenarioNumber, "objdefs.dat");
  std::string text;
  if (!ReadScenarioText(path, text)) {
    LoadSite site(path);
    ScenarioMessage("WARNING (loading defs %c): Could not open file: %s", kind, path.c_str());
    return 0;
  }
  return LoadCreateDefsText(tables, kind, text, path);
}
