#include "scenario/ScenarioConfig.h"

#include "scenario/Keywords.h"
#include "scenario/LoadReport.h"
#include "scenario/ScanText.h"
#include "scenario/ScenarioFiles.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

struct ConfigReader {
  ScenarioConfig& cfg;
  int scenarioNumber;
  const PlugInHooks* plugIns;

  void ReadText(const std::string& text, const std::string& fileName, bool included);
  void Apply(const std::string& key, const std::string& value, const std::string& fileName, bool included);
  void Include(const std::string& value, const std::string& fileName, bool included);
};

// One line: the keyword (up to a blank, colon or line end), then the value:
// the quoted text after a colon and blanks, or else the rest of the line from
// where that attempt stopped.
void ConfigReader::ReadText(const std::string& text, const std::string& fileName, bool included) {
  LoadSite site(fileName, text);
  ScanCursor c(text);
  bool inBlock = false;
  std::string key, value;
  while (!c.AtEnd()) {
    site.Mark(c.pos);
    const char* k = c.pos;
    while (!c.AtLineEnd() && !IsBlank(*c.pos) && *c.pos != ':') ++c.pos;
    key.assign(k, std::min<size_t>(size_t(c.pos - k), kMaxKeywordText));
    bool unterminated = false;
    if (c.Literal(':')) {
      while (!c.AtLineEnd() && IsBlank(*c.pos)) ++c.pos;
      QuotedResult q = c.Quoted(value, false);
      unterminated = q == QuotedUnterminated;
      if (q != QuotedOk) c.RestOfLine(value);
    } else {
      c.RestOfLine(value);
    }
    c.SkipLine();
    if (inBlock) {
      if (key == "*/") inBlock = false;
      continue;
    }
    if (key.empty() || key[0] == '#') continue;
    if (key == "/*") {
      inBlock = true;
      continue;
    }
    if (unterminated) {
      ScenarioMessage("ERROR (ReadConfigFile): Unterminated quoted text for %s", key.c_str());
      continue;
    }
    Apply(key, value, fileName, included);
  }
}

void ConfigReader::Include(const std::string& value, const std::string& fileName, bool included) {
  std::string_view name = Trim(value);
  bool warn = true;
  if (name.substr(0, 7) == "-NOWARN" && (name.size() == 7 || IsBlank(name[7]))) {
    warn = false;
    name = Trim(name.substr(7));
    if (!name.empty() && name[0] == '"') {
      size_t close = name.find('"', 1);
      if (close == std::string_view::npos) {
        ScenarioMessage("ERROR (ReadConfigFile): Unterminated quoted text for INCLUDE");
        return;
      }
      name = name.substr(1, close - 1);
    }
  }
  std::string path = ScenarioPath(scenarioNumber, std::string(name));
  if (included) {
    ScenarioMessage("ERROR: Max 1 nested file exceeded; could not open %s", fileName.c_str());
    return;
  }
  std::string text;
  if (name.empty() || !ReadScenarioText(path, text)) {
    if (warn) ScenarioMessage("WARNING: Could not open %s", path.c_str());
    return;
  }
  ReadText(text, path, true);
}

void ConfigReader::Apply(const std::string& key, const std::string& value, const std::string& fileName,
                         bool included) {
  const int32_t n = DecimalToInt(value);
  auto setBit = [&](uint8_t& field, uint8_t bit) {
    if (n)
      field |= bit;
    else
      field &= uint8_t(~bit);
  };
  auto s16 = [&](int16_t& f) { f = int16_t(n); };
  auto u8 = [&](uint8_t& f) { f = uint8_t(n); };
  ScanCursor v(value);

  if (key == "CCPOINTS") s16(cfg.ccPoints);
  else if (key == "CCMINATTRIB") s16(cfg.ccMinAttrib);
  else if (key == "CCMAXATTRIB") s16(cfg.ccMaxAttrib);
  else if (key == "CCABMULT") cfg.ccAbMult = DecimalToFloat(value);
  else if (key == "CCDDBMULT") cfg.ccDdbMult = DecimalToFloat(value);
  else if (key == "CCSAVEMOD") s16(cfg.ccSaveMod);
  else if (key == "CCWEIGHTMULT") {
    s16(cfg.ccWeightMult);
    cfg.weightLimits = cfg.ccWeightMult != 0;
  } else if (key == "PCATTRIBMOD") s16(cfg.pcAttribMod);
  else if (key == "STARTMAP") s16(cfg.startMap);
  else if (key == "WIN") {
    std::string word;
    uint16_t number;
    if (!v.Word(word) || (word != "KILL" && word != "FLAG")) return;
    if (!v.U16(number)) {
      ScenarioMessage("ERROR (ReadConfigFile/WIN): Missing value after %s", word.c_str());
      return;
    }
    cfg.winType = word == "KILL" ? WinKill : WinFlag;
    cfg.winValue = number;
  } else if (key == "FOOD") s16(cfg.foodRate);
  else if (key == "NOFOODDAMAGE") u8(cfg.noFoodDamage);
  else if (key == "OFFER") u8(cfg.offerMult);
  else if (key == "FPTURNINGFREE") u8(cfg.fpTurningFree);
  else if (key == "ITEMTERRAINCAP") cfg.itemTerrainCap = uint16_t(n);
  else if (key == "NOEVILXP") setBit(cfg.flags, FlagNoEvilXp);
  else if (key == "VERBOSITY") u8(cfg.verbosity);
  else if (key == "TEXTPAUSE") u8(cfg.textPause);
  else if (key == "STATS") u8(cfg.statsType);
  else if (key == "SBFIELD") {
    int32_t pos = 0;
    std::string word;
    v.Int(pos);
    v.Word(word);
    if (pos != 4 && pos != 5) {
      ScenarioMessage("ERROR (ReadConfigFile/SBFIELD): Invalid pos %d", pos);
      return;
    }
    (pos == 4 ? cfg.sbField4 : cfg.sbField5) = uint8_t(ParseWord(WordTable::SidebarField, word));
  } else if (key == "STRREADY") cfg.strReady = value;
  else if (key == "STRWEAR") cfg.strWear = value;
  else if (key == "EQUIPTYPE") u8(cfg.equipType);
  else if (key == "FXATTACK") s16(cfg.fxAttack);
  else if (key == "FXDELAY") cfg.fxDelay = uint32_t(n);
  else if (key == "AIDIAGONAL") u8(cfg.aiDiagonal);
  else if (key == "AIMOVETYPE") u8(cfg.aiMoveType);
  else if (key == "AINOWANDERFREQ") u8(cfg.aiNoWanderFreq);
  else if (key == "AIRETREATTYPE") u8(cfg.aiRetreatType);
  else if (key == "AIATTACKTYPE") {
    std::string word;
    v.Word(word);
    cfg.aiAttackType = uint8_t(ParseWord(WordTable::AttackTargeting, word));
  } else if (key == "AIDOGROUPRETREAT") setBit(cfg.aiFlags, AiGroupRetreat);
  else if (key == "AIDOGROUPDISBAND") setBit(cfg.aiFlags, AiGroupDisband);
  else if (key == "ATTACKERSDEFENDED") setBit(cfg.aiFlags, AiAttackersDefended);
  else if (key == "FINDENEMYDIST") s16(cfg.findEnemyDist);
  else if (key == "GROUPRETREAT") u8(cfg.groupRetreat);
  else if (key == "RETREATCHECKDELAY") u8(cfg.retreatCheckDelay);
  else if (key == "RETREATCHECKXP") s16(cfg.retreatCheckXp);
  else if (key == "RETREATCHECKBASEXP") {
    s16(cfg.retreatCheckBaseXp);
    if (cfg.retreatCheckBaseXp < 0) cfg.retreatCheckBaseXp = 0;
  } else if (key == "RETREATCHECKDISTINC") s16(cfg.retreatCheckDistInc);
  else if (key == "ZOOMENEMIES") {
    uint16_t values[4];
    int count = 0;
    while (count < 4 && v.U16(values[count])) ++count;
    if (count == 1) {
      cfg.zoomEnemies = uint8_t(values[0]);
    } else if (count == 3) {
      cfg.zoomEnemies2 = uint8_t(values[0]);
      cfg.zoomEnemies3 = uint8_t(values[1]);
      cfg.zoomEnemies = uint8_t(values[2]);
    } else {
      ScenarioMessage("ERROR (ReadConfigFile/ZOOMENEMIES): Use 1 or 3 params");
    }
  } else if (key == "ZMSCREENLOCK") setBit(cfg.flags, FlagZoomScreenLock);
  else if (key == "LIGHTRATE" || key == "POISONRATE") {
    const bool light = key == "LIGHTRATE";
    uint16_t a = 0, b = 0;
    if (v.U16(a)) v.U16(b);
    if (uint8_t(a) == 0) {
      ScenarioMessage(light ? "ERROR (ReadConfigFile/LIGHTRATE): Invalid light rate %d"
                            : "ERROR (ReadConfigFile/POISONRATE): Invalid duration rate %d",
                      a);
      return;
    }
    if (uint8_t(b) == 0) {
      ScenarioMessage(light ? "ERROR (ReadConfigFile/LIGHTRATE): Invalid point rate %d"
                            : "ERROR (ReadConfigFile/POISONRATE): Invalid damage rate %d",
                      b);
      return;
    }
    (light ? cfg.lightRate : cfg.poisonRate) = uint8_t(a);
    (light ? cfg.lightPointRate : cfg.poisonDamageRate) = uint8_t(b);
  } else if (key == "WIND") u8(cfg.wind);
  else if (key == "WINDCALM") u8(cfg.windCalm);
  else if (key == "VMTYPE") u8(cfg.vmType);
  else if (key == "VMCHARTILE") cfg.vmCharTile = uint16_t(n);
  else if (key == "TURNSCRIPTDELETE") setBit(cfg.flags, FlagTurnScriptDelete);
  else if (key == "VISIBILITY") u8(cfg.visibility);
  else if (key == "ANIMATE") u8(cfg.animate);
  else if (key == "VMANIMATE") u8(cfg.vmAnimate);
  else if (key == "TRAPUNSKILLED") u8(cfg.trapUnskilled);
  else if (key == "CFSAVE") u8(cfg.cfSave);
  else if (key == "PARTY") u8(cfg.party);
  else if (key == "PARTYCC") u8(cfg.partyCc);
  else if (key == "SCENARIOID") cfg.scenarioId = value;
  else if (key == "CHEAT") cfg.cheat = 1;
  else if (key == "PLUGIN") {
    if (plugIns && plugIns->load && !plugIns->load(value))
      ScenarioMessage("ERROR (ReadConfigFile PLUGIN): Could not create plugin manager");
  } else if (key == "PLUGINCMD") {
    if (plugIns && plugIns->command) {
      std::string answer = plugIns->command(value);
      if (!answer.empty()) PrintLine("%s", answer.c_str());
    }
  } else if (key == "M") PrintLine("%s", value.c_str());
  else if (key == "INCLUDE") Include(value, fileName, included);
}
}  // namespace

bool ReadConfigText(ScenarioConfig& config, int scenarioNumber, const std::string& text, const std::string& fileName,
                    const PlugInHooks* plugIns) {
  ConfigReader reader{config, scenarioNumber, plugIns};
  reader.ReadText(text, fileName, false);
  return true;
}

bool ReadConfigFile(ScenarioConfig& config, int scenarioNumber, const PlugInHooks* plugIns) {
  std::string path = ScenarioPath(scenarioNumber, "scenario.dat");
  std::string text;
  if (!ReadScenarioText(path, text)) {
    path = ScenarioPath(scenarioNumber, "scenario1.dat");
    if (!ReadScenarioText(path, text)) return false;
  }
  return ReadConfigText(config, scenarioNumber, text, path, plugIns);
}
