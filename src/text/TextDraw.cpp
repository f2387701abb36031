// Text display: drawing, scrolling, caret, colour attributes, the text pause
// and the editing support of the line editor.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "platform/Backend.h"
#include "platform/Canvas.h"
#include "platform/Font.h"
#include "text/TextDisplay.h"

Canvas* TextDisplay::TargetCanvas() {
  if (canvas_) return canvas_;
  PlatformBackend* backend = Backend();
  return backend ? &backend->GetCanvas() : nullptr;
}

bool TextDisplay::OnBackendCanvas() const { return canvas_ == nullptr && Backend() != nullptr; }

void TextDisplay::Presented() {
  if (autoPresent_ && OnBackendCanvas()) Backend()->Present();
}

void TextDisplay::Present() {
  if (OnBackendCanvas()) Backend()->Present();
}

void TextDisplay::UpdateCaretPosition() {
  caretX_ = x_ + cursorColumn_ * charWidth_;
  caretY_ = y_ + cursorRow_ * charHeight_;
}

size_t TextDisplay::FirstShownLine() const {
  long first = static_cast<long>(viewLine_) - rows_ + 1;
  if (first < 0) first = wrapped_ ? first + static_cast<long>(bufferLines_) : 0;
  return static_cast<size_t>(std::max(first, 0L));
}

int TextDisplay::RowOfLine(size_t line) const {
  if (bufferLines_ == 0) return -1;
  size_t row = (line + bufferLines_ - FirstShownLine()) % bufferLines_;
  return row < static_cast<size_t>(rows_) ? static_cast<int>(row) : -1;
}

// ---- ownership of the pixels

namespace {
int ClampToInt(long value) { return static_cast<int>(std::clamp<long>(value, 0, INT_MAX)); }
}  // namespace

bool TextDisplay::WatchFollows(const Canvas& canvas) const {
  return watch_.Follows(&canvas, x_, y_, ClampToInt(static_cast<long>(columns_) * charWidth_),
                        ClampToInt(static_cast<long>(rows_) * charHeight_));
}

void TextDisplay::WatchPixels(Canvas& canvas) {
  if (!WatchFollows(canvas)) {
    watch_.Follow(&canvas, x_, y_, ClampToInt(static_cast<long>(columns_) * charWidth_),
                  ClampToInt(static_cast<long>(rows_) * charHeight_));
    intact_ = false;
  } else if (watch_.Damaged()) {
    intact_ = false;
  }
}

bool TextDisplay::PictureIsOwn() {
  if (!intact_ || writeLineStale_ || watch_.Damaged()) return false;
  Canvas* canvas = TargetCanvas();
  return canvas && font_ && WatchFollows(*canvas);
}

bool TextDisplay::ShowsCells(size_t line, int column, const char* text, size_t length) {
  return PictureIsOwn() && std::memcmp(LinePtr(line) + column, text, length) == 0;
}

int TextDisplay::RedrawIfStale() { return PictureIsOwn() ? 1 : Redraw(); }

void TextDisplay::LeaveWriteLine() {
  if (writeLineStale_) intact_ = false;
  writeLineStale_ = false;
}

// What a run of `cells` cells at (x, y) may have touched: a font whose cell
// is larger than the display's spreads further.
void TextDisplay::DamageCells(Canvas& canvas, int x, int y, int cells) {
  const FontMetrics& m = font_->Metrics();
  long w = static_cast<long>(cells) * std::max(charWidth_, m.averageWidth);
  canvas.Damage(x, y, ClampToInt(w), std::max(charHeight_, m.height));
}

// Draws `count` cells of a ring line starting at `column` at pixel (px, py) of
// the cell `column`. In colour mode the line is drawn in runs: attribute 1
// toggles inverse video from its cell on, and every line starts in normal video.
namespace {
struct RunDrawer {
  Font* font;
  Canvas* canvas;
  int charWidth;
  uint32_t text, back;
};
}  // namespace

static int DrawRuns(const RunDrawer& d, const char* line, const uint8_t* attr, int column, int count,
                    int px, int py) {
  bool inverse = false;
  if (attr) {
    for (int c = 0; c < column; ++c)
      if (attr[c] == 1) inverse = !inverse;
  }
  int runStart = column;
  auto flush = [&](int end) {
    if (end > runStart) {
      d.font->DrawText(*d.canvas, px + (runStart - column) * d.charWidth, py, line + runStart,
                       static_cast<size_t>(end - runStart), inverse ? d.back : d.text,
                       inverse ? d.text : d.back);
    }
    runStart = end;
  };
  if (attr) {
    for (int c = column; c < column + count; ++c) {
      if (attr[c] == 0) continue;
      flush(c);
      if (attr[c] == 1) inverse = !inverse;
    }
  }
  flush(column + count);
  return 1;
}

int TextDisplay::DrawCells(size_t line, int column, int count) {
  int row = RowOfLine(line);
  if (row < 0 || count <= 0) return 1;
  Canvas* canvas = TargetCanvas();
  if (!canvas || !font_) return 0;
  count = std::min(count, columns_ - column);
  if (count <= 0) return 1;
  WatchPixels(*canvas);
  PaintCells(*canvas, line, row, column, count);
  PixelsDrawn();
  if (line == writeLine_ && column == 0 && count == columns_) writeLineStale_ = false;
  return 1;
}

// Cells of a ring line on screen row `row`, in colour mode with the
// attributes; a whole line is drawn in one piece otherwise.
void TextDisplay::PaintCells(Canvas& canvas, size_t line, int row, int column, int count) {
  RunDrawer d{font_, &canvas, charWidth_, textColour_, backColour_};
  const int px = x_ + column * charWidth_;
  const int py = y_ + row * charHeight_;
  DrawRuns(d, LinePtr(line), colourMode_ ? AttrPtr(line) : nullptr, column, count, px, py);
  DamageCells(canvas, px, py, count);
}

int TextDisplay::Redraw() {
  if (text_.empty()) return 1;
  HideCaret();
  Canvas* canvas = TargetCanvas();
  int ok = canvas && font_ ? 1 : 0;
  if (ok) {
    WatchPixels(*canvas);
    const size_t first = FirstShownLine();
    for (int r = 0; r < rows_; ++r)
      PaintCells(*canvas, (first + static_cast<size_t>(r)) % bufferLines_, r, 0, columns_);
    PixelsDrawn();
  }
  intact_ = ok != 0;
  writeLineStale_ = false;
  ShowCaret();
  Presented();
  return ok;
}

// The fast form of the redraw after a new line on the bottom row. When the
// picture in the display's rectangle is exactly what Redraw drew and the
// view moved on by exactly one line, the rows move up by one row of
// characters inside the rectangle, and only the new bottom row and what
// changed on the line just left are drawn: `count` cells from `column`
// (the text written with the new line), or all of it when an attribute
// changed it. The result is the picture Redraw would draw. Returns false,
// having drawn nothing, when that cannot be guaranteed.
void TextDisplay::DifferingCells(size_t a, size_t b, int* from, int* to) const {
  const char* textA = LinePtr(a);
  const char* textB = LinePtr(b);
  const uint8_t* attrA = colourMode_ ? AttrPtr(a) : nullptr;
  const uint8_t* attrB = colourMode_ ? AttrPtr(b) : nullptr;
  bool inverseA = false, inverseB = false;  // attribute 1 toggles inverse video from its cell on
  *from = columns_;
  *to = 0;
  for (int c = 0; c < columns_; ++c) {
    if (attrA && attrA[c] == 1) inverseA = !inverseA;
    if (attrB && attrB[c] == 1) inverseB = !inverseB;
    if (textA[c] != textB[c] || inverseA != inverseB) {
      *from = std::min(*from, c);
      *to = c + 1;
    }
  }
}

bool TextDisplay::ScrollUpOneRow(size_t firstBefore, size_t changedLine, int column, int count) {
  if (text_.empty() || scrollOffset_ != 0 || rows_ <= 0 || columns_ <= 0 || !font_) return false;
  Canvas* canvas = TargetCanvas();
  if (!canvas) return false;
  WatchPixels(*canvas);
  if (!intact_) return false;
  // Each row must be exactly one font cell high and the cells as wide as
  // the display's, so that rows never spread into each other.
  const FontMetrics& m = font_->Metrics();
  if (charWidth_ <= 0 || charHeight_ <= 0) return false;
  if (m.averageWidth != charWidth_ || m.height != charHeight_) return false;
  const long width = static_cast<long>(columns_) * charWidth_;
  const long height = static_cast<long>(rows_) * charHeight_;
  if (x_ < 0 || y_ < 0 || x_ + width > canvas->width || y_ + height > canvas->height) return false;
  const size_t first = FirstShownLine();
  if (first != (firstBefore + 1) % bufferLines_) return false;
  HideCaret();
  const int bottom = rows_ - 1;
  if (bufferLines_ > static_cast<size_t>(rows_)) {
    // Every row but the bottom one shows a line that is still in the ring
    // as it was drawn, so a row needs only the cells where the line moving
    // in looks different from the line it replaces (a cell's pixels depend
    // on its byte and colours only). The row taking the line just left is
    // moved whole: that line's last cells were written but not drawn.
    for (int r = 0; r < bottom; ++r) {
      int from = 0, to = columns_;
      if (r + 1 < bottom) {
        const size_t line = (firstBefore + static_cast<size_t>(r)) % bufferLines_;
        DifferingCells(line, (line + 1) % bufferLines_, &from, &to);
      }
      if (from < to)
        canvas->MoveRect(x_ + from * charWidth_, y_ + (r + 1) * charHeight_, (to - from) * charWidth_,
                         charHeight_, 0, -charHeight_);
    }
  } else {
    canvas->MoveRect(x_, y_ + charHeight_, static_cast<int>(width),
                     static_cast<int>(height - charHeight_), 0, -charHeight_);
  }
  PaintCells(*canvas, (first + static_cast<size_t>(bottom)) % bufferLines_, bottom, 0, columns_);
  if (writeLineStale_) {
    column = 0;
    count = columns_;
  }
  column = std::clamp(column, 0, columns_);
  count = std::min(count, columns_ - column);
  const int row = RowOfLine(changedLine);
  if (row >= 0 && row != bottom && count > 0) PaintCells(*canvas, changedLine, row, column, count);
  PixelsDrawn();
  writeLineStale_ = false;
  ShowCaret();
  Presented();
  return true;
}

int TextDisplay::Erase() {
  if (columns_ <= 0) return 1;
  std::string blanks(static_cast<size_t>(columns_), ' ');
  int ok = 1;
  for (int r = 0; r < rows_; ++r) ok &= DrawLine(blanks.data(), x_, y_ + r * charHeight_);
  intact_ = false;
  Presented();
  return ok;
}

// Draws whatever it is given wherever it is asked: the picture is no longer
// known to be Redraw's.
int TextDisplay::DrawLine(const char* lineText, int x, int y) {
  Canvas* canvas = TargetCanvas();
  if (!canvas || !font_ || !lineText) return 0;
  WatchPixels(*canvas);
  font_->DrawText(*canvas, x, y, lineText, static_cast<size_t>(columns_), textColour_, backColour_);
  DamageCells(*canvas, x, y, columns_);
  PixelsDrawn();
  intact_ = false;
  return 1;
}

int TextDisplay::DrawLineWithAttributes(size_t line, int x, int y) {
  if (line >= bufferLines_) return 0;
  Canvas* canvas = TargetCanvas();
  if (!canvas || !font_) return 0;
  WatchPixels(*canvas);
  RunDrawer d{font_, canvas, charWidth_, textColour_, backColour_};
  DrawRuns(d, LinePtr(line), AttrPtr(line), 0, columns_, x, y);
  DamageCells(*canvas, x, y, columns_);
  PixelsDrawn();
  intact_ = false;
  return 1;
}

// ---- scrolling

int TextDisplay::ScrollLines(int n) {
  if (text_.empty()) return 0;
  long shown = static_cast<long>(std::max(linesUsed_, static_cast<size_t>(rows_)));
  long top = rows_ - shown;
  long bottom = std::max(0L, static_cast<long>(highestLinesUsed_) - shown);
  long offset = std::clamp(static_cast<long>(scrollOffset_) + n, top, bottom);
  long change = offset - scrollOffset_;
  if (change == 0) return 1;
  if (!wrapped_ && viewLine_ < static_cast<size_t>(rows_ - 1)) viewLine_ = static_cast<size_t>(rows_ - 1);
  long lines = static_cast<long>(bufferLines_);
  viewLine_ = static_cast<size_t>(((static_cast<long>(viewLine_) + change) % lines + lines) % lines);
  bool wasAtBottom = scrollOffset_ == 0;
  scrollOffset_ = static_cast<int>(offset);
  if (wasAtBottom) HideCaret();
  int ok = Redraw();  // shows the caret again only at offset 0
  return ok;
}

int TextDisplay::ScrollPages(int n) { return ScrollLines(n * rows_); }

int TextDisplay::ScrollReset() {
  const size_t first = FirstShownLine();
  scrollOffset_ = 0;
  viewLine_ = writeLine_;
  if (FirstShownLine() != first) intact_ = false;
  ShowCaret();
  return 1;
}

int TextDisplay::ScrollToTop() {
  if (text_.empty()) return 0;
  if (linesUsed_ < static_cast<size_t>(rows_)) return 1;
  size_t back = linesUsed_ - static_cast<size_t>(rows_);
  if (back == 0) return 1;
  viewLine_ = (viewLine_ + bufferLines_ - back % bufferLines_) % bufferLines_;
  scrollOffset_ -= static_cast<int>(back);
  HideCaret();
  return Redraw();
}

// ---- caret

namespace {
void PushCaret(bool onBackend, bool visible, int x, int y, int w, int h) {
  if (onBackend) Backend()->SetCaret(visible, x, y, w, h);
}
}  // namespace

int TextDisplay::CreateCaret() {
  if (!caretOn_) return 1;
  caretCreated_ = true;
  caretVisible_ = scrollOffset_ == 0;
  PushCaret(OnBackendCanvas(), caretVisible_, caretX_, caretY_, charWidth_, charHeight_);
  return 1;
}

int TextDisplay::DestroyCaret() {
  if (!caretCreated_) return 1;
  caretCreated_ = false;
  caretVisible_ = false;
  PushCaret(OnBackendCanvas(), false, caretX_, caretY_, charWidth_, charHeight_);
  return 1;
}

int TextDisplay::HideCaret() {
  if (!caretOn_ || !caretCreated_ || !caretVisible_) return 1;
  caretVisible_ = false;
  PushCaret(OnBackendCanvas(), false, caretX_, caretY_, charWidth_, charHeight_);
  return 1;
}

int TextDisplay::ShowCaret() {
  if (!caretOn_ || !caretCreated_ || scrollOffset_ != 0) return 1;
  caretVisible_ = true;
  PushCaret(OnBackendCanvas(), true, caretX_, caretY_, charWidth_, charHeight_);
  return 1;
}

int TextDisplay::PlaceCaret() {
  if (!caretOn_ || !caretCreated_) return 1;
  PushCaret(OnBackendCanvas(), caretVisible_, caretX_, caretY_, charWidth_, charHeight_);
  return 1;
}

int TextDisplay::SetCaretOn(bool on) {
  caretOn_ = on;
  return 1;
}

// ---- colour

int TextDisplay::SetAttribute(uint8_t attribute) {
  if (colour_.empty() || text_.empty()) return 0;
  if (!colourMode_) intact_ = false;
  colourMode_ = true;
  if (cursorColumn_ < columns_ && AttrPtr(writeLine_)[cursorColumn_] != attribute) {
    // Changes how the rest of the line looks; drawn when the line is.
    AttrPtr(writeLine_)[cursorColumn_] = attribute;
    writeLineStale_ = true;
  }
  return 1;
}

// ---- text pause

int TextDisplay::SetPauseRoutine(TextPauseRoutine routine, int linesPerPage) {
  pauseRoutine_ = routine;
  linesPerPage_ = std::clamp(linesPerPage, 0, 255);
  return 1;
}

int TextDisplay::SetPause(bool on) {
  pauseState_ = on ? 1 : 0;
  return 1;
}

int TextDisplay::SetPageFromRows() {
  linesPerPage_ = std::clamp(rows_ > 1 ? rows_ - 1 : 1, 1, 255);
  return 1;
}

int TextDisplay::ResetPauseCount() {
  pauseCount_ = 0;
  if (pauseState_ == 2) pauseState_ = 1;
  return 1;
}

int TextDisplay::CheckAutoPause(bool newline) {
  if (pauseState_ != 1 || !newline) return 1;
  ++pauseCount_;
  // A page length of 0 (never set since the last Clear) means a screenful.
  int page = linesPerPage_ > 0 ? linesPerPage_ : std::max(rows_ - 1, 1);
  if (pauseCount_ < page) return 1;
  pauseCount_ = 0;
  if (!pauseRoutine_) {
    // Turned off first, so that the error line does not ask again.
    pauseState_ = 0;
    WriteWrapped("ERROR (CheckAutoPause): TextDisplayPause undefined", true);
    return 0;
  }
  if (pauseRoutine_(this) == 2) pauseState_ = 2;
  pauseCount_ = 0;
  return 1;
}

// ---- editing support

int TextDisplay::SetKeepLine(bool on) {
  keepLine_ = on;
  return 1;
}

int TextDisplay::EraseBack(int n, bool moveOnly) {
  if (text_.empty() || n < 0) return 0;
  bool redrawAll = false;
  if (scrollOffset_ != 0) {
    ScrollReset();
    redrawAll = true;
  }
  HideCaret();
  for (int i = 0; i < n; ++i) {
    if (cursorColumn_ > leftMargin_ && cursorColumn_ > 0) {
      --cursorColumn_;
    } else {
      if (linesUsed_ <= 1) break;  // nothing before the first line
      writeLine_ = writeLine_ == 0 ? bufferLines_ - 1 : writeLine_ - 1;
      --linesUsed_;
      cursorColumn_ = columns_ - 1;
      redrawAll = true;
    }
    if (!moveOnly) {
      LinePtr(writeLine_)[cursorColumn_] = ' ';
      lineTouched_ = true;
    }
  }
  const size_t first = FirstShownLine();
  viewLine_ = writeLine_;
  if (FirstShownLine() != first) intact_ = false;
  cursorRow_ = (!wrapped_ && writeLine_ < static_cast<size_t>(rows_)) ? static_cast<int>(writeLine_)
                                                                      : rows_ - 1;
  UpdateCaretPosition();
  int ok = 1;
  if (redrawAll) {
    ok = Redraw();
  } else {
    if (!moveOnly) ok = DrawCells(writeLine_, 0, columns_);
    PlaceCaret();
    ShowCaret();
    Presented();
  }
  return ok;
}

namespace {
// Walks n cells from the cursor onward, continuing at the margin of the
// following ring lines.
template <typename Fn>
void ForEachCellAhead(size_t line, int column, int n, int columns, int margin, size_t lines,
                      Fn&& fn) {
  for (int i = 0; i < n; ++i) {
    if (column >= columns) {
      line = (line + 1) % lines;
      column = margin;
    }
    fn(line, column, i);
    ++column;
  }
}
}  // namespace

int TextDisplay::ClearAhead(int n) {
  if (text_.empty() || n < 0) return 0;
  ForEachCellAhead(writeLine_, cursorColumn_, n, columns_, leftMargin_, bufferLines_,
                   [&](size_t line, int column, int) { LinePtr(line)[column] = ' '; });
  if (n) {
    lineTouched_ = true;
    intact_ = false;  // shown lines change before RedrawAhead draws them
  }
  return 1;
}

int TextDisplay::PutAhead(const char* text, int n) {
  if (text_.empty() || n < 0 || (!text && n > 0)) return 0;
  ForEachCellAhead(writeLine_, cursorColumn_, n, columns_, leftMargin_, bufferLines_,
                   [&](size_t line, int column, int i) { LinePtr(line)[column] = text[i]; });
  if (n) {
    lineTouched_ = true;
    intact_ = false;  // shown lines change before RedrawAhead draws them
  }
  return 1;
}

int TextDisplay::RedrawAhead(int n) {
  if (text_.empty() || n < 0) return 0;
  if (scrollOffset_ != 0) {
    ScrollReset();
    return Redraw();
  }
  int ok = DrawCells(writeLine_, 0, columns_);
  int remaining = n - (columns_ - cursorColumn_);
  size_t line = writeLine_;
  int perLine = std::max(columns_ - leftMargin_, 1);
  for (size_t k = 0; remaining > 0 && k < bufferLines_; ++k) {
    line = (line + 1) % bufferLines_;
    ok &= DrawCells(line, 0, columns_);
    remaining -= perLine;
  }
  PlaceCaret();
  Presented();
  return ok;
}
