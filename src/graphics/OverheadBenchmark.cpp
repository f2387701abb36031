// Creating displays, and the debug screen that times display operations.
#include <memory>

#include "graphics/OverheadDisplay.h"
#include "platform/Frame.h"
#include "text/Output.h"

std::unique_ptr<CMDisplay> CreateMDisplay(int x, int y, int columns, int rows, int scale,
                                          CTileSet* tileSet, CBArraySet* frameSet,
                                          bool bufferMode, uint16_t animFrequency) {
  if (columns < 1 || rows < 1 || scale < 1 || !tileSet || !frameSet) {
    SetLastErrorText("ERROR (CreateMDisplay): Invalid display parameters");
    return nullptr;
  }
  auto display = std::make_unique<CMDisplay>();
  if (!display->Init(x, y, columns, rows, scale) || !display->SetSets(tileSet, frameSet) ||
      !display->SetFSBMode(bufferMode) || !display->SetAnimDivider(animFrequency ? animFrequency : 1))
    return nullptr;
  return display;
}

namespace {

void PrintTime(const char* format) {
  char text[64];
  FormatTimeOfDay(text, sizeof text);
  PrintLine(format, text);
}

}  // namespace

int UIDisplayBenchmark(CMDisplay* display) {
  if (!display) return 0;
  PrintLine("*** CMDisplay Benchmarks ***");
  PrintLine("1) CreateSTMap");
  PrintLine("2) CreateSFMap");
  PrintLine("3) Display");
  PrintLine("4) FS buffer");
  PrintLine("5) FSB display test");
  int choice = 0, iterations = 0;
  Print("Choice: ");
  if (!InputInt(&choice) || choice < 1 || choice > 5) return 1;
  Print("Iterations: ");
  if (!InputInt(&iterations)) return 1;
  const bool wasBuffer = display->FSBMode(), wasAnimating = display->Animate();
  if (choice == 5) {
    if (!display->SetFSBMode(true)) {
      PrintLine("ERROR (UIBenchmark): SetFSBMode failed");
      return 0;
    }
    display->SetAnimate(false);
    if (!display->RenderFSBuffer()) {
      PrintLine("ERROR (UIBenchmark): RenderFSBuffer failed");
      display->SetFSBMode(wasBuffer);
      display->SetAnimate(wasAnimating);
      return 0;
    }
  }
  PrintTime("Start time: %s");
  for (int i = 0; i < iterations && !QuitRequested(); ++i) {
    switch (choice) {
      case 1: display->CreateSTMap(); break;
      case 2: display->CreateSFMap(); break;
      case 3:
      case 5: display->Display(); break;
      case 4: display->RenderFSBuffer(); break;
    }
  }
  PrintTime("End time: %s");
  if (choice == 5) {
    display->SetFSBMode(wasBuffer);
    display->SetAnimate(wasAnimating);
  }
  return 1;
}
