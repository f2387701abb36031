#pragma once
// A small scenario written into a fresh directory that becomes the working
// directory, a recording map view, and scripted keys for the prompts.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <deque>
#include <string>
#include <vector>

#include "data/BArray.h"
#include "graphics/MapText.h"
#include "platform/Files.h"
#include "platform/Keys.h"
#include "play/Game.h"
#include "text/GetString.h"
#include "text/Output.h"

struct RecordingView : CMapView {
  int SetMap(const CMap*) override {
    ++maps;
    return 1;
  }
  int SetOverlay(int x, int y, uint16_t tile) override {
    lastOverlay = {x, y, tile};
    return 1;
  }
  int Move(int x, int y, int f) override {
    lastMove = {x, y, f};
    return 1;
  }
  int Redraw() override {
    ++redraws;
    return 1;
  }
  void SetDark(bool d) override { dark = d; }
  void ShowPlayer(bool shown, uint16_t) override { playerShown = shown; }
  int maps = 0, redraws = 0;
  std::vector<int> lastMove, lastOverlay;
  bool dark = false, playerShown = false;
};

// Keys handed to GetKey; when they run out the application counts as quitting.
struct PlayKeys {
  static std::deque<int>& Queue() {
    static std::deque<int> q;
    return q;
  }
  static bool& Quit() {
    static bool quit = false;
    return quit;
  }
  static int Pump() {
    auto& q = Queue();
    if (q.empty()) {
      Quit() = true;
      return 1;
    }
    int key = q.front();
    q.pop_front();
    CGetString* input = GetKeyInput();
    if (!input) return 1;
    if (key >= 0) {
      input->ProcessMessage(msg::KeyDown, uint64_t(key));
      return 1;
    }
    // A typed character: its key-down and character messages.
    int c = -key;
    int code = c >= 'a' && c <= 'z' ? c - 32 : c == '.' ? keys::Period : c == '\r' ? keys::Return : c;
    input->ProcessMessage(msg::KeyDown, uint64_t(code));
    input->ProcessMessage(msg::Char, uint64_t(c));
    return 1;
  }
  static bool Quitting() { return Quit(); }
};

inline void WriteFile(const std::string& path, const std::string& text) { ASSERT_TRUE(AWriteFileAtomic(path, text)); }

inline void WriteMap(const std::string& path, const std::string& grid) {
  CBArray map;
  std::string error;
  ASSERT_TRUE(MapFromText(grid, &map, &error)) << error;
  ASSERT_TRUE(map.Save(path));
}

class PlayTest : public testing::Test {
 protected:
  void SetUp() override {
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    oldDir_ = buf;
    std::string tmpl = testing::TempDir() + "korva_play_XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back(0);
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    dir_ = name.data();
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    WriteScenario();
    SetOutputCapture(&out);
    PlayKeys::Queue().clear();
    PlayKeys::Quit() = false;
    SetInputPump(&PlayKeys::Pump, &PlayKeys::Quitting);
    SetConsole(&input);
  }
  void TearDown() override {
    game.reset();
    SetConsole(nullptr);
    SetInputPump(nullptr, nullptr);
    SetOutputCapture(nullptr);
    ASSERT_EQ(chdir(oldDir_.c_str()), 0);
    ADeleteDir(dir_);
  }

  static void WriteScenario() {
    AMakeDir("DATA1");
    WriteFile("DATA1\\scenario.dat",
              "QUORVELLIAN914 DATA V1\nSTARTMAP 1\nCCPOINTS: 30\nCCWEIGHTMULT 2\nCHEAT 1\nVERBOSITY 2\n");
    WriteFile("DATA1\\version.dat", "QUORVELLIAN914 DATA V1\nSAVE: 1.0\n");
    WriteFile("DATA1\\TILESET.dat",
              "QUORVELLIAN914 DATA V1\nTS: 1 64 1\n"
              "T: 1 1 ; UNBLOCKED LAND 0 \"Grass\"\n"
              "T: 2 2 ; UNBLOCKED WATER 0 \"Water\"\n"
              "T: 3 3 ; BLOCKED BLOCKED 0 \"Wall\"\n"
              "T: 10 10 ; UNBLOCKED LAND 0 \"Cave\"\n"
              "T: 11 11 ; UNBLOCKED BLOCKED 0 \"Rat\"\n"
              "T: 12 12 ; UNBLOCKED LAND 0 \"Coin\"\n"
              "T: 13 13 ; UNBLOCKED LAND 0 \"Hero\"\n");
    WriteFile("DATA1\\objdefs.dat",
              "QUORVELLIAN914 DATA V1\n"
              "CLIST: 4\nC: 1 \"Rat\" 11 0 LAND HOSTILE 4 1 0 1 2 0 5 0\nEND\n"
              "ILIST: 4\nI: 1 \"Coin\" 12 CURRENCY 1\nI: 2 \"Gem\" 12 TOOL 1\n"
              "I: 3 \"Chest\" 12 ICONTAINER 10\nSECURITY: SAFE\nEND\n"
              "LLIST: 6\n"
              "L: 1 \"Cave\" 10 NORMAL ENTER 0\nBMESSAGE: \"You crawl inside.\"\nAMESSAGE: \"It is damp here.\"\n"
              "L: 2 \"Ladder\" 10 UP NORMAL 0\n"
              "L: 3 \"Way out\" 10 NORMAL EXIT 0\n"
              "L: 4 \"Sign\" 10 SIGN NORMAL 0\nBMESSAGE: \"Welcome to the vale\"\n"
              "L: 5 \"Hole\" 10 DOWN BORDER 0\n"
              "END\n");
    WriteFile("DATA1\\MAPSET.dat",
              "QUORVELLIAN914 DATA V1\n"
              "M: 1 ;2 2\n"
              "B: N ; NONE ; \nBMESSAGE: \"The mountains are too steep.\"\n"
              "B: W ; NONE ; WRAP\n"
              "B: S ; NONE ; EXIT 0 0 0\n"
              "B: E ; NONE ; LINKWRAP 2 0 0\n"
              "M: 2 ;1 1\n"
              "B: W ; NONE ; LINK 1 7 2\n"
              "B: E ; NONE ; LINK 1 0 0\nBCSHIFT: 4\n"
              "B: S ; NONE ; LINK 3 2 9\n"
              "M: 3 ;2 2\n"
              "B: ALL ; NONE ; EXIT 0 0 0\n"
              "UDB: U\nUDBSTART: 1 1\n");
    WriteMap("DATA1\\1.map",
             "MAP 8 6\n1 1 1 1 1 1 1 1\n1 1 1 1 1 1 2 1\n1 1 1 1 1 1 1 1\n1 3 1 1 1 1 1 1\n"
             "1 1 1 1 1 1 1 1\n1 1 1 1 1 1 1 1\n");
    WriteMap("DATA1\\2.map", "MAP 4 4\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n");
    WriteMap("DATA1\\3.map", "MAP 5 5\n1 1 1 1 1\n1 1 1 1 1\n1 1 1 1 1\n1 1 1 1 1\n1 1 1 1 1\n");
    WriteFile("DATA1\\map1.dat",
              "QUORVELLIAN914 DATA V1\nSAVE: 1\n"
              "CLIST: 4\nC: 0 1 5 2\nEND\n"
              "LLIST: 6\nL: 1 1 4 2; \"<NULL>\" 3 2 3\nL: 2 2 1 1; \"<NULL>\" 3 0 0\nL: 3 4 6 4\n"
              "L: 4 5 0 5; \"<NULL>\" 3\nEND\n"
              "ILIST: 8\nI: 1 1 3 2; 5 0\nI: 2 2 3 2; 1 0\nEND\n");
    WriteFile("DATA1\\map2.dat", "QUORVELLIAN914 DATA V1\nSAVE: 1\nCLIST: 4\nC: 1 1 0 3\nEND\n");
    WriteFile("DATA1\\map3.dat", "QUORVELLIAN914 DATA V1\nSAVE: 1\nLLIST: 4\nL: 1 3 2 4\nEND\n");
    WriteFile("DATA1\\pc.dat",
              "QUORVELLIAN914 DATA V1\n\n!GENERAL\nBDEF: 13 LAND\nDEF: 13 LAND\n\n!CHARACTER\nNAME: Tester\n"
              "ATTRIB: 5 5 5 5 5 5\nHP: 20 20\n\n!INVENTORY\nINV: 8; 1 1 10\n");
  }

  // A new game with the default character, started with the recording view.
  void NewGame() {
    game = std::make_unique<CGame>();
    displays.overhead = &view;
    ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
    ASSERT_EQ(game->NewGameDChar(), 1);
    ASSERT_EQ(game->StartPlay(), 1);
    out.clear();
  }

  void Keys(std::initializer_list<int> keys) {
    for (int k : keys) PlayKeys::Queue().push_back(k);
  }

  std::string oldDir_, dir_;
  std::string out;
  CGetString input;
  CGameUIControl control;
  RecordingView view;
  GameDisplays displays;
  std::unique_ptr<CGame> game;
};
