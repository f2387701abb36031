// Output and input operations on the current output display and the current
// key input. Formatted output goes through a 512-character format area;
// longer output is cut to it. Everything printed is also appended to the
// output capture when one is set.
#include "text/Output.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "text/GetString.h"
#include "text/TextDisplay.h"

namespace {
std::string* outputCapture = nullptr;
bool debugMode = false;
TextDisplay* currentOutput = nullptr;
CGetString* currentInput = nullptr;
int inputMode = InputModeUnset;
char inputLine[InputLineMax + 1];

constexpr size_t FormatAreaSize = 512;

enum class Kind { Wrapped, Clipped };

void Capture(const char* text, size_t length, bool newline) {
  if (!outputCapture) return;
  if (text) outputCapture->append(text, length);
  if (newline) outputCapture->push_back('\n');
}

int Emit(const char* text, bool newline, Kind kind = Kind::Wrapped) {
  size_t length = text ? std::strlen(text) : 0;
  Capture(text, length, newline);
  if (!currentOutput) return 1;
  if (kind == Kind::Clipped) return currentOutput->WriteClipped(text ? text : "", newline, length);
  if (length == 0) return newline ? currentOutput->NewLine() : 1;
  return currentOutput->WriteWrapped(text, newline, length);
}

int EmitFormatted(bool newline, Kind kind, const char* prefix, const char* format, va_list args) {
  if (!format) return Emit(prefix, newline, kind);
  char area[FormatAreaSize];
  int n = std::vsnprintf(area, sizeof area, format, args);
  if (n < 0) area[0] = 0;
  if (!prefix) return Emit(area, newline, kind);
  std::string text(prefix);
  text += area;
  return Emit(text.c_str(), newline, kind);
}
}  // namespace

void SetOutputCapture(std::string* capture) { outputCapture = capture; }

#define KORVA_FORMATTED(newline, kind, prefix)                 \
  va_list args;                                                \
  va_start(args, format);                                      \
  int r = EmitFormatted(newline, kind, prefix, format, args);  \
  va_end(args);                                                \
  return r

int PrintLine(const char* format, ...) { KORVA_FORMATTED(true, Kind::Wrapped, nullptr); }
int Print(const char* format, ...) { KORVA_FORMATTED(false, Kind::Wrapped, nullptr); }
int PrintClipped(const char* format, ...) { KORVA_FORMATTED(true, Kind::Clipped, nullptr); }
int PrintText(const char* text) { return Emit(text, true); }
int PrintNewLine() { return Emit(nullptr, true); }

int PrintLines(const char* text) {
  if (!text) return 1;
  Capture(text, std::strlen(text), false);
  return currentOutput ? currentOutput->WriteLines(text) : 1;
}

int PrintChar(char c) {
  Capture(&c, 1, false);
  return currentOutput ? currentOutput->WriteChar(c) : 1;
}

int DebugPrintLine(const char* format, ...) {
  if (!debugMode) return 1;
  KORVA_FORMATTED(true, Kind::Wrapped, "DBG: ");
}
int DebugPrintText(const char* format, ...) {
  if (!debugMode) return 1;
  KORVA_FORMATTED(true, Kind::Wrapped, nullptr);
}
int DebugPrint(const char* format, ...) {
  if (!debugMode) return 1;
  KORVA_FORMATTED(false, Kind::Wrapped, nullptr);
}
int DebugNewLine() { return debugMode ? PrintNewLine() : 1; }
bool DebugMode() { return debugMode; }
void SetDebugMode(bool on) { debugMode = on; }

// ---- output switching

void SetConsole(CGetString* input) {
  currentInput = input;
  if (input) currentOutput = input->Display();
}

void SetOutput(TextDisplay* display) {
  currentOutput = display;
  if (currentInput) currentInput->SetDisplay(display);
}

int SwitchOutput(TextDisplay* display) {
  if (!display) return 0;
  if (display == currentOutput) return 1;
  if (currentOutput) {
    currentOutput->DestroyCaret();
    currentOutput->Erase();
  }
  SetOutput(display);
  display->CreateCaret();
  return 1;
}

TextDisplay* GetOutput() { return currentOutput; }
CGetString* GetKeyInput() { return currentInput; }

// ---- key waits

int GetKey() { return currentInput ? currentInput->WaitKey() : 0; }

int GetKeyEcho() {
  int key = GetKey();
  if (key >= 32 && key <= 126) PrintChar(static_cast<char>(key));
  return key;
}

bool AskYesNo() {
  int key = GetKey();
  if (key == 0) return false;  // quitting: no answer, no echo
  if (key == 'Y') {
    PrintLine("YES");
    return true;
  }
  PrintLine("NO");
  return false;
}

bool AskYesNoStrict() {
  for (;;) {
    int key = GetKey();
    if (key == 0) return false;
    if (key == 'Y') {
      PrintLine("YES");
      return true;
    }
    if (key == 'N') {
      PrintLine("NO");
      return false;
    }
  }
}

bool AskQuit() {
  Print("Are you sure you want to quit? ");
  return AskYesNo();
}

int WaitAnyKey() {
  if (!currentOutput) return GetKey() == 'Q' ? 2 : 1;
  if (currentOutput->PausePending()) return 1;
  return TextDisplayPause(currentOutput);
}

// ---- line input

namespace {
const char* ReadInto(int max, int mode, bool showInitial) {
  if (!showInitial) inputLine[0] = 0;
  inputLine[InputLineMax] = 0;
  if (!currentInput) {
    inputLine[0] = 0;
    return inputLine;
  }
  if (mode == InputModeOvertype || mode == InputModeInsert) {
    currentInput->EditLine(inputLine, max, showInitial, mode == InputModeInsert);
  } else {
    currentInput->ReadLine(inputLine, max, showInitial);
  }
  return inputLine;
}

int LineWithInitial(char* outText, const char* initial, int mode) {
  if (initial) {
    std::strncpy(inputLine, initial, InputLineMax);
    inputLine[InputLineMax] = 0;
  }
  ReadInto(InputLineMax, mode, initial != nullptr);
  if (inputLine[0] == 0) {
    if (outText) outText[0] = 0;
    return 0;
  }
  if (outText) std::memcpy(outText, inputLine, std::strlen(inputLine) + 1);
  return 1;
}

// The leading decimal number of a line: optional blanks and sign, then
// digits; 0 when there is none. Saturates at the int range.
long long LeadingNumber(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  long long value = 0;
  while (*text >= '0' && *text <= '9') {
    value = std::min<long long>(value * 10 + (*text++ - '0'), 1LL << 40);
  }
  return negative ? -value : value;
}

bool ReadNumber(long long& value) {
  const char* line = InputLine(InputLineMax);
  if (line[0] == 0) return false;
  value = LeadingNumber(line);
  return true;
}
}  // namespace

const char* InputLine(int max) {
  if (max < 1 || max > InputLineMax) max = InputLineMax;
  return ReadInto(max, InputModeOriginal, false);
}

const char* InputLineMode(int max, int preferred) {
  if (max < 1 || max > InputLineMax) max = InputLineMax;
  return ReadInto(max, GetInputMode(preferred), false);
}

int InputText(char* outText, const char* initial) {
  return LineWithInitial(outText, initial, InputModeOriginal);
}

int EditText(char* outText, const char* initial) {
  return LineWithInitial(outText, initial,
                         inputMode == InputModeInsert ? InputModeInsert : InputModeOvertype);
}

int InputTextMode(char* outText, const char* initial, int preferred) {
  return LineWithInitial(outText, initial, GetInputMode(preferred));
}

int InputInt(int* out) {
  long long value = 0;
  if (!ReadNumber(value)) return 0;
  value = std::clamp<long long>(value, INT32_MIN, INT32_MAX);
  if (out) *out = static_cast<int>(value);
  return 1;
}

int InputShort(int16_t* out) {
  long long value = 0;
  if (!ReadNumber(value)) return 0;
  value = std::clamp<long long>(value, INT32_MIN, INT32_MAX);
  if (out) *out = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value)));
  return 1;
}

int InputWord(uint16_t* out) {
  long long value = 0;
  if (!ReadNumber(value)) return 0;
  if (out) *out = (value < 0 || value > 65535) ? 0 : static_cast<uint16_t>(value);
  return 1;
}

int InputByte(uint8_t* out) {
  long long value = 0;
  if (!ReadNumber(value)) return 0;
  if (out) *out = (value < 0 || value > 255) ? 0 : static_cast<uint8_t>(value);
  return 1;
}

void SetInputMode(int mode) {
  if (mode >= InputModeUnset && mode <= InputModeInsert) inputMode = mode;
}

int GetInputMode(int preferred) {
  if (inputMode != InputModeUnset) return inputMode;
  if (preferred >= InputModeOriginal && preferred <= InputModeInsert) return preferred;
  return InputModeOriginal;
}

// ---- text pause

int SetTextPause(bool on) { return currentOutput ? currentOutput->SetPause(on) : 0; }
int GetTextPause() { return currentOutput ? currentOutput->GetPause() : 0; }
