// The triglist reader and the trigsave file.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "data/DataFileReader.h"
#include "data/DataReaders.h"
#include "data/DataScan.h"
#include "data/DataStrings.h"
#include "data/TextDataFile.h"
#include "platform/Files.h"
#include "scripting/ScriptContext.h"
#include "scripting/ScriptLoader.h"
#include "scripting/Triggers.h"
#include "text/Output.h"

bool TriggerList::Add(uint16_t id, std::unique_ptr<TriggerEntry> entry) {
  if (count_ >= Capacity() || id == 0) return false;
  ids_[static_cast<size_t>(count_)] = id;
  entries_[static_cast<size_t>(count_)] = std::move(entry);
  ++count_;
  return true;
}

TriggerEntry* TriggerList::Find(uint16_t id) const {
  if (id == 0) return nullptr;
  for (int i = 0; i < count_; ++i)
    if (ids_[static_cast<size_t>(i)] == id) return entries_[static_cast<size_t>(i)].get();
  return nullptr;
}

uint16_t ParseTerrainClass(const char* word) {
  static const char* const words[] = {"BLOCKED", "UNBLOCKED", "ALL", "EMPTY", "LAND", "WATER"};
  for (uint16_t i = 0; i < 6; ++i)
    if (std::strcmp(word, words[i]) == 0) return static_cast<uint16_t>(i + 1);
  return static_cast<uint16_t>(datascan::TextToInt(word));
}

namespace {
// Numbers of a value text, read one after another as "%d" reads them.
struct NumberScan {
  const char* p;
  bool Next(int64_t* out) {
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
    const char* q = p;
    bool negative = false;
    if (*q == '-' || *q == '+') negative = *q++ == '-';
    if (*q < '0' || *q > '9') return false;
    int64_t v = 0;
    for (; *q >= '0' && *q <= '9'; ++q)
      if (v < (1LL << 40)) v = v * 10 + (*q - '0');
    p = q;
    *out = negative ? -v : v;
    return true;
  }
  // "%d": saturating at 32 bits.
  bool Int(int* out) {
    int64_t v;
    if (!Next(&v)) return false;
    *out = static_cast<int>(v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : v);
    return true;
  }
  // "%hu": wraps into 16 bits.
  bool U16(uint16_t* out) {
    int64_t v;
    if (!Next(&v)) return false;
    *out = static_cast<uint16_t>(v);
    return true;
  }
};

struct TriggerLoad {
  DataFileReader reader;
  const std::string* raw = nullptr;  // the top file's text, for line numbers
  std::string path;

  int Line() {
    if (!raw || reader.Including() || !reader.File()) return 0;
    return LineOfPosition(*raw, reader.File()->Tell());
  }
  void Report(const char* format, ...) KORVA_PRINTF(2, 3) {
    char text[1024];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(text, sizeof text, format, ap);
    va_end(ap);
    ReportScriptLoad(reader.Including() ? std::string() : path, Line(), text);
  }
};

// Passes the rest of a failed internal script, up to its "END" line.
void SkipScriptRest(TextDataFile& f) {
  char token[TextDataFile::TokenCapacity];
  while (!f.AtEnd()) {
    if (!datascan::ScanToken(f, token, sizeof token)) return;
    datascan::SkipLine(f);
    if (std::strcmp(token, "END") == 0) return;
  }
}
}  // namespace

std::unique_ptr<TriggerList> LoadTriggerListText(const std::string& text, const std::string& path, uint16_t scenario,
                                                 TriggerCells* cells, ZoneList* zones) {
  TriggerLoad t;
  t.reader.OpenText(text);
  t.raw = &text;
  t.path = path;
  std::unique_ptr<TriggerList> list;
  TriggerEntry* current = nullptr;
  uint16_t currentId = 0;
  uint32_t autoId = 1;
  bool zonesCreated = false;
  if (zones) {
    zones->capacity = 0;
    zones->zones.clear();
  }
  auto fail = [&]() {
    if (zones) {
      zones->capacity = 0;
      zones->zones.clear();
    }
    return std::unique_ptr<TriggerList>();
  };
  while (const char* token = t.reader.NextKeyword()) {
    const std::string k = token;
    if (k == "END") break;
    const bool needsTrigger = k == "P:" || k == "SCRIPT:" || k == "ONCE" || k == "REMOVE" || k == "NOINCAP" ||
                              k == "MOVEONLY" || k == "IMMEDIATE" || k == "NODARK" || k == "DONE" ||
                              k == "REDRAW:" || k == "TCAP:" || k == "NPCTERRAIN:" || k == "SFLAG:" || k == "ZONE:";
    if (needsTrigger && !current) {
      t.Report("ERROR (Trigger loader): Trigger not created");
      t.reader.SkipLine();
      continue;
    }
    if (k == "SCRIPT:") {
      TextDataFile* f = t.reader.File();
      const int first = t.Line();
      std::unique_ptr<ScriptList> script(ReadScriptBody(*f, scenario, first, t.reader.Including() ? f->Path() : path));
      if (!script) {
        t.Report("ERROR (Trigger loader): Could not load internal script (trigger %d)", currentId);
        SkipScriptRest(*f);
        continue;
      }
      current->script = std::move(script);
      t.reader.SkipLine();
      continue;
    }
    if (k == "INCLUDE:") {
      const char* name = t.reader.ReadWordLoose();
      const std::string file = name ? name : "";
      if (!IsScenarioRelativeName(file))
        t.Report("ERROR (Trigger loader): Invalid include file name \"%s\"", file.c_str());
      else
        t.reader.Include(ScenarioFile(scenario, file));
      t.reader.SkipLine();
      continue;
    }
    const char* rest = t.reader.ReadRestOfLine();
    NumberScan scan{rest ? rest : ""};
    if (k == "LIST:") {
      int n = 0;
      if (!scan.Int(&n)) return fail();
      if (n < 0 || n > DataFileReader::MaxListCount) {
        t.Report("ERROR (Trigger loader): Invalid list size %d", n);
        return fail();
      }
      list = std::make_unique<TriggerList>(n);
      current = nullptr;
      currentId = 0;
    } else if (k == "T:") {
      if (!list) {
        t.Report("ERROR (Trigger loader): List not created");
      } else {
        uint16_t id = 0, script = 0, once = 0;
        scan.U16(&id) && scan.U16(&script) && scan.U16(&once);
        if (id == 0) {
          id = static_cast<uint16_t>(autoId);
          ++autoId;
        } else if (id >= autoId) {
          autoId = static_cast<uint32_t>(id) + 1;
        }
        auto entry = std::make_unique<TriggerEntry>();
        if (script != 0) {
          entry->script.reset(LoadScriptNumber(scenario, script));
          if (!entry->script)
            t.Report("ERROR (Trigger loader): Could not load external script %d (trigger %d)", script, id);
        }
        if (once != 0) entry->flags |= trigger::Once;
        TriggerEntry* raw = entry.get();
        if (!list->Add(id, std::move(entry))) {
          t.Report("ERROR (Trigger loader): Could not add trigger ID %d", id);
          return fail();
        }
        current = raw;
        currentId = id;
      }
    } else if (k == "P:") {
      int x1 = 0, y1 = 0, x2 = -1, y2 = -1;
      if (!scan.Int(&x1) || !scan.Int(&y1)) {
        t.Report("ERROR (Trigger loader): Must provide x,y pair (trigger %d)", currentId);
      } else if (!cells) {
        t.Report("ERROR (Trigger loader): Invalid quality map preventing setting position");
      } else {
        if (scan.Int(&x2)) scan.Int(&y2);
        if (x2 < 0) x2 = x1;
        if (y2 < 0) y2 = y1;
        if (!cells->Inside(x1, y1) || !cells->Inside(x2, y2)) {
          t.Report("ERROR (Trigger loader): Failed to set triggers into qmap (trigger %d)", currentId);
        } else {
          for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) cells->Set(x, y, currentId);
        }
      }
    } else if (k == "ONCE") {
      current->flags |= trigger::Once;
    } else if (k == "REMOVE") {
      current->flags |= trigger::Remove;
    } else if (k == "NOINCAP") {
      current->flags |= trigger::NoIncap;
    } else if (k == "MOVEONLY") {
      current->flags |= trigger::MoveOnly;
    } else if (k == "IMMEDIATE") {
      current->flags |= trigger::Immediate;
    } else if (k == "NODARK") {
      current->flags2 |= trigger::NoDark;
    } else if (k == "DONE") {
      current->flags |= trigger::Once | trigger::Done;
    } else if (k == "REDRAW:" || k == "SFLAG:") {
      uint16_t v = 0;
      if (scan.U16(&v)) (k == "REDRAW:" ? current->redraw : current->sflag) = static_cast<uint8_t>(v);
    } else if (k == "TCAP:" || k == "NPCTERRAIN:") {
      char word[64] = "";
      const char* p = scan.p;
      while (*p == ' ' || *p == '\t') ++p;
      size_t n = 0;
      while (p[n] && p[n] != ' ' && p[n] != '\t' && n + 1 < sizeof word) {
        word[n] = p[n];
        ++n;
      }
      word[n] = 0;
      (k == "TCAP:" ? current->tcap : current->npcTerrain) = ParseTerrainClass(word);
    } else if (k == "ZLIST:") {
      int n = 0;
      if (!zones) {
        t.Report("ERROR (Trigger loader): Missing zone trigger param");
      } else if (scan.Int(&n) && n >= 0 && n <= DataFileReader::MaxListCount) {
        zones->capacity = n;
        zones->zones.clear();
        zonesCreated = true;
      } else {
        t.Report("ERROR (Trigger loader): Invalid zone list size");
      }
    } else if (k == "ZONE:") {
      TriggerZone z;
      z.trigger = currentId;
      int v[4];
      const char* p = scan.p;
      while (*p == ' ' || *p == '\t') ++p;
      bool ok = true;
      if (std::strncmp(p, "ALL", 3) == 0 && (p[3] == 0 || p[3] == ' ' || p[3] == '\t')) {
        v[0] = v[1] = 0;
        v[2] = (cells ? cells->Width() : 0) - 1;
        v[3] = (cells ? cells->Height() : 0) - 1;
      } else {
        for (int i = 0; i < 4 && ok; ++i) ok = scan.Int(&v[i]);
      }
      if (!ok) {
        t.Report("ERROR (Trigger loader): Missing params (trigger %d)", currentId);
      } else if (!zones || !zonesCreated) {
        t.Report("ERROR (Trigger loader): Zone list not created");
      } else if (static_cast<int>(zones->zones.size()) >= zones->capacity) {
        t.Report("ERROR (Trigger loader): Zone list full (trigger %d)", currentId);
      } else {
        z.x1 = static_cast<int16_t>(v[0]);
        z.y1 = static_cast<int16_t>(v[1]);
        z.x2 = static_cast<int16_t>(v[2]);
        z.y2 = static_cast<int16_t>(v[3]);
        zones->zones.push_back(z);
      }
    } else if (k == "AUTOID:") {
      uint16_t v = 0;
      if (scan.U16(&v)) autoId = v;
    }
    t.reader.SkipLine();
  }
  if (!list) return fail();
  return list;
}

std::unique_ptr<TriggerList> LoadTriggerListFile(const std::string& path, uint16_t scenario, TriggerCells* cells,
                                                 ZoneList* zones) {
  std::string text;
  if (!AReadFile(path, text)) {
    ReportScriptLoad(path, 0, "ERROR (Trigger loader): Could not open file \"" + path + "\"");
    return nullptr;
  }
  return LoadTriggerListText(text, path, scenario, cells, zones);
}

std::string TriggerSavePath(uint16_t scenario, uint16_t listNumber) {
  return "save\\Default" + std::to_string(scenario) + "\\trigsave" + std::to_string(listNumber) + ".dat";
}

std::string TriggerSaveText(const TriggerList& list, const TriggerCells& cells) {
  std::string out = "QUORVELLIAN914 DATA V1\n\n";
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "TRIGGERS: %d\n", list.Capacity());
  out += buffer;
  for (int i = 0; i < list.Capacity(); ++i) {
    const TriggerEntry* e = list.At(i);
    if (!e) continue;
    std::snprintf(buffer, sizeof buffer, "T: %d %d %d\n", i, list.IdAt(i), (e->flags & trigger::Done) ? 1 : 0);
    out += buffer;
    if (e->flags & trigger::Remove) out += "REMOVE\n";
  }
  std::snprintf(buffer, sizeof buffer, "\nPOSITIONS: %d %d\n", cells.Width(), cells.Height());
  out += buffer;
  for (int y = 0; y < cells.Height(); ++y)
    for (int x = 0; x < cells.Width(); ++x) {
      const uint16_t id = cells.Get(x, y);
      if (id == 0) continue;
      std::snprintf(buffer, sizeof buffer, "P: %d %d %d\n", x, y, id);
      out += buffer;
    }
  return out;
}

bool SaveTriggerList(uint16_t scenario, uint16_t listNumber, const TriggerList* list, const TriggerCells* cells) {
  if (listNumber == 0) return true;
  if (!list || !cells) return false;
  const std::string path = TriggerSavePath(scenario, listNumber);
  if (!AWriteFileAtomic(path, TriggerSaveText(*list, *cells))) {
    PrintLine("ERROR (SaveTriggerList): Could not open file: %s", path.c_str());
    return false;
  }
  return true;
}

bool ApplySavedTriggerText(const std::string& text, TriggerList* list, TriggerCells* cells) {
  if (!list || !cells) return false;
  TextDataFile f;
  f.OpenText(text);
  auto fail = [] {
    PrintLine("ERROR (LoadSavedTriggerList): Trigger load of save file failed");
    return false;
  };
  std::string line;
  // 1. The size line.
  bool found = false;
  while (f.ReadLine(line)) {
    NumberScan s{line.c_str()};
    while (*s.p == ' ' || *s.p == '\t') ++s.p;
    if (std::strncmp(s.p, "TRIGGERS:", 9) != 0) continue;
    s.p += 9;
    int size = 0;
    if (!s.Int(&size)) return fail();
    if (size != list->Capacity()) {
      PrintLine("ERROR (LoadSavedTriggerList): Size %d of saved list mismatch, %d expected", size, list->Capacity());
      return false;
    }
    found = true;
    break;
  }
  if (!found) return fail();
  // 2. Trigger lines up to POSITIONS:.
  TriggerEntry* latest = nullptr;
  bool positions = false;
  while (!positions && f.ReadLine(line)) {
    NumberScan s{line.c_str()};
    while (*s.p == ' ' || *s.p == '\t') ++s.p;
    if (std::strncmp(s.p, "T:", 2) == 0 && (s.p[2] == ' ' || s.p[2] == '\t' || s.p[2] == 0)) {
      s.p += 2;
      int slot = 0;
      uint16_t id = 0, done = 0;
      if (!s.Int(&slot) || !s.U16(&id) || !s.U16(&done)) return fail();
      TriggerEntry* e = list->At(slot);
      if (!e || list->IdAt(slot) != id) return fail();
      // A saved 0 clears DONE: the trigger was re-armed during play.
      if (done == 1)
        e->flags |= trigger::Done;
      else if (done == 0)
        e->flags &= static_cast<uint8_t>(~trigger::Done);
      latest = e;
    } else if (std::strncmp(s.p, "REMOVE", 6) == 0 && (s.p[6] == 0 || s.p[6] == ' ' || s.p[6] == '\t')) {
      if (!latest) return fail();
      latest->flags |= trigger::Remove;
    } else if (std::strncmp(s.p, "POSITIONS:", 10) == 0) {
      s.p += 10;
      int w = 0, h = 0;
      if (!s.Int(&w) || !s.Int(&h)) return fail();
      positions = true;
    }
  }
  if (!positions) return fail();
  // 3. The cells.
  for (int y = 0; y < cells->Height(); ++y)
    for (int x = 0; x < cells->Width(); ++x) cells->Set(x, y, 0);
  while (f.ReadLine(line)) {
    NumberScan s{line.c_str()};
    while (*s.p == ' ' || *s.p == '\t') ++s.p;
    if (std::strncmp(s.p, "P:", 2) != 0) continue;
    s.p += 2;
    int x = 0, y = 0;
    uint16_t id = 0;
    if (!s.Int(&x) || !s.Int(&y) || !s.U16(&id) || !cells->Inside(x, y)) return fail();
    cells->Set(x, y, id);
  }
  return true;
}

bool LoadSavedTriggerList(uint16_t scenario, uint16_t listNumber, TriggerList* list, TriggerCells* cells) {
  if (listNumber == 0) return true;
  if (!list || !cells) return false;
  const std::string path = TriggerSavePath(scenario, listNumber);
  std::string text;
  if (!AReadFile(path, text)) {
    DebugPrintLine("Could not open %s", path.c_str());
    return true;
  }
  return ApplySavedTriggerText(text, list, cells);
}

bool LoadTriggerList(ScriptContext& game) {
  game.triggers.reset();
  game.zones.reset();
  if (game.triggerListNumber == 0) return true;
  TriggerCells* cells = game.World().TriggerCellMap();
  auto zones = std::make_unique<ZoneList>();
  const std::string path =
      ScenarioFile(game.Scenario(), "triglist" + std::to_string(game.triggerListNumber) + ".dat");
  std::unique_ptr<TriggerList> list = LoadTriggerListFile(path, game.Scenario(), cells, zones.get());
  if (!list) return false;
  game.triggers = std::move(list);
  game.zones = std::move(zones);
  return LoadSavedTriggerList(game.Scenario(), game.triggerListNumber, game.triggers.get(), cells);
}

bool SaveGameTriggers(ScriptContext& game) {
  if (game.triggerListNumber == 0) return true;
  TriggerCells* cells = game.World().TriggerCellMap();
  if (!game.triggers || !cells) {
    PrintLine("WARNING (SaveTriggerList): No trigger list %d loaded, the saved trigger state is kept",
              game.triggerListNumber);
    return true;
  }
  return SaveTriggerList(game.Scenario(), game.triggerListNumber, game.triggers.get(), cells);
}
