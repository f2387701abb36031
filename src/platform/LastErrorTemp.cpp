// Temporary stand-in until the file layer's LastError.cpp lands.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Frame.h"

namespace {
char lastError[512];
}

const char* LastErrorText() { return lastError; }
void SetLastErrorText(const std::string& text) {
  std::snprintf(lastError, sizeof(lastError), "%s", text.c_str());
}
void GetSystemErrorText(char* buffer, size_t size) {
  if (buffer && size) std::snprintf(buffer, size, "%s", std::strerror(errno));
}
