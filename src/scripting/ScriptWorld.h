#pragma once
// What the scripts need from the running game. The game object implements
// this interface; the interpreter, the triggers and the script commands
// reach the world only through it. Every operation has a neutral default
// so that a partial world (tests, tools) works; the defaults describe an
// empty world: no flags, no party, a map of size 0.
//
// How the game drives the scripts (scripting/ScriptContext.h, Triggers.h):
//   - it owns one ScriptContext(world, scenario) for the running game;
//   - map entry: set context.mapLoadType and context.triggerListNumber, call
//     LoadTriggerList(context), SetTurnScript(context, turn script number),
//     RunScriptNumber(context, start script, ScriptTypeStart), then
//     CheckTriggersAtParty(context);
//   - after every move of the party: CheckTriggersAtParty(context); once per
//     player turn: CheckRunTurnScript(context);
//   - talking, looking, using: RunScriptNumber with ScriptTypeConv, Look, Use;
//   - saving: SaveGameTriggers(context); leaving a map that is buffered:
//     move context.triggers into the buffered map and answer
//     FindBufferedTriggerMap for it;
//   - game commands of the other families: RunGameCommand.
#include <cstdint>
#include <string>

#include "scripting/ScriptRegisters.h"

class ScriptContext;
class ScriptEngine;
class TriggerCells;
class TriggerList;
struct ScriptLine;

// The trigger data of a map kept in the memory buffer, for the work that a
// trigger's run leaves when its script moved the party to another map.
struct BufferedTriggerMap {
  TriggerList* list = nullptr;   // that map's trigger list (may be none)
  TriggerCells* cells = nullptr; // that map's cell trigger IDs (may be none)
  int exitX = -1;                // the party's cell there (the exit stack's deepest slot)
  int exitY = -1;
};

class ScriptWorld {
 public:
  virtual ~ScriptWorld() = default;

  // ---- the active character's flags, numbered from 1
  virtual bool GetFlag(int flag, uint8_t* value) { (void)flag; (void)value; return false; }
  virtual bool SetFlag(int flag, uint8_t value) { (void)flag; (void)value; return false; }

  // ---- display
  // Redraws the game display; false when the redraw failed.
  virtual bool Redraw() { return true; }

  // ---- the current map and the party
  virtual uint16_t CurrentMapId() { return 0; }
  virtual bool MapSize(int* width, int* height) { *width = *height = 0; return false; }
  virtual bool PartyPosition(int* x, int* y) { *x = *y = 0; return false; }
  // 0 north, 1 east, 2 south, 3 west.
  virtual int PartyFacing() { return 0; }
  virtual bool HasParty() { return false; }
  // The view shows darkness at the party's position.
  virtual bool DarkAtParty() { return false; }
  // The party has delay turns left or the active character's body sleeps.
  virtual bool PartyIncapacitated() { return false; }
  // How the player got onto the current cell; 0 when the party passed or
  // has not moved since the map was entered.
  virtual int LastMoveAction() { return 0; }
  // The arrival mark of the turn cycle is set.
  virtual bool ArrivalMark() { return false; }
  // Whether the party is taking an extra turn (the turn script then waits).
  virtual bool ExtraTurn() { return false; }

  // ---- triggers
  // The current map's cell trigger IDs (its quality map); none without a map.
  virtual TriggerCells* TriggerCellMap() { return nullptr; }
  // The trigger data of the map `mapId` when it is the map kept in the memory
  // buffer (the exit stack's deepest filled slot names it); false otherwise.
  virtual bool FindBufferedTriggerMap(uint16_t mapId, BufferedTriggerMap* out) { (void)mapId; (void)out; return false; }
  // Lowers the remaining encounter count of the current map, or of the map
  // kept in the memory buffer, when it is above 0.
  virtual void LowerEncounterCount(bool bufferedMap) { (void)bufferedMap; }
  // The first two trigger checks at the party's cell: the terrain effect of
  // the cell and the triggering object on top of it. False when one failed.
  virtual bool CheckBMapTriggers(int x, int y) { (void)x; (void)y; return true; }
  virtual bool CheckObjectTriggers(int x, int y) { (void)x; (void)y; return true; }

  // ---- game commands of the other families
  // 1 success, 0 failure (the command has written its messages and the line
  // message), -1 when the world does not know the command.
  virtual int RunGameCommand(ScriptContext& context, ScriptEngine& engine, ScriptLine& line) {
    (void)context; (void)engine; (void)line;
    return -1;
  }

  // ---- values for messages
  virtual std::string ActiveCharName() { return std::string(); }
  // Count of the active character's currency item, 0 without one.
  virtual int CurrencyCount() { return 0; }
  // Intelligence, charisma and the scenario's PCATTRIBMOD for the price factor.
  virtual void PriceAttributes(int* intelligence, int* charisma, int* attribMod) {
    *intelligence = *charisma = *attribMod = 0;
  }
  virtual bool ObjectName(const ObjectRef& ref, std::string* out) { (void)ref; (void)out; return false; }
  virtual bool ObjectCredit(const ObjectRef& ref, int* out) { (void)ref; (void)out; return false; }
  virtual bool SpellName(int spell, std::string* out) { (void)spell; (void)out; return false; }
  virtual bool SpellCost(int spell, int* out) { (void)spell; (void)out; return false; }
  // Count of items of a definition in the active character's inventory.
  virtual int ItemCount(int definition) { (void)definition; return 0; }
  // Count of the item an item reference names; 0 when it is gone.
  virtual int ItemRefCount(const ObjectRef& item) { (void)item; return 0; }

  // ---- object references for ScriptVal
  virtual ObjectRef ActiveCharacter() { return ObjectRef(); }
  // False when the reference is not a live party member.
  virtual bool SetActiveCharacter(const ObjectRef& member) { (void)member; return false; }
  // The i-th reference held by the record a reference names.
  virtual bool GetArrayRef(const ObjectRef& ref, int index, ObjectRef* out) {
    (void)ref; (void)index; (void)out;
    return false;
  }
  virtual bool CreaturePosition(const ObjectRef& creature, int* x, int* y) {
    (void)creature; (void)x; (void)y;
    return false;
  }
  // Changes only the creature's own recorded position.
  virtual bool SetCreaturePosition(const ObjectRef& creature, int x, int y) {
    (void)creature; (void)x; (void)y;
    return false;
  }
};
