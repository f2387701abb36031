// Vector frame-set files (VFSET.dat) from any text: loading, then drawing
// every frame of a loaded set at a few scales into a small picture.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzTempDir.h"
#include "data/BArray.h"
#include "text/Output.h"
#include "vector/VRender.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool imageWritten = [] {
    // An image "a.til" (3 x 2) for IMAGE and ICCOPYIMAGE lines.
    CBArray image;
    image.Init(3, 2, 4);
    image.Fill(0x40);
    image.Save(FuzzTempDir() + "/a.til");
    return true;
  }();
  (void)imageWritten;
  std::string output;
  SetOutputCapture(&output);
  std::string text(reinterpret_cast<const char*>(data), size);
  if (std::unique_ptr<VFrameSet> set = LoadCreateVFrameSetFromText(FuzzTempDir(), text)) {
    CBArray picture;
    picture.Init(24, 16, 4);
    RenderContext context;
    context.Attach(&picture);
    context.frameSet = set.get();
    for (int i = 0; i < set->Capacity() && i < 64; ++i) {
      if (!set->ItemAt(i)) continue;
      for (float scale : {1.0f, 0.5f, 0.125f, 3.0f})
        RenderVFrame(&context, set->ItemAt(i), 2, 1, scale, scale, 0);
    }
    if (set->Capacity() > 0 && set->ItemAt(0)) {
      VFrame copy;
      InitByCopyVFrame(set->ItemAt(0), &copy);
    }
  }
  SetOutputCapture(nullptr);
  return 0;
}
