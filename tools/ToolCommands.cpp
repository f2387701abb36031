#include "tools/ToolCommands.h"

std::vector<ToolCommand>& ToolCommands() {
  static std::vector<ToolCommand> commands;
  return commands;
}
