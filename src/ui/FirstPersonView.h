#pragma once
// The first-person display as the game sees it (maps whose display type is
// first person): the view ahead of the party from its cell and facing.
#include <cstdint>

#include "play/MapView.h"

class CMVDisplay;

class FirstPersonView : public CMapView {
 public:
  explicit FirstPersonView(CMVDisplay& display) : display_(display) {}

  int SetMap(const CMap* map) override;
  int SetOverlay(int x, int y, uint16_t tile) override;
  int Move(int x, int y, int facing) override;
  int Redraw() override;
  void SetDark(bool dark) override;
  // The party is not drawn in its own first-person view.
  void ShowPlayer(bool, uint16_t) override {}

 private:
  CMVDisplay& display_;
};
