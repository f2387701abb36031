#pragma once
// The engine's frame: entry point, the one main window, the message loop with
// its nested waits, the two window timers, the last-error text and small
// services. It knows nothing about games: every message goes to the active
// controller's HandleMessage.
#include <cstdint>
#include <string>

#include "platform/Keys.h"

// The object the window procedure hands every message to.
class CAppBase {
 public:
  virtual ~CAppBase() = default;
  // Returns non-zero when it handled the message. `result` is preset to 0.
  virtual int HandleMessage(WindowId window, uint32_t message, uint64_t wParam, int64_t lParam,
                            int64_t* result) = 0;
};

extern "C" __attribute__((visibility("default"))) int ExeMain(void* instance, void* ignored,
                                                              const char* commandLine);

CAppBase* ActiveApp();
void SetActiveApp(CAppBase* app);
WindowId MainWindow();

int CreateWindow(const char* caption, bool whiteBackground, bool fullScreen, int width, int height,
                 WindowId* outWindow);
// Hands a message to the window procedure (the controller, else the default handling).
int64_t DispatchWindowMessage(const WindowMessage& m);
int PumpMessage();
int ASleep(unsigned milliseconds);
void RequestQuit();
bool QuitRequested();
uint8_t SleepDepth();
int StartGameTimer(unsigned milliseconds);
int StopGameTimer();
void RefreshWindow();
void SendPaint();
void ValidateWindow();
// Puts the frame back to its start state (no window, no controller, no quit,
// no pending sleeps). For tests that run several sessions in one process.
void ResetFrameForTests();

inline constexpr const char* WindowClassName = "APPFW1CW1";
inline constexpr const char* WindowCaption = "Korva Framework (v2.0)";
inline constexpr const char* MessageBoxCaption = "MESSAGE, Korva Framework (v2.0)";

// The latest low-level failure, at most 511 characters.
const char* LastErrorText();
void SetLastErrorText(const std::string& text);

void ShowErrorBox(const char* text);
void GetSystemErrorText(char* buffer, size_t size);
int GetClientSize(int* outWidth, int* outHeight);
int GetScreenSize(int* outWidth, int* outHeight);
int GetClipboardText(std::string& outText);
void FormatTimeOfDay(char* buffer, size_t size);
unsigned TimeSeed();

// pixels: width*height 4-byte pixels (blue, green, red, 0), first row in
// memory is the bottom row on screen. Scaled by whole factors, nearest pixel.
int DisplayScaledBitmap(const uint8_t* pixels, int width, int height, int x, int y, int scaleX,
                        int scaleY);

int ParseStringArg(const char** cursor, char* out, size_t outSize);
void MakePixel(uint8_t* out, uint8_t red, uint8_t green, uint8_t blue);
void SplitPixel(const uint8_t* pixel, uint8_t* outRed, uint8_t* outGreen, uint8_t* outBlue);
bool PixelEquals(const uint8_t* pixel, int x, int y, const uint8_t* array, int width, int height,
                 int size);
