// korva-tool check loads every script and trigger list of the scenario and
// reports their errors with file and line.
#include <cstdio>

#include "ScriptTestSupport.h"

namespace {
std::string RunCheck(const std::string& dir) {
  const std::string command = std::string(KORVA_TOOL) + " check --game-dir " + dir + " 1";
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
  pclose(p);
  return out;
}
}  // namespace

TEST(CheckTool, ReportsScriptAndTriggerErrorsWithFileAndLine) {
  const std::string dir = InDirectory::Temp();
  ASSERT_EQ(system(("mkdir -p " + dir + "/DATA1").c_str()), 0);
  WriteFile(dir + "/DATA1/script4.dat", "QUORVELLIAN914 DATA V1\nSCRIPT: 3\n1 M ok\n\n2 Mesage typo\n");
  WriteFile(dir + "/DATA1/script5.dat", "SCRIPT: 1\n1 M fine\n");
  WriteFile(dir + "/DATA1/Script-Rest.dat", "SCRIPT: 1\n1 M one\n2 M two\n");
  WriteFile(dir + "/DATA1/triglist2.dat", "LIST: 2\nT: 1 0 0\nP: 3\nSCRIPT: 2\n1 NOOP\n2 Oops\nEND\nZONE: 1 2\n");
  const std::string out = RunCheck(dir);
  EXPECT_NE(out.find("DATA1\\script4.dat:5: ERROR (SCRIPT LOADER): Invalid command \"Mesage\"\n"), std::string::npos)
      << out;
  EXPECT_NE(out.find("DATA1\\Script-Rest.dat:3: ERROR (SCRIPT LOADER): Too few lines (1)\n"), std::string::npos) << out;
  EXPECT_NE(out.find("DATA1\\triglist2.dat:3: ERROR (Trigger loader): Must provide x,y pair (trigger 1)\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("DATA1\\triglist2.dat:6: ERROR (SCRIPT LOADER): Invalid command \"Oops\"\n"), std::string::npos)
      << out;
  EXPECT_NE(out.find("DATA1\\triglist2.dat:8: ERROR (Trigger loader): Missing params (trigger 1)\n"), std::string::npos)
      << out;
  EXPECT_EQ(out.find("script5"), std::string::npos) << out;
  EXPECT_NE(out.find("DATA1: 6 errors"), std::string::npos) << out;
}

TEST(CheckTool, DemoScenarioScriptsAreClean) {
  const std::string out = RunCheck(std::string(KORVA_TEST_DATA) + "/../demo");
  EXPECT_NE(out.find("DATA1: 0 errors"), std::string::npos) << out;
}
