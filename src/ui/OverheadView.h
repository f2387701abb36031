#pragma once
// The overhead display as the game sees it: the game hands over its map,
// the tiles of the objects on top of each stack and the party's position;
// this view keeps them in the display and redraws it.
#include <cstdint>

#include "graphics/GameViews.h"
#include "play/MapView.h"

class CMDisplay;

class OverheadView : public CMapView {
 public:
  explicit OverheadView(CMDisplay& display) : display_(display) {}

  int SetMap(const CMap* map) override;
  int SetOverlay(int x, int y, uint16_t tile) override;
  int Move(int x, int y, int facing) override;
  int Redraw() override;
  void SetDark(bool dark) override;
  void ShowPlayer(bool shown, uint16_t tile) override;

  // Sight lines hide what the party cannot see (VISIBILITY).
  void SetLineOfSight(bool on) { lineOfSight_ = on; }
  CMDisplay& Display() { return display_; }

 private:
  CMDisplay& display_;
  GameViewRedraw redraw_;
  bool lineOfSight_ = false;
};
