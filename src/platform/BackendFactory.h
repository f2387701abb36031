#pragma once
// Builds the backend a launch asks for: the headless one (--headless, keys
// from --keys/--keys-file) or the SDL window, with a key recorder attached
// when --record is given.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Backend.h"
#include "platform/HeadlessBackend.h"
#include "platform/LaunchOptions.h"

// `outSeed` receives the random seed of the session: --seed or the script's
// <seed:N>, else the time seed (second x millisecond of the backend's local
// time; always 0 headless, whose clock starts at 12:00:00.000). A recorded
// script starts with it. `hooks` serve <shot:...> and <dump:...> of a
// headless run. Null and an error line when the key script is malformed,
// there is no display, or the record file cannot be created.
std::unique_ptr<PlatformBackend> CreateBackend(const LaunchOptions& options,
                                               const HeadlessHooks& hooks, uint32_t& outSeed,
                                               std::string& error);
