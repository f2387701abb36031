// Script-level commands: ScriptVal, Script, RunCommands,
// RunTemplateCommands, CheckScriptType and CheckMapLoadType.
#include <cstring>
#include <string>
#include <vector>

#include "scripting/GameCommands.h"
#include "scripting/ScriptArgs.h"
#include "scripting/ScriptCommands.h"
#include "scripting/ScriptContext.h"
#include "scripting/ScriptLoader.h"
#include "text/Output.h"

namespace {
// N with "+n" / "-n": deliberate 32-bit wrapping arithmetic.
int32_t AdjustNumber(int32_t n, const ScriptArg& v) {
  if (v.text[0] == '+' || v.text[0] == '-') {
    const uint32_t amount = static_cast<uint32_t>(ScriptArg(v.text.substr(1)).number);
    const uint32_t u = static_cast<uint32_t>(n);
    return static_cast<int32_t>(v.text[0] == '+' ? u + amount : u - amount);
  }
  return v.number;
}

// Guards the nesting of RunCommands and RunTemplateCommands.
struct CommandNesting {
  ScriptContext& game;
  bool ok;
  explicit CommandNesting(ScriptContext& g) : game(g), ok(++g.commandNesting <= ScriptContext::MaxCommandNesting) {}
  ~CommandNesting() { --game.commandNesting; }
};
}  // namespace

bool ScriptValCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "ScriptVal");
  if (!args.More()) {
    PrintUnderrun("ScriptVal", nullptr);
    return GameFail(engine);
  }
  ScriptWorld& world = game.World();
  ObjectRef o = game.targetValue;
  int32_t n = game.numberValue;
  while (args.More()) {
    const std::string opt = args.Next()->text;
    const char* op = opt.c_str();
    if (opt == "-GETTARGETVAL") {
      o = game.targetValue;
    } else if (opt == "-SETTARGETVAL") {
      game.targetValue = o;
    } else if (opt == "-GETCREATUREVAL") {
      o = game.creatureValue;
    } else if (opt == "-SETCREATUREVAL") {
      game.creatureValue = o;
    } else if (opt == "-GETACHAR") {
      o = world.ActiveCharacter();
    } else if (opt == "-SETACHAR") {
      if (!o.Is(ScriptObjectKind::PartyMember) || !world.SetActiveCharacter(o)) {
        PrintLine("SCRIPT ERROR (ScriptVal -SETACHAR): Object is not a party member");
        return GameFail(engine);
      }
    } else if (opt == "-SETDEFO" || opt == "-SETDEFN" || opt == "-GETDEFO" || opt == "-GETDEFN") {
      int32_t id = 0, index = 0;
      if (!args.Need(2, op) || !args.NextInt(&id) || !args.NextInt(&index)) return GameFail(engine);
      const uint16_t lineId = static_cast<uint16_t>(id);
      if (opt == "-SETDEFO" || opt == "-SETDEFN") {
        const std::string text = opt == "-SETDEFO" ? ObjectRefText(o) : NumberText(n);
        if (!engine.SetDefValue(lineId, index, text)) {
          PrintLine("SCRIPT ERROR (ScriptVal %s): Failed to set def command line %d arg %d to %s", op, lineId, index,
                    text.c_str());
          return GameFail(engine);
        }
      } else {
        const ScriptArg* value = engine.GetDefValue(lineId, index);
        ObjectRef read;
        if (!value || (opt == "-GETDEFO" && !ParseObjectRefText(value->text, &read))) {
          PrintLine("SCRIPT ERROR (ScriptVal %s): Failed to get value from def command line %d arg %d", op, lineId,
                    index);
          return GameFail(engine);
        }
        if (opt == "-GETDEFO")
          o = read;
        else
          n = value->number;
      }
    } else if (opt == "-GETARRAYVAL") {
      int32_t i = 0;
      if (!args.NextInt(&i, op)) return GameFail(engine);
      ObjectRef next;
      if (o.Empty() || !world.GetArrayRef(o, i, &next)) {
        PrintLine("SCRIPT ERROR (ScriptVal -GETARRAYVAL): Could not get reference %d", i);
        return GameFail(engine);
      }
      o = next;
    } else if (opt == "-CREATURETOPOS") {
      int x = 0, y = 0;
      if (!game.creatureValue.Is(ScriptObjectKind::Creature) || !world.CreaturePosition(game.creatureValue, &x, &y)) {
        PrintLine("SCRIPT ERROR (ScriptVal -CREATURETOPOS): Creature value undefined");
        return GameFail(engine);
      }
      game.positionX = static_cast<int16_t>(x);
      game.positionY = static_cast<int16_t>(y);
    } else if (opt == "-POSTOCREATURE") {
      if (!game.creatureValue.Is(ScriptObjectKind::Creature) ||
          !world.SetCreaturePosition(game.creatureValue, game.positionX, game.positionY)) {
        PrintLine("SCRIPT ERROR (ScriptVal -POSTOCREATURE): Creature value undefined");
        return GameFail(engine);
      }
    } else if (opt == "-SETN") {
      const ScriptArg* v = args.Next(op);
      if (!v) return GameFail(engine);
      n = AdjustNumber(n, *v);
    } else if (opt == "-GETNUMBERVAL") {
      n = game.numberValue;
    } else if (opt == "-SETNUMBERVAL") {
      game.numberValue = n;
    } else if (opt == "-GETAMOUNTVAL") {
      n = game.amountValue;
    } else if (opt == "-SETAMOUNTVAL") {
      game.amountValue = n;
    } else if (opt == "-GETFLAG") {
      int32_t flag = 0;
      if (!args.NextInt(&flag, op)) return GameFail(engine);
      uint8_t v = 0;
      if (!world.GetFlag(flag, &v)) {
        PrintLine("SCRIPT ERROR (ScriptVal -GETFLAG): Could not get value");
        return GameFail(engine);
      }
      n = v;
    } else if (opt == "-SETFLAG") {
      int32_t flag = 0;
      if (!args.NextInt(&flag, op)) return GameFail(engine);
      if (!world.SetFlag(flag, static_cast<uint8_t>(n))) {
        PrintLine("SCRIPT ERROR (ScriptVal -SETFLAG): Could not set new value for flag %d", flag);
        return GameFail(engine);
      }
    } else if (opt == "-GETKEYWORD") {
      const ScriptArg* w = args.Next(op);
      if (!w) return GameFail(engine);
      n = engine.MatchKeyword(w->c_str());
    } else if (opt == "-SETKEYWORD") {
      const ScriptArg* w = args.Next(op);
      if (!w) return GameFail(engine);
      if (!engine.AddKeyword(w->text, static_cast<uint16_t>(n))) {
        PrintLine("SCRIPT ERROR (ScriptVal -SETKEYWORD): Could not add keyword \"%s\"", w->c_str());
        return GameFail(engine);
      }
    } else if (opt == "-CHECKN") {
      if (!args.Need(3, op)) return GameFail(engine);
      const ScriptArg& condition = *args.Next();
      const ValueRange range = ParseRange(args.Next()->c_str());
      const ScriptArg& tag = *args.Next();
      Condition c;
      if (!ParseCondition(condition.c_str(), &c)) {
        PrintLine("SCRIPT ERROR (ScriptVal -CHECKN): Unknown condition: %s", condition.c_str());
        return GameFail(engine);
      }
      if (TestCondition(c, n, range) && !JumpText(engine, tag, "ScriptVal -CHECKN")) return GameFail(engine);
    } else if (opt == "-DISPLAYN") {
      Print("%d", n);
    } else {
      PrintLine("SCRIPT ERROR (ScriptVal): Invalid option: %s", op);
      return GameFail(engine);
    }
  }
  return true;
}

bool ContextTestCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  const bool scriptType = line.command == cmd::CheckScriptType;
  const char* name = scriptType ? "CheckScriptType" : "CheckMapLoadType";
  ArgCursor args(line, name);
  if (!args.Need(2)) return GameFail(engine);
  const ScriptArg& word = *args.Next();
  const int32_t tag = args.Next()->number;
  uint8_t wanted = 0;
  bool negate = false;
  if (scriptType) {
    if (!ParseScriptType(word.c_str(), &wanted)) {
      PrintLine("SCRIPT ERROR (CheckScriptType): Unknown type: %s", word.c_str());
      return GameFail(engine);
    }
    while (args.More()) {
      const ScriptArg& o = *args.Next();
      if (o.text != "-NOT") {
        PrintLine("SCRIPT ERROR (CheckScriptType): Invalid option: %s", o.c_str());
        return GameFail(engine);
      }
      negate = true;
    }
  } else {
    static const char* const words[] = {"NONE", "LOADGAME", "STARTGAME"};
    int found = -1;
    for (int i = 0; i < 3; ++i)
      if (word.text == words[i]) found = i;
    if (found < 0) {
      PrintLine("SCRIPT ERROR (CheckMapLoadType): Unknown type: %s", word.c_str());
      return GameFail(engine);
    }
    wanted = static_cast<uint8_t>(found);
  }
  const uint8_t current = scriptType ? game.scriptType : game.mapLoadType;
  if ((current == wanted) != negate && !JumpNumeric(engine, tag, name)) return GameFail(engine);
  return true;
}

bool ScriptCallCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  ArgCursor args(line, "Script");
  const ScriptArg* name = args.Next();
  if (!name) return GameFail(engine);
  uint8_t sflag = 0;
  bool byFileName = false, getState = false;
  while (args.More()) {
    const ScriptArg& o = *args.Next();
    if (o.text == "-SFLAG") {
      const ScriptArg* v = args.Next("-SFLAG");
      if (!v) return GameFail(engine);
      sflag = v->text == "C" ? game.sflag : static_cast<uint8_t>(v->number);
    } else if (o.text == "-FN") {
      byFileName = true;
    } else if (o.text == "-GETSTATE") {
      getState = true;
    } else {
      PrintLine("SCRIPT ERROR (Script): Invalid option: %s", o.c_str());
      return GameFail(engine);
    }
  }
  const uint8_t callerSflag = game.sflag;
  const uint8_t callerRedraw = game.redrawMode;
  game.sflag = sflag;
  const bool ok = byFileName ? RunScriptFPName(game, name->text, game.scriptType, false)
                             : RunScriptFPSuffix(game, name->text, game.scriptType, false);
  game.sflag = callerSflag;
  game.redrawMode = callerRedraw;
  if (!ok) {
    PrintLine("SCRIPT ERROR (Script): Failed to run script %s", name->c_str());
    return GameFail(engine);
  }
  if (getState) engine.resultState = game.lastResult;
  return true;
}

bool RunCommandsCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  if (line.ArgCount() < 1) {
    PrintUnderrun("Command", nullptr);
    return GameFail(engine);
  }
  CommandNesting nesting(game);
  if (!nesting.ok) {
    PrintLine("SCRIPT ERROR (Command): Calls nested too deeply (%d)", ScriptContext::MaxCommandNesting);
    return GameFail(engine);
  }
  for (int i = 0; i < line.ArgCount(); ++i) {
    const ScriptArg& tag = line.args[static_cast<size_t>(i)];
    if (tag.text[0] == '-') {
      PrintLine("SCRIPT ERROR (Command): Invalid option: %s", tag.c_str());
      return GameFail(engine);
    }
    ScriptLine* target = engine.FindLine(static_cast<uint16_t>(tag.number));
    if (!target) {
      PrintLine("SCRIPT ERROR (Command): Invalid tag %d", static_cast<uint16_t>(tag.number));
      return GameFail(engine);
    }
    if (!RunScriptCommand(game, engine, *target, false)) {
      PrintLine("SCRIPT ERROR (Command): Called command failed");
      return GameFail(engine);
    }
  }
  return true;
}

namespace {
// A group of template arguments: `count` texts of `source` from `start`
// (for a group taken from a line, everything from `start` on).
struct TemplateGroup {
  const std::vector<ScriptArg>* source = nullptr;
  int start = 0;
  int count = 0;
  int number = 0;  // "$COUNT"
};

// 1: ran and the script goes on here; 2: the template jumped (the command
// ends); 0: failure (messages written).
int RunTemplate(ScriptContext& game, ScriptEngine& engine, const ScriptLine* tmpl, const TemplateGroup& g) {
  if (!tmpl) {
    PrintLine("SCRIPT ERRR (RunTemplateCommands): Command undefined");
    return 0;
  }
  ScriptLine copy;
  copy.id = tmpl->id;
  copy.command = tmpl->command;
  copy.args.reserve(tmpl->args.size());
  for (const ScriptArg& a : tmpl->args) {
    if (a.text.compare(0, 4, "$ARG") == 0) {
      const int pos = a.text.size() > 4 ? ScriptArg(a.text.substr(4)).number : 1;
      if (pos < 1 || pos > g.count || !g.source) {
        PrintLine("SCRIPT ERRR (RunTemplateCommands): Arg %d out of range", pos);
        return 0;
      }
      copy.args.push_back((*g.source)[static_cast<size_t>(g.start + pos - 1)]);
    } else if (a.text == "$COUNT") {
      copy.args.emplace_back(NumberText(g.number));
    } else {
      copy.args.push_back(a);
    }
  }
  const int before = engine.NextIndex();
  if (!RunScriptCommand(game, engine, copy, false)) {
    PrintLine("SCRIPT ERROR (RunTemplateCommands): Called command failed");
    return 0;
  }
  return engine.NextIndex() != before || engine.Halted() ? 2 : 1;
}
}  // namespace

bool RunTemplateCommandsCommand(ScriptContext& game, ScriptEngine& engine, ScriptLine& line) {
  if (line.ArgCount() < 1) {
    PrintUnderrun("RunTemplateCommands", nullptr);
    return GameFail(engine);
  }
  CommandNesting nesting(game);
  if (!nesting.ok) {
    PrintLine("SCRIPT ERROR (RunTemplateCommands): Calls nested too deeply (%d)", ScriptContext::MaxCommandNesting);
    return GameFail(engine);
  }
  ArgCursor args(line, "RunTemplateCommands");
  const ScriptLine* tmpl = nullptr;
  int k = 0;              // arguments per group; 0 until -ARGS
  int groupStart = -1;    // first plain argument after -ARGS
  int collected = 0;      // plain arguments of the group being collected
  int groupsMet = 0;
  TemplateGroup current;
  while (args.More()) {
    const ScriptArg& a = *args.Next();
    const std::string& o = a.text;
    if (o == "-SETCOMMAND" || o == "-COMMAND") {
      int32_t tag = 0;
      if (!args.NextInt(&tag, o.c_str())) return GameFail(engine);
      tmpl = engine.FindLine(static_cast<uint16_t>(tag));
      if (!tmpl) {
        PrintLine("SCRIPT ERROR (RunTemplateCommands): Invalid tag %d", static_cast<uint16_t>(tag));
        return GameFail(engine);
      }
      if (o == "-COMMAND") {
        const int r = RunTemplate(game, engine, tmpl, current);
        if (r == 0) return GameFail(engine);
        if (r == 2) return true;
      }
    } else if (o == "-ARGS") {
      int32_t n = 0;
      if (!args.NextInt(&n, "-ARGS")) return GameFail(engine);
      if (n < 1) {
        PrintLine("SCRIPT ERROR (RunTemplateCommands -ARGS): Invalid number of args %d", n);
        return GameFail(engine);
      }
      k = n;
      groupStart = args.Position();
      collected = 0;
      groupsMet = 0;
    } else if (o == "-PROMPT") {
      const ScriptArg* text = args.Next("-PROMPT");
      if (!text) return GameFail(engine);
      if (k == 0) {
        PrintLine("SCRIPT ERROR (RunTemplateCommands -PROMPT): Preceding -ARGS command not set");
        return GameFail(engine);
      }
      Print("%s", text->c_str());
      const char* input = ScriptInputOutput().inputLine(0);
      const int32_t choice = input ? ScriptArg(input).number : 0;
      if (choice < 1 || choice > groupsMet) return true;
      // The n-th group among the plain arguments after -ARGS.
      int seen = 0, pos = groupStart, inGroup = 0;
      for (; pos < line.ArgCount(); ++pos) {
        const std::string& t = line.args[static_cast<size_t>(pos)].text;
        if (t == "-SETCOMMAND" || t == "-COMMAND" || t == "-ARGS" || t == "-PROMPT") {
          ++pos;  // and its value
          continue;
        }
        if (t == "-GETARGCOMMAND") continue;
        if (inGroup == 0 && seen == choice - 1) break;
        if (++inGroup == k) {
          inGroup = 0;
          ++seen;
        }
      }
      current.source = &line.args;
      current.start = pos;
      current.count = k;
      current.number = choice;
    } else if (o == "-GETARGCOMMAND") {
      ScriptLine* source = ResolveScriptLine(game.targetValue);
      if (!source) {
        PrintLine("SCRIPT ERROR (RunTemplateCommands -GETARGCOMMAND): Script target object not set");
        return GameFail(engine);
      }
      const int start = game.numberValue < 0 ? source->ArgCount() : game.numberValue;
      current.source = &source->args;
      current.start = start > source->ArgCount() ? source->ArgCount() : start;
      current.count = source->ArgCount() - current.start;
      current.number = 1;
    } else if (!o.empty() && o[0] == '-') {
      PrintLine("SCRIPT ERROR (RunTemplateCommands): Invalid option: %s", a.c_str());
      return GameFail(engine);
    } else {
      const int size = k > 0 ? k : 1;
      if (collected == 0) {
        current.source = &line.args;
        current.start = args.Position() - 1;
      }
      if (++collected == size) {
        collected = 0;
        current.count = size;
        current.number = ++groupsMet;
        const int r = RunTemplate(game, engine, tmpl, current);
        if (r == 0) return GameFail(engine);
        if (r == 2) return true;
      }
    }
  }
  return true;
}
