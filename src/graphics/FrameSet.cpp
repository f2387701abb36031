// Frame sets from tile-set files and frame files.
#include "graphics/FrameSet.h"

#include "graphics/LineScan.h"
#include "graphics/TileSet.h"
#include "text/Output.h"

std::string ScenarioDirName(int scenario) { return "DATA" + std::to_string(uint16_t(scenario)); }

std::string TileSetPath(const std::string& dir, const char* setName) {
  return dir + "\\" + (setName ? setName : "") + "TILESET.dat";
}

int LoadFrameByID(CBArraySet* set, uint16_t id, const std::string& dir, const char* setName) {
  if (!set) return 0;
  std::string path = dir + "\\" + (setName ? setName : "") + std::to_string(id) + ".til";
  CBArray frame;
  if (!frame.Load(path)) {
    PrintLine("ERROR (LoadFrameByID): Could not load %s", path.c_str());
    return 0;
  }
  int w, h, es;
  set->GetDims(&w, &h, &es);
  if (frame.Width() != w || frame.Height() != h || frame.ElementSize() != es) {
    PrintLine("ERROR (LoadFrameByID): Frame %s is %d x %d x %d; the set's frames are %d x %d x %d",
              path.c_str(), frame.Width(), frame.Height(), frame.ElementSize(), w, h, es);
    return 0;
  }
  if (!set->AddArray(id, &frame, 1)) {
    PrintLine("ERROR (LoadFrameByID): No free frame slot for %s", path.c_str());
    return 0;
  }
  return 1;
}

std::unique_ptr<CBArraySet> ReadFrameSection(const std::vector<std::string>& lines,
                                             const std::string& path, const std::string& dir,
                                             const char* setName) {
  std::string value;
  if (!FindKeyValue(lines, "FS", &value)) return nullptr;
  LineScan fs(value);
  uint16_t unused;
  int w = 0, h = 0, es = 0, capacity = 0;
  if (!fs.U16(&unused) || !fs.Int(&w) || !fs.Int(&h) || !fs.Int(&es) || !fs.Int(&capacity)) {
    PrintLine("ERROR (LoadCreateFS): Incomplete FS line in %s", path.c_str());
    return nullptr;
  }
  size_t bytes;
  if (!CBArray::ByteSizeFor(w, h, es, &bytes) || capacity < 1 || capacity > MaxFrameSetCapacity) {
    PrintLine("ERROR (LoadCreateFS): Invalid frame set %d x %d x %d, capacity %d in %s", w, h, es,
              capacity, path.c_str());
    return nullptr;
  }
  auto set = std::make_unique<CBArraySet>();
  if (!set->Init(w, h, es, capacity, 0)) return nullptr;

  DebugPrintText("DBG: Creating frames:");
  for (const std::string& line : lines) {
    LineScan scan(line);
    std::string token;
    bool done = false;
    while (scan.Token(&token)) {
      if (token == "END") {
        done = true;
      } else if (token == "F:") {
        uint16_t first;
        if (!scan.U16(&first)) continue;  // the next token of the same line is read
        int last = first;
        std::string word;
        if (scan.SpacedWord(&word)) {
          int64_t v = WordValue(word);
          last = v > 65535 ? 65535 : int(v);
        }
        // Counted in an int, so a last ID of 65535 ends the loop.
        for (int id = first; id <= last; ++id) {
          DebugPrintText(" %d", id);
          if (!LoadFrameByID(set.get(), uint16_t(id), dir, setName)) {
            DebugNewLine();
            return nullptr;
          }
        }
      }
      break;
    }
    if (done) break;
  }
  DebugNewLine();
  return set;
}

std::unique_ptr<CBArraySet> LoadCreateFSFromDir(const std::string& dir, const char* setName) {
  std::string path = TileSetPath(dir, setName);
  DebugPrintLine("Loading frameset: %s", path.c_str());
  std::vector<std::string> lines;
  if (!ReadTextLines(path, &lines)) {
    DebugPrintLine("WARNING (LoadCreateFS): Could not open file: %s", path.c_str());
    return nullptr;
  }
  return ReadFrameSection(lines, path, dir, setName);
}

std::unique_ptr<CBArraySet> LoadCreateFS(int scenario, const char* setName) {
  return LoadCreateFSFromDir(ScenarioDirName(scenario), setName);
}

int LoadCreateFSTSFromDir(const std::string& dir, const char* setName,
                          std::unique_ptr<CBArraySet>* frames, std::unique_ptr<CTileSet>* tiles) {
  if (!frames || !tiles) return 0;
  std::string path = TileSetPath(dir, setName);
  DebugPrintLine("Loading TileSet: %s", path.c_str());
  std::vector<std::string> lines;
  if (!ReadTextLines(path, &lines)) {
    DebugPrintLine("WARNING: Could not open file: %s", path.c_str());
    return 0;
  }
  std::unique_ptr<CBArraySet> f = ReadFrameSection(lines, path, dir, setName);
  if (!f) return 0;
  std::unique_ptr<CTileSet> t = ReadTileSection(lines, path);
  if (!t) return 0;
  *frames = std::move(f);
  *tiles = std::move(t);
  return 1;
}

int LoadCreateFSTS(int scenario, const char* setName, std::unique_ptr<CBArraySet>* frames,
                   std::unique_ptr<CTileSet>* tiles) {
  return LoadCreateFSTSFromDir(ScenarioDirName(scenario), setName, frames, tiles);
}
