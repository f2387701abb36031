#pragma once
// Messages, prompts and line input on the current output display and the
// current key input. Every operation returns 1 for success and 0 for failure
// unless said otherwise. Texts read from files or typed by the player are
// never used as a format: pass them through PrintText or "%s".
#include <cstdint>
#include <string>

class TextDisplay;
class CGetString;

#define KORVA_PRINTF(a, b) __attribute__((format(printf, a, b)))

int PrintLine(const char* format, ...) KORVA_PRINTF(1, 2);
int Print(const char* format, ...) KORVA_PRINTF(1, 2);
int PrintText(const char* text);
int PrintNewLine();
int PrintLines(const char* text);
int PrintChar(char c);
int PrintClipped(const char* format, ...) KORVA_PRINTF(1, 2);

// Only while DebugMode is on; otherwise they do nothing and return 1.
int DebugPrintLine(const char* format, ...) KORVA_PRINTF(1, 2);
int DebugPrintText(const char* format, ...) KORVA_PRINTF(1, 2);
int DebugPrint(const char* format, ...) KORVA_PRINTF(1, 2);
int DebugNewLine();
bool DebugMode();
void SetDebugMode(bool on);

void SetConsole(CGetString* input);
void SetOutput(TextDisplay* display);
int SwitchOutput(TextDisplay* display);
TextDisplay* GetOutput();
CGetString* GetKeyInput();

int GetKey();
int GetKeyEcho();
bool AskYesNo();
bool AskYesNoStrict();
bool AskQuit();
int WaitAnyKey();

// Line input: the result is the shared input line buffer (512 characters).
const char* InputLine(int max);
const char* InputLineMode(int max, int preferred);
// outText receives at most 512 characters and the terminating zero.
int InputText(char* outText, const char* initial);
int EditText(char* outText, const char* initial);
int InputTextMode(char* outText, const char* initial, int preferred);
int InputInt(int* out);
int InputShort(int16_t* out);
int InputWord(uint16_t* out);
int InputByte(uint8_t* out);

enum InputModeId { InputModeUnset = 0, InputModeOriginal = 1, InputModeOvertype = 2, InputModeInsert = 3 };
void SetInputMode(int mode);
int GetInputMode(int preferred);

int SetTextPause(bool on);
int GetTextPause();

// Every wait and line input returns at once with an empty answer (key 0, an
// empty line, "no") when the application is quitting.

// While set, everything printed is also appended here, with "\n" at each line
// end; works with or without a display. Used by korva-tool and by tests.
void SetOutputCapture(std::string* capture);
