// The script loader: syntax, includes, limits and its failure messages.
#include <memory>

#include "ScriptTestSupport.h"
#include "scripting/ScriptCommands.h"

namespace {
// "id Command [a|b|c]" per filled slot, then "capacity N".
std::string Dump(const ScriptList& list) {
  std::string out;
  for (int i = 0; i < list.LineCount(); ++i) {
    const ScriptLine* l = list.At(i);
    out += std::to_string(l->id) + " " + ScriptCommandName(l->command) + " [";
    for (int a = 0; a < l->ArgCount(); ++a) out += (a ? "|" : "") + l->args[static_cast<size_t>(a)].text;
    out += "]\n";
  }
  return out + "capacity " + std::to_string(list.Capacity());
}

struct LoadResult {
  std::unique_ptr<ScriptList> list;
  std::string printed;
};

LoadResult Load(const std::string& text) {
  LoadResult r;
  SetOutputCapture(&r.printed);
  r.list.reset(LoadScriptText(text));
  SetOutputCapture(nullptr);
  return r;
}
}  // namespace

TEST(ScriptCommandTable, WordsAndIds) {
  EXPECT_EQ(FindScriptCommand("NOOP"), 1);
  EXPECT_EQ(FindScriptCommand("M"), 6);
  EXPECT_EQ(FindScriptCommand("Message"), 6);
  EXPECT_EQ(FindScriptCommand("CM"), 23);
  EXPECT_EQ(FindScriptCommand("CMessage"), 23);
  EXPECT_EQ(FindScriptCommand("PING"), 22);
  EXPECT_EQ(FindScriptCommand("ScriptVal"), 98);
  EXPECT_EQ(FindScriptCommand("StartCircleIterator"), 100);
  EXPECT_EQ(FindScriptCommand("CheckVehicle"), 146);
  EXPECT_EQ(FindScriptCommand("Trigger"), 154);
  EXPECT_EQ(FindScriptCommand("SwapCreatureID"), 178);
  EXPECT_EQ(FindScriptCommand("Party"), 185);
  EXPECT_EQ(FindScriptCommand("Test"), 186);
  EXPECT_EQ(FindScriptCommand("message"), 0);
  EXPECT_EQ(FindScriptCommand(""), 0);
  EXPECT_EQ(ScriptCommandName(99), nullptr);
  // Every id but 99 has a word that maps back to it.
  for (uint16_t id = 1; id <= 186; ++id) {
    if (id == 99) continue;
    ASSERT_NE(ScriptCommandName(id), nullptr) << id;
    EXPECT_EQ(FindScriptCommand(ScriptCommandName(id)), id) << id;
  }
}

TEST(ScriptLoader, CommentsBlocksEndAndIgnoredLines) {
  LoadResult r = Load(
      "QUORVELLIAN914 DATA V1\n# header comment\nSCRIPT: 5\n"
      "\n\n10 Message hello /* not a comment here\n"
      "This line of prose is ignored\n"
      "/* a block\n20 Message hidden\n21 M hidden */ not the first word\n*/ closed\n"
      "# 30 Message commented\n"
      "30 NOOP a */ b\n"
      "END\n40 Message after-end\n");
  ASSERT_TRUE(r.list);
  EXPECT_EQ(Dump(*r.list), "10 Message [hello|/*|not|a|comment|here]\n30 NOOP [a|*/|b]\ncapacity 5");
  EXPECT_EQ(r.list->At(2), nullptr);  // the remaining slots stay empty
  EXPECT_EQ(r.printed, "");
}

TEST(ScriptLoader, ArgumentForms) {
  LoadResult r = Load(
      "SCRIPT: 10\n"
      "1 M \"two  spaces\" two  spaces\n"
      "2 M \"\" \"\"x\n"
      "3 M \"runs\nover lines\" next\n"
      "4 M tab\there \"q\"uoted\n"
      "70000abc NOOP\n");
  ASSERT_TRUE(r.list);
  EXPECT_EQ(Dump(*r.list),
            "1 Message [two  spaces|two|spaces]\n"
            "2 Message [\"|\"x]\n"
            "3 Message [runs\nover lines|next]\n"
            "4 Message [tab\there|q|uoted]\n"
            "4464 NOOP []\n"
            "capacity 10");
}

TEST(ScriptLoader, AtMost256Arguments) {
  std::string line = "1 NOOP";
  for (int i = 0; i < 300; ++i) line += " a" + std::to_string(i);
  LoadResult r = Load("SCRIPT: 2\n" + line + "\n2 NOOP\n");
  ASSERT_TRUE(r.list);
  ASSERT_EQ(r.list->At(0)->ArgCount(), 256);
  EXPECT_EQ(r.list->At(0)->args.back().text, "a255");
  EXPECT_EQ(r.list->At(1)->id, 2);  // the words after the 256th were discarded with their line
}

TEST(ScriptLoader, Failures) {
  struct Case {
    const char* text;
    const char* printed;
  } cases[] = {
      {"SCRIPT: 5\n10 Mesage hi\n", "ERROR (SCRIPT LOADER): Invalid command \"Mesage\"\n"},
      {"SCRIPT: 2\n1 NOOP\n2 NOOP\n3 NOOP\n", "ERROR (SCRIPT LOADER): Too few lines (2)\n"},
      {"SCRIPT: 2\n1\tNOOP\n", ""},      // a tab does not separate the command word
      {"SCRIPT: 2\n1\n2 NOOP\n", ""},    // a line that ends after its ID
      {"SCRIPT: 0\n1 NOOP\n", ""},       // capacity below 1
      {"SCRIPT:\n", ""},                 // no capacity
      {"no script here\n", ""},
      {"SCRIPT: 3\n1 M \"never closed\n2 NOOP\n",
       "ERROR (SCRIPT LOADER): Unterminated quoted argument (line ID 1)\n"},
      {"SCRIPT: 2\nINCLUDE:\n", "ERROR (SCRIPT LOADER): Include filename missing\n"},
  };
  for (const Case& c : cases) {
    LoadResult r = Load(c.text);
    EXPECT_FALSE(r.list) << c.text;
    EXPECT_EQ(r.printed, c.printed) << c.text;
  }
}

TEST(ScriptLoader, CrLfLoadsLikeLf) {
  const std::string lf = "SCRIPT: 4\n1 M \"a\nb\" c\n2 AddKeyWords yes 10 no 20\n# x\nEND\n";
  std::string crlf;
  for (char c : lf) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  LoadResult a = Load(lf), b = Load(crlf);
  ASSERT_TRUE(a.list && b.list);
  EXPECT_EQ(Dump(*a.list), Dump(*b.list));
}

TEST(ScriptLoader, Includes) {
  InDirectory dir(InDirectory::Fixture());
  {
    // Without -SCRIPT the included lines count against the including script.
    LoadResult r = Load("SCRIPT: 4\n10 NOOP\nINCLUDE: inc-plain.dat\n11 NOOP\n");
    ASSERT_TRUE(r.list);
    EXPECT_EQ(Dump(*r.list), "10 NOOP []\n20 Message [from include]\n21 NOOP []\n11 NOOP []\ncapacity 4");
    LoadResult full = Load("SCRIPT: 3\n10 NOOP\nINCLUDE: inc-plain.dat\n11 NOOP\n");
    EXPECT_FALSE(full.list);
    EXPECT_EQ(full.printed, "ERROR (SCRIPT LOADER): Too few lines (3)\n");
  }
  {
    // With -SCRIPT the include brings its own capacity.
    LoadResult r = Load("SCRIPT: 2\n10 NOOP\nINCLUDE: inc-script.dat -SCRIPT\n11 NOOP\n");
    ASSERT_TRUE(r.list);
    EXPECT_EQ(Dump(*r.list),
              "10 NOOP []\n30 Message [one]\n31 Message [two]\n32 Message [three]\n11 NOOP []\ncapacity 5");
  }
  struct Case {
    const char* line;
    const char* printed;
  } cases[] = {
      {"INCLUDE: inc-nested.dat", "ERROR (SCRIPT LOADER): Cannot include from an include\n"},
      {"INCLUDE: missing.dat", "ERROR (SCRIPT LOADER): Could not open include file DATA1\\missing.dat\n"},
      {"INCLUDE: inc-plain.dat -SCRIPT", "ERROR (SCRIPT LOADER): SCRIPT command missing in include file DATA1\\inc-plain.dat\n"},
      {"INCLUDE: ..\\transcripts\\x.dat",
       "ERROR (SCRIPT LOADER): Include file DATA1\\..\\transcripts\\x.dat outside the scenario directory\n"},
  };
  for (const Case& c : cases) {
    LoadResult r = Load(std::string("SCRIPT: 9\n1 NOOP\n") + c.line + "\n");
    EXPECT_FALSE(r.list) << c.line;
    EXPECT_EQ(r.printed, c.printed) << c.line;
  }
}

TEST(ScriptLoader, DuplicateIdsAndLookups) {
  LoadResult r = Load("SCRIPT: 4\n10 NOOP\n20 NOOP\n10 M second\n30 NOOP\n");
  ASSERT_TRUE(r.list);
  EXPECT_EQ(r.list->FindSlot(10), 0);
  EXPECT_EQ(r.list->FindForward(10, 1), 2);
  EXPECT_EQ(r.list->FindBackward(10, 1), 0);
  EXPECT_EQ(r.list->FindSlot(99), -1);
}
