#pragma once
// Walks the entries of one directory: plain files and subdirectories.
#include <string>
#include <vector>

class DirWalker {
 public:
  // Fails when the directory does not exist.
  bool Begin(const std::string& dir);
  // The next entry that is not a directory, or none at the end.
  const char* NextFile();
  // The next directory entry, or none at the end.
  const char* NextSubDir();
  void End();

 private:
  const char* Next(bool wantDir);

  std::string dir_;
  std::vector<std::string> names_;
  size_t next_ = 0;
  bool open_ = false;
};
