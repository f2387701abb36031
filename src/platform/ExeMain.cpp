#include "platform/Frame.h"

// Placeholder until the controller exists.
extern "C" int ExeMain(void*, void*, const char*) { return 0; }
