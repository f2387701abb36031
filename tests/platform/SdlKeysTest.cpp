#include "platform/SdlKeys.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/Keys.h"

namespace {

TEST(SdlKeys, TranslatesKeysByUsPosition) {
  const struct {
    int scancode;
    uint16_t mod;
    int key, character;
  } cases[] = {
      {SDL_SCANCODE_A, KMOD_NONE, 'A', 'a'},
      {SDL_SCANCODE_A, KMOD_LSHIFT, 'A', 'A'},
      {SDL_SCANCODE_A, KMOD_CAPS, 'A', 'A'},
      {SDL_SCANCODE_A, KMOD_CAPS | KMOD_RSHIFT, 'A', 'a'},
      {SDL_SCANCODE_V, KMOD_LCTRL, 'V', 22},
      {SDL_SCANCODE_0, KMOD_NONE, '0', '0'},
      {SDL_SCANCODE_1, KMOD_SHIFT, '1', '!'},
      {SDL_SCANCODE_SLASH, KMOD_SHIFT, keys::Slash, '?'},
      {SDL_SCANCODE_APOSTROPHE, KMOD_NONE, keys::Quote, '\''},
      {SDL_SCANCODE_RETURN, KMOD_NONE, keys::Return, 13},
      {SDL_SCANCODE_KP_ENTER, KMOD_NONE, keys::Return, 13},
      {SDL_SCANCODE_ESCAPE, KMOD_NONE, keys::Escape, 27},
      {SDL_SCANCODE_BACKSPACE, KMOD_NONE, keys::Back, 8},
      {SDL_SCANCODE_TAB, KMOD_NONE, keys::Tab, 9},
      {SDL_SCANCODE_SPACE, KMOD_NONE, keys::Space, 32},
      {SDL_SCANCODE_UP, KMOD_NONE, keys::Up, -1},
      {SDL_SCANCODE_PAGEDOWN, KMOD_NONE, keys::PageDown, -1},
      {SDL_SCANCODE_F1, KMOD_NONE, keys::F1, -1},
      {SDL_SCANCODE_F9, KMOD_NONE, keys::F9, -1},
      {SDL_SCANCODE_F12, KMOD_CTRL, keys::F12, -1},
      {SDL_SCANCODE_F10, KMOD_NONE, 0, -1},
      {SDL_SCANCODE_X, KMOD_LALT, 0, -1},
      {SDL_SCANCODE_F4, KMOD_RALT, 0, -1},
      {SDL_SCANCODE_LALT, KMOD_NONE, 0, -1},
      {SDL_SCANCODE_LSHIFT, KMOD_LSHIFT, keys::Shift, -1},
      {SDL_SCANCODE_RCTRL, KMOD_RCTRL, keys::Control, -1},
      {SDL_SCANCODE_KP_8, KMOD_NUM, keys::Num0 + 8, '8'},
      {SDL_SCANCODE_KP_8, KMOD_NONE, keys::Up, -1},
      {SDL_SCANCODE_KP_3, KMOD_NONE, keys::PageDown, -1},
      {SDL_SCANCODE_KP_0, KMOD_NONE, keys::Insert, -1},
      {SDL_SCANCODE_KP_PERIOD, KMOD_NUM, keys::Decimal, '.'},
      {SDL_SCANCODE_KP_PLUS, KMOD_NONE, keys::Add, '+'},
      {SDL_SCANCODE_DELETE, KMOD_NONE, keys::Delete, -1},
      {SDL_SCANCODE_MENU, KMOD_NONE, 0, -1},
  };
  for (const auto& c : cases) {
    SdlKeyPress p = TranslateSdlKey(c.scancode, c.mod);
    EXPECT_EQ(p.key, c.key) << "scancode " << c.scancode << " mod " << c.mod;
    EXPECT_EQ(p.character, c.character) << "scancode " << c.scancode << " mod " << c.mod;
  }
  SdlKeyPress p = TranslateSdlKey(SDL_SCANCODE_B, KMOD_LCTRL | KMOD_LSHIFT);
  EXPECT_TRUE(p.control);
  EXPECT_TRUE(p.shift);
  EXPECT_EQ(p.character, 2);
}

TEST(SdlKeys, CanvasIsScaledByWholeFactorsAndCentred) {
  const struct {
    int cw, ch, ow, oh, x, y, w, h;
  } cases[] = {
      {640, 480, 640, 480, 0, 0, 640, 480},
      {640, 480, 1920, 1080, 320, 60, 1280, 960},
      {640, 480, 1000, 1000, 180, 260, 640, 480},
      {640, 480, 320, 480, 0, 120, 320, 240},  // smaller than the canvas: fit
      {640, 480, 640, 240, 160, 0, 320, 240},
      {640, 480, 0, 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    int x, y, w, h;
    FitCanvasRect(c.cw, c.ch, c.ow, c.oh, x, y, w, h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{c.x, c.y, c.w, c.h}))
        << c.ow << "x" << c.oh;
  }
}

}  // namespace
