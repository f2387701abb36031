// Key input: message handling, key waits, ORIGINAL line input, the stepwise
// line input, the key poll and the text pause.
#include "text/GetString.h"

#include <algorithm>
#include <cstring>

#include "platform/Frame.h"
#include "platform/Keys.h"
#include "text/Output.h"
#include "text/TextDisplay.h"

namespace {
int (*inputPump)() = nullptr;
bool (*inputQuit)() = nullptr;

int Pump() { return inputPump ? inputPump() : PumpMessage(); }
bool Quitting() { return inputQuit ? inputQuit() : QuitRequested(); }

constexpr const char* PausePrompt = "[Press any key to continue]";
}  // namespace

void SetInputPump(int (*pump)(), bool (*quitRequested)()) {
  inputPump = pump;
  inputQuit = quitRequested;
}

CGetString::~CGetString() {
  if (GetKeyInput() == this) SetConsole(nullptr);
}

void CGetString::ReportUiError() {
  if (!display_) return;
  display_->WriteWrapped("UI ERROR:", true);
  display_->WriteWrapped(LastErrorText(), true);
}

int CGetString::ProcessMessage(uint32_t message, uint64_t wParam) {
  const int code = static_cast<int>(wParam);
  switch (message) {
    case msg::SetFocus:
      if (display_ && !display_->CreateCaret()) ReportUiError();
      return 1;
    case msg::KillFocus:
      if (display_ && !display_->DestroyCaret()) ReportUiError();
      return 1;
    case msg::Paint:
      if (display_) display_->Redraw();
      return 0;
    case msg::KeyDown:
      if (code == keys::Shift) {
        shiftDown_ = true;
        return 1;
      }
      if (code == keys::Control) {
        controlDown_ = true;
        return 1;
      }
      if (code == keys::PageUp || code == keys::PageDown) {
        if (display_) display_->ScrollPages(code == keys::PageUp ? -1 : 1);
        return 1;
      }
      if ((code == keys::Up || code == keys::Down) && controlDown_) {
        if (display_) display_->ScrollLines(code == keys::Up ? -1 : 1);
        return 1;
      }
      if (code == 255) return 1;
      if (waitMode_ == 1 ||
          (waitMode_ == 2 && ((code >= 33 && code <= 46) || (code >= keys::F1 && code <= keys::F12)))) {
        key_ = code;
        isCharacter_ = false;
        keyReady_ = true;
        takeNextCharacter_ = false;
        return 1;
      }
      if (waitMode_ == 2) {
        takeNextCharacter_ = true;
        return 1;
      }
      takeNextCharacter_ = false;
      return 0;
    case msg::KeyUp:
      if (code == keys::Shift) shiftDown_ = false;
      if (code == keys::Control) controlDown_ = false;
      return 1;
    case msg::Char:
      if (takeNextCharacter_) {
        key_ = code;
        isCharacter_ = true;
        keyReady_ = true;
        takeNextCharacter_ = false;
      }
      return 1;
    default:
      return 0;
  }
}

bool CGetString::WaitForKey(int& key, bool& isCharacter) {
  keyReady_ = false;
  for (;;) {
    if (Quitting()) return false;
    Pump();
    if (keyReady_) {
      keyReady_ = false;
      key = key_;
      isCharacter = isCharacter_;
      return true;
    }
  }
}

int CGetString::WaitKey() {
  if (display_) display_->ResetPauseCount();
  waitMode_ = 1;
  int key = 0;
  bool isCharacter = false;
  bool got = WaitForKey(key, isCharacter);
  waitMode_ = 0;
  return got ? key : 0;
}

// ---- ORIGINAL line input

void CLineReader::Begin(TextDisplay* display, char* buffer, int max, bool showInitial) {
  display_ = display;
  buffer_ = buffer;
  max_ = std::clamp(max, 1, InputLineMax);
  length_ = 0;
  if (showInitial) {
    length_ = static_cast<int>(strnlen(buffer_, static_cast<size_t>(max_)));
    if (display_ && length_) display_->WriteWrapped(buffer_, false, static_cast<size_t>(length_));
  }
}

int CLineReader::Key(int key, bool isCharacter) {
  if (length_ >= max_) return 2;
  if (isCharacter) {
    if (key == keys::Back) {
      if (length_ > 0) {
        if (display_) display_->Backspace(1);
        --length_;
      }
    } else if (key == keys::Escape) {
      if (display_) display_->Backspace(length_);
      length_ = 0;
    } else if (key == keys::Return) {
      if (display_) display_->NewLine();
      return 1;
    } else if (key >= 32 && key <= 126) {
      buffer_[length_++] = static_cast<char>(key);
      if (display_) display_->WriteChar(static_cast<char>(key));
    }
  }
  return length_ >= max_ ? 2 : 0;
}

void CLineReader::End(bool discard) {
  if (discard) length_ = 0;
  buffer_[length_] = 0;
}

int CGetString::ReadLine(char* buffer, int max, bool showInitial) {
  if (!buffer) return 0;
  if (display_) display_->ResetPauseCount();
  waitMode_ = 2;
  CLineReader reader;
  reader.Begin(display_, buffer, max, showInitial);
  bool quit = false;
  while (reader.Length() < std::clamp(max, 1, InputLineMax)) {
    int key = 0;
    bool isCharacter = false;
    if (!WaitForKey(key, isCharacter)) {
      quit = true;
      break;
    }
    if (reader.Key(key, isCharacter) != 0) break;
  }
  reader.End(quit);
  waitMode_ = 0;
  return 1;
}

int CGetString::EditLine(char* buffer, int max, bool showInitial, bool insert) {
  if (!buffer) return 0;
  if (display_) display_->ResetPauseCount();
  waitMode_ = 2;
  CLineEditor editor;
  editor.Begin(display_, buffer, max, showInitial, insert);
  while (editor.Before() < std::clamp(max, 1, InputLineMax)) {
    int key = 0;
    bool isCharacter = false;
    if (!WaitForKey(key, isCharacter)) {
      editor.Abort();
      waitMode_ = 0;
      return 1;
    }
    if (editor.Key(key, isCharacter, controlDown_) != 0) {
      waitMode_ = 0;
      return 1;
    }
  }
  editor.Finish(false);
  waitMode_ = 0;
  return 1;
}

// ---- stepwise line input

int CGetString::CGetStringInit(char* text, int* outLength, bool showInitial) {
  if (!text || !outLength) {
    if (display_) display_->WriteWrapped("ERROR (CGetStringInit): Missing parameter(s)", true);
    return 0;
  }
  *outLength = 0;
  if (display_) display_->ResetPauseCount();
  waitMode_ = 2;
  if (showInitial) {
    *outLength = static_cast<int>(strnlen(text, InputLineMax));
    if (display_ && *outLength) display_->WriteWrapped(text, false, static_cast<size_t>(*outLength));
  }
  return 1;
}

int CGetString::CGetStringGetKey(int* outKey, int* outIsCharacter) {
  if (!outKey || !outIsCharacter) {
    if (display_) display_->WriteWrapped("ERROR (CGetStringGetKey): Missing parameter(s)", true);
    return 0;
  }
  int key = 0;
  bool isCharacter = false;
  if (!WaitForKey(key, isCharacter)) {
    *outKey = 0;
    *outIsCharacter = 0;
    return 2;
  }
  *outKey = key;
  *outIsCharacter = isCharacter ? 1 : 0;
  return 1;
}

int CGetString::CGetStringProcessKey(char* buffer, int* length, int key, int isCharacter,
                                     size_t capacity) {
  if (!buffer || !length) {
    if (display_) display_->WriteWrapped("ERROR (CGetStringProcessKey): Missing parameter(s)", true);
    return 0;
  }
  if (*length < 0) *length = 0;
  if (key == keys::Back) {
    if (*length > 0) {
      if (display_) display_->Backspace(1);
      --*length;
    }
  } else if (key == keys::Return) {
    return 2;
  } else if (key == keys::Escape) {
    if (display_) display_->Backspace(*length);
    *length = 0;
  } else if (isCharacter && key >= 32 && key <= 126) {
    if (capacity > 0 && static_cast<size_t>(*length) + 1 < capacity) {
      buffer[(*length)++] = static_cast<char>(key);
      if (display_) display_->WriteChar(static_cast<char>(key));
    }
  }
  return 1;
}

int CGetString::CGetStringEnd(char* buffer, int length) {
  if (!buffer) {
    if (display_) display_->WriteWrapped("ERROR (CGetStringEnd): Missing parameter(s)", true);
    return 0;
  }
  buffer[std::max(length, 0)] = 0;
  waitMode_ = 0;
  return 1;
}

// ---- key poll

void CGetString::BeginKeyPoll() {
  keyReady_ = false;
  waitMode_ = 1;
}

int CGetString::PollKey(int* outKey) {
  if (!keyReady_) return 0;
  keyReady_ = false;
  waitMode_ = 0;
  if (outKey) *outKey = key_;
  return 1;
}

// ---- the text pause

int TextDisplayPause(TextDisplay* display) {
  if (!display) return 1;
  bool caretWasOn = display->CaretOn();
  display->HideCaret();
  display->SetCaretOn(false);
  int before = display->CursorColumn();
  display->WriteText(PausePrompt, false, std::strlen(PausePrompt));
  int written = display->CursorColumn() - before;
  int key = GetKey();
  display->Backspace(written);
  display->SetCaretOn(caretWasOn);
  display->ShowCaret();
  return key == 'Q' ? 2 : 1;
}
