// The latest low-level failure text and the system error text of errno.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Frame.h"

namespace {
// 511 characters and the terminator, as the key-input layer expects.
constexpr size_t LastErrorCapacity = 512;
char gLastError[LastErrorCapacity] = "";
}  // namespace

const char* LastErrorText() { return gLastError; }

void SetLastErrorText(const std::string& text) {
  size_t n = text.size();
  if (n > LastErrorCapacity - 1) n = LastErrorCapacity - 1;
  std::memcpy(gLastError, text.data(), n);
  gLastError[n] = '\0';
}

void GetSystemErrorText(char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) return;
  const int code = errno;
  // Preset so the buffer holds a sensible text even if the lookup fails.
  std::snprintf(buffer, size, "%s", "(Error message lookup failed)");
  const char* message = std::strerror(code);
  if (message != nullptr && message[0] != '\0') std::snprintf(buffer, size, "%s", message);
}
