#include "platform/BackendFactory.h"

#include "platform/SdlBackend.h"

std::unique_ptr<PlatformBackend> CreateBackend(const LaunchOptions& options,
                                               const HeadlessHooks& hooks, uint32_t& outSeed,
                                               std::string& error) {
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
  if (options.seed) {
    outSeed = *options.seed;
  } else if (const auto* headless = dynamic_cast<const HeadlessBackend*>(backend.get());
             headless && headless->ScriptSeed()) {
    outSeed = *headless->ScriptSeed();
  } else {
    LocalTime t = backend->GetLocalTime();
    outSeed = static_cast<uint32_t>(t.second) * static_cast<uint32_t>(t.millisecond);
  }
  if (!options.recordFile.empty()) {
    auto recorder = std::make_unique<KeyRecorder>(outSeed, backend->Ticks());
    if (!recorder->OpenFile(options.recordFile, error)) return nullptr;
    backend->SetKeyRecorder(std::move(recorder));
  }
  return backend;
}
