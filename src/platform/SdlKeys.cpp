#include "platform/SdlKeys.h"

#include <SDL.h>

#include <algorithm>

#include "platform/KeyScript.h"
#include "platform/Keys.h"

namespace {

int KeyForScancode(int sc, bool numLock) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) {
    int key = keys::F1 + (sc - SDL_SCANCODE_F1);
    return key == keys::F10 ? 0 : key;  // F10 belongs to the system menu
  }
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) {
    static constexpr int kNavigation[9] = {keys::End,  keys::Down, keys::PageDown,
                                           keys::Left, 0x0C,       keys::Right,
                                           keys::Home, keys::Up,   keys::PageUp};
    int n = sc - SDL_SCANCODE_KP_1;
    return numLock ? keys::Num0 + 1 + n : kNavigation[n];
  }
  switch (sc) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_RETURN: return keys::Return;
    case SDL_SCANCODE_KP_ENTER: return keys::Return;
    case SDL_SCANCODE_ESCAPE: return keys::Escape;
    case SDL_SCANCODE_BACKSPACE: return keys::Back;
    case SDL_SCANCODE_TAB: return keys::Tab;
    case SDL_SCANCODE_SPACE: return keys::Space;
    case SDL_SCANCODE_MINUS: return keys::Minus;
    case SDL_SCANCODE_EQUALS: return keys::Equals;
    case SDL_SCANCODE_LEFTBRACKET: return keys::LBracket;
    case SDL_SCANCODE_RIGHTBRACKET: return keys::RBracket;
    case SDL_SCANCODE_BACKSLASH: return keys::Backslash;
    case SDL_SCANCODE_NONUSBACKSLASH: return keys::Backslash;
    case SDL_SCANCODE_SEMICOLON: return keys::Semicolon;
    case SDL_SCANCODE_APOSTROPHE: return keys::Quote;
    case SDL_SCANCODE_GRAVE: return keys::Backquote;
    case SDL_SCANCODE_COMMA: return keys::Comma;
    case SDL_SCANCODE_PERIOD: return keys::Period;
    case SDL_SCANCODE_SLASH: return keys::Slash;
    case SDL_SCANCODE_PAUSE: return keys::Pause;
    case SDL_SCANCODE_INSERT: return keys::Insert;
    case SDL_SCANCODE_HOME: return keys::Home;
    case SDL_SCANCODE_PAGEUP: return keys::PageUp;
    case SDL_SCANCODE_DELETE: return keys::Delete;
    case SDL_SCANCODE_END: return keys::End;
    case SDL_SCANCODE_PAGEDOWN: return keys::PageDown;
    case SDL_SCANCODE_RIGHT: return keys::Right;
    case SDL_SCANCODE_LEFT: return keys::Left;
    case SDL_SCANCODE_DOWN: return keys::Down;
    case SDL_SCANCODE_UP: return keys::Up;
    case SDL_SCANCODE_KP_DIVIDE: return keys::Divide;
    case SDL_SCANCODE_KP_MULTIPLY: return keys::Multiply;
    case SDL_SCANCODE_KP_MINUS: return keys::Subtract;
    case SDL_SCANCODE_KP_PLUS: return keys::Add;
    case SDL_SCANCODE_KP_0: return numLock ? keys::Num0 : keys::Insert;
    case SDL_SCANCODE_KP_PERIOD: return numLock ? keys::Decimal : keys::Delete;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return keys::Shift;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return keys::Control;
    default: return 0;
  }
}

}  // namespace

SdlKeyPress TranslateSdlKey(int scancode, uint16_t mod) {
  SdlKeyPress press;
  if (mod & KMOD_ALT) return press;  // Alt combinations stay with the system
  press.key = KeyForScancode(scancode, (mod & KMOD_NUM) != 0);
  if (press.key == 0) return press;
  press.control = (mod & KMOD_CTRL) != 0;
  press.shift = (mod & KMOD_SHIFT) != 0;
  if (press.key == keys::Shift || press.key == keys::Control) return press;
  if (press.key >= 'A' && press.key <= 'Z' && (mod & KMOD_CAPS)) press.shift = !press.shift;
  press.character = KeyCharacter(press.key, press.shift, press.control);
  return press;
}

void FitCanvasRect(int cw, int ch, int ow, int oh, int& x, int& y, int& w, int& h) {
  if (cw <= 0 || ch <= 0 || ow <= 0 || oh <= 0) {
    x = y = w = h = 0;
    return;
  }
  int scale = std::min(ow / cw, oh / ch);
  if (scale >= 1) {
    w = cw * scale;
    h = ch * scale;
  } else if (static_cast<long long>(ow) * ch <= static_cast<long long>(oh) * cw) {
    w = ow;
    h = static_cast<int>(static_cast<long long>(ch) * ow / cw);
  } else {
    h = oh;
    w = static_cast<int>(static_cast<long long>(cw) * oh / ch);
  }
  x = (ow - w) / 2;
  y = (oh - h) / 2;
}
