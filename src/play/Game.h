#pragma once
// CGame: the one game object of a running game. It holds the loaded
// scenario, the current map with its object lists, stack map, overlay,
// buffers and exit stack, the player character, the save directory state,
// and runs the player's commands.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/MapSet.h"
#include "play/GameOptions.h"
#include "play/MapView.h"
#include "play/TurnState.h"
#include "scenario/Scenario.h"
#include "ui/GameUIControl.h"
#include "world/CharacterFile.h"
#include "world/GameDat.h"
#include "world/MapFile.h"
#include "world/QMap.h"
#include "world/StackOrder.h"

class CTileSet;

// The displays and graphics the controller hands to the game (any may be
// null; a game without an overhead display cannot start play).
struct GameDisplays {
  CMapView* overhead = nullptr;
  CMapView* firstPerson = nullptr;
  CTileSet* tiles = nullptr;        // overhead tiles: terrain of cells and objects
  CTileSet* vectorTiles = nullptr;  // first-person tiles; the overhead ones when null
};

// Script types handed to the script hook.
enum GameScriptType {
  ScriptNone = 0, ScriptStart = 1, ScriptExit = 2, ScriptTurn = 3, ScriptLocation = 4, ScriptEnter = 5,
  ScriptConversation = 6
};

// Hook points for the parts of the engine that are built elsewhere: the
// script interpreter and triggers, the turn cycle, and the controller's own
// commands. Every hook may be left empty; the game then goes on as if the
// hook had nothing to do.
struct GameHooks {
  // Runs a script; returns the script state (0 normal, 1 error, 2 abort,
  // 3 encounter...). Empty or script 0: nothing runs.
  std::function<int(int type, uint16_t script)> runScript;
  // The position triggers of the player's cell after an arrival or a move.
  std::function<void()> positionTriggers;
  // A map has been entered (before its start script): its triggers and turn
  // script are set up.
  std::function<void()> mapEntered;
  // The game is being saved: state kept outside the game object is written.
  std::function<void()> saving;
  // One turn of the world after a command that took time (before the
  // prompt); returns 0 on an internal error.
  std::function<int()> worldTurn;
  // The controller's commands: quit (with or without saving), quick help,
  // options menu, debug menu, remembering the load name.
  std::function<int(bool withoutSave)> quitGame;
  std::function<int(bool inPlace)> quickHelp;
  std::function<int()> optionsMenu;
  std::function<int(bool scriptConsole)> debugMenu;
  std::function<int()> saveGameState;
  // The scenario's priority key map, consulted before the built-in keys:
  // true with the key-map command code when it maps the key.
  std::function<bool(int key, int mode, int* code)> keyMap;
  // The information and screen keys that cost no turn (sheets, debug
  // movement, screen locking, animation frame): sets *handled when the key
  // is one of them and returns the command's result.
  std::function<int(int key, bool ctrl, bool* handled)> infoKey;
  // Called at the end of every map start (the turn rules reset their
  // per-map values there).
  std::function<void()> mapStarted;
  // Called first by every command prompt: resumes a creature loop that a
  // creature stopped.
  std::function<void()> beforePrompt;
  // Plays a sound of the scenario's sound set (2 step, 3 bump).
  std::function<void(int sound)> playSound;
};

// A whole map kept in the memory buffer while the player is elsewhere.
struct MapSnapshot {
  std::unique_ptr<CMap> map;
  MapGameData data;
  std::unique_ptr<QMap> qmap;
  std::vector<uint16_t> overlay;
  std::unique_ptr<CreatureList> creatures;
  std::unique_ptr<LocationList> locations;
  std::unique_ptr<VehicleList> vehicles;
  std::unique_ptr<ItemList> items;
  bool saveBMap = false;
};

class CGame {
 public:
  CGame();
  ~CGame();
  CGame(const CGame&) = delete;
  CGame& operator=(const CGame&) = delete;

  // Loads scenario `scenario` (its rules and definitions) and keeps the
  // control record and displays. Returns 1, or 0 when the scenario cannot
  // be used.
  int Initialize(CGameUIControl* control, int scenario, const GameDisplays& displays);
  void SetHooks(GameHooks hooks) { hooks_ = std::move(hooks); }
  GameHooks& Hooks() { return hooks_; }
  // New displays; without tiles of their own the game keeps its own.
  void SetDisplays(const GameDisplays& displays);

  // New game, load, save (the working save directory save\Default<n>).
  int PrepNewGame();
  int NewGameDChar();
  std::unique_ptr<PCRecord> LoadPCTemplate();
  int LoadCurrentGame();
  int LoadNamedGame(const std::string& dir);
  int SaveGame();
  int OfferSave();
  int SaveNamedGame();    // 1 saved, 2 not saved, 0 failure
  int LoadGameCommand();  // F4 during play
  int ReloadGame(const std::string* dir);
  bool SaveAllowed() const;

  // Start of play after a new game or a load.
  int StartPlay();
  void CommandPrompt();
  // A command that took time: the world's turn, then the next prompt.
  int EndTurn();
  int RedrawAll();

  // Map lifecycle.
  int LoadMap(uint16_t m);
  int LeaveMap(bool autosave);
  int ChangeMap(uint16_t m, int x, int y, bool keepFacing);

  // Objects on the map.
  int RemoveObject(int kind, uint16_t id, bool permanent);
  int RestoreObject(int kind, uint16_t id);
  int CreateApplyCreature(uint16_t def, int x, int y, uint16_t npcDef);
  int CreateApplyItem(uint16_t def, int x, int y, int32_t quantity);
  int CreateApplyVehicle(uint16_t def, int x, int y);
  int CreateApplyLocation(uint16_t def, int x, int y);
  // Look-ups by cell (the topmost object of that kind in the cell's stack)
  // and by ID; null when there is none. Never keep these across a script,
  // a map change or the creation of objects: look them up again.
  const QEntry* TopAt(int x, int y, int kind = 0) const;
  CreatureObject* CreatureAt(int x, int y) const;
  LocationObject* LocationAt(int x, int y) const;
  VehicleObject* VehicleAt(int x, int y) const;
  ItemObject* ItemAt(int x, int y) const;
  // The terrain type an object shows for the current view; -1 none.
  int ObjectTerrain(int kind, uint16_t id) const;
  int ProcessMapStartString(const std::string& text, int arrivalKind);

  // Keys of overhead play (mode 2) and first-person play (mode 3).
  int HandleOverheadKey(int key);
  int HandleFirstPersonKey(int key);

  // Movement.
  int MovePlayer(int dx, int dy);                  // 0 error, 1 done, 2 moved, 3 blocked
  // Crossing side `side` (0 north .. 3 west) to the target (x, y), which
  // the wrapping border types change. 0 error, 1 handled, 2 go on.
  int BorderMove(int& x, int& y, int side, bool interactive);
  int CollisionShift(int& x, int& y, int type);
  int BorderCollisionShift(int& x, int& y, int type, int side);
  // True when the current member may not enter the cell (objects, then terrain).
  bool CellBlocked(int x, int y) const;
  bool CheckTerrainFor(int terrain) const;
  int UseLocation(uint16_t locationId);  // 0 error, 1 done, 2 refused
  int KlimbDescend(bool descend);
  int Enter();
  int Pass();
  int Jump();
  int DebugMove(int dx, int dy);
  // Direction prompts: one key; 1 with the offsets, 0 cancelled (the
  // refusal is printed).
  int AskDirection(bool allowHere, int& dx, int& dy);
  int AskRelativeDirection(int& dx, int& dy);
  // Removes every creature for good; removes creatures without definition.
  int RemoveAllCreatures();
  int VerifyCreatureList();

  // State (public for the rules of other parts and for tests).
  CGameUIControl* control = nullptr;
  ScenarioData scenario;
  GameDisplays displays_;
  int scenarioNumber = 0;

  std::unique_ptr<CMap> map;
  uint16_t mapNumber = 0;
  MapGameData mapData;
  std::unique_ptr<QMap> qmap;
  std::vector<uint16_t> overlay;
  std::unique_ptr<CreatureList> creatures;
  std::unique_ptr<LocationList> locations;
  std::unique_ptr<VehicleList> vehicles;
  std::unique_ptr<ItemList> items;
  std::map<uint16_t, std::unique_ptr<MapSnapshot>> memoryBuffer;
  uint16_t currentGroup = 0;
  bool groupCreatedByRun = false;
  int viewMode = 1;  // 1 overhead, 2 first person

  std::unique_ptr<PCRecord> pc;  // the active character
  // A party read from a save: the other members by position (index k - 1;
  // the active member's slot is empty while `pc` holds it). No party: empty.
  std::vector<std::unique_ptr<PCRecord>> partyMembers;
  int activeMember = 0;  // position of `pc` in the party; 0 without a party
  int partySize = 0;
  // The party member at position k (1-based), the active one included; null
  // for an empty or invalid position.
  PCRecord* PartyMember(int k) const {
    if (k < 1 || k > partySize) return nullptr;
    if (k == activeMember) return pc.get();
    return size_t(k - 1) < partyMembers.size() ? partyMembers[size_t(k - 1)].get() : nullptr;
  }
  int playerX = 0, playerY = 0;
  int facing = 0;
  GameDatValues world;  // save.dat values; world.exits is the exit stack
  uint8_t howArrived = 0;
  uint8_t mapLoadType = 0;
  bool playerMayAct = false;
  bool debugMove = false;
  bool redrawPending = false;
  bool saveBMap = false;
  bool securityArmed = false;
  bool condBufferRequest = false;
  bool fromMemory = false;
  bool arrivalMark = false;
  bool runTriggersMark = false;
  bool dark = false;
  bool creaturesFirstTurn = false;
  uint8_t currentWind = 0;
  int extraDelay = 0;
  TurnState turn;  // turn cycle, creature and combat state
  uint8_t verbosity = 2;
  GameOptions options;

  std::optional<std::string> saveName, loadName;

 private:
  CMapView* View() const;
  const CTileSet* TileSetForView() const;
  int Capability() const;
  int CellTerrain(int x, int y) const;  // -1 no tile
  uint16_t ObjectTile(int kind, uint16_t id) const;
  void RefreshOverlay(int x, int y);
  int PushObject(int kind, uint16_t id, int x, int y, uint8_t effect);
  int ApplyLists();
  int RunScript(int type, uint16_t script);
  int Refuse(const char* text);  // prints the line and the prompt
  int IllegalCommand();
  int OverheadMove(int dx, int dy, const char* word);
  int HandleKey(int key, bool firstPerson);
  int RunCode(int code, bool firstPerson);
  int StepFacing(int turn, const char* word);
  int FirstPersonTurn(int delta);
  void MapStart();
  int UpdateGroupBuffer();
  std::string ScenarioMapFile() const;
  std::string MapFileText() const;
  std::vector<PlacedObject> PlacedObjects() const;
  int SaveQMapStackOrder();
  int LoadQMapStackOrder();
  int ItemListCheckSecurity();
  int SwitchViewMode(int mode);
  int ReadPlayerFromSave();
  std::unique_ptr<PCRecord> MakePCFromFile(const std::string& path, bool member);
  int LoadParty();
  int SaveParty();
  int ShowArrival(const LocationObject& loc);
  void PlaySound(int sound) {
    if (hooks_.playSound) hooks_.playSound(sound);
  }
  int ClampArrival(int side);
  // Loads the target map of a move; when that fails the map that was just
  // left is brought back with the player where it stood, so that the game
  // always has a current map.
  int LoadMapOrReturn(uint16_t target, uint16_t from, int fromX, int fromY);
  int UseLocationWith(uint16_t id, uint16_t defaultMap, uint8_t defaultType);
  // The location standing on the player's cell (anywhere in its stack), 0 none.
  uint16_t LocationHere() const;

  GameHooks hooks_;
  std::unique_ptr<CTileSet> ownTiles_;
};
