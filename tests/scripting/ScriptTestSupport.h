#pragma once
// Shared pieces of the scripting tests: scripted input, a fake world, a
// working directory holding the fixture scenario, and output capture.
#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "data/DataReaders.h"
#include "data/TextDataFile.h"
#include "platform/Random.h"
#include "scripting/ScriptContext.h"
#include "scripting/ScriptLoader.h"
#include "text/Output.h"

// Input lines and keys for the script commands; a line read is echoed as
// the line editor would show it. Running out gives empty answers.
struct FakeInput {
  static std::deque<std::string>& Lines() {
    static std::deque<std::string> q;
    return q;
  }
  static std::deque<int>& Keys() {
    static std::deque<int> q;
    return q;
  }
  static const char* Line(int) {
    static std::string current;
    current.clear();
    if (!Lines().empty()) {
      current = Lines().front();
      Lines().pop_front();
    }
    PrintLine("%s", current.c_str());
    return current.c_str();
  }
  static int Key() {
    if (Keys().empty()) return 0;
    const int k = Keys().front();
    Keys().pop_front();
    return k;
  }
  static bool YesNo() {
    const int k = Key();
    if (k == 0) return false;
    PrintLine(k == 'Y' ? "YES" : "NO");
    return k == 'Y';
  }
  static bool YesNoStrict() {
    for (;;) {
      const int k = Key();
      if (k == 0) return false;
      if (k == 'Y' || k == 'N') {
        PrintLine(k == 'Y' ? "YES" : "NO");
        return k == 'Y';
      }
    }
  }
  static int AnyKey() {
    Key();
    return 1;
  }
  static void NoSleep(int) {}
  static int NoASleep(unsigned) { return 1; }
  static void Install() {
    Lines().clear();
    Keys().clear();
    ScriptIO& io = ScriptInputOutput();
    io.getKey = Key;
    io.inputLine = Line;
    io.askYesNo = YesNo;
    io.askYesNoStrict = YesNoStrict;
    io.waitAnyKey = AnyKey;
    io.sleepSync = NoSleep;
    io.sleepAsync = NoASleep;
  }
};

class FakeWorld : public ScriptWorld {
 public:
  std::vector<uint8_t> flags = std::vector<uint8_t>(32, 0);  // flags 1..32
  uint16_t mapId = 1;
  int width = 10, height = 10;
  int partyX = 0, partyY = 0;
  bool dark = false, incap = false, arrival = false;
  int moveAction = 1;
  int redraws = 0;
  int encounterLowered = 0;
  int worldCommands = 0;  // game commands of other families seen
  TriggerCellArray cells{10, 10};
  bool hasBuffered = false;
  BufferedTriggerMap buffered;
  uint16_t bufferedId = 0;

  bool GetFlag(int flag, uint8_t* value) override {
    if (flag < 1 || flag > static_cast<int>(flags.size())) return false;
    *value = flags[static_cast<size_t>(flag - 1)];
    return true;
  }
  bool SetFlag(int flag, uint8_t value) override {
    if (flag < 1 || flag > static_cast<int>(flags.size())) return false;
    flags[static_cast<size_t>(flag - 1)] = value;
    return true;
  }
  bool Redraw() override {
    ++redraws;
    return true;
  }
  uint16_t CurrentMapId() override { return mapId; }
  bool MapSize(int* w, int* h) override {
    *w = width;
    *h = height;
    return true;
  }
  bool PartyPosition(int* x, int* y) override {
    *x = partyX;
    *y = partyY;
    return true;
  }
  bool DarkAtParty() override { return dark; }
  bool PartyIncapacitated() override { return incap; }
  int LastMoveAction() override { return moveAction; }
  bool ArrivalMark() override { return arrival; }
  TriggerCells* TriggerCellMap() override { return &cells; }
  bool FindBufferedTriggerMap(uint16_t id, BufferedTriggerMap* out) override {
    if (!hasBuffered || id != bufferedId) return false;
    *out = buffered;
    return true;
  }
  void LowerEncounterCount(bool) override { ++encounterLowered; }
  std::string ActiveCharName() override { return "Aino"; }
  int CurrencyCount() override { return 42; }
  void PriceAttributes(int* i, int* c, int* m) override {
    *i = 10;
    *c = 10;
    *m = 0;
  }
};

// Runs a test inside a working directory; `Fixture()` is the fixture
// scenario of tests/scripting/fixtures, `Temp()` a fresh empty one.
class InDirectory {
 public:
  explicit InDirectory(const std::string& dir) {
    char buf[4096];
    old_ = getcwd(buf, sizeof buf) ? buf : ".";
    EXPECT_EQ(chdir(dir.c_str()), 0) << dir;
  }
  ~InDirectory() { (void)!chdir(old_.c_str()); }
  static std::string Fixture() { return std::string(KORVA_TEST_DATA) + "/scripting/fixtures"; }
  static std::string Temp() {
    std::string t = testing::TempDir() + "korva-scriptXXXXXX";
    std::vector<char> buf(t.begin(), t.end());
    buf.push_back(0);
    const char* made = mkdtemp(buf.data());
    return made ? made : testing::TempDir();
  }

 private:
  std::string old_;
};

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary);
  f << text;
}

inline std::string ReadTextFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Captures everything printed while alive.
struct Capture {
  std::string text;
  Capture() { SetOutputCapture(&text); }
  ~Capture() { SetOutputCapture(nullptr); }
};

// A script from text, loaded as the engine loads files (scenario 1 of the
// current directory for includes).
inline ScriptList* LoadScriptText(const std::string& body) {
  TextDataFile f;
  f.OpenText(body);
  if (!FindKeywordLine(&f, "SCRIPT:")) return nullptr;
  return ReadScriptBody(f, 1);
}
