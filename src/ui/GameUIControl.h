#pragma once
// The small record through which the game asks the controller for a UI mode,
// the end menu or a party-display refit.
#include <cstdint>

enum UIMode : uint8_t {
  UIModeNone = 0,
  MainMenu = 1,
  OverheadPlay = 2,
  FirstPersonPlay = 3,
  ViewMap = 4,
  Image = 5,
};

struct CGameUIControl {
  uint8_t mode = UIModeNone;
  uint8_t actionPending = 0;
  uint8_t endMenuPending = 0;
  uint8_t endMenuSaveAllowed = 1;
  uint8_t partyDisplayChanged = 0;
};
