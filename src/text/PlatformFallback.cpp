// Stand-ins for the frame's services while the text console is built and
// tested on its own. They are weak: the frame's own definitions take
// precedence as soon as they are linked into the library.
#include <string>

#include "platform/Backend.h"
#include "platform/Frame.h"

__attribute__((weak)) int PumpMessage() { return 1; }
__attribute__((weak)) bool QuitRequested() { return true; }
__attribute__((weak)) PlatformBackend* Backend() { return nullptr; }
__attribute__((weak)) int GetClipboardText(std::string& outText) {
  outText.clear();
  return 0;
}
