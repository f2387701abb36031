#include "platform/BackendFactory.h"

#include "platform/SdlBackend.h"

std::unique_ptr<PlatformBackend> CreateBackend(const LaunchOptions& options, uint32_t seed,
                                               const HeadlessHooks& hooks, std::string& error) {
  std::unique_ptr<PlatformBackend> backend;
  if (options.headless) {
    std::unique_ptr<HeadlessBackend> headless = CreateHeadlessBackend(options.keys, error);
    if (!headless) return nullptr;
    headless->SetHooks(hooks);
    backend = std::move(headless);
  } else {
    backend = CreateSdlBackend(error);
    if (!backend) return nullptr;
  }
  if (!options.recordFile.empty()) {
    auto recorder = std::make_unique<KeyRecorder>(seed, backend->Ticks());
    if (!recorder->OpenFile(options.recordFile, error)) return nullptr;
    backend->SetKeyRecorder(std::move(recorder));
  }
  return backend;
}
