#pragma once
// The script interpreter bound to a running game: the game answers what the
// scripts ask of the world (flags, map, party), and the interpreter runs the
// map's start and turn scripts, its triggers and the scripts of objects.
#include <memory>

#include "scripting/ScriptContext.h"
#include "scripting/ScriptWorld.h"
#include "scripting/Triggers.h"

class CGame;

class CGameScriptWorld : public ScriptWorld {
 public:
  explicit CGameScriptWorld(CGame& game) : game_(game) {}

  bool GetFlag(int flag, uint8_t* value) override;
  bool SetFlag(int flag, uint8_t value) override;
  bool Redraw() override;
  uint16_t CurrentMapId() override;
  bool MapSize(int* width, int* height) override;
  bool PartyPosition(int* x, int* y) override;
  int PartyFacing() override;
  bool DarkAtParty() override;
  bool ArrivalMark() override;
  TriggerCells* TriggerCellMap() override;
  std::string ActiveCharName() override;

 private:
  CGame& game_;
  std::unique_ptr<TriggerCells> cells_;
  const void* cellsFor_ = nullptr;  // the stack map the cell view was made for
};

class CGameScripts {
 public:
  CGameScripts(CGame& game, uint16_t scenario);
  // Sets the game's hooks for script runs, map entry, position triggers and
  // saving.
  void Attach();
  ScriptContext& Context() { return context_; }

 private:
  int Run(int type, uint16_t script);
  void MapEntered();

  CGame& game_;
  CGameScriptWorld world_;
  ScriptContext context_;
};
