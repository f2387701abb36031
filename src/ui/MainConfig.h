#pragma once
// The window configuration of a scenario, read from DATA<n>\main.cfg.
#include <cstdint>
#include <optional>
#include <string>

#include "text/TextDisplay.h"

struct MainConfig {
  bool fullScreen = false;                       // WINDOW
  int windowWidth = 800, windowHeight = 650;     // WINDOWSIZE
  float relWindowWidth = 0, relWindowHeight = 0; // RELWINDOWSIZE
  int tdX = 0, tdY = 450;                        // TDPOS
  uint16_t tdBuffer = 100;                       // TDBUFFER
  uint16_t tdColumns = 64, tdRows = 25;          // TDSIZE
  uint16_t tdFontSize = 2;                       // FONTSIZE
  bool tdAutoPlace = true;                       // TDNOAUTO clears
  uint16_t fsBuffer = 50;                        // FSBUFFER
  uint16_t fsFontSize = 2;                       // FSFONTSIZE
  int sbX = 0, sbY = 0;                          // SBPOS
  uint16_t sbColumns = 10, sbRows = 4;           // SBSIZE
  uint16_t sbFontSize = 2;                       // SBFONTSIZE
  bool sbAutoPlace = true;                       // SBNOAUTO clears
  int mapX = 0, mapY = 0;                        // SCREENPOS
  float relMapX = -1.0f, relMapY = -1.0f;        // SCREENPOSREL
  int mapColumns = 5, mapRows = 5;               // SCREENSIZE
  int scale = 1;                                 // SCALE
  float scaleRatioX = 0, scaleRatioY = 0;        // SCALERATIO
  int fpScale = 0;                               // FPSCALE (0 = scale)
  int vmScale = 0;                               // VMSCALE (0 = scale)
  uint8_t fsDraw = 0;                            // FSDRAW
  uint16_t scenarioNumber = 1;                   // DATASET, main menu S
  std::optional<std::string> title;              // TITLE
  uint16_t ohAnimFreq = 1, fpAnimFreq = 1, vmAnimFreq = 1;  // OHANIMFREQ, FPANIMFREQ, VMANIMFREQ
  uint16_t timerPeriod = 1000;                   // TIMER
  int timerCountMax = 23;                        // TIMERCOUNTMAX
  std::optional<FontRecord> font;                // FONT, FONTGCW, FONTFIXED
  int inputMode = 0;                             // INPUTMODE
  bool partyDisplayWanted = true;                // PDISP

  // Back to the defaults a newly chosen scenario starts from; keeps the window,
  // the main and full-screen display values, the sidebar size, the animation
  // counter maximum, the scenario number, the font, the input mode and PDISP.
  void Reset();
};

// Reads a main.cfg file into `config`. `path` is an engine path; INCLUDE lines
// name files inside the scenario directory of `includeScenario`. Returns 1
// when the file was read to its end, 0 when it could not be opened or an
// include failed (values read before stay).
int ReadMainConfigFile(MainConfig& config, const std::string& path, int includeScenario);
