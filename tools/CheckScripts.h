#pragma once
// The script part of korva-tool check: loads every script file
// (script*.dat) and trigger list (triglist*.dat) of a scenario directory and
// prints each error with its file and line. Adds to the counts given.
#include <cstdint>
#include <string>

void CheckScenarioScripts(const std::string& dir, uint16_t scenario, int* errors, int* warnings);
