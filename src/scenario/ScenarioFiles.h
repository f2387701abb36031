#pragma once
// Paths and reading of the files of scenario directory DATA<n>.
#include <string>

// "DATA<n>\<name>"
std::string ScenarioPath(int scenarioNumber, const std::string& name);
// The whole text of a scenario file, with CR LF line ends read as LF; false
// when it cannot be read.
bool ReadScenarioText(const std::string& enginePath, std::string& out);
