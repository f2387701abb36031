// korva-tool: command-line tools for scenario authors.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/ToolCommands.h"

static void PrintUsage() {
  std::fputs("usage: korva-tool COMMAND [ARGS]\ncommands:\n", stderr);
  for (const ToolCommand& c : ToolCommands()) std::fprintf(stderr, "  %s\n", c.usage);
}

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage();
    return 2;
  }
  for (const ToolCommand& c : ToolCommands()) {
    if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "korva-tool: unknown command '%s'\n", argv[1]);
  PrintUsage();
  return 2;
}
