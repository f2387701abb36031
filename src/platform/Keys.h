#pragma once
// Key codes and window message identifiers of the engine's own window layer.
// Key codes follow the classic PC virtual-key numbering that scenario key maps
// and the command tables are written in: letters are their upper-case ASCII
// code, digits their ASCII code.
#include <cstdint>

namespace keys {
inline constexpr int Back = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Return = 0x0D;
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Alt = 0x12;
inline constexpr int Pause = 0x13;
inline constexpr int Escape = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int PageUp = 0x21;
inline constexpr int PageDown = 0x22;
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
inline constexpr int Num0 = 0x60;  // keypad 0..9 are 0x60..0x69
inline constexpr int Multiply = 0x6A;
inline constexpr int Add = 0x6B;
inline constexpr int Subtract = 0x6D;
inline constexpr int Decimal = 0x6E;
inline constexpr int Divide = 0x6F;
inline constexpr int F1 = 0x70;  // F1..F12 are 0x70..0x7B
inline constexpr int F2 = 0x71;
inline constexpr int F3 = 0x72;
inline constexpr int F4 = 0x73;
inline constexpr int F5 = 0x74;
inline constexpr int F6 = 0x75;
inline constexpr int F7 = 0x76;
inline constexpr int F8 = 0x77;
inline constexpr int F9 = 0x78;
inline constexpr int F10 = 0x79;
inline constexpr int F11 = 0x7A;
inline constexpr int F12 = 0x7B;
// Punctuation keys of a US keyboard.
inline constexpr int Semicolon = 0xBA;  // ;:
inline constexpr int Equals = 0xBB;     // =+
inline constexpr int Comma = 0xBC;      // ,<
inline constexpr int Minus = 0xBD;      // -_
inline constexpr int Period = 0xBE;     // .>
inline constexpr int Slash = 0xBF;      // /?
inline constexpr int Backquote = 0xC0;  // `~
inline constexpr int LBracket = 0xDB;   // [{
inline constexpr int Backslash = 0xDC;  // \|
inline constexpr int RBracket = 0xDD;   // ]}
inline constexpr int Quote = 0xDE;      // '"
}  // namespace keys

// Window messages. wParam of a key message is the key code; of a character
// message the character (Control+letter gives 1..26); of a timer message the
// timer identifier.
namespace msg {
inline constexpr uint32_t None = 0;
inline constexpr uint32_t Destroy = 2;
inline constexpr uint32_t Size = 5;
inline constexpr uint32_t SetFocus = 7;
inline constexpr uint32_t KillFocus = 8;
inline constexpr uint32_t Paint = 0x0F;
inline constexpr uint32_t Close = 0x10;
inline constexpr uint32_t Quit = 0x12;
inline constexpr uint32_t KeyDown = 0x100;
inline constexpr uint32_t KeyUp = 0x101;
inline constexpr uint32_t Char = 0x102;
inline constexpr uint32_t Timer = 0x113;
}  // namespace msg

// Window handles: 0 is no window, MainWindowId the engine's one main window.
using WindowId = int;
inline constexpr WindowId NoWindow = 0;
inline constexpr WindowId MainWindowId = 1;

struct WindowMessage {
  WindowId window = NoWindow;
  uint32_t message = msg::None;
  uint64_t wParam = 0;
  int64_t lParam = 0;
};
