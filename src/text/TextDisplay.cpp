// Text display: set-up, fonts, sizes, the ring layout and the registry of live
// displays with its dump and line log.
#include "text/TextDisplay.h"

#include <algorithm>
#include <cstring>

#include "platform/Backend.h"
#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/Frame.h"
#include "text/GetString.h"
#include "text/Output.h"

namespace {
std::vector<TextDisplay*>& LiveDisplays() {
  static std::vector<TextDisplay*> displays;
  return displays;
}
FILE* textLog = nullptr;

size_t TrimmedLength(const char* text, size_t length) {
  while (length > 0 && text[length - 1] == ' ') --length;
  return length;
}
}  // namespace

FontRecord BuiltInFont(int number) {
  switch (number) {
    case 2: return FontRecord{0, "Courier New", 15, 700, 1};
    case 3: return FontRecord{11, "Courier", 13, 700, 1};
    case 4: return FontRecord{16, "Fixedsys", 15, 0, 2};
    default: return FontRecord{16, "Fixedsys", 15, 0, 0};
  }
}

TextDisplay::TextDisplay(const char* name) : name_(name ? name : "") {
  LiveDisplays().push_back(this);
}

TextDisplay::~TextDisplay() {
  if (caretCreated_) DestroyCaret();
  // Output must never go to a display that no longer exists.
  if (GetOutput() == this) SetOutput(nullptr);
  if (GetKeyInput() && GetKeyInput()->Display() == this) GetKeyInput()->SetDisplay(nullptr);
  auto& live = LiveDisplays();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

int TextDisplay::SetWindowAndPosition(WindowId window, int x, int y) {
  window_ = window;
  x_ = x;
  y_ = y;
  intact_ = false;
  UpdateCaretPosition();
  return 1;
}

int TextDisplay::SetSize(int columns, int rows) {
  if (columns < 0 || rows < 0) return 0;
  if (columns) maxColumns_ = columns;
  if (rows) maxRows_ = rows;
  // Once the ring exists its layout must follow the width.
  if (!text_.empty()) return Resize(columns, rows);
  intact_ = false;
  if (columns) columns_ = columns;
  if (rows) rows_ = rows;
  return 1;
}

int TextDisplay::InitBuffer(int lines) {
  if (columns_ <= 0 || rows_ <= 0) {
    WriteWrapped("ERROR (InitBuffer): Invalid display size 0", true);
    return 0;
  }
  // The ring always holds at least the rows shown.
  bufferLines_ = std::max<size_t>(lines > 0 ? static_cast<size_t>(lines) : 0,
                                  static_cast<size_t>(rows_));
  text_.assign(bufferLines_ * static_cast<size_t>(columns_), ' ');
  if (!colour_.empty()) colour_.assign(text_.size(), 0);
  linesUsed_ = 1;
  highestLinesUsed_ = 0;
  writeLine_ = viewLine_ = 0;
  wrapped_ = false;
  cursorColumn_ = cursorRow_ = 0;
  leftMargin_ = 0;
  scrollOffset_ = 0;
  lineTouched_ = false;
  intact_ = writeLineStale_ = false;
  UpdateCaretPosition();
  return 1;
}

void TextDisplay::ApplyFontMetrics(const FontRecord* record) {
  const FontMetrics& m = font_->Metrics();
  charHeight_ = m.height;
  charWidth_ = m.averageWidth;
  if (record && (record->flags & 1) && m.spaceWidth > 0) charWidth_ = m.spaceWidth;
  intact_ = false;
  UpdateCaretPosition();
}

int TextDisplay::SelectFont(const FontRecord& start, int multiplier, int* outStep,
                            FontService* fonts) {
  if (multiplier <= 0) multiplier = 1;
  if (!fonts) {
    PlatformBackend* backend = Backend();
    if (!backend) {
      SetLastErrorText("ERROR (SelectFont): No platform to create fonts");
      return 0;
    }
    fonts = &backend->Fonts();
  }
  FontRecord record = start;
  int step = 0;
  if (record.face.empty() && record.stockId == 0) {
    step = 1;
    record = BuiltInFont(1);
  }
  for (;;) {
    bool useStock = record.stockId != 0 && multiplier == 1 && record.weight == 0;
    ownedFont_.reset();
    font_ = nullptr;
    if (useStock) {
      ownedFont_ = fonts->CreateFont(record.stockId, record.face, record.height, 0);
    } else {
      ownedFont_ = fonts->CreateFont(0, record.face, record.height * multiplier,
                                               record.weight);
    }
    if (!ownedFont_) {
      SetLastErrorText("ERROR (SelectFont): Could not create font " + record.face);
      return 0;
    }
    font_ = ownedFont_.get();
    stockFont_ = useStock ? record.stockId : 0;
    ApplyFontMetrics(&record);
    if ((record.flags & 2) || font_->Metrics().fixedPitch || step >= 9) break;
    ++step;
    record = BuiltInFont(step);
  }
  if (outStep) *outStep = step;
  return 1;
}

int TextDisplay::SelectFont(int number, int multiplier, int* outStep, FontService* fonts) {
  return SelectFont(BuiltInFont(number), multiplier, outStep, fonts);
}

void TextDisplay::SetFont(Font* font) {
  ownedFont_.reset();
  font_ = font;
  if (font_) {
    ApplyFontMetrics(nullptr);
  } else {
    charWidth_ = charHeight_ = 0;
  }
  intact_ = false;
}

void TextDisplay::SetCanvas(Canvas* canvas) {
  canvas_ = canvas;
  intact_ = false;
}

void TextDisplay::SetColours(uint32_t text, uint32_t background) {
  textColour_ = text;
  backColour_ = background;
  intact_ = false;
}

int TextDisplay::AllocColourBuffer() {
  if (colour_.empty()) colour_.assign(std::max<size_t>(text_.size(), 1), 0);
  return 1;
}

int TextDisplay::AutoTextSize(int rightLimit, int bottomLimit) {
  if (rightLimit < 0 || bottomLimit < 0) return 0;
  int width = 0, height = 0;
  bool haveSize = false;
  if (canvas_) {
    width = canvas_->width;
    height = canvas_->height;
    haveSize = true;
  } else if (PlatformBackend* backend = Backend()) {
    haveSize = backend->GetClientSize(width, height);
  }
  if (!haveSize) {
    WriteWrapped("ERROR (AutoTextSize): Could not get screen size", true);
    return 0;
  }
  if (rightLimit && rightLimit < width) width = rightLimit;
  if (bottomLimit && bottomLimit < height) height = bottomLimit;
  if (charWidth_ <= 0 || charHeight_ <= 0) {
    WriteWrapped("ERROR (AutoTextSize): Font size is 0", true);
    return 0;
  }
  int columns = (width - x_) / charWidth_;
  int rows = (height - y_) / charHeight_;
  if (maxColumns_ > 0) columns = std::min(columns, maxColumns_);
  if (maxRows_ > 0) rows = std::min(rows, maxRows_);
  return Resize(columns, rows);
}

// Lays the ring out again for a new width and line count. The lines are taken
// oldest first. When the display becomes narrower, each line is broken into
// pieces of the new width so that no text is lost from view (a layout built
// with SetLine is only cut, since its line numbers matter). Inverse video that
// runs across a break continues on the next piece.
void TextDisplay::Relayout(int newColumns, size_t newLines) {
  const size_t oldColumns = static_cast<size_t>(columns_);
  const size_t cols = static_cast<size_t>(newColumns);
  const bool haveColour = !colour_.empty();
  const bool layoutByLine = highestLinesUsed_ > linesUsed_;
  const bool rewrap = cols < oldColumns && !layoutByLine;

  std::vector<char> text(newLines * cols, ' ');
  std::vector<uint8_t> colour(haveColour ? newLines * cols : 0, 0);

  if (!wrapped_ && !rewrap) {
    // Same line numbers: copy each line up to the smaller width.
    size_t copy = std::min(cols, oldColumns);
    for (size_t line = 0; line < bufferLines_; ++line) {
      std::memcpy(text.data() + line * cols, LinePtr(line), copy);
      if (haveColour) std::memcpy(colour.data() + line * cols, AttrPtr(line), copy);
    }
    text_.swap(text);
    colour_.swap(colour);
    columns_ = newColumns;
    bufferLines_ = newLines;
    cursorColumn_ = std::min(cursorColumn_, newColumns);
    leftMargin_ = std::min(leftMargin_, newColumns - 1);
    return;
  }

  // Pieces in order, oldest first: ring line, start cell, length.
  struct Piece {
    size_t line, start, length;
    bool inverseAtStart;
  };
  std::vector<Piece> pieces;
  size_t first = wrapped_ ? (writeLine_ + 1) % bufferLines_ : 0;
  size_t count = wrapped_ ? bufferLines_ : writeLine_ + 1;
  size_t cursorPiece = 0, cursorColumn = 0;
  for (size_t k = 0; k < count; ++k) {
    size_t line = (first + k) % bufferLines_;
    bool isWriteLine = line == writeLine_;
    size_t length = TrimmedLength(LinePtr(line), oldColumns);
    if (isWriteLine) length = std::max(length, static_cast<size_t>(cursorColumn_));
    if (!rewrap) {
      pieces.push_back({line, 0, std::min(length, cols), false});
      if (isWriteLine) {
        cursorPiece = pieces.size() - 1;
        cursorColumn = std::min(static_cast<size_t>(cursorColumn_), cols);
      }
      continue;
    }
    bool inverse = false;
    size_t start = 0;
    do {
      size_t len = std::min(cols, length - start);
      pieces.push_back({line, start, len, inverse});
      if (haveColour) {
        for (size_t c = start; c < start + len; ++c)
          if (AttrPtr(line)[c] == 1) inverse = !inverse;
      }
      start += len;
    } while (start < length);
    if (isWriteLine) {
      size_t c = static_cast<size_t>(cursorColumn_);
      size_t piece = c == 0 ? 0 : (c - 1) / cols;
      size_t firstPiece = pieces.size() - ((length == 0 ? 0 : (length - 1) / cols) + 1);
      cursorPiece = firstPiece + piece;
      cursorColumn = c - piece * cols;
    }
  }
  // Keep the newest pieces up to and including the cursor's piece.
  size_t end = cursorPiece + 1;
  size_t begin = end > newLines ? end - newLines : 0;
  for (size_t k = begin; k < pieces.size() && k - begin < newLines; ++k) {
    const Piece& p = pieces[k];
    size_t to = (k - begin) * cols;
    std::memcpy(text.data() + to, LinePtr(p.line) + p.start, p.length);
    if (haveColour) {
      std::memcpy(colour.data() + to, AttrPtr(p.line) + p.start, p.length);
      if (p.inverseAtStart) colour[to] = colour[to] == 1 ? 0 : 1;
    }
  }
  text_.swap(text);
  colour_.swap(colour);
  columns_ = newColumns;
  bufferLines_ = newLines;
  writeLine_ = viewLine_ = end - begin - 1;
  linesUsed_ = writeLine_ + 1;
  highestLinesUsed_ = 0;
  wrapped_ = false;
  scrollOffset_ = 0;
  cursorColumn_ = static_cast<int>(cursorColumn);
  leftMargin_ = std::min(leftMargin_, newColumns - 1);
}

int TextDisplay::Resize(int columns, int rows) {
  int newColumns = columns > 0 ? columns : columns_;
  int newRows = rows > 0 ? rows : rows_;
  if (newColumns <= 0 || newRows <= 0) return 0;
  intact_ = writeLineStale_ = false;
  if (text_.empty()) {
    columns_ = newColumns;
    rows_ = newRows;
    return 1;
  }
  size_t newLines = std::max(bufferLines_, static_cast<size_t>(newRows));
  if (newColumns != columns_ || newLines != bufferLines_) {
    if (scrollOffset_ != 0) ScrollReset();
    Relayout(newColumns, newLines);
  }
  rows_ = newRows;
  // The cursor row is where the write line now appears.
  if (scrollOffset_ != 0) ScrollReset();
  viewLine_ = writeLine_;
  cursorRow_ = static_cast<int>(std::min(linesUsed_, static_cast<size_t>(rows_)) - 1);
  UpdateCaretPosition();
  PlaceCaret();
  return 1;
}

int TextDisplay::Move(int x, int y) {
  x_ = x;
  y_ = y;
  intact_ = false;
  UpdateCaretPosition();
  PlaceCaret();
  return 1;
}

int TextDisplay::Clear() {
  if (lineTouched_) LogLine(writeLine_);
  lineTouched_ = false;
  writeLine_ = viewLine_ = 0;
  linesUsed_ = 1;
  highestLinesUsed_ = 0;
  wrapped_ = false;
  keepLine_ = false;
  std::fill(text_.begin(), text_.end(), ' ');
  cursorColumn_ = cursorRow_ = 0;
  scrollOffset_ = 0;
  leftMargin_ = 0;
  colourMode_ = false;
  std::fill(colour_.begin(), colour_.end(), 0);
  pauseState_ = 0;
  linesPerPage_ = 0;
  pauseCount_ = 0;
  intact_ = writeLineStale_ = false;
  UpdateCaretPosition();
  PlaceCaret();
  return Redraw();
}

std::string TextDisplay::LineText(size_t index) const {
  if (index >= bufferLines_ || text_.empty()) return std::string();
  const char* p = LinePtr(index);
  return std::string(p, TrimmedLength(p, static_cast<size_t>(columns_)));
}

std::string TextDisplay::RowText(int row) const {
  if (text_.empty() || row < 0 || row >= rows_) return std::string();
  long first = static_cast<long>(viewLine_) - rows_ + 1;
  if (first < 0) first = wrapped_ ? first + static_cast<long>(bufferLines_) : 0;
  return LineText((static_cast<size_t>(first) + static_cast<size_t>(row)) % bufferLines_);
}

uint8_t TextDisplay::CellAttribute(size_t line, int column) const {
  if (colour_.empty() || line >= bufferLines_ || column < 0 || column >= columns_) return 0;
  return colour_[line * static_cast<size_t>(columns_) + static_cast<size_t>(column)];
}

std::vector<std::string> TextDisplay::HeldLines() const {
  std::vector<std::string> lines;
  if (text_.empty()) return lines;
  size_t first = wrapped_ ? (writeLine_ + 1) % bufferLines_ : 0;
  for (size_t k = 0; k < bufferLines_; ++k) lines.push_back(LineText((first + k) % bufferLines_));
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

void TextDisplay::LogLine(size_t line) {
  if (!textLog || name_.empty()) return;
  std::string text = LineText(line);
  std::fprintf(textLog, "%s| %s\n", name_.c_str(), text.c_str());
  std::fflush(textLog);
}

void TextDisplay::LogOpenLine() {
  if (lineTouched_ && !text_.empty()) LogLine(writeLine_);
  lineTouched_ = false;
}

// ---- registry

TextDisplay* FindTextDisplay(const std::string& name) {
  for (TextDisplay* d : LiveDisplays())
    if (d->Name() == name) return d;
  return nullptr;
}

namespace {
std::vector<TextDisplay*> DisplaysInDumpOrder() {
  static const char* const order[] = {"main", "full", "sidebar", "party"};
  std::vector<TextDisplay*> result;
  for (const char* name : order)
    for (TextDisplay* d : LiveDisplays())
      if (d->Name() == name) result.push_back(d);
  for (TextDisplay* d : LiveDisplays()) {
    if (d->Name().empty()) continue;
    if (std::find(result.begin(), result.end(), d) == result.end()) result.push_back(d);
  }
  return result;
}
}  // namespace

void DumpTextDisplays(std::string& out) {
  for (TextDisplay* d : DisplaysInDumpOrder()) {
    out += "=== ";
    out += d->Name();
    out += " ===\n";
    for (const std::string& line : d->HeldLines()) {
      out += line;
      out += '\n';
    }
  }
}

void SetTextLog(FILE* log) { textLog = log; }

void FlushTextLog() {
  for (TextDisplay* d : DisplaysInDumpOrder()) d->LogOpenLine();
  if (textLog) std::fflush(textLog);
}
