#include "platform/HeadlessBackend.h"

#include <cstdio>

#include "platform/FreeTypeFonts.h"

HeadlessBackend::HeadlessBackend(std::vector<KeyScriptEvent> script) : script_(std::move(script)) {
  if (!script_.empty() && script_.front().kind == KeyScriptEvent::Kind::Seed) {
    seed_ = script_.front().value;
  }
}

HeadlessBackend::~HeadlessBackend() = default;

std::unique_ptr<HeadlessBackend> CreateHeadlessBackend(const std::string& keyScript,
                                                       std::string& error) {
  std::vector<KeyScriptEvent> events;
  if (!ParseKeyScript(keyScript, events, error)) return nullptr;
  return std::make_unique<HeadlessBackend>(std::move(events));
}

bool HeadlessBackend::CreateMainWindow(const std::string&, bool fullScreen, int width, int height) {
  if (fullScreen) {
    width = ScreenWidth;
    height = ScreenHeight;
  }
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return false;
  canvas_.Resize(width, height);
  hasWindow_ = true;
  // A new window gets the focus, as a real one does.
  Queue(msg::SetFocus, 0);
  return true;
}

void HeadlessBackend::Queue(uint32_t message, uint64_t wParam) {
  WindowMessage m;
  m.window = MainWindowId;
  m.message = message;
  m.wParam = wParam;
  queue_.push_back(m);
}

void HeadlessBackend::QueueKey(const KeyScriptEvent& e) {
  if (recorder_) recorder_->RecordKey(now_, e.key, e.shift, e.control);
  if (e.control) Queue(msg::KeyDown, keys::Control);
  if (e.shift) Queue(msg::KeyDown, keys::Shift);
  Queue(msg::KeyDown, static_cast<uint64_t>(e.key));
  int c = KeyCharacter(e.key, e.shift, e.control);
  if (c >= 0) Queue(msg::Char, static_cast<uint64_t>(c));
  Queue(msg::KeyUp, static_cast<uint64_t>(e.key));
  if (e.shift) Queue(msg::KeyUp, keys::Shift);
  if (e.control) Queue(msg::KeyUp, keys::Control);
}

HeadlessBackend::Timer* HeadlessBackend::NextTimer() {
  Timer* best = nullptr;
  for (Timer& t : timers_) {
    if (!best || t.due < best->due || (t.due == best->due && t.order < best->order)) best = &t;
  }
  return best;
}

void HeadlessBackend::FireTimer(Timer& timer, WindowMessage& out) {
  if (timer.due > now_) now_ = timer.due;
  timer.due = now_ + timer.period;
  out = WindowMessage{};
  out.window = timer.window;
  out.message = msg::Timer;
  out.wParam = static_cast<uint64_t>(timer.id);
}

bool HeadlessBackend::GetMessage(WindowMessage& out, bool inputWanted) {
  for (;;) {
    if (!queue_.empty()) {
      out = queue_.pop_front();
      return true;
    }
    if (paintPending_ && hasWindow_) {
      paintPending_ = false;
      out = WindowMessage{};
      out.window = MainWindowId;
      out.message = msg::Paint;
      return true;
    }
    if (!inputWanted) {
      // A timed pause: nothing from the script, time runs to the next timer.
      Timer* t = NextTimer();
      if (!t) return false;
      FireTimer(*t, out);
      return true;
    }
    if (waitUntil_ > now_) {
      Timer* t = NextTimer();
      if (t && t->due <= waitUntil_) {
        FireTimer(*t, out);
        return true;
      }
      now_ = waitUntil_;
      continue;
    }
    if (next_ < script_.size()) {
      const KeyScriptEvent& e = script_[next_++];
      switch (e.kind) {
        case KeyScriptEvent::Kind::Key:
          QueueKey(e);
          break;
        case KeyScriptEvent::Kind::Wait:
          waitUntil_ = now_ + e.value;
          break;
        case KeyScriptEvent::Kind::Close:
          if (recorder_) recorder_->RecordClose(now_);
          Queue(msg::Close, 0);
          break;
        case KeyScriptEvent::Kind::Shot:
          if (hooks_.screenshot) hooks_.screenshot(e.file);
          else std::fprintf(stderr, "WARNING: no screenshot writer for %s\n", e.file.c_str());
          break;
        case KeyScriptEvent::Kind::Dump:
          if (hooks_.dump) hooks_.dump(e.file);
          else std::fprintf(stderr, "WARNING: no text dump writer for %s\n", e.file.c_str());
          break;
        case KeyScriptEvent::Kind::Seed:
          break;
      }
      continue;
    }
    if (!closeSent_) {
      closeSent_ = true;
      Queue(msg::Close, 0);
      continue;
    }
    // Still asked for input after the close: ask for the quit, and give up
    // altogether if even that is ignored.
    if (++quitsPosted_ > 1000) return false;
    WindowMessage quit;
    quit.message = msg::Quit;
    queue_.push_back(quit);
  }
}

bool HeadlessBackend::SetTimer(WindowId window, int id, unsigned milliseconds) {
  if (window == NoWindow) return false;
  unsigned period = milliseconds == 0 ? 1 : milliseconds;
  for (Timer& t : timers_) {
    if (t.window == window && t.id == id) {
      t.period = period;
      t.due = now_ + period;
      t.order = timerOrder_++;
      return true;
    }
  }
  timers_.push_back(Timer{window, id, period, now_ + period, timerOrder_++});
  return true;
}

bool HeadlessBackend::KillTimer(WindowId window, int id) {
  for (size_t i = 0; i < timers_.size(); ++i) {
    if (timers_[i].window == window && timers_[i].id == id) {
      timers_.erase(timers_.begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

bool HeadlessBackend::GetClientSize(int& width, int& height) {
  if (!hasWindow_) return false;
  width = canvas_.width;
  height = canvas_.height;
  return true;
}

bool HeadlessBackend::GetScreenSize(int& width, int& height) {
  width = ScreenWidth;
  height = ScreenHeight;
  return true;
}

bool HeadlessBackend::GetClipboardText(std::string& out) {
  out = clipboard_;
  return !out.empty();
}

void HeadlessBackend::ShowErrorBox(const std::string& caption, const std::string& text) {
  errorBoxes_.push_back(caption + ": " + text);
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

LocalTime HeadlessBackend::GetLocalTime() {
  uint64_t ms = (12ull * 3600000ull + now_) % 86400000ull;
  LocalTime t;
  t.hour = static_cast<int>(ms / 3600000);
  t.minute = static_cast<int>(ms / 60000 % 60);
  t.second = static_cast<int>(ms / 1000 % 60);
  t.millisecond = static_cast<int>(ms % 1000);
  return t;
}

void HeadlessBackend::SetCaret(bool visible, int, int, int, int) { caretVisible_ = visible; }

FontService& HeadlessBackend::Fonts() {
  if (!fonts_) fonts_ = CreateFreeTypeFontService(true);
  return *fonts_;
}
