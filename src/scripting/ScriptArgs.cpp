#include "scripting/ScriptArgs.h"

#include <cstring>

#include "text/Output.h"

bool GameFail(ScriptEngine& engine) {
  engine.resultState = StateError;
  PrintLine("SCRIPT ERROR: Line %d", engine.CurrentIndex());
  return false;
}

void PrintUnderrun(const char* command, const char* option) {
  if (option)
    PrintLine("SCRIPT ERROR (%s %s): Argument underrun", command, option);
  else
    PrintLine("SCRIPT ERROR (%s): Argument underrun", command);
}

const ScriptArg* ArgCursor::Next(const char* option) {
  if (!More()) {
    PrintUnderrun(command_, option);
    return nullptr;
  }
  return &line_.args[static_cast<size_t>(pos_++)];
}

bool ArgCursor::NextInt(int32_t* out, const char* option) {
  const ScriptArg* a = Next(option);
  if (!a) return false;
  *out = a->number;
  return true;
}

bool ArgCursor::Need(int k, const char* option) {
  if (Remaining() >= k) return true;
  PrintUnderrun(command_, option);
  return false;
}

bool JumpNumeric(ScriptEngine& engine, int32_t tag, const char* command) {
  const uint16_t t = static_cast<uint16_t>(tag);
  if (engine.JumpToTag(t)) return true;
  PrintLine("SCRIPT ERROR (%s): Invalid tag %d", command, t);
  return false;
}

bool JumpText(ScriptEngine& engine, const ScriptArg& tag, const char* command) {
  if (engine.JumpToText(tag)) return true;
  PrintLine("SCRIPT ERROR (%s): Invalid tag %s", command, tag.c_str());
  return false;
}

const char* DefArgumentText(const ScriptEngine& engine, const ScriptArg& arg) {
  const char* t = arg.c_str();
  if (t[0] != '$' || t[1] < '0' || t[1] > '9') return t;
  const ScriptArg* value = engine.GetDefValue(ScriptArg(t + 1).tagId, 0);
  return value ? value->c_str() : t;
}

bool ParseCondition(const char* w, Condition* out) {
  static const struct {
    const char* word;
    Condition c;
  } table[] = {{"==", Condition::Eq}, {"!=", Condition::Ne}, {">", Condition::Gt},
               {"<", Condition::Lt},  {">=", Condition::Ge}, {"<=", Condition::Le}};
  for (const auto& e : table)
    if (std::strcmp(w, e.word) == 0) {
      *out = e.c;
      return true;
    }
  return false;
}

namespace {
// A signed decimal number at p; false without digits.
bool ReadNumber(const char*& p, int32_t* out) {
  const char* q = p;
  bool negative = false;
  if (*q == '-' || *q == '+') negative = *q++ == '-';
  if (*q < '0' || *q > '9') return false;
  int64_t v = 0;
  for (; *q >= '0' && *q <= '9'; ++q)
    if (v < 0x80000000LL) v = v * 10 + (*q - '0');
  if (negative) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  if (v < INT32_MIN) v = INT32_MIN;
  *out = static_cast<int32_t>(v);
  p = q;
  return true;
}
}  // namespace

ValueRange ParseRange(const char* text) {
  ValueRange r;
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  if (!ReadNumber(p, &r.lo)) return r;
  r.hi = r.lo;
  if (*p == '-') {
    ++p;
    int32_t hi = 0;
    if (ReadNumber(p, &hi)) r.hi = hi;
  }
  if (r.hi < r.lo) r.hi = r.lo;
  return r;
}

bool TestCondition(Condition c, int64_t v, const ValueRange& r) {
  switch (c) {
    case Condition::Eq: return v >= r.lo && v <= r.hi;
    case Condition::Ne: return v < r.lo || v > r.hi;
    case Condition::Gt: return v > r.hi;
    case Condition::Lt: return v < r.lo;
    case Condition::Ge: return v >= r.hi;
    case Condition::Le: return v <= r.lo;
  }
  return false;
}
