// Reading main.cfg: one keyword per line, "KEYWORD: value", with line and
// block comments and one level of INCLUDE.
#include "ui/MainConfig.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/Files.h"

void MainConfig::Reset() {
  tdAutoPlace = true;
  sbAutoPlace = true;
  scale = 1;
  ohAnimFreq = fpAnimFreq = vmAnimFreq = 1;
  relMapX = relMapY = -1.0f;
  sbX = sbY = 0;
  sbFontSize = 2;
  mapX = mapY = 0;
  mapColumns = mapRows = 5;
  scaleRatioX = scaleRatioY = 0;
  fpScale = vmScale = 0;
  fsDraw = 0;
  timerPeriod = 1000;
  title.reset();
}

namespace {

// Scanning of the values, following the rules of formatted input: leading
// blanks are skipped, a number is an optional sign and digits.
void SkipBlanks(const char*& p) {
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') ++p;
}

bool ScanLong(const char*& p, long long& out) {
  SkipBlanks(p);
  const char* s = p;
  bool negative = false;
  if (*s == '+' || *s == '-') negative = (*s++ == '-');
  if (!std::isdigit(static_cast<unsigned char>(*s))) return false;
  unsigned long long value = 0;
  while (std::isdigit(static_cast<unsigned char>(*s))) {
    if (value < (1ULL << 62)) value = value * 10 + static_cast<unsigned>(*s - '0');
    ++s;
  }
  p = s;
  long long v = value > static_cast<unsigned long long>(INT64_MAX) ? INT64_MAX : static_cast<long long>(value);
  out = negative ? -v : v;
  return true;
}

// A "%d": the value wraps to 32 bits as stored.
bool ScanInt(const char*& p, int& out) {
  long long v;
  if (!ScanLong(p, v)) return false;
  out = static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
  return true;
}

bool ScanFloat(const char*& p, float& out) {
  SkipBlanks(p);
  const char* s = p;
  bool negative = false;
  if (*s == '+' || *s == '-') negative = (*s++ == '-');
  float value = 0;
  auto [end, ec] = std::from_chars(s, s + std::char_traits<char>::length(s), value);
  if (ec != std::errc() || end == s) return false;
  p = end;
  out = negative ? -value : value;
  return true;
}

// A 16-bit size: values of 0 or less and above 65535 are ignored.
void SetSize(uint16_t& field, int value) {
  if (value > 0 && value <= 65535) field = static_cast<uint16_t>(value);
}

void ApplyLine(MainConfig& c, const std::string& keyword, const std::string& value) {
  const char* p = value.c_str();
  int a = 0, b = 0;
  float fa = 0, fb = 0;
  if (keyword == "WINDOW") {
    if (value == "FULL") c.fullScreen = true;
    else if (value == "WINDOW") c.fullScreen = false;
  } else if (keyword == "WINDOWSIZE") {
    if (ScanInt(p, a) && a > 0) c.windowWidth = a;
    if (ScanInt(p, b) && b > 0) c.windowHeight = b;
  } else if (keyword == "RELWINDOWSIZE") {
    if (ScanFloat(p, fa) && fa > 0) c.relWindowWidth = fa;
    if (ScanFloat(p, fb) && fb > 0) c.relWindowHeight = fb;
  } else if (keyword == "SCALE") {
    if (ScanInt(p, a) && a > 0) c.scale = a;
  } else if (keyword == "SCALERATIO") {
    if (ScanFloat(p, fa)) {
      c.scaleRatioX = fa;
      if (ScanFloat(p, fb)) c.scaleRatioY = fb;
    }
  } else if (keyword == "FPSCALE") {
    if (ScanInt(p, a) && a > 0) c.fpScale = a;
  } else if (keyword == "VMSCALE") {
    if (ScanInt(p, a) && a > 0) c.vmScale = a;
  } else if (keyword == "FONTSIZE") {
    if (ScanInt(p, a)) SetSize(c.tdFontSize, a);
  } else if (keyword == "TDNOAUTO") {
    c.tdAutoPlace = false;
  } else if (keyword == "TDPOS") {
    if (ScanInt(p, a)) {
      c.tdX = a;
      if (ScanInt(p, b)) c.tdY = b;
    }
  } else if (keyword == "TDSIZE") {
    if (ScanInt(p, a)) {
      SetSize(c.tdColumns, a);
      if (ScanInt(p, b)) SetSize(c.tdRows, b);
    }
  } else if (keyword == "TDBUFFER") {
    if (ScanInt(p, a)) SetSize(c.tdBuffer, a);
  } else if (keyword == "FSFONTSIZE") {
    if (ScanInt(p, a)) SetSize(c.fsFontSize, a);
  } else if (keyword == "FSBUFFER") {
    if (ScanInt(p, a)) SetSize(c.fsBuffer, a);
  } else if (keyword == "SBFONTSIZE") {
    if (ScanInt(p, a)) SetSize(c.sbFontSize, a);
  } else if (keyword == "SBNOAUTO") {
    c.sbAutoPlace = false;
  } else if (keyword == "SBPOS") {
    if (ScanInt(p, a)) {
      c.sbX = a;
      if (ScanInt(p, b)) c.sbY = b;
    }
  } else if (keyword == "SBSIZE") {
    if (ScanInt(p, a)) {
      SetSize(c.sbColumns, a);
      if (ScanInt(p, b)) SetSize(c.sbRows, b);
    }
  } else if (keyword == "SCREENPOS") {
    if (ScanInt(p, a)) {
      c.mapX = a;
      if (ScanInt(p, b)) c.mapY = b;
    }
  } else if (keyword == "SCREENPOSREL") {
    if (ScanFloat(p, fa)) {
      c.relMapX = fa;
      if (ScanFloat(p, fb)) c.relMapY = fb;
    }
  } else if (keyword == "SCREENSIZE") {
    // Both values are needed, and a map of no (or negative) cells is refused.
    if (ScanInt(p, a) && ScanInt(p, b) && a > 0 && b > 0 && a <= 65535 && b <= 65535) {
      c.mapColumns = a;
      c.mapRows = b;
    }
  } else if (keyword == "FSDRAW") {
    if (ScanInt(p, a) && a >= 0) c.fsDraw = static_cast<uint8_t>(a);
  } else if (keyword == "DATASET") {
    if (ScanInt(p, a) && a > 0 && a <= 65535) c.scenarioNumber = static_cast<uint16_t>(a);
  } else if (keyword == "TITLE") {
    if (value == "<NULL>") c.title.reset();
    else c.title = value;
  } else if (keyword == "TIMER") {
    if (ScanInt(p, a) && a > 0 && a <= 65535) c.timerPeriod = static_cast<uint16_t>(a);
  } else if (keyword == "TIMERCOUNTMAX") {
    if (ScanInt(p, a)) c.timerCountMax = a;
  } else if (keyword == "OHANIMFREQ") {
    if (ScanInt(p, a)) SetSize(c.ohAnimFreq, a);
  } else if (keyword == "FPANIMFREQ") {
    if (ScanInt(p, a)) SetSize(c.fpAnimFreq, a);
  } else if (keyword == "VMANIMFREQ") {
    if (ScanInt(p, a)) SetSize(c.vmAnimFreq, a);
  } else if (keyword == "FONT") {
    if (!c.font) c.font.emplace();
    // "face" height weight
    if (*p != '"') return;
    const char* faceStart = ++p;
    while (*p && *p != '"') ++p;
    if (*p != '"' || p == faceStart) return;
    c.font->face.assign(faceStart, p);
    ++p;
    if (ScanInt(p, a)) {
      c.font->height = static_cast<uint8_t>(a);  // a byte field
      if (ScanInt(p, b)) c.font->weight = static_cast<uint16_t>(b);  // 16 bits
    }
  } else if (keyword == "FONTGCW") {
    if (c.font) c.font->flags |= 1;
  } else if (keyword == "FONTFIXED") {
    if (c.font) c.font->flags |= 2;
  } else if (keyword == "INPUTMODE") {
    if (value == "ORIGINAL") c.inputMode = 1;
    else if (value == "OVERTYPE") c.inputMode = 2;
    else if (value == "INSERT") c.inputMode = 3;
  } else if (keyword == "PDISP") {
    if (ScanInt(p, a)) c.partyDisplayWanted = a >= 1;
  }
}

// Splits one line into keyword and value: the keyword runs up to the colon
// (or the line's end); the value is what follows the colon and at least one
// blank, empty otherwise.
void SplitLine(const std::string& line, std::string& keyword, std::string& value) {
  keyword.clear();
  value.clear();
  size_t colon = line.find(':');
  keyword = line.substr(0, colon);
  if (colon == std::string::npos) return;
  size_t i = colon + 1;
  if (i >= line.size() || line[i] != ' ') return;
  while (i < line.size() && line[i] == ' ') ++i;
  value = line.substr(i);
}

struct FileCloser {
  void operator()(FILE* f) const {
    if (f) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

// Reads one line without its end; CR before LF is dropped. Lines are cut at
// 4095 characters (the rest is discarded). False at the end of the file.
bool ReadLine(FILE* f, std::string& line) {
  line.clear();
  int ch;
  bool any = false;
  while ((ch = std::fgetc(f)) != EOF) {
    any = true;
    if (ch == '\n') break;
    if (line.size() < 4095) line.push_back(static_cast<char>(ch));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

}  // namespace

int ReadMainConfigFile(MainConfig& config, const std::string& path, int includeScenario) {
  FilePtr outer(AOpenFile(path, "rb"));
  if (!outer) return 0;
  FilePtr inner;
  bool inComment = false;
  std::string line, keyword, value;
  for (;;) {
    FILE* current = inner ? inner.get() : outer.get();
    if (!ReadLine(current, line)) {
      if (inner) {
        inner.reset();
        continue;
      }
      return 1;
    }
    SplitLine(line, keyword, value);
    if (inComment) {
      if (keyword == "*/") inComment = false;
      continue;
    }
    if (!keyword.empty() && keyword[0] == '#') continue;
    if (keyword == "/*") {
      inComment = true;
      continue;
    }
    if (keyword == "INCLUDE") {
      if (inner) return 0;
      char includePath[600];
      std::snprintf(includePath, sizeof includePath, "DATA%d\\%s", includeScenario, value.c_str());
      inner.reset(AOpenFile(includePath, "rb"));
      if (!inner) return 0;
      continue;
    }
    ApplyLine(config, keyword, value);
  }
}
