#pragma once
// Shared helpers of the scenario tests.
#include <unistd.h>

#include <string>

#include "text/Output.h"

// Collects every printed line while alive.
struct CaptureOutput {
  std::string text;
  CaptureOutput() { SetOutputCapture(&text); }
  ~CaptureOutput() { SetOutputCapture(nullptr); }
};

// Works in another directory while alive (engine paths are relative).
struct InDirectory {
  std::string previous;
  explicit InDirectory(const std::string& dir) {
    char buf[4096];
    previous = getcwd(buf, sizeof buf) ? buf : ".";
    if (chdir(dir.c_str()) != 0) previous.clear();
  }
  ~InDirectory() {
    if (!previous.empty() && chdir(previous.c_str()) != 0) {
    }
  }
};

inline std::string FixtureDir() { return std::string(KORVA_TEST_DATA) + "/scenario/fixtures"; }
