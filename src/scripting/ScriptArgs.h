#pragma once
// Helpers shared by the game commands: the argument cursor with its
// "Argument underrun" messages, the failure convention, tag jumps,
// conditions and ranges.
#include <cstdint>

#include "scripting/ScriptEngine.h"
#include "scripting/ScriptList.h"

// A game command's failure after its message: ResultState ERROR, the line
// message "SCRIPT ERROR: Line %d"; returns false (the run ends).
bool GameFail(ScriptEngine& engine);
// "SCRIPT ERROR (<command>): Argument underrun" or, with an option,
// "SCRIPT ERROR (<command> <option>): Argument underrun".
void PrintUnderrun(const char* command, const char* option);

class ArgCursor {
 public:
  ArgCursor(ScriptLine& line, const char* command, int start = 0) : line_(line), command_(command), pos_(start) {}

  int Remaining() const { return line_.ArgCount() - pos_; }
  bool More() const { return pos_ < line_.ArgCount(); }
  int Position() const { return pos_; }
  const ScriptArg* Peek() const { return More() ? &line_.args[static_cast<size_t>(pos_)] : nullptr; }
  // The next argument; none after writing the underrun message.
  const ScriptArg* Next(const char* option = nullptr);
  bool NextInt(int32_t* out, const char* option = nullptr);
  // At least k more arguments; otherwise the underrun message.
  bool Need(int k, const char* option = nullptr);
  const char* Command() const { return command_; }

 private:
  ScriptLine& line_;
  const char* command_;
  int pos_;
};

// Jumps with the command's own failure messages:
// "SCRIPT ERROR (<command>): Invalid tag %d" / "... Invalid tag %s".
bool JumpNumeric(ScriptEngine& engine, int32_t tag, const char* command);
bool JumpText(ScriptEngine& engine, const ScriptArg& tag, const char* command);

// "$<id>" stands for the first argument of that Def line (Pay,
// SellSelectedCargo); any other text, or one naming no Def line, as it stands.
const char* DefArgumentText(const ScriptEngine& engine, const ScriptArg& arg);

// The conditions "==", "!=", ">", "<", ">=", "<=" over a range "lo-hi" or one
// number (a hi below lo is raised to lo).
enum class Condition : uint8_t { Eq, Ne, Gt, Lt, Ge, Le };
bool ParseCondition(const char* word, Condition* out);
struct ValueRange {
  int32_t lo = 0;
  int32_t hi = 0;
};
ValueRange ParseRange(const char* text);
bool TestCondition(Condition c, int64_t value, const ValueRange& range);
