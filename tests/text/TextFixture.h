#pragma once
// A fixed 8x16 test font that marks each drawn cell in the canvas: the cell's
// top-left pixel holds the character, plus 0x100 when drawn in inverse video
// (text in the background colour). Reading the marks back gives the screen.
#include <deque>
#include <string>

#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/Keys.h"
#include "text/GetString.h"
#include "text/TextDisplay.h"

class CellFont : public Font {
 public:
  CellFont() {
    metrics_.height = 16;
    metrics_.averageWidth = 8;
    metrics_.spaceWidth = 8;
  }
  const FontMetrics& Metrics() const override { return metrics_; }
  void DrawText(Canvas& canvas, int x, int y, const char* text, size_t length, uint32_t textColour,
                uint32_t) const override {
    ++calls;
    for (size_t i = 0; i < length; ++i) {
      int px = x + static_cast<int>(i) * 8;
      if (px < 0 || px >= canvas.width || y < 0 || y >= canvas.height) continue;
      uint32_t mark = static_cast<unsigned char>(text[i]);
      if (textColour != 0xFFFFFF) mark |= 0x100;
      canvas.pixels[static_cast<size_t>(y) * canvas.width + px] = mark;
    }
  }
  mutable int calls = 0;

 private:
  FontMetrics metrics_;
};

// A display at (0, 0) drawing into its own canvas.
struct TestScreen {
  TestScreen(int columns, int rows, int lines, const char* name = "") : display(name) {
    canvas.width = 8 * 160;
    canvas.height = 16 * 64;
    canvas.pixels.assign(static_cast<size_t>(canvas.width) * canvas.height, 0);
    display.SetCanvas(&canvas);
    display.SetFont(&font);
    display.SetWindowAndPosition(MainWindowId, 0, 0);
    display.SetSize(columns, rows);
    display.InitBuffer(lines);
  }
  // The characters drawn on screen row `row`, trailing blanks removed.
  std::string Screen(int row) const {
    std::string s;
    for (int c = 0; c < display.Columns(); ++c) {
      uint32_t mark = canvas.At(c * 8, row * 16);
      s.push_back(mark ? static_cast<char>(mark & 0xFF) : ' ');
    }
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  }
  bool Inverse(int row, int column) const { return canvas.At(column * 8, row * 16) & 0x100; }
  CellFont font;
  Canvas canvas;
  TextDisplay display;
};

// Feeds window messages to the current key input, as the controller does;
// when they run out the application counts as quitting.
struct ScriptedKeys {
  static std::deque<WindowMessage>& Queue() {
    static std::deque<WindowMessage> q;
    return q;
  }
  static bool& Quit() {
    static bool quit = false;
    return quit;
  }
  static int Pump();
  static bool Quitting() { return Quit(); }
  static void Install() {
    Queue().clear();
    Quit() = false;
    SetInputPump(&Pump, &Quitting);
  }
  static void Uninstall() { SetInputPump(nullptr, nullptr); }
  static void KeyDown(int code) { Queue().push_back({MainWindowId, msg::KeyDown, uint64_t(code), 0}); }
  static void KeyUp(int code) { Queue().push_back({MainWindowId, msg::KeyUp, uint64_t(code), 0}); }
  static void Char(int c) { Queue().push_back({MainWindowId, msg::Char, uint64_t(c), 0}); }
  // A typed character: its key-down and character messages.
  static void Type(char c) {
    // Key-down codes as a keyboard sends them: punctuation has its own codes,
    // which must not be mistaken for the editing keys 33 to 46.
    int code = keys::Semicolon;
    if (c >= 'a' && c <= 'z') code = c - 32;
    else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') code = c;
    else if (c == '\b' || c == '\x7f') code = keys::Back;
    else if (c == '\r') code = keys::Return;
    else if (c == '\x1b') code = keys::Escape;
    KeyDown(code);
    Char(static_cast<unsigned char>(c));
  }
  static void Type(const std::string& text) {
    for (char c : text) Type(c);
  }
  static void Enter() {
    KeyDown(keys::Return);
    Char(keys::Return);
  }
};
