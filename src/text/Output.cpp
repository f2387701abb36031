// First cut of the output operations: formats and hands the text to the
// capture. The display and key-input side replaces the bodies.
#include "text/Output.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
std::string* outputCapture = nullptr;
bool debugMode = false;
char inputLine[513];

int Emit(const char* text, bool newline) {
  if (outputCapture) {
    if (text) outputCapture->append(text);
    if (newline) outputCapture->push_back('\n');
  }
  return 1;
}

int EmitFormatted(bool newline, const char* format, va_list args) {
  if (!format) return Emit(nullptr, newline);
  char area[512];
  std::vsnprintf(area, sizeof area, format, args);
  return Emit(area, newline);
}
}  // namespace

void SetOutputCapture(std::string* capture) { outputCapture = capture; }

#define KORVA_FORMATTED(newline)           \
  va_list args;                            \
  va_start(args, format);                  \
  int r = EmitFormatted(newline, format, args); \
  va_end(args);                            \
  return r

int PrintLine(const char* format, ...) { KORVA_FORMATTED(true); }
int Print(const char* format, ...) { KORVA_FORMATTED(false); }
int PrintClipped(const char* format, ...) { KORVA_FORMATTED(true); }
int PrintText(const char* text) { return Emit(text, true); }
int PrintNewLine() { return Emit(nullptr, true); }
int PrintLines(const char* text) { return Emit(text, false); }
int PrintChar(char c) {
  char s[2] = {c, 0};
  return Emit(s, false);
}
int DebugPrintLine(const char* format, ...) {
  if (!debugMode) return 1;
  Emit("DBG: ", false);
  KORVA_FORMATTED(true);
}
int DebugPrintText(const char* format, ...) {
  if (!debugMode) return 1;
  KORVA_FORMATTED(true);
}
int DebugPrint(const char* format, ...) {
  if (!debugMode) return 1;
  KORVA_FORMATTED(false);
}
int DebugNewLine() { return debugMode ? Emit(nullptr, true) : 1; }
bool DebugMode() { return debugMode; }
void SetDebugMode(bool on) { debugMode = on; }

void SetConsole(CGetString*) {}
void SetOutput(TextDisplay*) {}
int SwitchOutput(TextDisplay* display) { return display != nullptr; }
TextDisplay* GetOutput() { return nullptr; }
CGetString* GetKeyInput() { return nullptr; }
int GetKey() { return 0; }
int GetKeyEcho() { return 0; }
bool AskYesNo() { return false; }
bool AskYesNoStrict() { return false; }
bool AskQuit() { return false; }
int WaitAnyKey() { return 1; }
const char* InputLine(int) {
  inputLine[0] = 0;
  return inputLine;
}
const char* InputLineMode(int max, int) { return InputLine(max); }
int InputText(char*, const char*) { return 0; }
int EditText(char*, const char*) { return 0; }
int InputTextMode(char*, const char*, int) { return 0; }
int InputInt(int*) { return 0; }
int InputShort(int16_t*) { return 0; }
int InputWord(uint16_t*) { return 0; }
int InputByte(uint8_t*) { return 0; }
void SetInputMode(int) {}
int GetInputMode(int preferred) { return preferred ? preferred : InputModeOriginal; }
int SetTextPause(bool) { return 1; }
int GetTextPause() { return 0; }
