// Text display: writing into the ring, word and hard wrap, cursor and layout.
#include <algorithm>
#include <cstring>

#include "text/TextDisplay.h"

void TextDisplay::BlankLine(size_t line) {
  std::memset(LinePtr(line), ' ', static_cast<size_t>(columns_));
  if (uint8_t* attr = AttrPtr(line)) std::memset(attr, 0, static_cast<size_t>(columns_));
}

// The only operation that puts characters into the ring. The text is cut to
// the room left on the line.
int TextDisplay::WriteText(const char* text, bool newline, size_t length) {
  if (text_.empty()) return 0;
  bool fullRedraw = false;
  if (scrollOffset_ != 0) {
    ScrollReset();
    fullRedraw = true;
  }
  size_t room = cursorColumn_ < columns_ ? static_cast<size_t>(columns_ - cursorColumn_) : 0;
  if (!text) length = 0;
  length = std::min(length, room);
  // Text written over the same text on a display whose picture is its own
  // needs no drawing (fields rewritten every turn with the same value).
  bool shown = false;
  if (length) {
    shown = !fullRedraw && ShowsCells(writeLine_, cursorColumn_, text, length);
    std::memcpy(LinePtr(writeLine_) + cursorColumn_, text, length);
    lineTouched_ = true;
  }
  int ok = 1;
  bool scrollUp = false;  // a new line on the bottom row, not scrolled back
  if (newline && cursorRow_ == rows_ - 1) {
    scrollUp = !fullRedraw;
    fullRedraw = true;
  } else if (!fullRedraw && length && !shown) {
    HideCaret();
    ok = DrawCells(writeLine_, cursorColumn_, static_cast<int>(length));
  }
  const size_t firstBefore = FirstShownLine();
  const size_t lineBefore = writeLine_;
  const int columnBefore = cursorColumn_;
  if (newline) {
    LogLine(writeLine_);
    lineTouched_ = false;
    cursorColumn_ = leftMargin_;
    if (cursorRow_ < rows_ - 1) ++cursorRow_;
    if (++writeLine_ >= bufferLines_) {
      writeLine_ = 0;
      wrapped_ = true;
    }
    viewLine_ = writeLine_;
    if (linesUsed_ < bufferLines_) ++linesUsed_;
    if (wrapped_ && !keepLine_) BlankLine(writeLine_);
  } else {
    cursorColumn_ += static_cast<int>(length);
  }
  UpdateCaretPosition();
  if (fullRedraw) {
    if (scrollUp && ScrollUpOneRow(firstBefore, lineBefore, columnBefore, static_cast<int>(length)))
      return ok;
    return Redraw() && ok;
  }
  if (newline) {
    // The new write line was not drawn: the picture is Redraw's only while
    // the view stayed where it was and no line changed unseen.
    LeaveWriteLine();
    if (FirstShownLine() != firstBefore || (wrapped_ && !keepLine_)) intact_ = false;
  }
  PlaceCaret();
  ShowCaret();
  if (length) Presented();
  return ok;
}

// Breaks the text into lines: at the right edge (hard), or after the last
// space among the last 24 characters that fit (word wrap). A word that ends
// exactly at the right edge stays where it is; the space after it is the
// break.
int TextDisplay::WriteBroken(const char* text, bool newline, size_t length, bool wordWrap) {
  if (!text) return 1;
  if (length == 0) length = std::strlen(text);
  if (text_.empty()) return 0;
  int ok = 1;
  for (;;) {
    size_t space = cursorColumn_ < columns_ ? static_cast<size_t>(columns_ - cursorColumn_) : 0;
    if (length < space) break;
    size_t piece = length;
    size_t skip = 0;
    if (length > space) {
      piece = space;
      if (wordWrap && space > 0 && text[space] != ' ') {
        size_t window = std::min<size_t>(24, space);
        for (size_t i = space; i > space - window; --i) {
          if (text[i - 1] == ' ') {
            piece = i;
            break;
          }
        }
      } else if (wordWrap && space > 0) {
        skip = 1;  // the space right after the edge is the break
      }
    }
    ok &= WriteText(text, true, piece);
    CheckAutoPause(true);
    text += piece + skip;
    length -= piece + skip;
  }
  ok &= WriteText(text, newline, length);
  CheckAutoPause(newline);
  return ok;
}

int TextDisplay::WriteWrapped(const char* text, bool newline, size_t length) {
  return WriteBroken(text, newline, length, true);
}

int TextDisplay::WriteHard(const char* text, bool newline, size_t length) {
  return WriteBroken(text, newline, length, false);
}

int TextDisplay::WriteLines(const char* text) {
  if (!text) return 1;
  int ok = 1;
  for (;;) {
    const char* end = std::strchr(text, '\n');
    if (!end) break;
    if (end == text) {
      ok &= NewLine();
    } else {
      ok &= WriteWrapped(text, true, static_cast<size_t>(end - text));
    }
    text = end + 1;
  }
  if (*text) ok &= WriteWrapped(text, false);
  return ok;
}

int TextDisplay::NewLine() {
  int ok = WriteText("", true, 0);
  CheckAutoPause(true);
  return ok;
}

int TextDisplay::WriteChar(char c) {
  if (c == '\n') return NewLine();  // a line break, not a glyph
  return WriteWrapped(&c, false, 1);
}

int TextDisplay::WriteClipped(const char* text, bool newline, size_t length) {
  if (!text) text = "";
  if (length == 0) length = std::strlen(text);
  size_t room = cursorColumn_ < columns_ ? static_cast<size_t>(columns_ - cursorColumn_) : 0;
  return WriteText(text, newline, std::min(length, room));
}

namespace {
int CentredColumn(int columns, const char* text, double fraction) {
  long length = text ? static_cast<long>(std::strlen(text)) : 0;
  long column = static_cast<long>((columns - length) * fraction);
  return column < 0 ? 0 : static_cast<int>(std::min<long>(column, 1 << 30));
}
}  // namespace

int TextDisplay::WriteCentred(double fraction, const char* text, bool newline) {
  if (!SetColumn(CentredColumn(columns_, text, fraction))) return 0;
  return WriteClipped(text, newline);
}

int TextDisplay::WriteCentredMargin(double fraction, const char* text, bool newline) {
  if (!SetMargin(CentredColumn(columns_, text, fraction))) return 0;
  return WriteClipped(text, newline);
}

int TextDisplay::WriteCentredWrapped(double fraction, const char* text, bool newline) {
  if (!text) return 1;
  long length = static_cast<long>(std::strlen(text));
  if ((columns_ - length) * fraction < 0) return WriteWrapped(text, newline);
  if (!SetColumn(static_cast<int>((columns_ - length) * fraction))) return 0;
  return WriteText(text, newline, static_cast<size_t>(length));
}

int TextDisplay::Backspace(int n) {
  if (text_.empty() || n < 0) return 0;
  int to = std::max(cursorColumn_ - n, leftMargin_);
  if (to > cursorColumn_) return 1;
  int last = std::min(cursorColumn_, columns_ - 1);
  if (last >= to) {
    std::memset(LinePtr(writeLine_) + to, ' ', static_cast<size_t>(last - to + 1));
    lineTouched_ = true;
  }
  int ok = 1;
  if (scrollOffset_ != 0) {
    ScrollReset();
    cursorColumn_ = to;
    UpdateCaretPosition();
    return Redraw();
  }
  HideCaret();
  ok = DrawCells(writeLine_, 0, columns_);
  cursorColumn_ = to;
  UpdateCaretPosition();
  PlaceCaret();
  ShowCaret();
  Presented();
  return ok;
}

// ---- cursor and layout

int TextDisplay::SetRow(int row) {
  if (text_.empty() || row < 0 || row >= rows_) return 0;
  LogOpenLine();
  if (scrollOffset_ != 0) ScrollReset();
  const size_t first = FirstShownLine();
  if (writeLine_ != static_cast<size_t>(row)) LeaveWriteLine();
  cursorRow_ = row;
  writeLine_ = viewLine_ = static_cast<size_t>(row);
  linesUsed_ = static_cast<size_t>(row) + 1;
  if (FirstShownLine() != first) intact_ = false;
  UpdateCaretPosition();
  PlaceCaret();
  return 1;
}

int TextDisplay::SetRowFraction(double fraction, int n) {
  int row = static_cast<int>((rows_ - n) * fraction);
  return SetRow(std::clamp(row, 0, std::max(rows_ - 1, 0)));
}

int TextDisplay::SetLine(int line) {
  if (text_.empty() || line < 0 || static_cast<size_t>(line) >= bufferLines_) return 0;
  size_t newLine = static_cast<size_t>(line);
  if (newLine == writeLine_) return 1;
  LogOpenLine();
  size_t oldLine = writeLine_;
  const size_t first = FirstShownLine();
  LeaveWriteLine();
  cursorRow_ = std::min(line, rows_ - 1);
  highestLinesUsed_ = std::max(highestLinesUsed_, linesUsed_);
  writeLine_ = viewLine_ = newLine;
  linesUsed_ = newLine + 1;
  UpdateCaretPosition();
  int ok = 1;
  bool bothOnFirstPage = oldLine < static_cast<size_t>(rows_) && newLine < static_cast<size_t>(rows_);
  if (!bothOnFirstPage || scrollOffset_ != 0) {
    scrollOffset_ = 0;
    ok = Redraw();
  } else if (FirstShownLine() != first) {
    intact_ = false;
  }
  PlaceCaret();
  return ok;
}

int TextDisplay::SetColumn(int column) {
  if (column < 0 || column >= columns_) return 0;
  cursorColumn_ = column;
  UpdateCaretPosition();
  PlaceCaret();
  return 1;
}

int TextDisplay::SetMargin(int column) {
  if (!SetColumn(column)) return 0;
  leftMargin_ = column;
  return 1;
}

int TextDisplay::SetMarginFraction(double fraction) {
  return SetMargin(static_cast<int>(columns_ * fraction));
}

int TextDisplay::SetMarginCentred(double fraction, const char* text) {
  return SetMargin(CentredColumn(columns_, text, fraction));
}

int TextDisplay::CentreColumn(double fraction, const char* text) {
  return SetColumn(CentredColumn(columns_, text, fraction));
}
