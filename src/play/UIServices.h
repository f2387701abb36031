#pragma once
// What the menus, sheets and screen commands need of the controller: the
// map displays, the full-screen display and the way back to the main menu.
// Every member may be left empty (tests, tools); the command then goes on
// as if the service had nothing to do.
#include <functional>

class CMDisplay;
class TextDisplay;

struct UIServices {
  // The map is drawn (not in full-text mode).
  std::function<bool()> mapVisible;
  // Starts or stops the animation of the map displays.
  std::function<void(bool on)> setAnimate;
  // Ends play: the map view and the sidebar are erased and the game is
  // freed once the command that asked for it has returned.
  std::function<void()> leaveToMainMenu;
  // Remembers the load name after a named save (save\game.dat).
  std::function<int()> saveGameState;
  std::function<void()> refreshSidebar;
  // The full-screen sheets: hand the screen to the full-screen display
  // (stop map drawing, erase the sidebar, output there, UI mode 0) and give
  // it back (output to the main display, UI mode of the map, redraws).
  std::function<void()> enterFullScreen;
  std::function<void()> leaveFullScreen;
  TextDisplay* fullDisplay = nullptr;
  // The overhead map display (draw mode, screen locking, animation frame).
  CMDisplay* overhead = nullptr;
};
