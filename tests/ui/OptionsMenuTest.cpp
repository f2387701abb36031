// The options menu of play with its pages, driven by keys.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "../play/PlayFixture.h"
#include "play/QuickHelp.h"
#include "play/ScreenToggles.h"
#include "ui/OptionsMenu.h"

namespace {
const char* const kMenu =
    "OPTIONS\n*** Options ***\nQ: Quit Game\nM: Quit to Main Menu\nS: Save Game\nL: Load Game\n"
    "R: Restart Game (from current save)\nN: Toggle Sound\nA: Toggle Animation\nP: Toggle Text Pause\n"
    "V: Set Verbosity\nI: Inventory options\nK: Reorder Known Spell List\nC: Casting options\n"
    "F1: Output help to text file\nF2: Advanced options\n> ";
const char* const kAdvanced =
    "ADVANCED OPTIONS\n*** Advanced Options ***\nB: Bug fix options\nD: Toggle Debug Messages\n"
    "R: Toggle Redraw Debug Mode\nW: Toggle Draw Mode\n> ";
const char* const kBugFix =
    "BUG FIX OPTIONS\n*** Bug Fix Options ***\n1: Remove invalid exit point\n"
    "2: Recalculate attribute-related values\n3: Restore lost flags from party member\n"
    "4: Recalculate encumbrance\n> ";

class OptionsMenuTest : public PlayTest {
 protected:
  void Start() {
    NewGame();
    InitGameOptions(*game);
    ui.setAnimate = [this](bool on) { animateCalls.push_back(on); };
    ui.mapVisible = [this]() { return mapVisible; };
    ui.leaveToMainMenu = [this]() { ++leaves; };
  }
  // Types a line of text and Return.
  void Type(const std::string& text) {
    for (char c : text) Keys({-int(static_cast<unsigned char>(c))});
    Keys({-'\r'});
  }
  // Opens the menu with `key`; the keys queued before answer its questions.
  std::string Menu(int key) {
    out.clear();
    PlayKeys::Queue().push_front(key);
    EXPECT_EQ(ShowOptionsMenu(*game, ui), 1);
    return out;
  }
  UIServices ui;
  std::vector<bool> animateCalls;
  bool mapVisible = true;
  int leaves = 0;
};

TEST_F(OptionsMenuTest, UnknownKeyListsTheMenuThenABlankLineAndThePrompt) {
  Start();
  EXPECT_EQ(Menu('X'), std::string(kMenu) + "\nCMD: ");
}

TEST_F(OptionsMenuTest, VerbosityTakesExactlyOneToFour) {
  Start();
  const std::string levels =
      "> Set Verbosity (current %d)\n1: Minimum messages\n2: Standard messages\n3: Extra messages\n"
      "4: Advanced messages\nLevel? ";
  struct Case {
    const char* answer;
    int expected;
    bool done;
  } cases[] = {{"3", 3, true}, {"5", 3, false}, {"", 3, false}, {"259", 3, false},                {"1x", 3, false}, {"4x", 3, false}, {" 4 ", 4, true}, {"0", 4, false}};
  for (const Case& c : cases) {
    int before = game->verbosity;
    Type(c.answer);
    std::string text = Menu('V');
    char head[256];
    std::snprintf(head, sizeof head, levels.c_str(), before);
    EXPECT_EQ(text, std::string(kMenu).substr(0, std::strlen(kMenu) - 2) + head +
                        (c.done ? "Done\n" : "") + "CMD: ")
        << c.answer;
    EXPECT_EQ(game->verbosity, c.expected) << c.answer;
  }
}

TEST_F(OptionsMenuTest, TogglesPrintTheirNewState) {
  Start();
  const std::string head = std::string(kMenu);
  EXPECT_EQ(Menu('A'), head + "Toggle Animation\nAnimation: 0\nCMD: ");
  EXPECT_EQ(game->scenario.config.animate, 0);
  mapVisible = false;  // full-text mode: the option changes, the displays wait
  EXPECT_EQ(Menu('A'), head + "Toggle Animation\nAnimation: 1\nCMD: ");
  EXPECT_EQ(animateCalls, std::vector<bool>{false});
  EXPECT_EQ(Menu('N'), head + "Toggle Sound On/Off\nSound off\nCMD: ");
  EXPECT_FALSE(game->options.soundOn);
  EXPECT_EQ(Menu('N'), head + "Toggle Sound On/Off\nSound on\nCMD: ");
  EXPECT_EQ(Menu('P'), head + "Toggle Text Pause On/Off\nText pause on\nCMD: ");
  EXPECT_TRUE(game->options.textPause);
  EXPECT_EQ(Menu('P'), head + "Toggle Text Pause On/Off\nText pause off\nCMD: ");
}

TEST_F(OptionsMenuTest, CastingModeAndRefusalsOfLaterWork) {
  Start();
  const std::string head = std::string(kMenu) +
                           "Casting options\n*** Switch Casting Mode ***\nCurrent=%d\n"
                           "0: Select by standard list position\n1: Select by spell ID\n(none to exit)\nWhich? ";
  auto expect = [&](int current, const std::string& typed, const std::string& result) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, head.c_str(), current);
    (void)typed;  // the line editor echoes on the display only
    return std::string(buffer) + result + "\nCMD: ";
  };
  Type("1");
  EXPECT_EQ(Menu('C'), expect(0, "1", "Cast mode=1"));
  Type("2");
  EXPECT_EQ(Menu('C'), expect(1, "2", "None"));
  EXPECT_EQ(game->options.castingMode, 1);
  Type("");
  EXPECT_EQ(Menu('C'), expect(1, "", "None"));
  Type("0");
  EXPECT_EQ(Menu('C'), expect(1, "0", "Cast mode=0"));
  EXPECT_EQ(game->options.castingMode, 0);
  EXPECT_EQ(Menu('K'), std::string(kMenu) + "Reorder Known Spell List\nComplex spells are not defined\nCMD: ");
  EXPECT_EQ(Menu('I'), std::string(kMenu) +
                           "Inventory options\nInventory options are not available in this version of Korva\nCMD: ");
}

TEST_F(OptionsMenuTest, MainMenuAsksFirstAndLeavesThroughTheController) {
  Start();
  Keys({'N'});
  EXPECT_EQ(Menu('M'), std::string(kMenu) + "Main Menu\nAre you sure you want to quit? NO\nCMD: ");
  EXPECT_EQ(leaves, 0);
  Keys({'Y'});
  EXPECT_EQ(Menu('M'), std::string(kMenu) + "Main Menu\nAre you sure you want to quit? YES\n\n");
  EXPECT_EQ(leaves, 1);
  Keys({'N'});
  EXPECT_EQ(Menu('Q'), std::string(kMenu) + "Quit\nAre you sure you want to quit? NO\nCMD: ");
}

TEST_F(OptionsMenuTest, RestartLoadsTheCurrentSaveAgain) {
  Start();
  ASSERT_EQ(game->SaveGame(), 1);
  game->HandleOverheadKey(keys::Down);
  ASSERT_EQ(game->playerY, 3);
  Keys({'N'});
  EXPECT_EQ(Menu('R'), std::string(kMenu) + "Restart\nAre you sure you want to restart? NO\nCMD: ");
  EXPECT_EQ(game->playerY, 3);
  Keys({'Y'});
  EXPECT_EQ(Menu('R'), std::string(kMenu) + "Restart\nAre you sure you want to restart? YES\n\nCMD: ");
  EXPECT_EQ(game->playerY, 2);
}

TEST_F(OptionsMenuTest, AdvancedOptions) {
  Start();
  const std::string head = std::string(kMenu) + kAdvanced;
  Keys({'D'});
  EXPECT_EQ(Menu(keys::F2), head + "Toggle DBG\nDBG ON\nCMD: ");
  EXPECT_TRUE(DebugMode());
  Keys({'D'});
  EXPECT_EQ(Menu(keys::F2), head + "Toggle DBG\nDBG OFF\nCMD: ");
  Keys({'R'});
  EXPECT_EQ(Menu(keys::F2), head + "Toggle Redraw DBG\nRedraw debug on\nCMD: ");
  EXPECT_TRUE(game->options.redrawDebug);
  out.clear();
  EXPECT_EQ(game->RedrawAll(), 1);
  EXPECT_EQ(out, "RedrawAll\n");
  // Without an overhead display there is no draw mode to switch.
  Keys({'W'});
  EXPECT_EQ(Menu(keys::F2), head + "Toggle Draw Mode\nFailed to initialize FSB mode\n");
  Keys({'Z'});
  EXPECT_EQ(Menu(keys::F2), head + "\nCMD: ");
}

TEST_F(OptionsMenuTest, BugFixRemovesAtMostTwoExitPointsAndNeverTheFirst) {
  Start();
  const std::string head = std::string(kMenu) + kAdvanced + kBugFix;
  ExitStack& exits = game->world.exits;
  exits.Clear();
  Keys({'B'});
  Type("1");
  std::string text = Menu(keys::F2);
  EXPECT_EQ(text, head + "!!! BUG FIX OPTION: REMOVE INVALID EXIT POINT !!!\n\n"
                         "You have no exit maps defined; this fix does not apply to this save\nCMD: ");
  exits.Push(1, 2, 3);
  Keys({'B'});
  Type("1");
  EXPECT_NE(Menu(keys::F2).find("You have only 1 exit map defined; this fix does not apply to this save\nCMD: "),
            std::string::npos);
  exits.Push(2, 4, 5);
  exits.Push(3, 6, 7);
  Keys({'B'});
  Type("1");
  Keys({' ', 'Y', 'Y'});  // the explanation page, then both questions
  text = Menu(keys::F2);
  EXPECT_NE(text.find("The following exit value will be removed:\nMap 3 at position 6 7\n"
                      "Are you sure you wish to proceed? YES\nDONE\nThere is still an additional exit value:\n"
                      "Map 2 at position 4 5\nWould you like to also remove it? YES\nDONE\nCMD: "),
            std::string::npos)
      << text;
  EXPECT_EQ(exits.slots[0].map, 1);
  EXPECT_EQ(exits.slots[1].map, 0);
  EXPECT_EQ(exits.slots[2].map, 0);
}

TEST_F(OptionsMenuTest, BugFixEncumbranceNoPartyAndWrongNumbers) {
  Start();
  const std::string head = std::string(kMenu) + kAdvanced + kBugFix;
  game->pc->weight = 77;
  Keys({'B'});
  Type("4");
  Keys({' ', 'Y'});
  std::string text = Menu(keys::F2);
  EXPECT_NE(text.find("Do you wish to proceed? YES\nCurrent weight: 77\nNew weight: 10000\nDONE\nCMD: "),
            std::string::npos)
      << text;
  EXPECT_EQ(game->pc->weight, 10000u);  // ten coins of weight 1 (thousandths)
  Keys({'B'});
  Type("3");
  EXPECT_NE(Menu(keys::F2).find("!!! BUG FIX OPTION: RESTORE LOST FLAGS FROM PARTY MEMBER !!!\n\nThere is no party."),
            std::string::npos);
  for (const char* answer : {"5", "", "0", "14"}) {
    Keys({'B'});
    Type(answer);
    EXPECT_EQ(Menu(keys::F2), head + "CMD: ") << answer;
  }
  EXPECT_EQ(ApplyBugFix(*game, 7), 0);
}

TEST_F(OptionsMenuTest, HelpFileHoldsTheHelpLinesAndStaysInTheGameDirectory) {
  Start();
  std::string expected;
  for (const std::string& line : QuickHelpLines()) expected += line + "\n";
  Type("help.txt");
  std::string text = Menu(keys::F1);
  EXPECT_EQ(text.substr(0, std::strlen(kMenu)), kMenu);
  EXPECT_NE(text.find("Output help to text file\n- Empty to exit\n- File without path means root game directory\n"
                      "Please enter the filename:\n? "),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 11), "\nDone\nCMD: ");
  std::string file;
  ASSERT_TRUE(AReadFile("help.txt", file));
  EXPECT_EQ(file, expected);
  EXPECT_EQ(QuickHelpLines().front().compare(0, 12, "Korva Engine"), 0);
  EXPECT_EQ(QuickHelpLines().back(), "Refer to the manual.txt document for more information");

  // An existing file is kept unless the player agrees.
  ASSERT_TRUE(AWriteFileAtomic("help.txt", "mine"));
  Type("help.txt");
  Keys({'N'});
  text = Menu(keys::F1);
  const std::string refused = "File exists, overwrite? NO\nCMD: ";
  EXPECT_EQ(text.substr(text.size() - refused.size()), refused);
  ASSERT_TRUE(AReadFile("help.txt", file));
  EXPECT_EQ(file, "mine");

  for (const char* name : {"../escape.txt", "save\\help.txt", "/tmp/help.txt", "C:help.txt", ".."}) {
    Type(name);
    text = Menu(keys::F1);
    EXPECT_NE(text.find(std::string("ERROR (HelpToFile): Invalid file name ") + name + " (no path allowed)\nCMD: "),
              std::string::npos)
        << name;
  }
  EXPECT_FALSE(AFileExists("..\\escape.txt"));
  Type("");
  EXPECT_EQ(Menu(keys::F1).substr(std::strlen(kMenu)),
            "Output help to text file\n- Empty to exit\n- File without path means root game directory\n"
            "Please enter the filename:\n? Canceled\nCMD: ");
  // A name that cannot be written (here a directory) gives the error line.
  ASSERT_TRUE(AMakeDir("taken"));
  Type("taken");
  Keys({'Y'});
  EXPECT_NE(Menu(keys::F1).find("ERROR (Help): Could not open taken\nCMD: "), std::string::npos);
}
}  // namespace

namespace {
TEST_F(OptionsMenuTest, BugFixSwapsFlagsWithAChosenPartyMember) {
  Start();
  // A party of three led by the first member; the second kept the flags.
  game->pc->hasFlags = false;
  game->pc->flags.clear();
  game->partySize = 3;
  game->activeMember = 1;
  game->partyMembers.resize(3);
  for (int k : {1, 2}) {
    game->partyMembers[size_t(k)] = std::make_unique<PCRecord>();
    game->partyMembers[size_t(k)]->def.name = k == 1 ? "Ayla" : "Bram";
  }
  PCRecord& ayla = *game->partyMembers[1];
  ayla.hasFlags = true;
  ayla.flagCount = 10;
  ayla.flags = {{3, 1}, {7, 42}};
  Keys({'B'});
  Type("3");
  Keys({' ', ' '});  // the two explanation pages
  Type("1");         // the active character itself
  Keys({' '});
  Type("3");  // Bram has no flags
  Keys({' '});
  Type("2");
  Keys({' ', 'Y', 'Y'});
  std::string text = Menu(keys::F2);
  const std::string list =
      "Swap flags with:\n1: Tester (no flags)\n2: Ayla (has flags)\n3: Bram (no flags)\n(<RETURN> to exit)\nWhich? ";
  EXPECT_NE(text.find(list + "Invalid character\n" + list + "This character has no flags\n" + list +
                      "Flags (Ayla): 3 1  7 42  Total set: 2\nIs this the character you wish to select? YES\n"
                      "This will swap the flags between Tester and Ayla\nAre you sure you wish to proceed? YES\n"
                      "DONE\nCMD: "),
            std::string::npos)
      << text;
  EXPECT_TRUE(game->pc->hasFlags);
  EXPECT_EQ(game->pc->flags.size(), 2u);
  EXPECT_EQ(game->pc->flagCount, 10);
  EXPECT_TRUE(ayla.flags.empty());
  EXPECT_FALSE(ayla.hasFlags);
}
}  // namespace
