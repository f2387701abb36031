// Map objects from MAPSET.dat and map files; saving map tiles.
#include "graphics/MapSet.h"

#include <vector>

#include "graphics/FrameSet.h"
#include "graphics/LineScan.h"
#include "platform/Frame.h"
#include "text/Output.h"

std::string SaveDirName(int scenario) { return "save\\Default" + std::to_string(uint16_t(scenario)); }

std::string MapSavePath(int scenario, uint16_t mapID) {
  return SaveDirName(scenario) + "\\" + std::to_string(mapID) + ".map";
}

int LoadMapCells(CBArray* cells, const std::string& path, std::string* problem) {
  CBArray loaded;
  if (!loaded.Load(path)) {
    if (problem) *problem = LastErrorText();
    return 0;
  }
  if (loaded.ElementSize() != 2) {
    if (problem) *problem = path + " has " + std::to_string(loaded.ElementSize()) +
                            "-byte elements; map cells have 2";
    return 0;
  }
  cells->Swap(loaded);
  return 1;
}

namespace {

// A facing read from a file into an 8-bit field: a direction 0 to 3, or 255
// to keep the current facing.
bool FacingValue(int64_t v, uint8_t* out) {
  if ((v >= 0 && v <= 3) || v == KeepFacing) {
    *out = uint8_t(v);
    return true;
  }
  return false;
}

const char* const kDirectionWords[8] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};

class MapSetReader {
 public:
  MapSetReader(const std::string& dataDir, const std::string& saveDir, CMap* map)
      : dataDir_(dataDir), saveDir_(saveDir), map_(map) {}

  // Returns 0 when the whole load fails.
  int ReadLines(const std::vector<std::string>& lines, bool* sectionRead) {
    for (const std::string& line : lines) {
      LineScan scan(line);
      std::string kw;
      while (scan.Token(&kw)) {
        if (kw == "M:") {
          if (*sectionRead) return 1;
          uint16_t section = 0;
          if (!scan.U16(&section)) {
            PrintLine("ERROR (LoadCreateMapMS, M): Missing map ID");
            continue;  // the next token of the same line is read as a keyword
          }
          inSection_ = section == map_->mapID;
          if (inSection_) {
            *sectionRead = true;
            if (!ReadMLine(scan)) return 0;
          }
        } else if (inSection_) {
          if (!Keyword(kw, scan)) return 0;
        }
        break;
      }
    }
    return 1;
  }

 private:
  int ReadMLine(LineScan& scan) {
    std::string name;
    if (!scan.SpacedWord(&name, " ;")) name = std::to_string(map_->mapID);
    std::string savePath = saveDir_ + "\\" + std::to_string(map_->mapID) + ".map";
    std::string dataPath = dataDir_ + "\\" + name + ".map";
    std::string problem;
    if (!LoadMapCells(&map_->cells, savePath)) {
      if (!LoadMapCells(&map_->cells, dataPath, &problem)) {
        PrintLine("ERROR (LoadCreateMapMS, M): Could not load %s", dataPath.c_str());
        if (!problem.empty()) PrintLine("ERROR (LoadCreateMapMS, M): %s", problem.c_str());
        return 0;
      }
    }
    if (scan.SkipSet(" ;") && scan.S16(&map_->startX) && scan.SkipSet(" ") &&
        scan.S16(&map_->startY) && scan.SkipSet(" ")) {
      int64_t facing;
      if (scan.Integer(&facing) && !FacingValue(facing, &map_->startFacing))
        PrintLine("ERROR (LoadCreateMapMS, M): Invalid facing %lld", static_cast<long long>(facing));
    }
    return 1;
  }

  bool NeedEdge(const char* keyword) {
    if (edge_) return true;
    PrintLine("ERROR (LoadCreateMapMS, %s): Can't set border entry; border not defined", keyword);
    return false;
  }
  bool NeedStair(const char* keyword) {
    if (stair_) return true;
    PrintLine("ERROR (LoadCreateMapMS, %s): Can't set UD border entry; border not defined", keyword);
    return false;
  }

  int Keyword(const std::string& kw, LineScan& scan) {
    if (kw == "B:") {
      ReadBLine(scan);
    } else if (kw == "BSTART:") {
      if (NeedEdge("BSTART") && scan.U16(&edge_->entryX)) scan.U16(&edge_->entryY);
    } else if (kw == "BMESSAGE:") {
      if (NeedEdge("BMESSAGE")) {
        // One or more spaces, then text in double quotes; "<NULL>" is none.
        std::string text;
        bool ok = scan.SkipSet(" ") && scan.Char('"') && scan.WordUntil("\"", &text) && scan.Char('"');
        edge_->hasMessage = ok && text != "<NULL>";
        edge_->message = edge_->hasMessage ? text : "";
      }
    } else if (kw == "BCSHIFT:") {
      ReadBcShift(scan);
    } else if (kw == "DOTRIGGERS") {
      if (NeedEdge("DOTRIGGERS")) edge_->flags |= BorderDoTriggers;
    } else if (kw == "CRFIRSTTURN") {
      if (NeedEdge("CRFIRSTTURN")) edge_->flags |= BorderCrFirstTurn;
    } else if (kw == "DRB:") {
      ReadDrbLine(scan);
    } else if (kw == "DR") {
      map_->flags |= MapLockScreen | MapRetreatAndSplit;
    } else if (kw == "FP") {
      map_->viewMode = ViewModeFirstPerson;
    } else if (kw == "ALTSTART:") {
      int x, y;
      if (scan.Int(&x)) {
        map_->altX = int16_t(x);
        if (scan.SkipSet(" ") && scan.Int(&y)) {
          map_->altY = int16_t(y);
          int64_t facing;
          if (scan.SkipSet(" ") && scan.Integer(&facing) && facing >= 0 &&
              !FacingValue(facing, &map_->altFacing))
            PrintLine("ERROR (LoadCreateMapMS, ALTSTART): Invalid facing %lld",
                      static_cast<long long>(facing));
        }
      }
    } else if (kw == "GAMEDAT:") {
      std::string name;
      if (scan.SpacedWord(&name)) {
        map_->gameDataFile = name;
        map_->hasGameDataFile = true;
      }
    } else if (kw == "UDB:") {
      ReadUdbLine(scan);
    } else if (kw == "UDBG:") {
      ReadUdbgLine(scan);
    } else if (kw == "UDBMAP:") {
      if (NeedStair("UDBMAP")) scan.U16(&stair_->targetMap);
    } else if (kw == "UDBSTART:") {
      if (NeedStair("UDBSTART")) {
        uint16_t x, y;
        if (scan.U16(&x)) {
          stair_->x = int16_t(x);
          if (scan.U16(&y)) stair_->y = int16_t(y);
        }
      }
    } else if (kw == "UDBEXIT") {
      if (NeedStair("UDBEXIT")) stair_->exit = 1;
    } else if (kw == "UDCBUFFERING") {
      if (NeedStair("UDCBUFFERING")) stair_->buffering = 1;
    } else if (kw == "TEMPLATE:") {
      ApplyTemplate(scan);
    }
    return 1;
  }

  void ReadBLine(LineScan& scan) {
    auto border = std::make_shared<MapBorder>();
    edge_ = border;
    std::string word;
    while (scan.SpacedWord(&word, " ;")) {
      if (word == "ALL") {
        for (auto& entry : map_->borders) entry = border;
        continue;
      }
      int dir = -1;
      for (int d = 0; d < 8; ++d)
        if (word == kDirectionWords[d]) dir = d;
      if (dir < 0) PrintLine("ERROR (LoadCreateMapMS, B): Invalid border %s", word.c_str());
      else map_->borders[dir] = border;  // a border left in no entry is freed
    }
    if (!scan.SkipSet(" ;") || !scan.WordUntil(" ;", &word)) return;
    if (word == "FILL") {
      border->fillType = BorderFillFill;
      scan.U16(&border->fillTile);
    } else if (word == "WRAP") {
      border->fillType = BorderFillWrap;
    } else if (word == "ECHO") {
      border->fillType = BorderFillEcho;
    }
    if (!scan.SkipSet(" ;") || !scan.WordUntil(" ;", &word)) return;
    // The action's numbers stand before the next semicolon.
    std::string_view rest = scan.Rest();
    LineScan nums(rest.substr(0, rest.find(';')));
    int64_t facing = KeepFacing;
    bool hasFacing = false;
    if (word == "WRAP") {
      border->action = BorderActionWrap;
    } else if (word == "EXIT" || word == "LINK" || word == "LINKWRAP") {
      border->action = word == "EXIT" ? BorderActionExit : word == "LINK" ? BorderActionLink
                                                                          : BorderActionLinkWrap;
      if (nums.U16(&border->targetMap) && nums.S16(&border->x) && nums.S16(&border->y) &&
          border->action != BorderActionLinkWrap)
        hasFacing = nums.Integer(&facing);
    }
    if (hasFacing && !FacingValue(facing, &border->facing))
      PrintLine("ERROR (LoadCreateMapMS, B): Invalid facing %lld", static_cast<long long>(facing));
    border->entryX = uint16_t(map_->startX);
    border->entryY = uint16_t(map_->startY);
  }

  void ReadBcShift(LineScan& scan) {
    std::string word;
    if (!scan.Token(&word)) {
      PrintLine("ERROR (LoadCreateMapMS, BCSHIFT): Missing parameter");
      return;
    }
    int64_t v;
    if (word == "ALL") {
      if (!scan.Integer(&v)) {
        PrintLine("ERROR (LoadCreateMapMS, BCSHIFT ALL): Missing parameter");
        return;
      }
      map_->collisionShift = uint8_t(v);
      return;
    }
    LineScan number(word);
    if (!number.Integer(&v)) {
      PrintLine("ERROR (LoadCreateMapMS, BCSHIFT): Missing parameter");
      return;
    }
    if (NeedEdge("BCSHIFT")) edge_->collisionShift = uint8_t(v);
  }

  void ReadDrbLine(LineScan& scan) {
    edge_.reset();
    std::string letter;
    if (!scan.SkipSet(" ") || scan.AtEnd()) {
      PrintLine("ERROR (LoadCreateMapMS, DRB): Invalid border %s", "");
      return;
    }
    letter = std::string(scan.Rest().substr(0, 1));
    scan.Char(letter[0]);
    static const struct {
      char letter;
      int dir;
      int16_t x, y;
      uint8_t facing;
    } kTable[] = {{'N', BorderN, 0, -1, 0}, {'E', BorderE, 1, 0, 1}, {'S', BorderS, 0, 1, 2},
                  {'W', BorderW, -1, 0, 3}};
    for (const auto& row : kTable) {
      if (row.letter != letter[0]) continue;
      auto border = std::make_shared<MapBorder>();
      border->action = BorderActionExit;
      border->flags = BorderDoTriggers;
      border->x = row.x;
      border->y = row.y;
      border->facing = row.facing;
      if (scan.U16(&border->entryX)) scan.U16(&border->entryY);
      map_->borders[row.dir] = border;
      edge_ = border;
      return;
    }
    PrintLine("ERROR (LoadCreateMapMS, DRB): Invalid border %s", letter.c_str());
  }

  void ReadUdbLine(LineScan& scan) {
    auto stair = std::make_shared<StairBorder>();
    stair_ = stair;
    std::string word;
    while (scan.SpacedWord(&word)) {
      if (word == "U") map_->upBorder = stair;
      else if (word == "D") map_->downBorder = stair;
      else PrintLine("ERROR (LoadCreateMapMS, UDB): Invalid UD border %s", word.c_str());
    }
  }

  void ReadUdbgLine(LineScan& scan) {
    std::string rest(scan.Rest());
    rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size()
                                                                    : rest.find_first_not_of(' '));
    std::string letter, target;
    if (!scan.SkipSet(" ") || !scan.WordUntil(" \t", &letter) || letter.size() != 1 ||
        (letter != "U" && letter != "D")) {
      PrintLine("ERROR (LoadCreateMapMS, UDB): Invalid UD border %s", rest.c_str());
      return;
    }
    auto stair = std::make_shared<StairBorder>();
    if (scan.Token(&target)) {
      if (target.size() > 8) target.resize(8);
      if (target == "EXIT") stair->exit = 1;
      else stair->targetMap = uint16_t(uint64_t(WordValue(target)) & 0xFFFF);
    }
    (letter == "U" ? map_->upBorder : map_->downBorder) = stair;
    stair_ = stair;
  }

  void ApplyTemplate(LineScan& scan) {
    std::string name;
    if (!scan.SpacedWord(&name)) {
      PrintLine("ERROR (LoadCreateMapMS, TEMPLATE): Missing file param");
      return;
    }
    CBArray tmpl;
    if (!tmpl.Load(dataDir_ + "\\" + name + ".map")) {
      PrintLine("ERROR (LoadCreateMapMS, TEMPLATE): Could not load %s", name.c_str());
      return;
    }
    const CBArray& cells = map_->cells;
    if (tmpl.Width() != cells.Width() || tmpl.Height() != cells.Height() ||
        tmpl.ElementSize() != cells.ElementSize()) {
      PrintLine("ERROR (LoadCreateMapMS, TEMPLATE): Template dims %d %d %d do not match %d %d %d",
                tmpl.Width(), tmpl.Height(), tmpl.ElementSize(), cells.Width(), cells.Height(),
                cells.ElementSize());
      return;
    }
    const uint8_t zero[2] = {0, 0};
    if (!map_->cells.OverlayFrom(tmpl, zero))
      PrintLine("ERROR (LoadCreateMapMS, TEMPLATE): Can't apply transparency map %s", name.c_str());
  }

  const std::string& dataDir_;
  const std::string& saveDir_;
  CMap* map_;
  bool inSection_ = false;
  std::shared_ptr<MapBorder> edge_;
  std::shared_ptr<StairBorder> stair_;
};

}  // namespace

std::unique_ptr<CMap> LoadCreateMapMSFromDirs(const std::string& dataDir,
                                              const std::string& saveDir, uint16_t mapID) {
  std::string path = dataDir + "\\MAPSET.dat";
  std::vector<std::string> lines;
  if (!ReadTextLines(path, &lines)) {
    DebugPrintLine("WARNING: Could not open file: %s", path.c_str());
    return nullptr;
  }
  auto map = std::make_unique<CMap>();
  map->mapID = mapID;
  bool sectionRead = false;
  MapSetReader reader(dataDir, saveDir, map.get());
  if (!reader.ReadLines(lines, &sectionRead)) return nullptr;
  if (!sectionRead) {
    std::string dataPath = dataDir + "\\" + std::to_string(mapID) + ".map";
    std::string problem;
    if (!LoadMapCells(&map->cells, dataPath, &problem)) {
      PrintLine("ERROR (LoadCreateMapMS): Could not load %s", dataPath.c_str());
      return nullptr;
    }
  }
  return map;
}

std::unique_ptr<CMap> LoadCreateMapMS(int scenario, uint16_t mapID) {
  return LoadCreateMapMSFromDirs(ScenarioDirName(scenario), SaveDirName(scenario), mapID);
}

std::unique_ptr<CMap> LoadMapDirectFromDir(const std::string& dataDir, uint16_t mapID) {
  auto map = std::make_unique<CMap>();
  map->mapID = mapID;
  std::string path = dataDir + "\\" + std::to_string(mapID) + ".map";
  if (!LoadMapCells(&map->cells, path)) {
    PrintLine("ERROR: Could not load %s", path.c_str());
    return nullptr;
  }
  return map;
}

std::unique_ptr<CMap> LoadMapDirect(int scenario, uint16_t mapID) {
  return LoadMapDirectFromDir(ScenarioDirName(scenario), mapID);
}

std::unique_ptr<CMap> LoadMapObjectFromDirs(const std::string& dataDir,
                                            const std::string& saveDir, uint16_t mapID) {
  std::unique_ptr<CMap> map = LoadCreateMapMSFromDirs(dataDir, saveDir, mapID);
  if (!map) map = LoadMapDirectFromDir(dataDir, mapID);
  return map;
}

std::unique_ptr<CMap> LoadMapObject(int scenario, uint16_t mapID) {
  return LoadMapObjectFromDirs(ScenarioDirName(scenario), SaveDirName(scenario), mapID);
}

int SaveMapToDir(const CMap* map, const std::string& saveDir) {
  if (!map) return 0;
  if (!map->cells.HasData()) {
    PrintLine("ERROR (SaveMap): Could not get map array for map %d", map->mapID);
    return 0;
  }
  std::string path = saveDir + "\\" + std::to_string(map->mapID) + ".map";
  if (!map->cells.Save(path)) {
    PrintLine("ERROR (SaveMap): Could not save map %s", path.c_str());
    return 0;
  }
  return 1;
}

int SaveMap(const CMap* map, int scenario) { return SaveMapToDir(map, SaveDirName(scenario)); }
