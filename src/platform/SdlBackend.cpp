#include "platform/SdlBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <deque>
#include <set>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/FreeTypeFonts.h"
#include "platform/SdlKeys.h"

namespace {

class SdlBackend : public PlatformBackend {
 public:
  SdlBackend() : start_(SDL_GetTicks64()) {}
  ~SdlBackend() override {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  bool CreateMainWindow(const std::string& caption, bool fullScreen, int width, int height) override {
    if (window_) return false;
    if (fullScreen) {
      GetScreenSize(width, height);
    }
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return false;
    Uint32 flags = SDL_WINDOW_RESIZABLE | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window_ = SDL_CreateWindow(Cp1252ToUtf8(caption).c_str(), SDL_WINDOWPOS_UNDEFINED,
                               SDL_WINDOWPOS_UNDEFINED, width, height, flags);
    if (!window_) return false;
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) return Fail();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    if (!texture_) return Fail();
    canvas_.Resize(width, height);
    SDL_StopTextInput();  // characters come from the key translation
    return true;
  }

  bool HasWindow() const override { return window_ != nullptr; }

  bool GetMessage(WindowMessage& out, bool) override {
    for (;;) {
      SDL_Event e;
      while (SDL_PollEvent(&e)) HandleEvent(e);
      if (!queue_.empty()) {
        out = queue_.front();
        queue_.pop_front();
        return true;
      }
      if (paintPending_ && window_) {
        paintPending_ = false;
        out = WindowMessage{};
        out.window = MainWindowId;
        out.message = msg::Paint;
        return true;
      }
      uint64_t now = Ticks();
      Timer* next = nullptr;
      for (Timer& t : timers_) {
        if (!next || t.due < next->due) next = &t;
      }
      if (next && next->due <= now) {
        // Like a window timer: one message however late it is.
        next->due = now + next->period;
        out = WindowMessage{};
        out.window = next->window;
        out.message = msg::Timer;
        out.wParam = static_cast<uint64_t>(next->id);
        return true;
      }
      // Nothing to do: show the picture, then sleep until an event or a timer.
      Present();
      int timeout = 250;
      if (next) timeout = static_cast<int>(std::min<uint64_t>(next->due - now, 250));
      if (SDL_WaitEventTimeout(&e, timeout)) HandleEvent(e);
    }
  }

  void PostMessage(const WindowMessage& m) override { queue_.push_back(m); }

  bool SetTimer(WindowId window, int id, unsigned milliseconds) override {
    if (window == NoWindow) return false;
    unsigned period = milliseconds == 0 ? 1 : milliseconds;
    for (Timer& t : timers_) {
      if (t.window == window && t.id == id) {
        t.period = period;
        t.due = Ticks() + period;
        return true;
      }
    }
    timers_.push_back(Timer{window, id, period, Ticks() + period});
    return true;
  }

  bool KillTimer(WindowId window, int id) override {
    for (size_t i = 0; i < timers_.size(); ++i) {
      if (timers_[i].window == window && timers_[i].id == id) {
        timers_.erase(timers_.begin() + static_cast<long>(i));
        return true;
      }
    }
    return false;
  }

  Canvas& GetCanvas() override { return canvas_; }

  void Present() override {
    if (!renderer_ || !texture_ || canvas_.pixels.empty()) return;
    // The caret is an inverted cell, drawn on the way out only.
    bool caret = caretVisible_ && caretW_ > 0 && caretH_ > 0;
    if (caret) canvas_.InvertRectTransient(caretX_, caretY_, caretW_, caretH_);
    SDL_UpdateTexture(texture_, nullptr, canvas_.pixels.data(), canvas_.width * 4);
    if (caret) canvas_.InvertRectTransient(caretX_, caretY_, caretW_, caretH_);
    int ow = 0, oh = 0;
    SDL_GetRendererOutputSize(renderer_, &ow, &oh);
    SDL_Rect dst;
    FitCanvasRect(canvas_.width, canvas_.height, ow, oh, dst.x, dst.y, dst.w, dst.h);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    SDL_RenderPresent(renderer_);
  }

  void Invalidate() override { paintPending_ = true; }
  void Validate() override { paintPending_ = false; }

  bool GetClientSize(int& width, int& height) override {
    if (!window_) return false;
    width = canvas_.width;
    height = canvas_.height;
    return true;
  }

  bool GetScreenSize(int& width, int& height) override {
    SDL_DisplayMode mode;
    int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return false;
    width = mode.w;
    height = mode.h;
    return true;
  }

  bool GetClipboardText(std::string& out) override {
    out.clear();
    if (!SDL_HasClipboardText()) return false;
    char* text = SDL_GetClipboardText();
    if (!text) return false;
    out = Utf8ToCp1252(text);
    SDL_free(text);
    return !out.empty();
  }

  void ShowErrorBox(const std::string& caption, const std::string& text) override {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, Cp1252ToUtf8(caption).c_str(),
                                 Cp1252ToUtf8(text).c_str(), window_) != 0) {
      std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
  }

  LocalTime GetLocalTime() override {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    LocalTime t;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int>(ts.tv_nsec / 1000000);
    return t;
  }

  uint64_t Ticks() override { return SDL_GetTicks64() - start_; }

  void SetCaret(bool visible, int x, int y, int width, int height) override {
    caretVisible_ = visible;
    caretX_ = x;
    caretY_ = y;
    caretW_ = width;
    caretH_ = height;
  }

  FontService& Fonts() override {
    if (!fonts_) fonts_ = CreateFreeTypeFontService(false);
    return *fonts_;
  }

 private:
  struct Timer {
    WindowId window;
    int id;
    unsigned period;
    uint64_t due;
  };

  bool Fail() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    return false;
  }

  void Queue(uint32_t message, uint64_t wParam, int64_t lParam = 0) {
    WindowMessage m;
    m.window = MainWindowId;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    queue_.push_back(m);
  }

  void QueueClose() {
    if (recorder_) recorder_->RecordClose(Ticks());
    Queue(msg::Close, 0);
  }

  void HandleEvent(const SDL_Event& e) {
    switch (e.type) {
      case SDL_QUIT:  // only from outside (a signal); the window close comes below
        QueueClose();
        break;
      case SDL_WINDOWEVENT:
        switch (e.window.event) {
          case SDL_WINDOWEVENT_CLOSE: QueueClose(); break;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SHOWN:
          case SDL_WINDOWEVENT_RESTORED: paintPending_ = true; break;
          case SDL_WINDOWEVENT_FOCUS_GAINED: Queue(msg::SetFocus, 0); break;
          case SDL_WINDOWEVENT_FOCUS_LOST: Queue(msg::KillFocus, 0); break;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            Queue(msg::Size, 0, (static_cast<int64_t>(canvas_.height) << 16) | canvas_.width);
            paintPending_ = true;
            break;
          default: break;
        }
        break;
      case SDL_KEYDOWN: {
        SdlKeyPress press = TranslateSdlKey(e.key.keysym.scancode, e.key.keysym.mod);
        if (press.key == 0) break;
        bool modifier = press.key == keys::Shift || press.key == keys::Control;
        if (modifier && e.key.repeat) break;
        down_.insert(press.key);
        Queue(msg::KeyDown, static_cast<uint64_t>(press.key), e.key.repeat ? (1LL << 30) | 1 : 1);
        if (press.character >= 0) Queue(msg::Char, static_cast<uint64_t>(press.character), 1);
        if (!modifier && recorder_) recorder_->RecordKey(Ticks(), press.key, press.shift, press.control);
        break;
      }
      case SDL_KEYUP: {
        // Only keys whose key-down went out get a key-up (Alt may have been
        // let go first, or the key went down before the window had the focus).
        SdlKeyPress press = TranslateSdlKey(e.key.keysym.scancode, static_cast<uint16_t>(e.key.keysym.mod & ~KMOD_ALT));
        if (press.key != 0 && down_.erase(press.key) > 0) Queue(msg::KeyUp, static_cast<uint64_t>(press.key), 0);
        break;
      }
      default:
        break;
    }
  }

  uint64_t start_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  Canvas canvas_;
  std::deque<WindowMessage> queue_;
  std::vector<Timer> timers_;
  std::set<int> down_;  // keys whose key-down was delivered
  bool paintPending_ = false;
  bool caretVisible_ = false;
  int caretX_ = 0, caretY_ = 0, caretW_ = 0, caretH_ = 0;
  std::unique_ptr<FontService> fonts_;
};

}  // namespace

std::unique_ptr<PlatformBackend> CreateSdlBackend(std::string& error) {
  SDL_SetHint("SDL_QUIT_ON_LAST_WINDOW_CLOSE", "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    error = std::string("ERROR (CreateSdlBackend): Could not start SDL video: ") + SDL_GetError();
    return nullptr;
  }
  return std::make_unique<SdlBackend>();
}
