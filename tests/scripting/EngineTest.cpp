// Interpreter rules beyond the transcripts: the turn script, limits,
// keyword ownership, registers, shared value rules.
#include <memory>

#include "ScriptTestSupport.h"
#include "platform/RandomInt.h"
#include "scripting/PriceRules.h"
#include "scripting/ScriptArgs.h"

namespace {
struct Game {
  FakeWorld world;
  ScriptContext context{&world, 1};
  Capture capture;
};
}  // namespace

TEST(TurnScript, WaitTurnsSleepsAcrossTurns) {
  InDirectory dir(InDirectory::Fixture());
  Game g;
  ASSERT_TRUE(SetTurnScript(g.context, 900));
  std::vector<std::string> perTurn;
  for (int turn = 0; turn < 6; ++turn) {
    g.capture.text.clear();
    EXPECT_TRUE(RunTurnScript(g.context));
    perTurn.push_back(g.capture.text);
  }
  // WaitTurns 3: the next line runs during the third following turn.
  EXPECT_EQ(perTurn, (std::vector<std::string>{"turn-a\n", "", "", "turn-b\n", "turn-c\n", ""}));
  EXPECT_TRUE(SetTurnScript(g.context, 0));
  EXPECT_TRUE(RunTurnScript(g.context));
}

TEST(TurnScript, WaitTurnsElsewhereHasNoVisibleEffect) {
  Game g;
  std::unique_ptr<ScriptList> s(LoadScriptText("SCRIPT: 5\n1 M a\n2 WaitTurns 3\n3 M b\n"));
  ASSERT_TRUE(RunScript(g.context, s.get()));
  EXPECT_EQ(g.capture.text, "a\nb\n");
}

TEST(Engine, SafetyLimitFollowsCapacity) {
  Game g;
  std::unique_ptr<ScriptList> s(LoadScriptText("SCRIPT: 300\n1 GOTO 1\n"));
  ASSERT_TRUE(RunScript(g.context, s.get()));
  EXPECT_EQ(g.capture.text, "SCRIPT ERROR (Safety Mechanism): Reached safety value of 300\n");
}

TEST(Engine, InputCommandsResetTheSafetyCount) {
  Game g;
  FakeInput::Install();
  for (int i = 0; i < 15; ++i) FakeInput::Lines().push_back("x");
  std::unique_ptr<ScriptList> s(LoadScriptText(
      "SCRIPT: 10\n1 M tick\n2 DoStringInput -ABORTNONE\n3 NOOP\n4 NOOP\n5 NOOP\n6 NOOP\n7 NOOP\n8 NOOP\n9 NOOP\n"
      "10 GOTO 1\n"));
  ASSERT_TRUE(RunScript(g.context, s.get()));
  ResetScriptInputOutput();
  // 16 turns of a ten-line loop: far beyond the limit of 100 without the resets.
  std::string expected;
  for (int i = 0; i < 15; ++i) expected += "tick\nx\n";
  EXPECT_EQ(g.capture.text, expected + "tick\n\n");
  EXPECT_EQ(g.context.lastResult, StateAbort);
}

TEST(Engine, DefArgumentsByDollarId) {
  std::unique_ptr<ScriptList> s(LoadScriptText("SCRIPT: 2\n1 NOOP $7 $9 7\n7 Def 250\n"));
  ScriptEngine e;
  e.Attach(s.get());
  const ScriptLine& l = *s->At(0);
  EXPECT_STREQ(DefArgumentText(e, l.args[0]), "250");
  EXPECT_STREQ(DefArgumentText(e, l.args[1]), "$9");
  EXPECT_STREQ(DefArgumentText(e, l.args[2]), "7");
}

TEST(Engine, LastResultIsTheFinalLinesState) {
  Game g;
  std::unique_ptr<ScriptList> s(LoadScriptText("SCRIPT: 5\n1 GOTO 77\n2 NOOP\n"));
  ASSERT_TRUE(RunScript(g.context, s.get()));
  EXPECT_EQ(g.context.lastResult, StateNorm);
  std::unique_ptr<ScriptList> b(LoadScriptText("SCRIPT: 5\n1 BREAK 9\n"));
  ASSERT_TRUE(RunScript(g.context, b.get()));
  EXPECT_EQ(g.context.lastResult, 9);
}

TEST(Engine, KeywordsOutliveTheScriptThatAddedThem) {
  Game g;
  std::unique_ptr<ScriptList> s(LoadScriptText("SCRIPT: 5\n1 AddKeyWords \"gate*\" 7 yes 8\n"));
  ASSERT_TRUE(RunScript(g.context, s.get()));
  s.reset();  // the main engine keeps its list until the next run
  EXPECT_EQ(g.context.mainEngine.MatchKeyword("GATEKEEPER"), 7);
  EXPECT_EQ(g.context.mainEngine.MatchKeyword("yes"), 8);
  EXPECT_EQ(g.context.mainEngine.MatchKeyword("yesterday"), 0);
  EXPECT_EQ(g.context.mainEngine.MatchKeyword("gat"), 0);
}

TEST(Engine, KeywordListFullAndRetag) {
  ScriptEngine e;
  ASSERT_TRUE(e.InitKeywords(2));
  EXPECT_TRUE(e.AddKeyword("a", 1));
  EXPECT_TRUE(e.AddKeyword("A", 5));  // same word ignoring case: new tag
  EXPECT_TRUE(e.AddKeyword("b", 2));
  Capture c;
  EXPECT_FALSE(e.AddKeyword("c", 3));
  EXPECT_EQ(c.text, "ERROR (AddKeyWord): List full, could not add keyword\n");
  EXPECT_EQ(e.MatchKeyword("a"), 5);
  EXPECT_TRUE(KeywordMatches("*", "anything"));
}

TEST(Engine, RandomIsDeterministicWithASeed) {
  auto rolls = [] {
    SeedRandom(77);
    std::vector<int> v;
    for (int i = 0; i < 20; ++i) v.push_back(RandomInt(1, 100));
    return v;
  };
  const std::vector<int> a = rolls(), b = rolls();
  EXPECT_EQ(a, b);
  for (int r : a) EXPECT_TRUE(r >= 1 && r <= 100);
  Capture c;
  EXPECT_EQ(RandomInt(5, 4), 0);
  EXPECT_EQ(c.text, "ERROR (RandomInt): Min 5 > Max 4\n");
}

TEST(Engine, RunCommandsRecursionIsBounded) {
  Game g;
  std::unique_ptr<ScriptList> s(LoadScriptText("SCRIPT: 5\n1 RunCommands 1\n"));
  EXPECT_FALSE(RunScript(g.context, s.get()));
  EXPECT_NE(g.capture.text.find("SCRIPT ERROR (Command): Calls nested too deeply (16)"), std::string::npos);
  EXPECT_EQ(g.context.commandNesting, 0);
}

TEST(Engine, TestCommandIsRejectedWhenRun) {
  Game g;
  std::unique_ptr<ScriptList> s(LoadScriptText("SCRIPT: 5\n1 Test\n2 M never\n"));
  EXPECT_FALSE(RunScript(g.context, s.get()));
  EXPECT_EQ(g.capture.text, "SCRIPT ERROR: Invalid command (186)\nSCRIPT ERROR: Line 0\n");
}

TEST(Registers, ObjectReferencesAreCheckedHandles) {
  Game g;
  std::unique_ptr<ScriptList> s(LoadScriptText("SCRIPT: 5\n1 ScriptVal -GETDEFO 9 0\n9 Def 140737488355328\n"));
  EXPECT_FALSE(RunScript(g.context, s.get()));  // a number is never taken as an address
  EXPECT_NE(g.capture.text.find("SCRIPT ERROR (ScriptVal -GETDEFO): Failed to get value from def command line 9 arg 0"),
            std::string::npos);

  // A line reference stops resolving once its list is freed.
  auto list = std::unique_ptr<ScriptList>(LoadScriptText("SCRIPT: 2\n1 Def a b\n"));
  ObjectRef ref = MakeScriptLineRef(*list, 0);
  ASSERT_NE(ResolveScriptLine(ref), nullptr);
  ObjectRef back;
  ASSERT_TRUE(ParseObjectRefText(ObjectRefText(ref), &back));
  EXPECT_EQ(ResolveScriptLine(back), list->At(0));
  list.reset();
  EXPECT_EQ(ResolveScriptLine(back), nullptr);

  // A creature command on a register that holds a line fails with its own message.
  g.capture.text.clear();
  g.context.creatureValue = back;
  std::unique_ptr<ScriptList> p(LoadScriptText("SCRIPT: 2\n1 ScriptVal -POSTOCREATURE\n"));
  EXPECT_FALSE(RunScript(g.context, p.get()));
  EXPECT_EQ(g.capture.text,
            "SCRIPT ERROR (ScriptVal -POSTOCREATURE): Creature value undefined\nSCRIPT ERROR: Line 0\n");
}

TEST(Registers, OwnedObjectsAreFreedWhenOverwritten) {
  struct Probe : ScriptOwnedObject {
    bool* freed;
    explicit Probe(bool* f) : freed(f) {}
    ~Probe() override { *freed = true; }
  };
  bool freed = false;
  Game g;
  g.context.targetValue.kind = ScriptObjectKind::Iterator;
  g.context.targetValue.owned = std::make_shared<Probe>(&freed);
  const std::string text = ObjectRefText(g.context.targetValue);
  g.context.targetValue = ObjectRef();
  EXPECT_TRUE(freed);
  ObjectRef back;
  EXPECT_FALSE(ParseObjectRefText(text, &back));
}

TEST(SharedRules, PercentOfMaxAndPrices) {
  EXPECT_EQ(PercentOfMax(100, 50), 49);
  EXPECT_EQ(PercentOfMax(100, 100), 99);
  EXPECT_EQ(PercentOfMax(200, 50), 99);
  EXPECT_EQ(PercentOfMax(10, 1), 1);  // at least 1
  EXPECT_EQ(PercentOfMax(0, 50), 1);
  const float f = PriceFactor(10, 10, 0, false, 0);
  EXPECT_EQ(BuyingPrice(100, f), 95);
  EXPECT_EQ(SellingPrice(100, f), 105);
  EXPECT_EQ(SellingPrice(100, PriceFactor(200, 200, 0, false, 0)), 0);  // no division by a factor of 0 or less
  EXPECT_EQ(BuyingPrice(10, PriceFactor(10, 10, 0, true, 0)), 10);
}

TEST(SharedRules, ConditionsAndRanges) {
  struct Case {
    const char* condition;
    const char* range;
    int value;
    bool result;
  } cases[] = {
      {"==", "3-5", 4, true},  {"==", "3-5", 6, false}, {"!=", "3-5", 2, true},   {">", "3-5", 5, false},
      {">", "3-5", 6, true},   {"<", "3-5", 2, true},   {">=", "3-5", 5, true},   {"<=", "3-5", 3, true},
      {"<=", "3-5", 4, false}, {"==", "7", 7, true},    {"==", "9-2", 9, true},   {"==", "-5--2", -3, true},
  };
  for (const Case& c : cases) {
    Condition cond;
    ASSERT_TRUE(ParseCondition(c.condition, &cond));
    EXPECT_EQ(TestCondition(cond, c.value, ParseRange(c.range)), c.result) << c.condition << " " << c.range << " " << c.value;
  }
  Condition cond;
  EXPECT_FALSE(ParseCondition("=", &cond));
}
