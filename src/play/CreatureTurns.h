#pragma once
// Creature behaviour: one creature's action in a world turn, target choice,
// the movement rules, alerting and group retreat.
#include <cstdint>

class CGame;
struct CreatureObject;

// One creature's action: 0 error, 1 stop the creature loop, 2 done.
int NPCTurn(CGame& game, CreatureObject& n);
// One step of the creature onto (x, y): whether it counts as made.
bool NPCMove(CGame& game, CreatureObject& n, int x, int y);
// Movement rules 4 to 6: 0 error, 1 no step, 2 stepped.
int NPCMoveAI4(CGame& game, CreatureObject& n, int sx, int sy, int adx, int ady);
int NPCMoveAI5(CGame& game, CreatureObject& n, int sx, int sy, int adx, int ady);
int NPCMoveAI6(CGame& game, CreatureObject& n, int sx, int sy, int adx, int ady);
void NPCWander(CGame& game, CreatureObject& n);

// The closest target in rings around the creature: the creature found (or
// null with *isPC set for the active character); false when none.
bool FindClosestTarget(CGame& game, const CreatureObject& n, CreatureObject** found, bool* isPC);

void AlertCreature(CGame& game, CreatureObject& d);
void AlertGroup(CGame& game, int group, bool membersOnly);
void CreatureReact(CreatureObject& d);
void ComputeGroupRetreat(CGame& game);
void CheckGroupRetreat(CGame& game);

// The step direction and distances from (x, y) to the goal, across wrapping
// borders: sx, sy in -1..1, adx, ady the absolute differences.
void WrapDelta(const CGame& game, int x, int y, int gx, int gy, int* sx, int* sy, int* adx, int* ady);
