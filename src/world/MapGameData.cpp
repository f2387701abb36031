// The map game data block of a map file.
#include <cstdio>
#include <cstring>

#include "platform/Files.h"
#include "scenario/Keywords.h"
#include "scenario/ScanText.h"
#include "text/Output.h"
#include "world/MapFile.h"
#include "world/WorldPaths.h"

namespace {
// The rest of the current line as its own cursor; the outer cursor moves to
// the start of the next line.
ScanCursor TakeLine(ScanCursor& c) {
  const char* start = c.pos;
  while (c.pos < c.end && *c.pos != '\n') ++c.pos;
  ScanCursor line(start, c.pos);
  if (c.pos < c.end) ++c.pos;
  return line;
}

int32_t IntOf(ScanCursor line) {
  int32_t v = 0;
  line.Int(v);
  return v;
}

uint16_t U16Of(ScanCursor line) {
  uint16_t v = 0;
  line.U16(v);
  return v;
}

// A word of a table or a number.
int WordOrNumber(ScanCursor line, WordTable table) {
  std::string w;
  if (!line.Word(w, 64)) return 0;
  return ParseWord(table, w);
}

// UPMAP:/DOWNMAP: one word: a non-zero number is the map, otherwise an
// entry type word.
void UpDown(ScanCursor line, uint8_t& type, uint16_t& map) {
  std::string w;
  if (!line.Word(w, 64)) return;
  int32_t n = DecimalToInt(w);
  if (n != 0) {
    map = uint16_t(n);
    return;
  }
  for (const char* word : {"NORMAL", "ENTER", "EXIT", "BORDER", "ENTERBORDER"})
    if (w == word) type = uint8_t(ParseWord(WordTable::EntryType, w));
}

bool IsListKeyword(const std::string& kw) { return kw.size() == 6 && kw.compare(1, 5, "LIST:") == 0; }

// Returns false when an object list section starts.
bool ReadBlock(const std::string& text, int scenario, MapGameData& d, bool included) {
  ScanCursor c(text);
  bool inComment = false;
  while (!c.AtEnd()) {
    c.SkipWhite();
    if (c.AtEnd()) break;
    std::string kw;
    c.LineWord(kw, 511);
    ScanCursor line = TakeLine(c);
    if (inComment) {
      if (kw == "*/") inComment = false;
      continue;
    }
    if (kw == "/*") {
      inComment = true;
      continue;
    }
    if (kw.empty() || kw[0] == '#') continue;
    if (IsListKeyword(kw)) return false;
    if (kw == "INITDONE:") {
      if (IntOf(line) & 1) d.flags |= MapDataInitDone;
      else d.flags &= uint8_t(~MapDataInitDone);
    } else if (kw == "NOEXITMAPISC:") {
      if (IntOf(line) & 1) d.flags |= MapDataNoExitMapIsc;
      else d.flags &= uint8_t(~MapDataNoExitMapIsc);
    } else if (kw == "DOTRIGGERS") d.flags |= MapDataDoTriggers;
    else if (kw == "NOGROUPRETREAT") d.flags |= MapDataNoGroupRetreat;
    else if (kw == "ZMCBACK") d.flags |= MapDataZmcBack;
    else if (kw == "DARK:") d.dark = uint8_t(IntOf(line));
    else if (kw == "WIND:") d.wind = uint8_t(IntOf(line));
    else if (kw == "FOOD:") {
      int16_t v = 0;
      if (line.S16(v)) d.food = v;
    } else if (kw == "ENCTABLE:") d.encTable = U16Of(line);
    else if (kw == "EGTABLE:") d.egTable = uint8_t(IntOf(line));
    else if (kw == "TRIGGERLIST:") d.triggerList = U16Of(line);
    else if (kw == "STARTSCRIPT:") d.startScript = U16Of(line);
    else if (kw == "EXITSCRIPT:") d.exitScript = U16Of(line);
    else if (kw == "TURNSCRIPT:") d.turnScript = U16Of(line);
    else if (kw == "AIMOVETYPE:") d.aiMoveType = uint8_t(IntOf(line));
    else if (kw == "AIATTACKTYPE:") d.aiAttackType = uint8_t(WordOrNumber(line, WordTable::AttackTargeting));
    else if (kw == "AIATTACKMAPVEHICLE:") d.aiAttackMapVehicle = uint8_t(IntOf(line));
    else if (kw == "RANGEDATTACK:") d.rangedAttack = uint8_t(IntOf(line));
    else if (kw == "NOVM:") d.noViewMap = uint8_t(IntOf(line));
    else if (kw == "NOVM") d.noViewMap = 255;
    else if (kw == "NOREPGROUP:") d.noRepGroup = uint8_t(IntOf(line));
    else if (kw == "RANGEDRETREAT") d.rangedRetreat = 1;
    else if (kw == "SECURITY:") d.security = uint8_t(WordOrNumber(line, WordTable::Security));
    else if (kw == "ZMFLOOR:") d.zmFloor = U16Of(line);
    else if (kw == "ZMWALL:") d.zmWall = U16Of(line);
    else if (kw == "ZMCWOS:") d.zmCwos = uint8_t(IntOf(line));
    else if (kw == "ZMSTARTSCRIPT:") d.zmStartScript = U16Of(line);
    else if (kw == "BSTART:") {
      std::string rest;
      line.SkipSpaces();
      if (line.RestOfLine(rest)) d.startString = rest;
    } else if (kw == "UPMAP:") UpDown(line, d.upType, d.upMap);
    else if (kw == "DOWNMAP:") UpDown(line, d.downType, d.downMap);
    else if (kw == "EXITMAP:") {
      line.U16(d.exitMap) && line.U16(d.exitX) && line.U16(d.exitY);
    } else if (kw == "EXITOBJ:") {
      line.U16(d.exitMap) && line.U16(d.exitObject);
    } else if (kw == "SAVE:") d.save = uint8_t(IntOf(line));
    else if (kw == "GROUP:") d.group = U16Of(line);
    else if (kw == "MBUFFER:") d.memoryBuffer = uint8_t(IntOf(line));
    else if (kw == "FBUFFER:") d.fileBuffer = uint8_t(IntOf(line));
    else if (kw == "USECBUFFERING:") d.condBuffer = uint8_t(IntOf(line));
    else if (kw == "ENCCOUNT:") d.encCount = IntOf(line);
    else if (kw == "CRTURN:") {
      int16_t v = 0;
      if (line.S16(v)) d.crTurn = v;
    } else if (kw == "PCREP:") {
      int16_t v = 0;
      if (line.S16(v)) d.pcRep = v;
    } else if (kw == "PARTYSPLIT:") d.partySplit = uint8_t(WordOrNumber(line, WordTable::Permission));
    else if (kw == "PSTTRIGGER:") d.partySplitTrigger = U16Of(line);
    else if (kw == "GINCLUDE:") {
      std::string name;
      if (included) {
        PrintLine("ERROR (Include): Cannot include from an include");
      } else if (line.Word(name, 255)) {
        if (!IsConfinedName(name)) {
          PrintLine("ERROR (LoadMapGameData): Invalid include file name: %s", name.c_str());
        } else {
          std::string inc;
          std::string path = ScenarioDirName(scenario) + "\\" + name;
          if (!AReadFile(path, inc)) PrintLine("ERROR (Include): Could not open file %s", path.c_str());
          else if (!ReadBlock(inc, scenario, d, true)) {
            // A list section inside an include ends only the include.
          }
        }
      }
    }
  }
  return true;
}
}  // namespace

void LoadMapGameDataText(const std::string& text, int scenario, MapGameData& out) {
  DebugPrintLine("Loading map game data");
  ReadBlock(text, scenario, out, false);
}

bool LoadMapGameData(const std::string& path, int scenario, MapGameData& out) {
  std::string text;
  if (!AReadFile(path, text)) return false;
  DropLineEndCRs(text);
  LoadMapGameDataText(text, scenario, out);
  return true;
}

std::string SaveMapGameDataText(const MapGameData& d) {
  std::string s;
  char line[160];
  auto put = [&](const char* fmt, auto... v) {
    std::snprintf(line, sizeof line, fmt, v...);
    s += line;
    s += '\n';
  };
  // Every field is written, so that a re-read gives the same record.
  put("INITDONE: %d", d.flags & MapDataInitDone ? 1 : 0);
  put("NOEXITMAPISC: %d", d.flags & MapDataNoExitMapIsc ? 1 : 0);
  if (d.flags & MapDataDoTriggers) s += "DOTRIGGERS\n";
  if (d.flags & MapDataNoGroupRetreat) s += "NOGROUPRETREAT\n";
  if (d.flags & MapDataZmcBack) s += "ZMCBACK\n";
  put("DARK: %d", d.dark);
  put("WIND: %d", d.wind);
  put("FOOD: %d", d.food);
  put("ENCTABLE: %d", d.encTable);
  put("EGTABLE: %d", d.egTable);
  put("TRIGGERLIST: %d", d.triggerList);
  put("STARTSCRIPT: %d", d.startScript);
  put("EXITSCRIPT: %d", d.exitScript);
  put("TURNSCRIPT: %d", d.turnScript);
  put("AIMOVETYPE: %d", d.aiMoveType);
  put("AIATTACKTYPE: %d", d.aiAttackType);
  put("AIATTACKMAPVEHICLE: %d", d.aiAttackMapVehicle);
  put("RANGEDATTACK: %d", d.rangedAttack);
  put("NOVM: %d", d.noViewMap);
  put("NOREPGROUP: %d", d.noRepGroup);
  if (d.rangedRetreat) s += "RANGEDRETREAT\n";
  put("SECURITY: %d", d.security);
  put("ZMFLOOR: %d", d.zmFloor);
  put("ZMWALL: %d", d.zmWall);
  put("ZMCWOS: %d", d.zmCwos);
  put("ZMSTARTSCRIPT: %d", d.zmStartScript);
  if (d.startString) s += "BSTART: " + *d.startString + "\n";
  if (d.upMap) put("UPMAP: %d", d.upMap);
  else if (d.upType) put("UPMAP: %s", WordName(WordTable::EntryType, d.upType) ? WordName(WordTable::EntryType, d.upType) : "0");
  if (d.downMap) put("DOWNMAP: %d", d.downMap);
  else if (d.downType)
    put("DOWNMAP: %s", WordName(WordTable::EntryType, d.downType) ? WordName(WordTable::EntryType, d.downType) : "0");
  if (d.exitObject) put("EXITOBJ: %d %d", d.exitMap, d.exitObject);
  else put("EXITMAP: %d %d %d", d.exitMap, d.exitX, d.exitY);
  put("SAVE: %d", d.save);
  put("GROUP: %d", d.group);
  put("MBUFFER: %d", d.memoryBuffer);
  put("FBUFFER: %d", d.fileBuffer);
  put("USECBUFFERING: %d", d.condBuffer);
  put("ENCCOUNT: %d", d.encCount);
  put("CRTURN: %d", d.crTurn);
  put("PCREP: %d", d.pcRep);
  put("PARTYSPLIT: %d", d.partySplit);
  put("PSTTRIGGER: %d", d.partySplitTrigger);
  return s;
}
