// Drives a text display and the line editor with arbitrary operations: writes
// of any length, resizes, layout jumps, scrolling, attributes and editing
// keys. Any out-of-bounds access shows up under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/Keys.h"
#include "text/GetString.h"
#include "text/TextDisplay.h"

namespace {
class CellFont : public Font {
 public:
  CellFont() {
    m_.height = 4;
    m_.averageWidth = 2;
  }
  const FontMetrics& Metrics() const override { return m_; }
  void DrawText(Canvas& canvas, int x, int y, const char* text, size_t length, uint32_t colour,
                uint32_t) const override {
    for (size_t i = 0; i < length; ++i) {
      int px = x + static_cast<int>(i) * 2;
      if (px >= 0 && px < canvas.width && y >= 0 && y < canvas.height)
        canvas.pixels[static_cast<size_t>(y) * canvas.width + px] =
            colour ^ static_cast<unsigned char>(text[i]);
    }
  }

 private:
  FontMetrics m_;
};

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  bool More() const { return pos < size; }
  int Byte() { return pos < size ? data[pos++] : 0; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader in{data, size};
  CellFont font;
  Canvas canvas;
  canvas.width = 200;
  canvas.height = 120;
  canvas.pixels.assign(static_cast<size_t>(canvas.width) * canvas.height, 0);
  TextDisplay display("fuzz");
  display.SetCanvas(&canvas);
  display.SetFont(&font);
  display.SetSize(1 + in.Byte() % 70, 1 + in.Byte() % 30);
  display.InitBuffer(in.Byte() % 60);
  if (in.Byte() & 1) display.AllocColourBuffer();
  char line[InputLineMax + 1] = "";
  CLineEditor editor;
  editor.Begin(&display, line, 1 + in.Byte() % 40, false, in.Byte() & 1);
  std::string text;
  int steps = 0;
  while (in.More() && ++steps < 4000) {
    int op = in.Byte() % 20;
    int a = in.Byte();
    switch (op) {
      case 0:
      case 1: {
        text.assign(static_cast<size_t>(a % 90), 'a');
        for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(32 + in.Byte() % 95);
        display.WriteWrapped(text.c_str(), op == 0, text.size());
        break;
      }
      case 2: display.WriteText("xyz", a & 1, static_cast<size_t>(a % 5)); break;
      case 3: display.Resize(a % 80 - 5, in.Byte() % 35 - 3); break;
      case 4: display.SetRow(a % 40 - 2); break;
      case 5: display.SetLine(a - 10); break;
      case 6: display.SetMargin(a % 80); break;
      case 7: display.ScrollLines(a % 50 - 25); break;
      case 8: display.SetAttribute(static_cast<uint8_t>(a % 3)); break;
      case 9: display.Backspace(a % 90); break;
      case 10: display.Clear(); break;
      case 11: display.WriteLines("one\n\ntwo"); break;
      case 12: display.Redraw(); break;
      case 13: display.EraseBack(a % 100, a & 1); break;
      case 14: display.ScrollToTop(); break;
      case 15: display.WriteCentred((a % 11) / 10.0, "centre", a & 1); break;
      default: {
        static const int editKeys[] = {keys::Home, keys::End, keys::Left, keys::Right, keys::Insert,
                                       keys::Delete};
        bool isCharacter = a & 1;
        int key = isCharacter ? in.Byte() : editKeys[in.Byte() % 6];
        if (isCharacter && key % 7 == 0) key = keys::Back;
        if (editor.Key(key, isCharacter, in.Byte() & 1) != 0) {
          editor.Begin(&display, line, 1 + in.Byte() % 40, false, in.Byte() & 1);
        }
        break;
      }
    }
    // The cursor and the ring always stay inside the display.
    if (display.CursorColumn() > display.Columns() || display.CursorRow() >= display.Rows() ||
        display.Margin() >= display.Columns() || display.BufferLines() < display.Rows() ||
        display.WriteLine() >= display.BufferLines() || display.LinesUsed() > display.BufferLines() ||
        editor.Before() + editor.After() > InputLineMax)
      __builtin_trap();
  }
  std::string dump;
  DumpTextDisplays(dump);
  return 0;
}
