#pragma once
// The backend with a real window, on SDL2: the canvas is shown scaled to the
// window (whole factors, nearest pixel, letterboxed), keys arrive as the
// engine's key and character messages, timers run on real time.
#include <memory>
#include <string>

#include "platform/Backend.h"

// Starts SDL video. Null and an error line when there is no display.
std::unique_ptr<PlatformBackend> CreateSdlBackend(std::string& error);
