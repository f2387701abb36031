#include "vector/FirstPersonEngine.h"

#include "platform/Frame.h"
#include "text/Output.h"

std::unique_ptr<CFirstPersonEngine> CreateFirstPersonEngine(int scenario, int scale,
                                                            int animDivider,
                                                            const FirstPersonPlacement& place) {
  auto engine = std::make_unique<CFirstPersonEngine>();
  bool ok = scale >= 1 && LoadVectorSets(scenario, &engine->sets);
  if (ok) {
    CMVDisplay& d = engine->display;
    d.LoadConfig(scenario);
    int x = 0, y = 0;
    ok = (!place || place(scale * d.Width(), scale * d.Height(), &x, &y)) && d.Init(x, y, scale) &&
         d.SetSets(engine->sets.tiles.get(), engine->sets.frames.get());
    if (ok && animDivider > 0) ok = d.SetAnimDivider(animDivider);
  }
  if (!ok) {
    PrintLine("ERROR: Could not create FP engine");
    return nullptr;
  }
  return engine;
}

namespace {

void PrintTime(const char* label) {
  char text[64];
  FormatTimeOfDay(text, sizeof text);
  PrintLine("%s%s", label, text);
}

}  // namespace

int RunMVDisplayBenchmarks(CMVDisplay* display) {
  if (!display) return 0;
  PrintLine("*** CMVDisplay Benchmarks ***");
  PrintLine("1) Render frame");
  PrintLine("2) Full render");
  const int key = GetKey();
  if (key != '1' && key != '2') return 1;
  int frame = 0, iterations = 0;
  if (key == '1') {
    Print("Frame? ");
    if (!InputInt(&frame)) return 0;
  }
  Print("Iterations? ");
  if (!InputInt(&iterations)) return 0;
  PrintTime("Start time: ");
  int ok = 1;
  for (int i = 0; i < iterations && ok; ++i) {
    ok = key == '1' ? RenderVFrameByID(display->Context(), uint16_t(frame), display->RootX(),
                                       display->RootY(), 1.0f, 1.0f)
                    : display->Render();
  }
  PrintTime("End time: ");
  if (!ok) PrintLine("ERROR (Benchmark)");
  return ok;
}
