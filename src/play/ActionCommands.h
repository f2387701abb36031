#pragma once
// The attack, talk and look commands of overhead and first-person play.
class CGame;

int AttackCommand(CGame& game);       // A, overhead: asks the direction
int AttackAheadCommand(CGame& game);  // A, first person: the cell ahead
int TalkCommand(CGame& game);         // T, overhead
int LookCommand(CGame& game);         // Ctrl+L, overhead
int LookRelativeCommand(CGame& game); // Ctrl+L, first person
// The party's attack on a cell: 1 nothing happened (prompt shown), 2 the
// turn goes on.
int PartyAttackCell(CGame& game, int x, int y, bool animate);
// Looks at a cell; no turn passes.
void LookAtCell(CGame& game, int x, int y);
