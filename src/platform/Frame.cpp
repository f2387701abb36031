// The window frame: the one main window, the window procedure, the nested
// message pumps and the small window services, on top of the platform backend.
#include "platform/Frame.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/Backend.h"
#include "text/Output.h"

namespace {

CAppBase* activeApp = nullptr;
WindowId mainWindow = NoWindow;
bool quitRequested = false;
uint8_t sleepDepth = 0;
uint32_t backgroundColour = 0;
bool eraseOnValidate = false;
// End times (backend ticks) of the ASleep calls now waiting, innermost last.
// Timer 2 is shared by all of them, so an inner pause re-arms it for the one
// it interrupted.
std::vector<uint64_t> sleepDeadlines;

constexpr int GameTimerId = 1;
constexpr int SleepTimerId = 2;

int64_t DefaultWindowProcedure(const WindowMessage& m) {
  switch (m.message) {
    case msg::Close: {
      // Closing destroys the window; the controller's Destroy handling asks
      // for the quit.
      WindowMessage destroy;
      destroy.window = m.window;
      destroy.message = msg::Destroy;
      DispatchWindowMessage(destroy);
      return 0;
    }
    default:
      return 0;
  }
}

// Ends one ASleep: the innermost deadline goes; an interrupted outer pause gets
// timer 2 back for the time it still has to wait.
bool FinishSleep() {
  if (sleepDepth > 0) --sleepDepth;
  if (!sleepDeadlines.empty()) sleepDeadlines.pop_back();
  PlatformBackend* backend = Backend();
  if (!backend) return false;
  if (!sleepDeadlines.empty()) {
    uint64_t now = backend->Ticks();
    uint64_t deadline = sleepDeadlines.back();
    uint64_t left = deadline > now ? deadline - now : 1;
    if (left > 0xFFFFFFFFull) left = 0xFFFFFFFFull;
    return backend->SetTimer(mainWindow, SleepTimerId, static_cast<unsigned>(left));
  }
  return backend->KillTimer(mainWindow, SleepTimerId);
}

}  // namespace

CAppBase* ActiveApp() { return activeApp; }
void SetActiveApp(CAppBase* app) { activeApp = app; }
WindowId MainWindow() { return mainWindow; }

void ResetFrameForTests() {
  activeApp = nullptr;
  mainWindow = NoWindow;
  quitRequested = false;
  sleepDepth = 0;
  backgroundColour = 0;
  eraseOnValidate = false;
  sleepDeadlines.clear();
}

int CreateWindow(const char* caption, bool whiteBackground, bool fullScreen, int width, int height,
                 WindowId* outWindow) {
  PlatformBackend* backend = Backend();
  if (!backend || !backend->CreateMainWindow(caption ? caption : "", fullScreen, width, height)) {
    SetLastErrorText("ERROR (CreateWindow): Could not create window");
    return 0;
  }
  backgroundColour = whiteBackground ? RgbPixel(255, 255, 255) : RgbPixel(0, 0, 0);
  Canvas& canvas = backend->GetCanvas();
  canvas.FillRect(0, 0, canvas.width, canvas.height, backgroundColour);
  mainWindow = MainWindowId;
  if (outWindow) *outWindow = mainWindow;
  return 1;
}

int64_t DispatchWindowMessage(const WindowMessage& m) {
  if (activeApp) {
    int64_t result = 0;
    if (activeApp->HandleMessage(m.window, m.message, m.wParam, m.lParam, &result)) return result;
  }
  return DefaultWindowProcedure(m);
}

int PumpMessage() {
  PlatformBackend* backend = Backend();
  for (;;) {
    WindowMessage m;
    if (!backend || !backend->GetMessage(m, true) || m.message == msg::Quit) {
      RequestQuit();
      return 1;
    }
    if (m.window != mainWindow || mainWindow == NoWindow) continue;  // not ours: dropped
    DispatchWindowMessage(m);
    return 1;
  }
}

int ASleep(unsigned milliseconds) {
  PlatformBackend* backend = Backend();
  if (!backend || mainWindow == NoWindow) return 0;
  if (!backend->SetTimer(mainWindow, SleepTimerId, milliseconds)) return 0;
  ++sleepDepth;
  sleepDeadlines.push_back(backend->Ticks() + milliseconds);
  for (;;) {
    WindowMessage m;
    if (!backend->GetMessage(m, false) || m.message == msg::Quit) {
      FinishSleep();
      RequestQuit();
      return 1;
    }
    if (m.message == msg::Timer && m.window == mainWindow && m.wParam == SleepTimerId) {
      if (!FinishSleep()) {
        SetLastErrorText("ERROR (ASleep): Failed to kill timer");
        return 0;
      }
      return 1;
    }
    DispatchWindowMessage(m);
  }
}

void RequestQuit() {
  if (PlatformBackend* backend = Backend()) {
    WindowMessage quit;
    quit.message = msg::Quit;
    backend->PostMessage(quit);
  }
  quitRequested = true;
}

bool QuitRequested() { return quitRequested; }
uint8_t SleepDepth() { return sleepDepth; }

int StartGameTimer(unsigned milliseconds) {
  PlatformBackend* backend = Backend();
  if (!backend || mainWindow == NoWindow) return 0;
  return backend->SetTimer(mainWindow, GameTimerId, milliseconds) ? 1 : 0;
}

int StopGameTimer() {
  PlatformBackend* backend = Backend();
  if (!backend || mainWindow == NoWindow) return 0;
  return backend->KillTimer(mainWindow, GameTimerId) ? 1 : 0;
}

void RefreshWindow() {
  PumpMessage();
  if (PlatformBackend* backend = Backend()) {
    eraseOnValidate = true;
    backend->Invalidate();
  }
  PumpMessage();
}

void SendPaint() {
  WindowMessage paint;
  paint.window = mainWindow;
  paint.message = msg::Paint;
  DispatchWindowMessage(paint);
}

void ValidateWindow() {
  PlatformBackend* backend = Backend();
  if (!backend) return;
  backend->Validate();
  if (eraseOnValidate) {
    // An invalidation with erase clears the window to its background first.
    eraseOnValidate = false;
    Canvas& canvas = backend->GetCanvas();
    canvas.FillRect(0, 0, canvas.width, canvas.height, backgroundColour);
  }
}

void ShowErrorBox(const char* text) {
  const char* t = text ? text : "";
  if (PlatformBackend* backend = Backend()) {
    backend->ShowErrorBox(MessageBoxCaption, t);
  } else {
    std::fprintf(stderr, "%s: %s\n", MessageBoxCaption, t);
  }
}

int GetClientSize(int* outWidth, int* outHeight) {
  PlatformBackend* backend = Backend();
  int w = 0, h = 0;
  if (!backend || !backend->HasWindow() || !backend->GetClientSize(w, h)) return 0;
  if (outWidth) *outWidth = w;
  if (outHeight) *outHeight = h;
  return 1;
}

int GetScreenSize(int* outWidth, int* outHeight) {
  PlatformBackend* backend = Backend();
  int w = 0, h = 0;
  if (!backend || !backend->GetScreenSize(w, h)) return 0;
  if (outWidth) *outWidth = w;
  if (outHeight) *outHeight = h;
  return 1;
}

int GetClipboardText(std::string& outText) {
  outText.clear();
  PlatformBackend* backend = Backend();
  std::string text;
  if (!backend || !backend->GetClipboardText(text)) return 0;
  size_t end = text.find('\0');
  if (end != std::string::npos) text.resize(end);
  if (text.empty()) return 0;
  if (text.size() > 1023) text.resize(1023);
  outText = std::move(text);
  return 1;
}

void FormatTimeOfDay(char* buffer, size_t size) {
  if (!buffer || size == 0) return;
  LocalTime t;
  if (PlatformBackend* backend = Backend()) t = backend->GetLocalTime();
  std::snprintf(buffer, size, "H:%d M:%d S:%d MS:%d", t.hour, t.minute, t.second, t.millisecond);
}

unsigned TimeSeed() {
  LocalTime t;
  if (PlatformBackend* backend = Backend()) t = backend->GetLocalTime();
  return static_cast<unsigned>(t.second) * static_cast<unsigned>(t.millisecond);
}

int DisplayScaledBitmap(const uint8_t* pixels, int width, int height, int x, int y, int scaleX,
                        int scaleY) {
  if (!pixels) return 0;
  PlatformBackend* backend = Backend();
  if (!backend || !backend->HasWindow() || mainWindow == NoWindow) {
    SetLastErrorText("ERROR (DisplayScaledBitmap): Failed to get DC from given Window handle");
    return 0;
  }
  if (width <= 0 || height <= 0 || scaleX <= 0 || scaleY <= 0) {
    SetLastErrorText("ERROR (DisplayScaledBitmap): Failed to draw bitmap");
    return 0;
  }
  Canvas& canvas = backend->GetCanvas();
  const int64_t outW = int64_t{width} * scaleX, outH = int64_t{height} * scaleY;
  const int64_t x0 = std::max<int64_t>(0, x), x1 = std::min<int64_t>(canvas.width, x + outW);
  const int64_t y0 = std::max<int64_t>(0, y), y1 = std::min<int64_t>(canvas.height, y + outH);
  for (int64_t sy = y0; sy < y1; ++sy) {
    // The first row in memory is the bottom row on screen.
    int64_t srcRow = height - 1 - (sy - y) / scaleY;
    const uint8_t* src = pixels + static_cast<size_t>(srcRow) * static_cast<size_t>(width) * 4;
    uint32_t* dst = canvas.Row(static_cast<int>(sy));
    for (int64_t sx = x0; sx < x1; ++sx) {
      const uint8_t* p = src + static_cast<size_t>((sx - x) / scaleX) * 4;
      dst[sx] = RgbPixel(p[2], p[1], p[0]);
    }
  }
  if (x0 < x1 && y0 < y1)
    canvas.Damage(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                  static_cast<int>(y1 - y0));
  return 1;
}

int ParseStringArg(const char** cursor, char* out, size_t outSize) {
  if (!cursor || !*cursor || !out || outSize == 0) {
    PrintLine("ERROR (ParseStringArg): Missing param(s)");
    return 0;
  }
  const char* p = *cursor;
  int steps = 0;
  while (*p == ' ' && steps < 4096) {
    ++p;
    ++steps;
  }
  size_t n = 0;
  bool tooLong = false;
  while (*p && *p != ' ' && *p != '\n' && steps < 4096) {
    if (n + 1 < outSize) out[n++] = *p;
    else tooLong = true;
    ++p;
    ++steps;
  }
  out[n] = '\0';
  *cursor = p;
  if (tooLong) {
    PrintLine("ERROR (ParseStringArg): Word longer than %zu characters", outSize - 1);
    return 0;
  }
  return 1;
}

void MakePixel(uint8_t* out, uint8_t red, uint8_t green, uint8_t blue) {
  if (!out) return;
  out[0] = blue;
  out[1] = green;
  out[2] = red;
  out[3] = 0;
}

void SplitPixel(const uint8_t* pixel, uint8_t* outRed, uint8_t* outGreen, uint8_t* outBlue) {
  if (!pixel) return;
  if (outRed) *outRed = pixel[2];
  if (outGreen) *outGreen = pixel[1];
  if (outBlue) *outBlue = pixel[0];
}

bool PixelEquals(const uint8_t* pixel, int x, int y, const uint8_t* array, int width, int height,
                 int size) {
  if (!pixel || !array || size <= 0) return false;
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  size_t index = (static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(width)) *
                 static_cast<size_t>(size);
  return std::memcmp(pixel, array + index, static_cast<size_t>(size)) == 0;
}
