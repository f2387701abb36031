#pragma once
// A scratch directory for fuzz inputs, made once per process.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

inline const std::string& FuzzTempDir() {
  static const std::string dir = [] {
    char pattern[] = "/tmp/korva_fuzzXXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made ? made : "/tmp");
  }();
  return dir;
}

inline void FuzzWriteFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}
