#include "scenario/ScenarioFiles.h"

#include "platform/Files.h"
#include "scenario/ScanText.h"

std::string ScenarioPath(int scenarioNumber, const std::string& name) {
  return "DATA" + std::to_string(scenarioNumber) + "\\" + name;
}

bool ReadScenarioText(const std::string& enginePath, std::string& out) {
  out.clear();
  if (!AReadFile(enginePath, out)) return false;
  DropLineEndCRs(out);
  return true;
}
