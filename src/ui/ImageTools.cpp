// Bitmap Conversion and Image Viewer.
#include "ui/ImageTools.h"

#include <cstdint>
#include <string>
#include <vector>

#include "data/BArray.h"
#include "graphics/FrameImage.h"
#include "platform/Backend.h"
#include "platform/Files.h"
#include "platform/Frame.h"
#include "text/Output.h"

namespace {

constexpr int ToolScale = 4;
constexpr int FileNameMax = 255;

// Draws a frame (4-byte pixels, bottom-up) at the window's origin.
bool ShowFrame(const CBArray& frame) {
  if (!frame.HasData() || frame.ElementSize() != 4) return false;
  if (!DisplayScaledBitmap(frame.GetData(), frame.Width(), frame.Height(), 0, 0, ToolScale,
                           ToolScale))
    return false;
  if (PlatformBackend* backend = Backend()) backend->Present();
  return true;
}

// The answer to a file-name prompt; empty to leave (also when quitting).
std::string AskFileName(const char* prompt) {
  PrintLine("%s", prompt);
  Print("> ");
  const char* line = InputLine(FileNameMax);
  return line ? std::string(line) : std::string();
}

}  // namespace

int UIBitmapConversion() {
  PrintLine("*** Bitmap Conversion ***");
  for (;;) {
    const std::string name = AskFileName("Enter filename (no extension)");
    if (name.empty() || QuitRequested()) return 1;
    Print("Converting bitmap ... ");
    // A Windows bitmap by preference, else a PNG picture of the same name.
    std::string source = name + ".bmp";
    if (!AFileExists(source) && AFileExists(name + ".png")) source = name + ".png";
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
    std::string error;
    CBArray frame;
    if (!ReadImageFile(source, &w, &h, &pixels, &error) ||
        !ImageToFrame(w, h, pixels.data(), &frame)) {
      PrintLine("ERROR: Could not convert %s", source.c_str());
      continue;
    }
    ShowFrame(frame);
    PrintLine("DONE");
    WaitAnyKey();
    if (QuitRequested()) return 1;
    SendPaint();  // repaint now, without waiting for input
    Print("Displaying converted image ... ");
    if (!ShowFrame(frame)) PrintLine("ERROR: Could not display");
    else PrintLine("DONE");
    if (!frame.Save(name + ".til")) PrintLine("ERROR: Could not save converted image");
  }
}

int UIImageViewer() {
  PrintLine("*** Image Viewer ***");
  for (;;) {
    const std::string name = AskFileName("Enter filename or <return> to exit");
    if (name.empty() || QuitRequested()) return 1;
    CBArray image;
    if (!image.Load(name)) {
      PrintLine("ERROR: Could not load %s", name.c_str());
      continue;
    }
    // Only pictures (4-byte pixels) can be drawn; a map file is refused.
    if (!ShowFrame(image)) PrintLine("ERROR: Could not display image");
  }
}
