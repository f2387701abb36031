#pragma once
// Key input: CGetString receives the keyboard messages the controller does not
// take first and hands them to whoever waits (a key wait, a line input, a key
// poll). Page Up / Page Down and Control+Up / Control+Down always scroll the
// display. The line reader (ORIGINAL mode) and the line editor (OVERTYPE and
// INSERT modes) take one key at a time, so their rules work without a window.
#include <cstddef>
#include <cstdint>

class TextDisplay;

// Longest line input; every line buffer holds this many characters plus the
// terminating zero.
inline constexpr int InputLineMax = 512;

// Plain line input: printable characters, Backspace, Escape (erase all),
// Enter. The buffer holds at least max + 1 characters.
class CLineReader {
 public:
  // Starts a line; with showInitial the buffer's text (cut to max) is shown.
  void Begin(TextDisplay* display, char* buffer, int max, bool showInitial);
  // One key. Returns 0 while the line goes on, 1 when Enter ended it, 2 when
  // it reached max characters (no new line).
  int Key(int key, bool isCharacter);
  // Terminates the buffer at the current length; `discard` empties it.
  void End(bool discard);
  int Length() const { return length_; }

 private:
  TextDisplay* display_ = nullptr;
  char* buffer_ = nullptr;
  int max_ = 0;
  int length_ = 0;
};

// The OVERTYPE / INSERT line editor. The text is the `before` characters up
// to the cursor and the `after` characters behind it; the result is the text
// before the cursor. The buffer holds at least max + 1 characters and the
// text never grows beyond max.
class CLineEditor {
 public:
  void Begin(TextDisplay* display, char* buffer, int max, bool showInitial, bool insert);
  // One key: a character (isCharacter) or an editing key-down. Returns 0
  // while the line goes on, 1 when Enter ended it, 2 when the cursor reached
  // max (no new line).
  int Key(int key, bool isCharacter, bool control);
  // Ends the line: the text after the cursor is blanked and dropped.
  void Finish(bool newline);
  // Quitting: the result is empty.
  void Abort();
  int Before() const { return before_; }
  int After() const { return after_; }
  bool InsertOn() const { return insert_; }

 private:
  void MoveRight(int n);
  void RewriteAhead(int cells);
  int Character(int c);
  TextDisplay* display_ = nullptr;
  char* buffer_ = nullptr;
  int max_ = 0;
  int before_ = 0;
  int after_ = 0;
  bool insert_ = false;
};

class CGetString {
 public:
  explicit CGetString(TextDisplay* display = nullptr) : display_(display) {}
  ~CGetString();
  CGetString(const CGetString&) = delete;
  CGetString& operator=(const CGetString&) = delete;

  // Returns 1 when it consumed the message.
  int ProcessMessage(uint32_t message, uint64_t key);

  // The next key (virtual-key code); 0 when the application is quitting.
  int WaitKey();
  // ORIGINAL mode line input into buffer (max + 1 characters). Returns 1; the
  // text is empty when the application is quitting.
  int ReadLine(char* buffer, int max, bool showInitial);
  // OVERTYPE / INSERT line input; same contract as ReadLine.
  int EditLine(char* buffer, int max, bool showInitial, bool insert);

  void SetDisplay(TextDisplay* display) { display_ = display; }
  TextDisplay* Display() const { return display_; }
  bool IsControlDown() const { return controlDown_; }
  bool IsShiftDown() const { return shiftDown_; }
  int WaitMode() const { return waitMode_; }

  // Stepwise line input for callers that inspect each key.
  int CGetStringInit(char* text, int* outLength, bool showInitial);
  // 1 with the key, 2 when quitting, 0 for missing parameters.
  int CGetStringGetKey(int* outKey, int* outIsCharacter);
  // Returns 2 for Enter, 1 otherwise. Characters beyond capacity - 1 (room
  // for the terminating zero) are ignored.
  int CGetStringProcessKey(char* buffer, int* length, int key, int isCharacter,
                           size_t capacity = InputLineMax + 1);
  int CGetStringEnd(char* buffer, int length);

  // Key poll for loops that animate while waiting.
  void BeginKeyPoll();
  int PollKey(int* outKey);

 private:
  // Pumps until a key is ready; false when the application is quitting.
  bool WaitForKey(int& key, bool& isCharacter);
  void ReportUiError();

  TextDisplay* display_ = nullptr;
  bool controlDown_ = false;
  bool shiftDown_ = false;
  int waitMode_ = 0;
  bool takeNextCharacter_ = false;
  bool keyReady_ = false;
  int key_ = 0;
  bool isCharacter_ = false;
};

// The "[Press any key to continue]" pause; returns 2 when the key was Q.
int TextDisplayPause(TextDisplay* display);

// The message pump and quit test the waits use: the frame's PumpMessage and
// QuitRequested unless replaced (tools and tests that feed keys themselves).
// Null restores the frame's.
void SetInputPump(int (*pump)(), bool (*quitRequested)());
