#pragma once
// The platform backend: one window with a software canvas, a message queue
// with blocking get, timers, clipboard and fonts. The SDL backend serves a real
// window; the headless backend runs from a key script on a virtual clock.
// Game code never knows which one runs.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/KeyRecorder.h"
#include "platform/Keys.h"

struct LocalTime {
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class PlatformBackend {
 public:
  virtual ~PlatformBackend() = default;

  // width and height are the outer size asked for; the client canvas gets
  // that size (no frame is subtracted). fullScreen uses the screen size.
  virtual bool CreateMainWindow(const std::string& caption, bool fullScreen, int width,
                                int height) = 0;
  virtual bool HasWindow() const = 0;

  // Blocks until a message is available. inputWanted is false while a timed
  // pause (ASleep) waits: the headless backend then never feeds script keys
  // but advances its clock to the next timer. Returns false only when the
  // backend cannot deliver anything any more (the caller treats it as quit).
  virtual bool GetMessage(WindowMessage& out, bool inputWanted) = 0;
  virtual void PostMessage(const WindowMessage& m) = 0;

  // Periodic timers with identifiers, per window. Setting an existing
  // identifier restarts it with the new period.
  virtual bool SetTimer(WindowId window, int id, unsigned milliseconds) = 0;
  virtual bool KillTimer(WindowId window, int id) = 0;

  virtual Canvas& GetCanvas() = 0;
  // Shows the canvas (and the caret) in the window.
  virtual void Present() = 0;
  // Asks for a paint message.
  virtual void Invalidate() = 0;

  virtual bool GetClientSize(int& width, int& height) = 0;
  virtual bool GetScreenSize(int& width, int& height) = 0;
  virtual bool GetClipboardText(std::string& out) = 0;
  virtual void ShowErrorBox(const std::string& caption, const std::string& text) = 0;
  virtual LocalTime GetLocalTime() = 0;
  // Milliseconds since start (virtual in headless).
  virtual uint64_t Ticks() = 0;

  // A solid caret cell drawn over the canvas when presented.
  virtual void SetCaret(bool visible, int x, int y, int width, int height) = 0;

  virtual FontService& Fonts() = 0;

  // Marks the window as painted: a pending paint message is dropped.
  virtual void Validate() {}

  // Every key the player presses is also recorded here (--record); null
  // stops recording.
  void SetKeyRecorder(std::unique_ptr<KeyRecorder> recorder) { recorder_ = std::move(recorder); }
  KeyRecorder* Recorder() const { return recorder_.get(); }

 protected:
  std::unique_ptr<KeyRecorder> recorder_;
};

// The backend the engine runs on; set by ExeMain before the controller starts.
PlatformBackend* Backend();
void SetBackend(std::unique_ptr<PlatformBackend> backend);
