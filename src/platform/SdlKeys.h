#pragma once
// Keyboard translation for the SDL backend, kept apart so that it can be
// tested without a display. Keys are read by position (scancode) as on a US
// keyboard, which is how scenario key maps and key scripts name them.
#include <cstdint>

struct SdlKeyPress {
  int key = 0;         // our key code; 0: the engine never sees this key
  int character = -1;  // the character message, -1 for none
  bool shift = false;  // Shift as it counts for the key (Caps Lock flips letters)
  bool control = false;
};

// scancode is an SDL_Scancode, mod the SDL_Keymod bits of the event.
// Alt combinations, Alt itself and F10 give key 0.
SdlKeyPress TranslateSdlKey(int scancode, uint16_t mod);

// Where a canvas of cw x ch is shown in an output of ow x oh: scaled by the
// largest whole factor that fits (by a fraction when even 1 does not fit),
// centred, the rest left black.
void FitCanvasRect(int cw, int ch, int ow, int oh, int& x, int& y, int& w, int& h);
