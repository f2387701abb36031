#include "world/WorldPaths.h"

#include <cctype>

std::string WorkingSaveDir(int scenario) { return "save\\Default" + std::to_string(scenario); }
std::string GroupBufferDir(int group) { return "save\\Buffer" + std::to_string(group); }
std::string MapDataFileName(uint16_t map) { return "map" + std::to_string(map) + ".dat"; }

namespace {
bool HasDotDotComponent(const std::string& name) {
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("\\/", start);
    if (end == std::string::npos) end = name.size();
    if (name.compare(start, end - start, "..") == 0 && end - start == 2) return true;
    start = end + 1;
  }
  return false;
}

bool HasControl(const std::string& name) {
  for (unsigned char c : name)
    if (c < 32 || c == 127) return true;
  return false;
}

// "Default" or "Buffer" followed by nothing but digits, without case.
bool IsEngineDirName(const std::string& name, const char* prefix) {
  size_t n = std::char_traits<char>::length(prefix);
  if (name.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  for (size_t i = n; i < name.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}
}  // namespace

bool IsConfinedName(const std::string& name) {
  if (name.empty() || HasControl(name)) return false;
  if (name[0] == '\\' || name[0] == '/') return false;
  if (name.find(':') != std::string::npos) return false;
  return !HasDotDotComponent(name);
}

bool CheckSaveName(const std::string& name, std::string* why) {
  auto refuse = [&](const char* text) {
    if (why) *why = text;
    return false;
  };
  if (name.empty()) return refuse("empty name");
  if (name.size() > MaxSaveNameLength) return refuse("name too long");
  if (HasControl(name)) return refuse("control characters are not allowed");
  if (name.find_first_of("\\/:") != std::string::npos) return refuse("path separators are not allowed");
  if (name.find("..") != std::string::npos) return refuse("\"..\" is not allowed");
  if (name[0] == '.') return refuse("a name may not begin with a dot");
  // The part before the first dot, so that "Default1.tmp" is refused too.
  std::string base = name.substr(0, name.find('.'));
  std::string lower;
  for (char c : name) lower += char(std::tolower(static_cast<unsigned char>(c)));
  if (IsEngineDirName(base, "Default") || IsEngineDirName(base, "Buffer") || lower == "game.dat")
    return refuse("the name is reserved by the engine");
  return true;
}
