#pragma once
// The command words of the script language and their numeric ids. Ids 1 to
// 22 are run by the script engine itself; every other id is a game command.
#include <cstdint>

namespace cmd {
enum : uint16_t {
  NOOP = 1, BREAK, GOTO, WaitTurns, WaitTime, Message, DBG, AddKeyWords, DoKeyWord, DoConvInput,
  DoKeyInput, DoStringInput, Verify, Pause, Random, CRandom, CheckState, SetSafety, InitKWList, Def,
  Time, PING,
  CMessage = 23, Sound, FX, TileFX, DrawTiles, Teleport, AutoSave,
  CheckPos = 30, CCheckPos, CheckMoveAction, AlterTiles, CAlterTiles, ReplaceTile, CheckTile, Pos,
  PosItem, AlterPCTile, CheckCollision, CheckPCTerrainCollision, CheckPCTerrain, PlaceMapObj,
  PlaceMapItem, RemoveMapObj, MakeMapObj, MoveMapObj,
  CheckCreature = 48, CheckCreatureEx, CheckCreatures, CheckMapItemEx, SetCreature, SetMapCreatures,
  SetItem, Anger, CheckCombat,
  CheckZoom = 57, CheckZM, InitZMEnemies, ExitZM, CreateZMEnemies, VerifyRE, CheckExitMapBuffer,
  EnterZM, SetZMRetreat,
  Trap = 66, Damage, CreatureDamage, AbilCheck, CreatureAbilCheck,
  SetFlag = 71, SetSFlag, CheckFlag, CCheckFlag, CheckFlagSwitch, SetBFlag, CheckBFlag, Flag,
  SetLightSource, SetDarkness, CheckDarkness, CheckVis, SetWind, SetWindCount,
  Image = 85,
  CheckCondition = 86, Heal, HealVehicle, SelectTarget, SelectTargetEx, RangeFX,
  SetAttackTargetCreature, DamageSelectedTarget, DoEffectSelectedTarget, SelectCreateAlly,
  CreateAlly, Effect,
  ScriptVal = 98,
  StartCircleIterator = 100, SetTargetCircleIterator, EndCircleIterator, CheckTarget,
  FXCircleIterator, FXCircleIteratorEx, StartSLineIterator, SetTargetSLineIterator, CheckIncap,
  Cure, GiveSP,
  GiveItem = 111, TakeItem, TakeItemEx, Pay, PMessage, CheckItem, CCheckItem, AccumOfferItem,
  CheckStoredValue, AdjustStoredValue, Treasure, Move, Pass, Win, Look, View, Ready, Wear, Buy, Get,
  SelectAmount, UseContainer, GiveCargo, SelectCargo, SellSelectedCargo, GivePCMB, GivePointCM,
  RemovePointCM, GiveCSpells, GiveCSpellsEx, CheckSPCost, GivePCRes, PCRes, Give, Check,
  CheckVehicle,
  CheckScriptType = 147, CheckMapLoadType,
  CheckTriggerDone = 149, RemoveTrigger, SetTrigger, CheckTriggers, PlaceTriggers, Trigger,
  Set = 155, SetRedraw, NeedRedraw, SetView, TurnResults, Util,
  CreateFrame = 161, CreateTile, EditFrame, DeleteFrame, DeleteTile, CreateSound, DeleteSound,
  CreateCreatureDef, DeleteCreatureDef, ApplyCreatureTempDefs, CreateNPCDef, DeleteNPCDef,
  CreateVFrame, EditVFrame, DeleteVFrame, CreateVTile, DeleteVTile, SwapCreatureID,
  Script = 179, RunCommands, RunTemplateCommands,
  InventorySelect = 182, PICMD, PartyIterator, Party,
  Test = 186,
};
inline constexpr uint16_t LastCoreCommand = PING;
inline constexpr uint16_t LastCommand = Test;
}  // namespace cmd

// The id of a command word (exact, case-sensitive), 0 when unknown.
uint16_t FindScriptCommand(const char* word);
// The word of an id ("Message" for 6, "CMessage" for 23), none when no word has it.
const char* ScriptCommandName(uint16_t id);
