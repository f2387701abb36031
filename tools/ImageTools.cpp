// korva-tool image2til / til2png: frames to and from images.
#include <cstdio>
#include <string>
#include <vector>

#include "data/BArray.h"
#include "data/PngFile.h"
#include "graphics/FrameImage.h"
#include "platform/Frame.h"
#include "tools/ToolCommands.h"

namespace {

int Image2Til(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: korva-tool image2til IN.(bmp|png) OUT.til\n", stderr);
    return 2;
  }
  int w = 0, h = 0;
  std::vector<uint32_t> pixels;
  std::string error;
  if (!ReadImageFile(argv[0], &w, &h, &pixels, &error)) {
    std::fprintf(stderr, "ERROR (image2til): %s\n", error.c_str());
    return 1;
  }
  CBArray frame;
  if (!ImageToFrame(w, h, pixels.data(), &frame)) {
    std::fprintf(stderr, "ERROR (image2til): Could not create a %d x %d frame\n", w, h);
    return 1;
  }
  if (!frame.Save(argv[1])) {
    std::fprintf(stderr, "ERROR (image2til): %s\n", LastErrorText());
    return 1;
  }
  return 0;
}

int Til2Png(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: korva-tool til2png IN.til OUT.png\n", stderr);
    return 2;
  }
  CBArray frame;
  if (!frame.Load(argv[0])) {
    std::fprintf(stderr, "ERROR (til2png): %s\n", LastErrorText());
    return 1;
  }
  std::vector<uint32_t> pixels;
  if (!FrameToImage(frame, &pixels)) {
    std::fprintf(stderr, "ERROR (til2png): %s has %d-byte elements; frames have 4\n", argv[0],
                 frame.ElementSize());
    return 1;
  }
  if (!WritePng(argv[1], frame.Width(), frame.Height(), pixels.data())) {
    std::fprintf(stderr, "ERROR (til2png): Could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}

ToolRegistration image2til("image2til", "image2til IN.(bmp|png) OUT.til   convert an image to a frame file",
                           Image2Til);
ToolRegistration til2png("til2png", "til2png IN.til OUT.png   convert a frame file to a PNG image",
                         Til2Png);

}  // namespace
