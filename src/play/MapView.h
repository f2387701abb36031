#pragma once
// What the game needs of a map display (the overhead display or the
// first-person view). The game keeps the map, the stacks and the overlay of
// top-object tiles; a display draws them. A game without displays (tests,
// tools) simply draws nothing.
#include <cstdint>

class CMap;

class CMapView {
 public:
  virtual ~CMapView() = default;
  // A new current map (its tiles are read from the map object as needed).
  virtual int SetMap(const CMap* map) = 0;
  // The tile drawn over a cell for the object on top of its stack; 0 none.
  virtual int SetOverlay(int x, int y, uint16_t tile) = 0;
  // Centres the view on the player's cell with that facing.
  virtual int Move(int x, int y, int facing) = 0;
  virtual int Redraw() = 0;
  virtual void SetDark(bool dark) = 0;
  // Whether the player's own tile is drawn, and which.
  virtual void ShowPlayer(bool shown, uint16_t tile) = 0;
};
