#include "play/GameScripts.h"

#include <algorithm>

#include "play/Game.h"
#include "scripting/ScriptTypes.h"
#include "world/QMap.h"

namespace {
// The trigger numbers of a map's cells, kept in its stack map.
class StackMapTriggerCells : public TriggerCells {
 public:
  explicit StackMapTriggerCells(QMap& qmap) : qmap_(qmap) {}
  int Width() const override { return qmap_.Width(); }
  int Height() const override { return qmap_.Height(); }
  uint16_t Get(int x, int y) const override { return qmap_.Trigger(x, y); }
  void Set(int x, int y, uint16_t id) override { qmap_.SetTriggerRect(x, y, x, y, id); }

 private:
  QMap& qmap_;
};

uint8_t InterpreterScriptType(int type) {
  switch (type) {
    case ScriptStart: return ScriptTypeStart;
    case ScriptExit: return ScriptTypeExit;
    case ScriptLocation:
    case ScriptEnter: return ScriptTypeUse;
    case ScriptConversation: return ScriptTypeConv;
    default: return ScriptTypeNone;
  }
}
}  // namespace

// Flags are numbered from 1; the character file keeps each by its place in
// the list (flag n at place n - 1).
bool CGameScriptWorld::GetFlag(int flag, uint8_t* value) {
  if (!game_.pc || flag < 1 || flag > game_.pc->flagCount) return false;
  *value = 0;
  for (const auto& [place, v] : game_.pc->flags)
    if (place == flag - 1) *value = static_cast<uint8_t>(v);
  return true;
}

bool CGameScriptWorld::SetFlag(int flag, uint8_t value) {
  if (!game_.pc || flag < 1 || flag > game_.pc->flagCount) return false;
  auto& flags = game_.pc->flags;
  const uint16_t place = static_cast<uint16_t>(flag - 1);
  auto it = std::find_if(flags.begin(), flags.end(), [&](const auto& f) { return f.first == place; });
  if (value == 0) {
    if (it != flags.end()) flags.erase(it);
  } else if (it != flags.end()) {
    it->second = value;
  } else {
    flags.emplace_back(place, value);
  }
  game_.pc->hasFlags = true;
  return true;
}

bool CGameScriptWorld::Redraw() { return game_.RedrawAll() == 1; }

uint16_t CGameScriptWorld::CurrentMapId() { return game_.mapNumber; }

bool CGameScriptWorld::MapSize(int* width, int* height) {
  if (!game_.map) {
    *width = *height = 0;
    return false;
  }
  *width = game_.map->Width();
  *height = game_.map->Height();
  return true;
}

bool CGameScriptWorld::PartyPosition(int* x, int* y) {
  *x = game_.playerX;
  *y = game_.playerY;
  return game_.map != nullptr;
}

int CGameScriptWorld::PartyFacing() { return game_.facing; }

bool CGameScriptWorld::DarkAtParty() { return game_.dark; }

bool CGameScriptWorld::ArrivalMark() { return game_.arrivalMark; }

TriggerCells* CGameScriptWorld::TriggerCellMap() {
  if (!game_.qmap) return nullptr;
  if (cellsFor_ != game_.qmap.get()) {
    cells_ = std::make_unique<StackMapTriggerCells>(*game_.qmap);
    cellsFor_ = game_.qmap.get();
  }
  return cells_.get();
}

std::string CGameScriptWorld::ActiveCharName() {
  if (!game_.pc || !game_.pc->def.name) return std::string();
  return *game_.pc->def.name;
}

CGameScripts::CGameScripts(CGame& game, uint16_t scenario)
    : game_(game), world_(game), context_(&world_, scenario) {}

void CGameScripts::Attach() {
  GameHooks& hooks = game_.Hooks();
  hooks.runScript = [this](int type, uint16_t script) { return Run(type, script); };
  hooks.mapEntered = [this]() { MapEntered(); };
  hooks.positionTriggers = [this]() { CheckTriggersAtParty(context_); };
  hooks.saving = [this]() { SaveGameTriggers(context_); };
}

void CGameScripts::MapEntered() {
  context_.mapLoadType = game_.mapLoadType;
  context_.triggerListNumber = game_.mapData.triggerList;
  LoadTriggerList(context_);
  SetTurnScript(context_, game_.mapData.turnScript);
}

int CGameScripts::Run(int type, uint16_t script) {
  // The turn script keeps its place from turn to turn in its own engine.
  if (type == ScriptTurn) return CheckRunTurnScript(context_) ? 0 : 1;
  if (!RunScriptNumber(context_, script, InterpreterScriptType(type))) return 1;
  return context_.lastResult;
}
