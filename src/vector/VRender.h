#pragma once
// Drawing vector frames into a picture (a CBArray of 4-byte elements). The
// render context holds the drawing state of one render: the target, the
// frame set for FRAME and IMAGEREF entities, the current colour, origin and
// scale of the call, and the settings the entities change.
#include <cstdint>

#include "data/BArray.h"
#include "vector/VFrame.h"

// Deepest nesting of FRAME entities.
inline constexpr int MaxVFrameDepth = 32;
// Most entity positions one render may walk, nested frames included: frames
// that draw each other several times over can otherwise multiply the work
// of a few lines beyond any bound.
inline constexpr uint32_t MaxRenderSteps = 1u << 22;

struct RenderContext {
  CBArray* target = nullptr;
  int width = 0, height = 0, elementSize = 0;
  const VFrameSet* frameSet = nullptr;

  uint8_t colour[4] = {255, 255, 255, 0};
  uint8_t key[4] = {0, 0, 0, 0};
  int originX = 0, originY = 0;
  float scaleX = 1.0f, scaleY = 1.0f;
  int offsetX = 0, offsetY = 0;
  float entityScaleX = 1.0f, entityScaleY = 1.0f;
  bool revX1 = false, revX2 = false, revY1 = false, revY2 = false;
  float raX = 0.0f, raY = 0.0f, ra2X = 0.0f, ra2Y = 0.0f;
  uint8_t type = 0;
  bool trace = false;
  uint32_t steps = 0;  // positions walked by the current render

  // Attaches the target (4-byte elements); fails without a buffer.
  int Attach(CBArray* picture);
  // Colour, key, offset, entity scale, REV, RA, type and trace back to
  // their defaults; origin and scale stay.
  void ResetDrawingState();
};

int RenderVFrame(RenderContext* context, const VFrame* frame, int originX, int originY,
                 float scaleX, float scaleY, int depth);
int RenderVFrameByID(RenderContext* context, uint16_t frameID, int originX, int originY,
                     float scaleX, float scaleY);
