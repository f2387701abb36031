// The commands the script engine runs itself (ids 1 to 22).
#include <cstring>
#include <new>
#include <vector>

#include "platform/Frame.h"
#include "platform/Keys.h"
#include "platform/RandomInt.h"
#include "scripting/ScriptCommands.h"
#include "scripting/ScriptEngine.h"
#include "text/Output.h"
#include "text/TextDisplay.h"

namespace {
uint16_t Tag16(const ScriptArg& a) { return static_cast<uint16_t>(a.number); }
}  // namespace

void ScriptEngine::RunCore(ScriptLine& line) {
  const int argc = line.ArgCount();
  switch (line.command) {
    case cmd::NOOP:
    case cmd::Def:
      return;
    case cmd::BREAK:
      if (argc > 0) resultState = ParseScriptState(line.Arg(0));
      halted_ = true;
      return;
    case cmd::GOTO:
      if (argc < 1) {
        PrintLine("SCRIPT ERROR (GOTO): Argument underrun");
        CoreFail();
      } else if (!JumpToText(line.args[0])) {
        PrintLine("SCRIPT ERROR (GOTO): Invalid tag %s", line.Arg(0));
        CoreFail();
      }
      return;
    case cmd::WaitTurns:
      if (argc < 1) {
        PrintLine("SCRIPT ERROR (WaitTurns): Argument underrun");
        CoreFail();
        return;
      }
      // A count the 16-bit field holds; a negative count waits not at all.
      waitCount = line.args[0].number < 0 ? 0 : line.args[0].number > 32767 ? 32767 : line.args[0].number;
      return;
    case cmd::WaitTime: {
      if (argc < 1) {
        PrintLine("SCRIPT ERROR (WaitTime): Argument underrun");
        CoreFail();
        return;
      }
      const int ms = line.args[0].number < 0 ? 0 : line.args[0].number;
      if (argc > 1 && std::strcmp(line.Arg(1), "-ASYNC") == 0) {
        ScriptInputOutput().sleepAsync(static_cast<unsigned>(ms));
        return;
      }
      if (argc > 1 && std::strcmp(line.Arg(1), "-SYNC") != 0)
        PrintLine("SCRIPT ERROR (WaitTime): Ignoring invalid type: %s", line.Arg(1));
      ScriptInputOutput().sleepSync(ms);
      return;
    }
    case cmd::Message:
      if (argc < 1) {
        PrintLine("SCRIPT ERROR (Message): Argument underrun");
        CoreFail();
      } else {
        PrintLine("%s", line.Arg(0));
      }
      return;
    case cmd::DBG:
      if (argc < 1) {
        PrintLine("SCRIPT ERROR (Message): Argument underrun");
        CoreFail();
      } else {
        DebugPrintLine("%s", line.Arg(0));
      }
      return;
    case cmd::AddKeyWords:
      AddKeyWords(line);
      return;
    case cmd::DoKeyWord: {
      if (argc < 1) {
        PrintLine("SCRIPT ERROR (DoKeyWord): Argument underrun");
        CoreFail();
        return;
      }
      const uint16_t tag = MatchKeyword(line.Arg(0));
      if (tag == 0) {
        PrintLine("SCRIPT ERROR (DoKeyWord): Invalid tag for \"%s\"", line.Arg(0));
        CoreFail();
        halted_ = true;
      } else if (!JumpToTag(tag)) {
        PrintLine("SCRIPT ERROR (DoKeyWord): Invalid tag %d", tag);
        CoreFail();
        halted_ = true;
      }
      return;
    }
    case cmd::DoConvInput:
      DoConvInput(line);
      return;
    case cmd::DoKeyInput:
      DoKeyInput(line);
      return;
    case cmd::DoStringInput:
      DoStringInput(line);
      return;
    case cmd::Verify:
      Verify(line);
      return;
    case cmd::Pause:
      Pause(line);
      return;
    case cmd::Random: {
      if (argc < 2) {
        PrintLine("SCRIPT ERROR (Random): Argument underrun");
        CoreFail();
        return;
      }
      const int roll = RandomInt(1, 100);
      const int chance = line.args[0].number;
      DebugPrintText("DBG (Random): Rolled %d (chance %d)", roll, chance);
      if (chance >= roll && !JumpToTag(Tag16(line.args[1]))) {
        PrintLine("SCRIPT ERROR (Random): Invalid tag %d", Tag16(line.args[1]));
        CoreFail();
      }
      return;
    }
    case cmd::CRandom:
      CRandom(line);
      return;
    case cmd::CheckState: {
      if (argc < 2) {
        PrintLine("SCRIPT ERROR (CheckState): Argument underrun");
        CoreFail();
        return;
      }
      const char* word = line.Arg(0);
      const bool negate = word[0] == '!';
      const uint8_t state = ParseScriptState(negate ? word + 1 : word);
      if ((previousState == state) != negate && !JumpToTag(Tag16(line.args[1]))) {
        PrintLine("SCRIPT ERROR (CheckState): Invalid tag %d", Tag16(line.args[1]));
        CoreFail();
      }
      return;
    }
    case cmd::SetSafety:
      if (argc < 1) {
        PrintLine("SCRIPT ERROR (SetSafety): Argument underrun");
        CoreFail();
        return;
      }
      safetyCount = 0;
      safetyLimit = line.args[0].number;
      return;
    case cmd::InitKWList: {
      if (argc < 1) {
        PrintLine("SCRIPT ERROR (InitKWList): Argument underrun");
        CoreFail();
        return;
      }
      const int size = line.args[0].number;
      if (size < 1 || size > MaxKeywordCapacity) {
        PrintLine("SCRIPT ERROR (InitKWList): Keyword list size %d out of range", size);
        CoreFail();
      } else if (!InitKeywords(size)) {
        PrintLine("SCRIPT ERROR (InitKWList): Init failed");
        CoreFail();
      }
      return;
    }
    case cmd::Time: {
      char text[64];
      FormatTimeOfDay(text, sizeof text);
      PrintLine("Time: %s", text);
      return;
    }
    case cmd::PING:
      PrintLine("Script running");
      return;
    default:
      return;
  }
}

void ScriptEngine::AddKeyWords(ScriptLine& line) {
  const int argc = line.ArgCount();
  if (argc < 1) {
    PrintLine("SCRIPT ERROR (AddKeyWords): Argument underrun");
    CoreFail();
    return;
  }
  for (int i = 0; i < argc; i += 2) {
    const ScriptArg& word = line.args[static_cast<size_t>(i)];
    if (word.text.empty()) {
      PrintLine("SCRIPT ERROR (AddKeyWords): Empty argument (argument %d)", i + 1);
      CoreFail();
      return;
    }
    if (i + 1 >= argc) {
      // A last word without its tag.
      PrintLine("SCRIPT ERROR (AddKeyWords): Argument underrun");
      CoreFail();
      return;
    }
    if (!AddKeyword(word.text, Tag16(line.args[static_cast<size_t>(i + 1)]))) {
      PrintLine("SCRIPT ERROR (AddKeyWords): Could not add keyword \"%s\"", word.c_str());
      CoreFail();
      return;
    }
  }
}

void ScriptEngine::CRandom(ScriptLine& line) {
  const int argc = line.ArgCount();
  if (argc < 4) {
    PrintLine("SCRIPT ERROR (CRandom): Argument underrun");
    CoreFail();
    return;
  }
  if (argc % 2 != 0) {
    PrintLine("SCRIPT ERROR (CRandom): Missing argument");
    CoreFail();
    return;
  }
  uint16_t sum = 0;
  for (int i = 0; i < argc; i += 2) sum = static_cast<uint16_t>(sum + line.args[static_cast<size_t>(i)].number);
  const int roll = RandomInt(1, sum);
  DebugPrintText("DBG (CRandom): Rolled %d (chance %d)", roll, sum);
  uint16_t total = 0;
  for (int i = 0; i < argc; i += 2) {
    total = static_cast<uint16_t>(total + line.args[static_cast<size_t>(i)].number);
    if (total < roll) continue;
    const ScriptArg& tag = line.args[static_cast<size_t>(i + 1)];
    if (tag.text == "-") return;
    if (!JumpToTag(Tag16(tag))) {
      PrintLine("SCRIPT ERROR (CRandom): Invalid tag %d", Tag16(tag));
      CoreFail();
    }
    return;
  }
  PrintLine("SCRIPT ERROR (CRandom): Could not find tag");
  CoreFail();
}

void ScriptEngine::DoConvInput(ScriptLine& line) {
  if (line.ArgCount() > 0) unknownReply = line.args[0].text;
  safetyCount = 0;
  for (;;) {
    Print("%s", prompt.c_str());
    const char* input = ScriptInputOutput().inputLine(0);
    if (!input || input[0] == '\0' || QuitRequested()) return;
    if (std::strcmp(input, "!EXIT") == 0) {
      halted_ = true;
      return;
    }
    if (input[0] == '_') continue;
    const uint16_t tag = MatchKeyword(input);
    if (tag != 0) {
      if (JumpToTag(tag)) return;
      PrintLine("SCRIPT ERROR (ConvInput): Invalid tag %d", tag);
      continue;
    }
    PrintLine("%s", unknownReply.c_str());
  }
}

void ScriptEngine::DoKeyInput(ScriptLine& line) {
  bool show = false;
  for (const ScriptArg& a : line.args) {
    if (a.text != "-SHOW") {
      PrintLine("SCRIPT ERROR (DoKeyInput): Invalid option: %s", a.c_str());
      CoreFail();
      return;
    }
    show = true;
  }
  const int key = ScriptInputOutput().getKey();
  char text[2] = {0, 0};
  const char* input = text;
  switch (key) {
    case keys::Left: input = "LEFT"; break;
    case keys::Up: input = "UP"; break;
    case keys::Right: input = "RIGHT"; break;
    case keys::Down: input = "DOWN"; break;
    default:
      if (key < 32 || key > 126) return;
      text[0] = static_cast<char>(key);
  }
  const uint16_t tag = MatchKeyword(input);
  if (tag == 0) return;
  if (show) Print("%s", input);
  if (!JumpToTag(tag)) {
    PrintLine("SCRIPT ERROR (DoKeyInput): Invalid tag %d", tag);
    CoreFail();
  }
}

void ScriptEngine::DoStringInput(ScriptLine& line) {
  const int argc = line.ArgCount();
  uint16_t itag = 0;
  const char* imessage = nullptr;
  bool noNewLine = false, ipause = false, abortNone = false;
  for (int i = 0; i < argc; ++i) {
    const std::string& o = line.args[static_cast<size_t>(i)].text;
    if (o == "-PROMPT") {
      Print("%s", prompt.c_str());
    } else if (o == "-ITAG") {
      if (i + 1 >= argc) {
        PrintLine("SCRIPT ERROR (DoStringInput -ITAG): Argument underrun");
        CoreFail();
        return;
      }
      itag = Tag16(line.args[static_cast<size_t>(++i)]);
    } else if (o == "-IMESSAGE") {
      if (i + 1 >= argc) {
        PrintLine("SCRIPT ERROR (DoStringInput -IMESSAGE): Argument underrun");
        CoreFail();
        return;
      }
      imessage = line.Arg(++i);
    } else if (o == "-NNL") {
      noNewLine = true;
    } else if (o == "-IPAUSE") {
      ipause = true;
    } else if (o == "-ABORTNONE") {
      abortNone = true;
    } else {
      PrintLine("SCRIPT ERROR (DoStringInput): Invalid option: %s", o.c_str());
      CoreFail();
      return;
    }
  }
  safetyCount = 0;
  const char* input = ScriptInputOutput().inputLine(0);
  if (!input || input[0] == '\0') {
    if (abortNone) {
      resultState = StateAbort;
      halted_ = true;
    }
    return;
  }
  const uint16_t tag = MatchKeyword(input);
  if (tag != 0) {
    if (!JumpToTag(tag)) {
      PrintLine("SCRIPT ERROR (DoStringInput): Invalid tag %d", tag);
      CoreFail();
    }
    return;
  }
  if (imessage) {
    if (noNewLine)
      Print("%s", imessage);
    else
      PrintLine("%s", imessage);
  }
  if (ipause) ScriptInputOutput().waitAnyKey();
  if (itag != 0 && !JumpToTag(itag)) {
    PrintLine("SCRIPT ERROR (DoStringInput): Invalid tag %d for \"invalid\" (unknown) string", itag);
    CoreFail();
  }
}

void ScriptEngine::Verify(ScriptLine& line) {
  const int argc = line.ArgCount();
  if (argc < 1) {
    PrintLine("SCRIPT ERROR (Verify): Argument underrun");
    CoreFail();
    return;
  }
  bool negate = false, strict = false;
  for (int i = 1; i < argc; ++i) {
    const std::string& o = line.args[static_cast<size_t>(i)].text;
    if (o == "-NOT")
      negate = true;
    else if (o == "-ND")
      strict = true;
    else {
      PrintLine("SCRIPT ERROR (Verify): Invalid option: %s", o.c_str());
      CoreFail();
      return;
    }
  }
  safetyCount = 0;
  const bool yes = strict ? ScriptInputOutput().askYesNoStrict() : ScriptInputOutput().askYesNo();
  if (yes != negate && !JumpToText(line.args[0])) {
    PrintLine("SCRIPT ERROR (Verify): Invalid tag %s", line.Arg(0));
    CoreFail();
  }
}

void ScriptEngine::Pause(ScriptLine& line) {
  bool wait = true;
  for (const ScriptArg& a : line.args) {
    if (a.text == "-APINC") {
      TextDisplay* display = GetOutput();
      if (!display) {
        PrintLine("SCRIPT ERROR (Pause -RESETAP): Could not get text display object");
        CoreFail();
        return;
      }
      display->CheckAutoPause(true);
    } else if (a.text == "-DONE") {
      wait = false;
    } else {
      PrintLine("SCRIPT ERROR (Pause): Invalid option: %s", a.c_str());
      CoreFail();
      return;
    }
  }
  if (wait) ScriptInputOutput().waitAnyKey();
}
