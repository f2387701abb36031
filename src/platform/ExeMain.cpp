// The engine's entry: reads the launch options, starts the backend (a real
// window or the headless one), runs the controller's message loop and, at the
// end, writes what the options ask for (text dump, screenshot, line log).
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "data/PngFile.h"
#include "platform/Backend.h"
#include "platform/Frame.h"
#include "platform/BackendFactory.h"
#include "platform/LaunchOptions.h"
#include "platform/Random.h"
#include "text/TextDisplay.h"
#include "ui/GameUI.h"

namespace {

void WriteScreenshot(const std::string& file) {
  Canvas& canvas = Backend()->GetCanvas();
  if (canvas.width <= 0 || canvas.height <= 0 ||
      !WritePng(file, canvas.width, canvas.height, canvas.pixels.data()))
    std::fprintf(stderr, "korva: could not write the screenshot %s\n", file.c_str());
}

void WriteDump(const std::string& file) {
  std::string text;
  DumpTextDisplays(text);
  FILE* f = std::fopen(file.c_str(), "wb");
  if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size())
    std::fprintf(stderr, "korva: could not write the text dump %s\n", file.c_str());
  if (f) std::fclose(f);
}

struct FileCloser {
  void operator()(FILE* f) const {
    if (f) std::fclose(f);
  }
};

}  // namespace

extern "C" int ExeMain(void*, void*, const char* commandLine) {
  LaunchOptions options;
  std::string error;
  if (!ParseLaunchOptions(SplitCommandLine(commandLine ? commandLine : ""), options, error)) {
    std::fprintf(stderr, "korva: %s\n", error.c_str());
    return 0;
  }
  if (!options.gameDir.empty() && chdir(options.gameDir.c_str()) != 0) {
    std::fprintf(stderr, "korva: cannot enter the game directory %s\n", options.gameDir.c_str());
    return 0;
  }
  SetLaunchOptions(options);

  HeadlessHooks hooks;
  hooks.screenshot = WriteScreenshot;
  hooks.dump = WriteDump;
  uint32_t seed = 0;
  std::unique_ptr<PlatformBackend> backend = CreateBackend(options, hooks, seed, error);
  if (!backend) {
    std::fprintf(stderr, "korva: %s\n", error.c_str());
    return 0;
  }
  SeedRandom(seed);
  SetBackend(std::move(backend));
  std::unique_ptr<FILE, FileCloser> log;
  if (!options.logFile.empty()) {
    log.reset(std::fopen(options.logFile.c_str(), "wb"));
    if (log) SetTextLog(log.get());
    else std::fprintf(stderr, "korva: could not write the line log %s\n", options.logFile.c_str());
  }

  auto ui = std::make_unique<CGameUI>();
  ui->SetConfigPath(options.configPath);
  int result = ui->Initialize();
  if (result) {
    WindowMessage m;
    while (Backend()->GetMessage(m, true)) {
      if (m.message == msg::Quit) break;
      DispatchWindowMessage(m);
    }
  }

  FlushTextLog();
  if (!options.dumpFile.empty()) WriteDump(options.dumpFile);
  if (!options.screenshotFile.empty()) WriteScreenshot(options.screenshotFile);
  ui.reset();
  SetTextLog(nullptr);
  SetBackend(nullptr);
  return result;
}
