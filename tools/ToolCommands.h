#pragma once
// The registry of korva-tool commands. Each command lives in its own file in
// tools/ and registers itself with a static ToolRegistration.
#include <vector>

struct ToolCommand {
  const char* name;
  const char* usage;
  int (*run)(int argc, char** argv);  // arguments after the command name
};

std::vector<ToolCommand>& ToolCommands();

struct ToolRegistration {
  ToolRegistration(const char* name, const char* usage, int (*run)(int, char**)) {
    ToolCommands().push_back({name, usage, run});
  }
};
