#pragma once
// A map view that draws nothing: for running the game without a display
// (tools, headless checks) where a view is required.
#include "play/MapView.h"

class CNullMapView : public CMapView {
 public:
  int SetMap(const CMap*) override { return 1; }
  int SetOverlay(int, int, uint16_t) override { return 1; }
  int Move(int, int, int) override { return 1; }
  int Redraw() override { return 1; }
  void SetDark(bool) override {}
  void ShowPlayer(bool, uint16_t) override {}
};
