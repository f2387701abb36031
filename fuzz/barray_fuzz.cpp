// Array files: any bytes must load or fail with a message, never crash.
#include <cstdint>
#include <string>

#include "FuzzTempDir.h"
#include "data/BArray.h"
#include "text/Output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string output;
  SetOutputCapture(&output);
  const std::string path = FuzzTempDir() + "/input.til";
  FuzzWriteFile(path, data, size);
  CBArray array;
  array.Init(2, 2, 4);
  if (array.Load(path) && array.ElementSize() <= 4) {
    // Exercise the loaded array with the operations the engine applies to frames.
    uint8_t colour[4] = {1, 2, 3, 0};
    array.PlotLine(colour, 0, 0, array.Width() - 1, array.Height() - 1);
    array.Mirror(size % 7 + 1);
    CBArray copy;
    copy.InitByCopy(array);
    array.BlitScaled(copy, -1, -1, 1.5f, 2.0f, colour, 1);
  }
  SetOutputCapture(nullptr);
  return 0;
}
