#include "world/NamedSaves.h"

#include "platform/Files.h"
#include "text/Output.h"

namespace {
// "save\name" -> "save\<prefix>name".
std::string Sibling(const std::string& dir, const char* prefix) {
  size_t slash = dir.rfind('\\');
  if (slash == std::string::npos) return prefix + dir;
  return dir.substr(0, slash + 1) + prefix + dir.substr(slash + 1);
}

bool Exists(const std::string& path) { return ADirExists(path) || AFileExists(path); }
}  // namespace

void RecoverInterruptedSave(const std::string& dir) {
  // A named save: the old copy waits as ".old-<name>".
  std::string old = Sibling(dir, ".old-");
  if (!Exists(dir) && ADirExists(old)) ARenameFile(old, dir);
  else if (ADirExists(old) && Exists(dir)) ADeleteDir(old);
  std::string stage = Sibling(dir, ".stage-");
  if (ADirExists(stage)) ADeleteDir(stage);
  // The working directory: the previous one waits as "<dir>.tmp".
  std::string tmp = dir + ".tmp";
  if (!Exists(dir) && ADirExists(tmp)) ARenameFile(tmp, dir);
  else if (ADirExists(tmp) && Exists(dir)) ADeleteDir(tmp);
  if (ADirExists(dir + ".stage")) ADeleteDir(dir + ".stage");
}

int WriteNamedSave(const std::string& workDir, const std::string& target) {
  RecoverInterruptedSave(target);
  std::string stage = Sibling(target, ".stage-");
  std::string old = Sibling(target, ".old-");
  if (ADirExists(stage)) ADeleteDir(stage);
  if (!ACopyDir(workDir, stage)) {
    ADeleteDir(stage);
    PrintLine("ERROR (SaveNamedGame): Could not copy directory %s to %s", workDir.c_str(), target.c_str());
    return 0;
  }
  if (Exists(target)) {
    if (ADirExists(old)) ADeleteDir(old);
    if (!ARenameFile(target, old)) {
      ADeleteDir(stage);
      PrintLine("ERROR (SaveNamedGame): Could not delete %s", target.c_str());
      return 0;
    }
  }
  if (!ARenameFile(stage, target)) {
    ARenameFile(old, target);
    PrintLine("ERROR (SaveNamedGame): Could not copy directory %s to %s", workDir.c_str(), target.c_str());
    return 0;
  }
  if (ADirExists(old)) ADeleteDir(old);
  return 1;
}

int RestoreNamedSave(const std::string& source, const std::string& workDir) {
  RecoverInterruptedSave(workDir);
  std::string stage = workDir + ".stage";
  std::string tmp = workDir + ".tmp";
  if (ADirExists(stage)) ADeleteDir(stage);
  if (!ACopyDir(source, stage)) {
    ADeleteDir(stage);
    PrintLine("ERROR (LoadNamedGame): Could not copy directory %s to %s", source.c_str(), workDir.c_str());
    return 0;
  }
  if (ADirExists(workDir) && !ARenameFile(workDir, tmp)) {
    ADeleteDir(stage);
    PrintLine("ERROR (LoadNamedGame): Could not move %s", workDir.c_str());
    return 0;
  }
  if (!ARenameFile(stage, workDir)) {
    ARenameFile(tmp, workDir);
    PrintLine("ERROR (LoadNamedGame): Could not copy directory %s to %s", source.c_str(), workDir.c_str());
    return 0;
  }
  if (ADirExists(tmp) && !ADeleteDir(tmp)) PrintLine("ERROR (LoadNamedGame): Could not delete %s", tmp.c_str());
  return 1;
}
