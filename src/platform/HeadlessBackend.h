#pragma once
// A backend without a window: the canvas lives in memory, keys come from a key
// script and time is a virtual clock, so a run is the same on every machine
// and never waits for real time.
//
// Message order: posted messages, then a pending paint, then
//  - during a timed pause (inputWanted false): the clock jumps to the next
//    due timer and that timer is delivered;
//  - when input is wanted: the next script token. A key becomes key-down,
//    its character message (when it has one) and key-up, wrapped in the
//    Control and Shift key-downs/ups it needs; <wait:MS> moves the clock on by
//    MS, delivering every timer that falls due on the way in order; <close>
//    posts a close message; <shot:F> and <dump:F> call the hooks. When the
//    script is used up a close message is posted once, and every later request
//    for input posts a quit, so a run always ends.
#include <cstdint>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/KeyScript.h"

struct HeadlessHooks {
  std::function<void(const std::string& file)> screenshot;  // <shot:FILE>
  std::function<void(const std::string& file)> dump;        // <dump:FILE>
};

// Posted messages in order: a vector read from the front and emptied once
// read out, so that steady posting and reading allocates nothing.
class MessageFifo {
 public:
  bool empty() const { return head_ == items_.size(); }
  void push_back(const WindowMessage& m) { items_.push_back(m); }
  WindowMessage pop_front() {
    WindowMessage m = items_[head_++];
    if (head_ == items_.size()) {
      items_.clear();
      head_ = 0;
    } else if (head_ >= 64 && head_ * 2 >= items_.size()) {
      items_.erase(items_.begin(), items_.begin() + std::ptrdiff_t(head_));
      head_ = 0;
    }
    return m;
  }

 private:
  std::vector<WindowMessage> items_;
  size_t head_ = 0;
};

class HeadlessBackend : public PlatformBackend {
 public:
  // The virtual clock starts at 12:00:00.000 local time, ticks 0.
  static constexpr int ScreenWidth = 1280;
  static constexpr int ScreenHeight = 1024;

  explicit HeadlessBackend(std::vector<KeyScriptEvent> script);
  ~HeadlessBackend() override;

  void SetHooks(HeadlessHooks hooks) { hooks_ = std::move(hooks); }
  // The text GetClipboardText returns (empty by default).
  void SetClipboard(const std::string& text) { clipboard_ = text; }
  // The seed of a leading <seed:N> token.
  std::optional<uint32_t> ScriptSeed() const { return seed_; }
  // True once every script token has been used.
  bool ScriptFinished() const { return next_ >= script_.size(); }
  // Adds tokens at the end of the script, for a driver that feeds keys as
  // the run goes on (call it before the script is used up: a used-up script
  // closes the window at the next request for input).
  void AppendScript(const std::vector<KeyScriptEvent>& events) {
    if (next_ >= script_.size()) {
      script_.clear();  // used up: start again at the front (no growth)
      next_ = 0;
    }
    script_.insert(script_.end(), events.begin(), events.end());
  }
  // Whether the next request for input would take a script token: no posted
  // message, paint or wait is left before it.
  bool AwaitingInput() const { return queue_.empty() && !(paintPending_ && hasWindow_) && waitUntil_ <= now_; }
  // The error boxes shown so far, "caption: text" each (they also go to stderr).
  const std::vector<std::string>& ErrorBoxes() const { return errorBoxes_; }
  int PresentCount() const { return presents_; }
  bool CaretVisible() const { return caretVisible_; }

  bool CreateMainWindow(const std::string& caption, bool fullScreen, int width, int height) override;
  bool HasWindow() const override { return hasWindow_; }
  bool GetMessage(WindowMessage& out, bool inputWanted) override;
  void PostMessage(const WindowMessage& m) override { queue_.push_back(m); }
  bool SetTimer(WindowId window, int id, unsigned milliseconds) override;
  bool KillTimer(WindowId window, int id) override;
  Canvas& GetCanvas() override { return canvas_; }
  void Present() override { ++presents_; }
  void Invalidate() override { paintPending_ = true; }
  void Validate() override { paintPending_ = false; }
  bool GetClientSize(int& width, int& height) override;
  bool GetScreenSize(int& width, int& height) override;
  bool GetClipboardText(std::string& out) override;
  void ShowErrorBox(const std::string& caption, const std::string& text) override;
  LocalTime GetLocalTime() override;
  uint64_t Ticks() override { return now_; }
  void SetCaret(bool visible, int x, int y, int width, int height) override;
  FontService& Fonts() override;

 private:
  struct Timer {
    WindowId window;
    int id;
    unsigned period;
    uint64_t due;
    uint64_t order;  // timers due at the same time fire in the order they were set
  };

  Timer* NextTimer();
  void FireTimer(Timer& timer, WindowMessage& out);
  void QueueKey(const KeyScriptEvent& e);
  void Queue(uint32_t message, uint64_t wParam);

  std::vector<KeyScriptEvent> script_;
  size_t next_ = 0;
  std::optional<uint32_t> seed_;
  HeadlessHooks hooks_;
  MessageFifo queue_;
  std::vector<Timer> timers_;
  uint64_t timerOrder_ = 0;
  uint64_t now_ = 0;
  uint64_t waitUntil_ = 0;
  bool paintPending_ = false;
  bool hasWindow_ = false;
  bool closeSent_ = false;
  int quitsPosted_ = 0;
  Canvas canvas_;
  std::string clipboard_;
  std::vector<std::string> errorBoxes_;
  int presents_ = 0;
  bool caretVisible_ = false;
  std::unique_ptr<FontService> fonts_;
};

// Parses the key script; null and an error line when it is malformed.
std::unique_ptr<HeadlessBackend> CreateHeadlessBackend(const std::string& keyScript,
                                                       std::string& error);
