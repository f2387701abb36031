#pragma once
// The information and screen keys of play that cost no turn: Z and
// Control+Z (sheets), Tab (debug movement), F8 and Control+F8 (screen
// locking), "=" and "-" (animation frame).
#include "play/UIServices.h"

class CGame;

// Runs the command of `key` when it is one of these keys (`ctrl`: Control
// held) and sets *handled; returns the command's
// result (0 only on an internal error).
int InfoCommandKey(CGame& game, const UIServices& ui, int key, bool ctrl, bool* handled);
