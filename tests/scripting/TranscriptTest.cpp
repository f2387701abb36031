// Scripts of the fixture scenario run start to end; their printed output
// (with the typed input echoed) must equal the expected transcript.
// Each case: fixtures/DATA1/t-<name>.dat, fixtures/transcripts/<name>.out
// and optionally <name>.in (lines to type; "KEY:x" presses key x).
#include "ScriptTestSupport.h"
#include "platform/Keys.h"

namespace {
void QueueInput(const std::string& name) {
  std::ifstream in(InDirectory::Fixture() + "/transcripts/" + name + ".in");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("KEY:", 0) == 0) {
      const std::string k = line.substr(4);
      FakeInput::Keys().push_back(k == "UP" ? keys::Up : k == "DOWN" ? keys::Down : k[0]);
    } else {
      FakeInput::Lines().push_back(line);
    }
  }
}

std::string RunTranscript(const std::string& name) {
  InDirectory dir(InDirectory::Fixture());
  FakeInput::Install();
  QueueInput(name);
  SeedRandom(12345);
  FakeWorld world;
  ScriptContext game(&world, 1);
  Capture capture;
  const bool ok = RunScriptFPName(game, "t-" + name + ".dat", ScriptTypeNone, false);
  capture.text += "-- run " + std::string(ok ? "succeeded" : "failed") + ", last result " +
                  std::to_string(game.lastResult) + "\n";
  ResetScriptInputOutput();
  return capture.text;
}

class Transcript : public testing::TestWithParam<const char*> {};
}  // namespace

TEST_P(Transcript, MatchesExpected) {
  const std::string name = GetParam();
  const std::string got = RunTranscript(name);
  const std::string expectedPath = InDirectory::Fixture() + "/transcripts/" + name + ".out";
  if (getenv("KORVA_WRITE_TRANSCRIPTS")) WriteFile(expectedPath, got);
  EXPECT_EQ(got, ReadTextFile(expectedPath)) << name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, Transcript,
                         testing::Values("jumps", "safety", "setsafety", "conv", "conv-exit", "errors", "dokeyword",
                                         "random", "input", "nest", "call", "flags", "defs", "cmessage"));
