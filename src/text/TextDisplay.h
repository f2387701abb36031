#pragma once
// A rectangle of fixed-width character cells in the main window, backed by a
// ring of lines larger than the rectangle so that the player can scroll back
// through history. Every character goes into the ring first and is drawn
// second, so a redraw at any moment shows a consistent picture.
//
// Drawing goes into a canvas (the backend's canvas unless one is set with
// SetCanvas) with the display's Font. The display does not present the
// canvas by itself: the backend shows the picture whenever it waits for the
// next message, which every key wait and pause does. SetAutoPresent(true)
// makes each drawing operation present at once (for callers that draw
// without ever waiting).
//
// A new line on the bottom row moves the picture up by one row of
// characters and draws only the rows that changed, when the display knows
// that the pixels in its rectangle are still exactly what Redraw would draw:
// nothing else drew there since (a CanvasWatch follows the rectangle), and
// nothing changed what Redraw would draw without being drawn. Otherwise it
// redraws every row.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Keys.h"

class Font;
class FontService;
class TextDisplay;

// One font choice of main.cfg or of the built-in table.
struct FontRecord {
  int stockId = 0;     // 0 none, 16 system fixed font, 11 ANSI fixed font
  std::string face;    // empty: none
  int height = 0;
  int weight = 0;
  int flags = 0;       // 1: width of the space character; 2: accept any pitch
};

// Built-in font choices 1 to 4; any other number gives choice 1.
FontRecord BuiltInFont(int number);

using TextPauseRoutine = int (*)(TextDisplay* display);

class TextDisplay {
 public:
  // name: "main", "full", "sidebar", "party" (or empty); used by the dump and
  // the line log.
  explicit TextDisplay(const char* name = "");
  ~TextDisplay();
  TextDisplay(const TextDisplay&) = delete;
  TextDisplay& operator=(const TextDisplay&) = delete;

  const std::string& Name() const { return name_; }

  // ---- set-up
  int SetWindowAndPosition(WindowId window, int x, int y);
  int SetSize(int columns, int rows);
  int InitBuffer(int lines);
  // Fonts come from the backend's FontService unless `fonts` is given.
  int SelectFont(const FontRecord& record, int multiplier, int* outStep,
                 FontService* fonts = nullptr);
  int SelectFont(int number, int multiplier, int* outStep, FontService* fonts = nullptr);
  // A font owned elsewhere (tests, tools); the character size follows its metrics.
  void SetFont(Font* font);
  // A canvas owned elsewhere; null returns to the backend's canvas.
  void SetCanvas(Canvas* canvas);
  void SetAutoPresent(bool on) { autoPresent_ = on; }
  // Asks the backend to show the canvas (when drawing into the backend's canvas).
  void Present();
  void SetColours(uint32_t text, uint32_t background);
  int AllocColourBuffer();
  int AutoTextSize(int rightLimit, int bottomLimit);
  int Resize(int columns, int rows);
  int Move(int x, int y);

  // ---- output
  int WriteText(const char* text, bool newline, size_t length);
  int WriteWrapped(const char* text, bool newline, size_t length = 0);
  int WriteHard(const char* text, bool newline, size_t length = 0);
  int WriteLines(const char* text);
  int NewLine();
  int WriteChar(char c);
  int WriteClipped(const char* text, bool newline, size_t length = 0);
  int WriteCentred(double fraction, const char* text, bool newline);
  int WriteCentredMargin(double fraction, const char* text, bool newline);
  int WriteCentredWrapped(double fraction, const char* text, bool newline);
  int Backspace(int n);

  // ---- cursor and layout
  int Clear();
  int SetRow(int row);
  int SetRowFraction(double fraction, int n);
  int SetLine(int line);
  int SetColumn(int column);
  int SetMargin(int column);
  int SetMarginFraction(double fraction);
  int SetMarginCentred(double fraction, const char* text);
  int CentreColumn(double fraction, const char* text);
  int CharWidth() const { return charWidth_; }
  int CharHeight() const { return charHeight_; }
  int CursorColumn() const { return cursorColumn_; }
  int CursorRow() const { return cursorRow_; }
  int WriteLine() const { return static_cast<int>(writeLine_); }
  int Margin() const { return leftMargin_; }
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  int MaxColumns() const { return maxColumns_; }
  int MaxRows() const { return maxRows_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int BufferLines() const { return static_cast<int>(bufferLines_); }
  int LinesUsed() const { return static_cast<int>(linesUsed_); }
  int ScrollOffset() const { return scrollOffset_; }
  bool Wrapped() const { return wrapped_; }

  // ---- ring access (dump, tests)
  // The text of ring line `index` with trailing blanks removed.
  std::string LineText(size_t index) const;
  // The line shown on screen row `row` (0 = top), trailing blanks removed.
  std::string RowText(int row) const;
  // Attribute of one cell (0 without colour buffer).
  uint8_t CellAttribute(size_t line, int column) const;
  // Every line the ring holds, oldest first, trailing blanks removed; empty
  // lines at the very end are left out.
  std::vector<std::string> HeldLines() const;

  // ---- drawing
  int Redraw();
  // Redraw, unless the picture is known to be exactly what Redraw draws
  // (for a display rewritten in place again and again, such as the sidebar:
  // after it, rewriting a cell with what it holds draws nothing).
  int RedrawIfStale();
  int Erase();
  int DrawLine(const char* lineText, int x, int y);
  int DrawLineWithAttributes(size_t line, int x, int y);

  // ---- scrolling
  int ScrollLines(int n);
  int ScrollPages(int n);
  int ScrollReset();
  int ScrollToTop();

  // ---- caret
  int CreateCaret();
  int DestroyCaret();
  int HideCaret();
  int ShowCaret();
  int PlaceCaret();
  int SetCaretOn(bool on);
  bool CaretOn() const { return caretOn_; }

  // ---- colour
  int SetAttribute(uint8_t attribute);

  // ---- text pause
  int SetPauseRoutine(TextPauseRoutine routine, int linesPerPage);
  int SetPause(bool on);
  int GetPause() const { return pauseState_; }
  int SetPageFromRows();
  int ResetPauseCount();
  bool PausePending() const { return pauseState_ == 1 && pauseCount_ == 0; }
  int CheckAutoPause(bool newline);
  int LinesPerPage() const { return linesPerPage_; }

  // ---- editing support for the line editor
  int SetKeepLine(bool on);
  int EraseBack(int n, bool moveOnly);
  int ClearAhead(int n);
  int PutAhead(const char* text, int n);
  int RedrawAhead(int n);

  // ---- line log (used by the text log of the registry)
  void LogOpenLine();

 private:
  char* LinePtr(size_t line) { return text_.data() + line * static_cast<size_t>(columns_); }
  const char* LinePtr(size_t line) const {
    return text_.data() + line * static_cast<size_t>(columns_);
  }
  uint8_t* AttrPtr(size_t line) {
    return colour_.empty() ? nullptr : colour_.data() + line * static_cast<size_t>(columns_);
  }
  const uint8_t* AttrPtr(size_t line) const {
    return colour_.empty() ? nullptr : colour_.data() + line * static_cast<size_t>(columns_);
  }
  Canvas* TargetCanvas();
  bool OnBackendCanvas() const;
  size_t FirstShownLine() const;  // ring line on screen row 0
  // Before drawing into `canvas`: the watch follows the display's rectangle
  // there; anything drawn into it by others means the picture is no longer
  // the display's own.
  void WatchPixels(Canvas& canvas);
  // Whether the watch follows the display's rectangle on `canvas`.
  bool WatchFollows(const Canvas& canvas) const;
  // After drawing: what the display drew itself is not damage.
  void PixelsDrawn() { watch_.Clear(); }
  // The write line changes without being drawn in full.
  void LeaveWriteLine();
  // Whether the picture already shows `text` in those cells of a ring line:
  // the pixels are the display's own and the cells hold the same bytes.
  bool ShowsCells(size_t line, int column, const char* text, size_t length);
  // The pixels are the display's own and exactly what Redraw would draw.
  bool PictureIsOwn();
  // Draws cells of ring line `line` on screen row `row` as Redraw does and
  // reports the damage.
  void PaintCells(Canvas& canvas, size_t line, int row, int column, int count);
  void DamageCells(Canvas& canvas, int x, int y, int cells);
  bool ScrollUpOneRow(size_t firstBefore, size_t changedLine, int column, int count);
  // The columns from..to-1 (none: from >= to) where ring lines a and b
  // differ in a byte or in inverse video.
  void DifferingCells(size_t a, size_t b, int* from, int* to) const;
  void Presented();
  void UpdateCaretPosition();
  int RowOfLine(size_t line) const;  // screen row of a ring line, -1 when not shown
  int DrawCells(size_t line, int column, int count);
  void BlankLine(size_t line);
  void LogLine(size_t line);
  void StartLineChange();
  int WriteBroken(const char* text, bool newline, size_t length, bool wordWrap);
  void Relayout(int newColumns, size_t newLines);
  void ApplyFontMetrics(const FontRecord* record);

  std::string name_;
  WindowId window_ = NoWindow;
  int stockFont_ = 0;
  std::unique_ptr<Font> ownedFont_;
  Font* font_ = nullptr;
  Canvas* canvas_ = nullptr;
  bool autoPresent_ = false;
  bool caretOn_ = false;
  bool caretCreated_ = false;
  bool caretVisible_ = false;
  uint32_t textColour_ = 0xFFFFFF;
  uint32_t backColour_ = 0x000000;
  int x_ = 0, y_ = 0;
  int columns_ = 0, rows_ = 0;
  int maxColumns_ = 0, maxRows_ = 0;
  int caretX_ = 0, caretY_ = 0;
  int cursorColumn_ = 0, cursorRow_ = 0;
  int charWidth_ = 0, charHeight_ = 0;
  int leftMargin_ = 0;
  std::vector<char> text_;
  size_t bufferLines_ = 0;
  size_t linesUsed_ = 0;
  size_t highestLinesUsed_ = 0;
  size_t writeLine_ = 0;
  size_t viewLine_ = 0;
  bool wrapped_ = false;
  bool keepLine_ = false;
  int scrollOffset_ = 0;
  bool colourMode_ = false;
  std::vector<uint8_t> colour_;
  TextPauseRoutine pauseRoutine_ = nullptr;
  int pauseState_ = 0;
  int linesPerPage_ = 0;
  int pauseCount_ = 0;
  bool lineTouched_ = false;  // the write line changed since it was started
  // The pixels in the display's rectangle are exactly what Redraw would
  // draw for the present state (set by Redraw, cleared by every change that
  // is not drawn at once).
  bool intact_ = false;
  // The write line's attributes changed since it was last drawn in full.
  bool writeLineStale_ = false;
  CanvasWatch watch_;
};

// ---- registry of live displays, dump and line log (korva --headless)

// For each live display in the order main, full, sidebar, party (then any
// other named one): "=== NAME ===" and every line its ring holds, oldest
// first, trailing blanks removed.
void DumpTextDisplays(std::string& out);
// Every line as it stands when it is left (new line, SetRow, SetLine, Clear,
// FlushTextLog), prefixed "NAME| ". Null stops the log.
void SetTextLog(FILE* log);
// Logs the open line of every live display that changed since it was
// started; called once at exit.
void FlushTextLog();
// The live display of that name, or null.
TextDisplay* FindTextDisplay(const std::string& name);
