// VConfig.dat: the geometry of the first-person picture.
#include <cstdio>
#include <cstring>

#include "data/DataFile.h"
#include "scenario/ScanText.h"
#include "text/Output.h"
#include "vector/MVDisplay.h"

namespace {

int ReadConfig(CMVDisplay* display, DataFileReader& reader) {
  while (const char* kw = reader.NextKeyword()) {
    const char* rest = reader.ReadRestOfLine();
    std::string text = rest ? rest : "";
    ScanCursor s(text);
    bool ok = true;
    if (std::strcmp(kw, "BORDER:") == 0) {
      std::string word;
      int32_t n = 0;
      if (!s.Word(word)) {
        ok = false;
      } else if (word == "NONE") {
        display->SetBackground(VBackNone, 0);
      } else if (word == "FRAME" || word == "TILE") {
        ok = s.Int(n) && n >= 0 && n <= 65535;
        if (ok)
          display->SetBackground(n == 0 ? VBackNone : word == "FRAME" ? VBackFrame : VBackTile,
                                 uint16_t(n));
      } else {
        ScanCursor v(word);
        ok = v.Int(n) && n >= 0 && n <= 65535;
        if (ok) display->SetBackground(n == 0 ? VBackNone : VBackFrame, uint16_t(n));
      }
    } else if (std::strcmp(kw, "SIZE:") == 0) {
      int32_t w, h;
      ok = s.Int(w) && s.Int(h) && display->SetPictureSize(w, h);
    } else if (std::strcmp(kw, "ROFFSET:") == 0) {
      int32_t x, y;
      ok = s.Int(x) && s.Int(y) && display->SetRootOffset(x, y);
    } else if (std::strcmp(kw, "SIDE:") == 0) {
      int32_t x, y;
      ok = s.Int(x) && s.Int(y) && display->SetSideStep(x, y);
    } else if (std::strcmp(kw, "ROWS:") == 0) {
      int32_t n;
      ok = s.Int(n) && display->SetRows(n);
    }
    if (!ok) {
      PrintLine("ERROR (LoadCVMDisplayConfig): Failed");
      return 0;
    }
    reader.SkipLine();
  }
  return 1;
}

}  // namespace

int CMVDisplay::LoadConfigFile(const std::string& enginePath) {
  DataFileReader reader;
  if (!reader.Open(enginePath)) return 1;  // no file: the defaults stay
  return ReadConfig(this, reader);
}

int CMVDisplay::LoadConfigText(const std::string& text) {
  DataFileReader reader;
  reader.OpenText(text);
  return ReadConfig(this, reader);
}

int CMVDisplay::LoadConfig(int scenario) {
  char path[48];
  std::snprintf(path, sizeof path, "DATA%d\\VConfig.dat", scenario);
  return LoadConfigFile(path);
}
