#include "data/DirWalker.h"

#include "platform/Files.h"

bool DirWalker::Begin(const std::string& dir) {
  End();
  if (!ADirExists(dir) || !AListDir(dir, names_)) return false;
  dir_ = dir;
  open_ = true;
  return true;
}

// NextFile and NextSubDir share one enumeration, as they always have.
const char* DirWalker::Next(bool wantDir) {
  while (open_ && next_ < names_.size()) {
    const std::string& name = names_[next_++];
    if (ADirExists(dir_ + "\\" + name) == wantDir) return name.c_str();
  }
  return nullptr;
}

const char* DirWalker::NextFile() { return Next(false); }
const char* DirWalker::NextSubDir() { return Next(true); }

void DirWalker::End() {
  names_.clear();
  dir_.clear();
  next_ = 0;
  open_ = false;
}
