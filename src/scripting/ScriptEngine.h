#pragma once
// One interpreter instance. It walks the lines of an attached ScriptList in
// slot order, runs the flow-control, conversation and input commands (ids 1
// to 22) itself and hands every other line back to its caller for the game
// command dispatcher. See scripting/ScriptRun.h for the runs.
#include <cstdint>
#include <string>
#include <vector>

#include "scripting/ScriptList.h"
#include "scripting/ScriptTypes.h"

// The waits and line input the commands use; tests replace them.
struct ScriptIO {
  int (*getKey)();
  const char* (*inputLine)(int max);
  bool (*askYesNo)();
  bool (*askYesNoStrict)();
  int (*waitAnyKey)();
  void (*sleepSync)(int milliseconds);
  int (*sleepAsync)(unsigned milliseconds);
};
// The current hooks; the defaults are those of text/Output.h and the frame.
ScriptIO& ScriptInputOutput();
void ResetScriptInputOutput();

class ScriptEngine {
 public:
  static constexpr int DefaultSafetyLimit = 100;
  static constexpr int DefaultKeywordCapacity = 64;
  // Largest keyword list InitKWList makes.
  static constexpr int MaxKeywordCapacity = 65536;

  ScriptEngine() = default;
  ScriptEngine(const ScriptEngine&) = delete;
  ScriptEngine& operator=(const ScriptEngine&) = delete;

  // Every field back to its initial value; the keyword list is freed.
  void Reset();
  // Sets the script and raises the safety limit to its capacity; none only
  // clears the reference.
  void Attach(ScriptList* list);
  ScriptList* Script() const { return script_; }
  bool Halted() const { return halted_; }
  void Halt() { halted_ = true; }

  // One step: the game-command line to run, or none (a core command ran, the
  // engine is waiting or it halted).
  ScriptLine* Step();
  // Runs the line as the current one: ResultState moves to PreviousState and
  // becomes NORM; a core command runs here (none is returned), any other line
  // is returned for the game command dispatcher.
  ScriptLine* ExecuteLine(ScriptLine& line);

  // Jumps. Tag 0 halts (a normal end); with no script the tag is kept in
  // PendingTag. A failed jump leaves the program counter where it was.
  bool JumpToTag(uint16_t tag);
  // "N<id>" forward from the current slot, "P<id>" backward, "<id>" from slot 0.
  bool JumpToText(const ScriptArg& tag);

  // The first line with that ID; none without a script.
  ScriptLine* FindLine(uint16_t id) const;
  // Argument `index` (0-based) of the first line with that ID, which must be a Def line.
  const ScriptArg* GetDefValue(uint16_t id, int index) const;
  bool SetDefValue(uint16_t id, int index, std::string text);

  // Keywords. Add prints its own ERROR line on failure.
  bool AddKeyword(const std::string& word, uint16_t tag);
  uint16_t MatchKeyword(const char* input) const;
  bool InitKeywords(int capacity);

  // A core command's failure after its message: ERROR and the line message.
  void CoreFail();

  int CurrentIndex() const { return currentIndex_; }
  int NextIndex() const { return nextIndex_; }
  void SetNextIndex(int index) { nextIndex_ = index; }

  uint8_t resultState = StateNorm;
  uint8_t previousState = StateNorm;
  uint16_t pendingTag = 0;
  int safetyCount = 0;
  int safetyLimit = DefaultSafetyLimit;
  int waitCount = 0;
  std::string prompt = "> ";
  std::string unknownReply = "Huh?";

 private:
  struct Keyword {
    std::string text;  // an owned copy: the list may outlive the line it came from
    uint16_t tag = 0;
    bool used = false;
  };

  void RunCore(ScriptLine& line);
  void DoConvInput(ScriptLine& line);
  void DoKeyInput(ScriptLine& line);
  void DoStringInput(ScriptLine& line);
  void Verify(ScriptLine& line);
  void Pause(ScriptLine& line);
  void AddKeyWords(ScriptLine& line);
  void CRandom(ScriptLine& line);

  ScriptList* script_ = nullptr;
  int capacity_ = 0;
  int nextIndex_ = 0;
  int currentIndex_ = 0;
  bool halted_ = false;
  std::vector<Keyword> keywords_;
};

// Case-insensitive for the letters a to z; a keyword ending in "*" matches
// every input that begins with the text before the "*".
bool KeywordMatches(const std::string& keyword, const char* input);
