#include "platform/Backend.h"

namespace {
std::unique_ptr<PlatformBackend> currentBackend;
}

PlatformBackend* Backend() { return currentBackend.get(); }

void SetBackend(std::unique_ptr<PlatformBackend> backend) { currentBackend = std::move(backend); }
