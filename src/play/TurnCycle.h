#pragma once
// The world's turn after every player action that took time: win check,
// triggers, food, light and wind, every creature's action, conditions,
// vehicle and death checks; and the automatic turns of a delayed or
// sleeping character.
#include <cstdint>

class CGame;
struct CreatureObject;

// Sets the game's worldTurn, mapStarted and beforePrompt hooks to the turn
// rules (call after the controller's SetHooks).
void InstallTurnHooks(CGame& game);

// The world turns after a command (the worldTurn hook): 0 error, 1 done.
int EndPlayerTurn(CGame& game);
int TurnStep(CGame& game);
// 0 error, 1 the loop stopped, 2 finished.
int RunCreatureTurns(CGame& game, int first);
// Resumes a creature loop that a creature stopped (before the prompt).
void ResumeCreatureTurns(CGame& game);
int CreatureFled(CGame& game, CreatureObject& n);
bool CheckWin(CGame& game);
void CheckDeath(CGame& game);
void CheckPCVehicle(CGame& game);
void ApplyConditions(CGame& game, CreatureObject& x, bool isPC);
void CheckFood(CGame& game);
void CheckLight(CGame& game);
void ChangeWind(CGame& game);
// Per-map values at every map start: rates, AI settings, group retreat.
void TurnMapStart(CGame& game);
void ComputeFoodRate(CGame& game);
void ComputeLightRates(CGame& game);
void ComputePoisonRates(CGame& game);
// The request for the end menu (with or without the save choice).
void RequestEndMenu(CGame& game, bool saveAllowed);
