#include "scripting/ScriptEngine.h"

#include <chrono>
#include <cstring>
#include <new>
#include <thread>

#include "platform/Frame.h"
#include "text/Output.h"

namespace {
void SleepSync(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
const ScriptIO defaultIO = {GetKey, InputLine, AskYesNo, AskYesNoStrict, WaitAnyKey, SleepSync, ASleep};
ScriptIO currentIO = defaultIO;

int LowerAscii(int c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(static_cast<unsigned char>(a[i])) != LowerAscii(static_cast<unsigned char>(b[i]))) return false;
  return true;
}
}  // namespace

ScriptIO& ScriptInputOutput() { return currentIO; }
void ResetScriptInputOutput() { currentIO = defaultIO; }

uint8_t ParseScriptState(const char* word) {
  static const char* const words[] = {"NORM", "ERROR", "ABORT", "INC", "TRM", "RESTART", "END"};
  for (uint8_t i = 0; i < 7; ++i)
    if (std::strcmp(word, words[i]) == 0) return i;
  return static_cast<uint8_t>(ScriptArg(word).number);
}

bool ParseScriptType(const char* word, uint8_t* out) {
  static const char* const words[] = {"NONE", "CONV", "TRIGGER", "START", "EXIT", "USE", "LOOK", "RENC", "POWER"};
  for (uint8_t i = 0; i < 9; ++i)
    if (std::strcmp(word, words[i]) == 0) {
      *out = i;
      return true;
    }
  return false;
}

bool KeywordMatches(const std::string& keyword, const char* input) {
  size_t n = keyword.size();
  const bool prefix = n > 0 && keyword[n - 1] == '*';
  if (prefix) --n;
  for (size_t i = 0; i < n; ++i) {
    if (input[i] == '\0') return false;
    if (LowerAscii(static_cast<unsigned char>(keyword[i])) != LowerAscii(static_cast<unsigned char>(input[i])))
      return false;
  }
  return prefix || input[n] == '\0';
}

void ScriptEngine::Reset() {
  script_ = nullptr;
  capacity_ = 0;
  nextIndex_ = currentIndex_ = 0;
  halted_ = false;
  safetyCount = 0;
  safetyLimit = DefaultSafetyLimit;
  waitCount = 0;
  keywords_.clear();
  keywords_.shrink_to_fit();
  prompt = "> ";
  unknownReply = "Huh?";
  resultState = previousState = StateNorm;
  pendingTag = 0;
}

void ScriptEngine::Attach(ScriptList* list) {
  script_ = list;
  if (!list) return;
  capacity_ = list->Capacity();
  if (safetyLimit < capacity_) safetyLimit = capacity_;
}

ScriptLine* ScriptEngine::Step() {
  if (halted_) return nullptr;
  if (waitCount != 0) {
    const int was = waitCount--;
    if (was != 1) return nullptr;
  }
  if (safetyCount < safetyLimit) {
    ++safetyCount;
    ScriptLine* line = script_ && nextIndex_ < capacity_ ? script_->At(nextIndex_) : nullptr;
    if (!line) {
      halted_ = true;
      return nullptr;
    }
    currentIndex_ = nextIndex_++;
    return ExecuteLine(*line);
  }
  PrintLine("SCRIPT ERROR (Safety Mechanism): Reached safety value of %d", safetyLimit);
  halted_ = true;
  return nullptr;
}

ScriptLine* ScriptEngine::ExecuteLine(ScriptLine& line) {
  previousState = resultState;
  resultState = StateNorm;
  if (line.command >= 1 && line.command <= 22) {
    RunCore(line);
    return nullptr;
  }
  return &line;
}

bool ScriptEngine::JumpToTag(uint16_t tag) {
  if (tag == 0) {
    halted_ = true;
    return true;
  }
  if (!script_) {
    pendingTag = tag;
    return true;
  }
  const int slot = script_->FindSlot(tag);
  if (slot < 0) return false;
  nextIndex_ = slot;
  return true;
}

bool ScriptEngine::JumpToText(const ScriptArg& tag) {
  if (tag.tagForm == ScriptArg::TagInvalid) return false;
  if (tag.tagId == 0 || !script_ || tag.tagForm == ScriptArg::TagAbsolute) return JumpToTag(tag.tagId);
  const int slot = tag.tagForm == ScriptArg::TagForward ? script_->FindForward(tag.tagId, currentIndex_)
                                                        : script_->FindBackward(tag.tagId, currentIndex_);
  if (slot < 0) return false;
  nextIndex_ = slot;
  return true;
}

ScriptLine* ScriptEngine::FindLine(uint16_t id) const { return script_ ? script_->FindLine(id) : nullptr; }

const ScriptArg* ScriptEngine::GetDefValue(uint16_t id, int index) const {
  const ScriptLine* line = FindLine(id);
  if (!line || line->command != 20 || index < 0 || index >= line->ArgCount()) return nullptr;
  return &line->args[static_cast<size_t>(index)];
}

bool ScriptEngine::SetDefValue(uint16_t id, int index, std::string text) {
  ScriptLine* line = FindLine(id);
  if (!line || line->command != 20 || index < 0 || index >= line->ArgCount()) return false;
  line->args[static_cast<size_t>(index)].Set(std::move(text));
  return true;
}

bool ScriptEngine::InitKeywords(int capacity) {
  keywords_.clear();
  if (capacity < 1 || capacity > MaxKeywordCapacity) return false;
  try {
    keywords_.resize(static_cast<size_t>(capacity));
  } catch (const std::bad_alloc&) {
    keywords_.clear();
    return false;
  }
  return true;
}

bool ScriptEngine::AddKeyword(const std::string& word, uint16_t tag) {
  if (keywords_.empty() && !InitKeywords(DefaultKeywordCapacity)) {
    PrintLine("ERROR (AddKeyWord): Init failed");
    return false;
  }
  for (Keyword& k : keywords_) {
    if (!k.used) {
      k.text = word;
      k.tag = tag;
      k.used = true;
      return true;
    }
    if (EqualNoCase(k.text, word)) {
      k.tag = tag;
      return true;
    }
  }
  PrintLine("ERROR (AddKeyWord): List full, could not add keyword");
  return false;
}

uint16_t ScriptEngine::MatchKeyword(const char* input) const {
  for (const Keyword& k : keywords_) {
    if (!k.used) break;
    if (KeywordMatches(k.text, input)) return k.tag;
  }
  return 0;
}

void ScriptEngine::CoreFail() {
  resultState = StateError;
  PrintLine("SCRIPT ERROR: Line %d", currentIndex_);
}
