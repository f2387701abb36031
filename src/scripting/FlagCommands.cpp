// The flag commands: the active character's flags (numbered from 1, one
// byte each) and the SFLAG byte of the running script.
#include <string>

#include "scripting/GameCommands.h"
#include "scripting/ScriptArgs.h"
#include "scripting/ScriptCommands.h"
#include "scripting/ScriptContext.h"
#include "text/Output.h"

namespace {
// A flag number or "SFLAG".
struct FlagRef {
  bool sflag = false;
  int number = 0;
};

FlagRef ReadFlagRef(const ScriptArg& a, bool allowSflag) {
  FlagRef f;
  if (allowSflag && a.text == "SFLAG")
    f.sflag = true;
  else
    f.number = a.number;
  return f;
}

bool GetValue(ScriptContext& game, const FlagRef& f, uint8_t* out) {
  if (f.sflag) {
    *out = game.sflag;
    return true;
  }
  return game.World().GetFlag(f.number, out);
}

bool SetValue(ScriptContext& game, const FlagRef& f, uint8_t value) {
  if (f.sflag) {
    game.sflag = value;
    return true;
  }
  return game.World().SetFlag(f.number, value);
}

bool SetFlagCmd(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "SetFlag");
  const ScriptArg* flag = args.Next();
  if (!flag) return GameFail(engine);
  const FlagRef f = ReadFlagRef(*flag, false);
  uint8_t value = 1;
  if (const ScriptArg* v = args.Peek()) {
    if (v->text[0] == '+' || v->text[0] == '-') {
      uint8_t old = 0;
      if (!GetValue(game, f, &old)) {
        PrintLine("SCRIPT ERROR (SetFlag): Could not get value of flag %d", f.number);
        return GameFail(engine);
      }
      // The amount after the sign; the sum stops at 0 and 255.
      const int64_t amount = ScriptArg(v->text.substr(1)).number;
      int64_t n = v->text[0] == '+' ? old + amount : old - amount;
      value = static_cast<uint8_t>(n < 0 ? 0 : n > 255 ? 255 : n);
    } else {
      value = static_cast<uint8_t>(v->number);
    }
  }
  if (!SetValue(game, f, value)) {
    PrintLine("SCRIPT ERROR (SetFlag): Could not set new value for flag %d", f.number);
    return GameFail(engine);
  }
  return true;
}

bool CheckFlagCmd(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "CheckFlag");
  if (!args.Need(3)) return GameFail(engine);
  const FlagRef f = ReadFlagRef(*args.Next(), false);
  const uint8_t wanted = static_cast<uint8_t>(args.Next()->number);
  const ScriptArg& tag = *args.Next();
  uint8_t value = 0;
  if (!GetValue(game, f, &value)) {
    PrintLine("SCRIPT ERROR (CheckFlag): Could not get value of flag %d", f.number);
    return GameFail(engine);
  }
  if (value == wanted && !JumpText(engine, tag, "CheckFlag")) return GameFail(engine);
  return true;
}

bool CCheckFlagCmd(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "CCheckFlag");
  if (!args.Need(4)) return GameFail(engine);
  const FlagRef f = ReadFlagRef(*args.Next(), true);
  const ScriptArg& condition = *args.Next();
  const ValueRange range = ParseRange(args.Next()->c_str());
  const ScriptArg& tag = *args.Next();
  Condition c;
  if (!ParseCondition(condition.c_str(), &c)) {
    PrintLine("SCRIPT ERROR (CCheckFlag): Unknown condition: %s", condition.c_str());
    return GameFail(engine);
  }
  uint8_t value = 0;
  if (!GetValue(game, f, &value)) {
    PrintLine("SCRIPT ERROR (CCheckFlag): Could not get value");
    return GameFail(engine);
  }
  if (TestCondition(c, value, range) && !JumpText(engine, tag, "CCheckFlag")) return GameFail(engine);
  return true;
}

bool CheckFlagSwitchCmd(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "CheckFlagSwitch");
  const ScriptArg* flag = args.Next();
  if (!flag) return GameFail(engine);
  const FlagRef f = ReadFlagRef(*flag, true);
  uint8_t value = 0;
  if (!GetValue(game, f, &value)) {
    PrintLine("SCRIPT ERROR (CheckFlagSwitch): Could not get value");
    return GameFail(engine);
  }
  while (args.More()) {
    const uint8_t v = static_cast<uint8_t>(args.Next()->number);
    if (v != value) {
      if (args.More()) args.Next();
      continue;
    }
    const ScriptArg* tag = args.Next();
    if (!tag) return GameFail(engine);
    if (!JumpText(engine, *tag, "CheckFlagSwitch")) return GameFail(engine);
    return true;
  }
  return true;
}

bool BitInRange(int bit) { return bit >= 1 && bit <= 8; }

bool SetBFlagCmd(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "SetBFlag");
  if (!args.Need(2)) return GameFail(engine);
  const FlagRef f = ReadFlagRef(*args.Next(), false);
  const int bit = args.Next()->number;
  if (!BitInRange(bit)) {
    PrintLine("SCRIPT ERROR (SetBFlag): Bit %d out of range", bit);
    return GameFail(engine);
  }
  uint8_t value = 0;
  if (!GetValue(game, f, &value)) {
    PrintLine("SCRIPT ERROR (SetBFlag): Could not get value of flag %d", f.number);
    return GameFail(engine);
  }
  const uint8_t mask = static_cast<uint8_t>(1u << (bit - 1));
  const ScriptArg* v = args.Peek();
  if (v && v->text[0] == '!')
    value ^= mask;
  else if (!v || v->number != 0)
    value |= mask;
  else
    value &= static_cast<uint8_t>(~mask);
  if (!SetValue(game, f, value)) {
    PrintLine("SCRIPT ERROR (SetBFlag): Could not set new value for flag %d", f.number);
    return GameFail(engine);
  }
  return true;
}

bool CheckBFlagCmd(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "CheckBFlag");
  if (!args.Need(4)) return GameFail(engine);
  const FlagRef f = ReadFlagRef(*args.Next(), false);
  const int bit = args.Next()->number;
  const int wanted = args.Next()->number;
  const ScriptArg& tag = *args.Next();
  if (!BitInRange(bit)) {
    PrintLine("SCRIPT ERROR (CheckBFlag): Bit %d out of range", bit);
    return GameFail(engine);
  }
  uint8_t value = 0;
  if (!GetValue(game, f, &value)) {
    PrintLine("SCRIPT ERROR (CheckBFlag): Could not get value of flag %d", f.number);
    return GameFail(engine);
  }
  const int set = (value >> (bit - 1)) & 1;
  if (set == wanted && !JumpText(engine, tag, "CheckBFlag")) return GameFail(engine);
  return true;
}

bool FlagCmd(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "Flag");
  const ScriptArg* flag = args.Next();
  if (!flag) return GameFail(engine);
  const FlagRef f = ReadFlagRef(*flag, true);
  uint8_t raw = 0;
  if (!GetValue(game, f, &raw)) {
    PrintLine("SCRIPT ERROR (Flag): Could not get value");
    return GameFail(engine);
  }
  int lo = 1, hi = 8;  // the bits V stands for
  auto width = [&] { return static_cast<uint8_t>((1u << (hi - lo + 1)) - 1); };
  auto view = [&] { return static_cast<uint8_t>((raw >> (lo - 1)) & width()); };
  auto store = [&](uint8_t v, const char* option) {
    const uint8_t mask = static_cast<uint8_t>(width() << (lo - 1));
    raw = static_cast<uint8_t>((raw & ~mask) | ((v << (lo - 1)) & mask));
    if (SetValue(game, f, raw)) return true;
    PrintLine("SCRIPT ERROR (Flag %s): Could not set new value for flag %d", option, f.number);
    return false;
  };
  bool mark = false;
  while (args.More()) {
    const std::string o = args.Next()->text;
    if (o == "-CHECK") {
      if (!args.Need(2, "-CHECK")) return GameFail(engine);
      const ScriptArg& condition = *args.Next();
      const ValueRange range = ParseRange(args.Next()->c_str());
      Condition c;
      if (!ParseCondition(condition.c_str(), &c)) {
        PrintLine("SCRIPT ERROR (Flag -CHECK): Unknown condition: %s", condition.c_str());
        return GameFail(engine);
      }
      mark = TestCondition(c, view(), range);
    } else if (o == "-CHECKBIT" || o == "-SETBIT") {
      if (!args.Need(2, o.c_str())) return GameFail(engine);
      const int bit = args.Next()->number;
      const int value = args.Next()->number;
      if (!BitInRange(bit)) {
        PrintLine("SCRIPT ERROR (Flag %s): Invalid bit %d (must be 1-8)", o.c_str(), bit);
        return GameFail(engine);
      }
      if (value != 0 && value != 1) {
        PrintLine("SCRIPT ERROR (Flag %s): Invalid value %d (must be 0-1)", o.c_str(), value);
        return GameFail(engine);
      }
      if (o == "-CHECKBIT") {
        mark = ((view() >> (bit - 1)) & 1) == value;
      } else {
        uint8_t v = view();
        const uint8_t mask = static_cast<uint8_t>(1u << (bit - 1));
        v = value ? static_cast<uint8_t>(v | mask) : static_cast<uint8_t>(v & ~mask);
        if (!store(v, "-SETBIT")) return GameFail(engine);
      }
    } else if (o == "-NOT") {
      mark = !mark;
    } else if (o == "-TAG") {
      const ScriptArg* tag = args.Next("-TAG");
      if (!tag) return GameFail(engine);
      if (mark && !JumpText(engine, *tag, "Flag -TAG")) return GameFail(engine);
    } else if (o == "-BRANGE") {
      if (!args.Need(2, "-BRANGE")) return GameFail(engine);
      const int l = args.Next()->number;
      const int h = args.Next()->number;
      if (!BitInRange(l)) {
        PrintLine("SCRIPT ERROR (Flag -BRANGE): Invalid lower bit %d (must be 1-8)", l);
        return GameFail(engine);
      }
      if (!BitInRange(h)) {
        PrintLine("SCRIPT ERROR (Flag -BRANGE): Invalid upper bit %d (must be 1-8)", h);
        return GameFail(engine);
      }
      if (l > h) {
        PrintLine("SCRIPT ERROR (Flag -BRANGE): Invalid lower bit %d (may not be greater than upper bit %d)", l, h);
        return GameFail(engine);
      }
      lo = l;
      hi = h;
    } else if (o == "-SET") {
      const ScriptArg* v = args.Next("-SET");
      if (!v) return GameFail(engine);
      uint8_t n;
      if (v->text[0] == '+' || v->text[0] == '-') {
        // Wraps round in 8 bits, unlike SetFlag.
        const int32_t amount = ScriptArg(v->text.substr(1)).number;
        n = static_cast<uint8_t>(v->text[0] == '+' ? view() + amount : view() - amount);
      } else {
        n = static_cast<uint8_t>(v->number);
      }
      if (!store(n, "-SET")) return GameFail(engine);
    } else if (o == "-DISPLAY") {
      Print("%d", view());
    } else {
      PrintLine("SCRIPT ERROR (Flag): Invalid option: %s", o.c_str());
      return GameFail(engine);
    }
  }
  return true;
}
}  // namespace

bool FlagCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  switch (line.command) {
    case cmd::SetFlag:
      return SetFlagCmd(game, engine, line);
    case cmd::SetSFlag: {
      ArgCursor args(line, "SetSFlag");
      const ScriptArg* v = args.Next();
      if (!v) return GameFail(engine);
      game.sflag = static_cast<uint8_t>(v->number);
      return true;
    }
    case cmd::CheckFlag:
      return CheckFlagCmd(game, engine, line);
    case cmd::CCheckFlag:
      return CCheckFlagCmd(game, engine, line);
    case cmd::CheckFlagSwitch:
      return CheckFlagSwitchCmd(game, engine, line);
    case cmd::SetBFlag:
      return SetBFlagCmd(game, engine, line);
    case cmd::CheckBFlag:
      return CheckBFlagCmd(game, engine, line);
    case cmd::Flag:
      return FlagCmd(game, engine, line);
  }
  return false;
}
