// The OVERTYPE / INSERT line editor. Screen updates touch only the cells that
// change: text behind the cursor is rewritten in place with PutAhead and
// RedrawAhead, the cursor moves back with EraseBack and forward by writing the
// characters it passes. While text lies behind the cursor, keep-line stops a
// line break from blanking the line that holds it.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/Frame.h"
#include "platform/Keys.h"
#include "text/GetString.h"
#include "text/TextDisplay.h"

namespace {
bool IsWordSeparator(char c) { return c == ' ' || c == '/' || c == '\\'; }
constexpr int ControlV = 22;
constexpr int DeleteCharacter = 127;
}  // namespace

void CLineEditor::Begin(TextDisplay* display, char* buffer, int max, bool showInitial, bool insert) {
  display_ = display;
  buffer_ = buffer;
  max_ = std::clamp(max, 1, InputLineMax);
  insert_ = insert;
  before_ = after_ = 0;
  if (showInitial) {
    before_ = static_cast<int>(strnlen(buffer_, static_cast<size_t>(max_)));
    if (display_ && before_) display_->WriteHard(buffer_, false, static_cast<size_t>(before_));
  }
}

// Moves the cursor n characters right by writing the characters it passes.
void CLineEditor::MoveRight(int n) {
  if (n <= 0) return;
  if (display_) {
    display_->SetKeepLine(after_ - n > 0);
    display_->WriteHard(buffer_ + before_, false, static_cast<size_t>(n));
    display_->SetKeepLine(false);
  }
  before_ += n;
  after_ -= n;
}

// Shows the text behind the cursor again, followed by blanks over `cells`
// beyond it (cells freed by a deletion).
void CLineEditor::RewriteAhead(int cells) {
  if (!display_) return;
  std::string ahead(buffer_ + before_, static_cast<size_t>(after_));
  ahead.append(static_cast<size_t>(std::max(cells, 0)), ' ');
  display_->PutAhead(ahead.data(), static_cast<int>(ahead.size()));
  display_->RedrawAhead(static_cast<int>(ahead.size()));
}

int CLineEditor::Character(int c) {
  if (c == keys::Back) {
    if (before_ < 1) return 0;
    if (after_ > 0) {
      std::memmove(buffer_ + before_ - 1, buffer_ + before_, static_cast<size_t>(after_));
      if (display_) display_->EraseBack(1, true);
      --before_;
      RewriteAhead(1);
    } else {
      if (display_) display_->EraseBack(1, false);
      --before_;
    }
    return 0;
  }
  if (c == ControlV) {
    std::string paste;
    GetClipboardText(paste);
    size_t room = static_cast<size_t>(max_ - before_);
    if (paste.size() > room) paste.resize(room);
    // Line breaks and other control characters would break the line's layout.
    for (char& ch : paste)
      if (static_cast<unsigned char>(ch) < 32 || ch == 127) ch = ' ';
    int n = static_cast<int>(paste.size());
    if (n == 0) return 0;
    std::memcpy(buffer_ + before_, paste.data(), paste.size());
    int afterLeft = std::max(after_ - n, 0);
    if (display_) {
      display_->SetKeepLine(afterLeft > 0);
      display_->WriteHard(buffer_ + before_, false, static_cast<size_t>(n));
      display_->SetKeepLine(false);
    }
    before_ += n;
    after_ = afterLeft;
    return before_ >= max_ ? 2 : 0;
  }
  if (c == keys::Escape) {
    if (display_) {
      display_->EraseBack(before_, false);
      display_->ClearAhead(before_ + after_);
      display_->RedrawAhead(before_ + after_);
    }
    before_ = after_ = 0;
    return 0;
  }
  if (c == DeleteCharacter) {
    if (before_ < 1) return 0;
    if (display_) display_->EraseBack(1, false);
    buffer_[before_ - 1] = ' ';
    --before_;
    if (after_ > 0) ++after_;
    return 0;
  }
  if (c == keys::Return) {
    Finish(true);
    return 1;
  }
  if (c < 32 || c > 126) return 0;
  char ch = static_cast<char>(c);
  if (insert_ && after_ > 0) {
    if (before_ + after_ >= max_) return 0;  // full: an insert would push text out
    std::memmove(buffer_ + before_ + 1, buffer_ + before_, static_cast<size_t>(after_));
    buffer_[before_] = ch;
    if (display_) {
      display_->SetKeepLine(true);
      display_->WriteHard(&ch, false, 1);
      display_->SetKeepLine(false);
    }
    ++before_;
    RewriteAhead(0);
  } else {
    buffer_[before_] = ch;
    if (after_ > 0) --after_;
    if (display_) {
      display_->SetKeepLine(after_ > 0);
      display_->WriteHard(&ch, false, 1);
      display_->SetKeepLine(false);
    }
    ++before_;
  }
  if (before_ >= max_) {
    Finish(false);
    return 2;
  }
  return 0;
}

int CLineEditor::Key(int key, bool isCharacter, bool control) {
  if (isCharacter) return Character(key);
  switch (key) {
    case keys::End:
      MoveRight(after_);
      break;
    case keys::Home:
      if (display_) display_->EraseBack(before_, true);
      after_ += before_;
      before_ = 0;
      break;
    case keys::Left: {
      if (before_ < 1) break;
      int to = before_ - 1;
      if (control) {
        to = before_;
        while (to > 0 && IsWordSeparator(buffer_[to - 1])) --to;
        while (to > 0 && !IsWordSeparator(buffer_[to - 1])) --to;
      }
      int n = before_ - to;
      if (display_) display_->EraseBack(n, true);
      before_ -= n;
      after_ += n;
      break;
    }
    case keys::Right: {
      if (after_ < 1) break;
      int to = before_ + 1;
      if (control) {
        int end = before_ + after_;
        to = before_;
        while (to < end && !IsWordSeparator(buffer_[to])) ++to;
        while (to < end && IsWordSeparator(buffer_[to])) ++to;
      }
      MoveRight(to - before_);
      break;
    }
    case keys::Insert:
      if (control) {
        insert_ = !insert_;
      } else if (after_ >= 1 && before_ + after_ < max_) {
        std::memmove(buffer_ + before_ + 1, buffer_ + before_, static_cast<size_t>(after_));
        buffer_[before_] = ' ';
        ++after_;
        RewriteAhead(0);
      }
      break;
    case keys::Delete:
      if (after_ >= 1) {
        std::memmove(buffer_ + before_, buffer_ + before_ + 1, static_cast<size_t>(after_ - 1));
        --after_;
        RewriteAhead(1);
      }
      break;
    default:
      break;
  }
  if (before_ >= max_) {
    Finish(false);
    return 2;
  }
  return 0;
}

void CLineEditor::Finish(bool newline) {
  if (display_) {
    display_->ClearAhead(after_);
    display_->RedrawAhead(after_);
    if (newline) display_->NewLine();
  }
  after_ = 0;
  buffer_[before_] = 0;
}

void CLineEditor::Abort() {
  if (display_) {
    display_->ClearAhead(after_);
    display_->RedrawAhead(after_);
  }
  before_ = after_ = 0;
  buffer_[0] = 0;
}
