#include "data/DataStrings.h"

#include <cstring>
#include <new>

#include "platform/Files.h"
#include "text/Output.h"

char* AllocString(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t length = std::strlen(text);
  char* copy = new (std::nothrow) char[length + 1];
  if (copy == nullptr) {
    PrintLine("ERROR (AllocString): Could not allocate memory");
    return nullptr;
  }
  std::memcpy(copy, text, length + 1);
  return copy;
}

void FreeString(char*& text) {
  delete[] text;
  text = nullptr;
}

int UpdateAllocString(char** slot, const char* text) {
  if (slot == nullptr || text == nullptr) {
    PrintLine("ERROR (UpdateAllocString): Missing parameter(s)");
    return 0;
  }
  const size_t length = std::strlen(text);
  if (*slot != nullptr && std::strlen(*slot) == length) {
    std::memcpy(*slot, text, length + 1);
    return 1;
  }
  char* copy = new (std::nothrow) char[length + 1];
  if (copy == nullptr) {
    PrintLine("ERROR (UpdateAllocString): Could not allocate memory");
    return 0;
  }
  std::memcpy(copy, text, length + 1);
  delete[] *slot;
  *slot = copy;
  return 1;
}

std::string ScenarioDir(uint16_t scenario) { return "DATA" + std::to_string(scenario); }

std::string ScenarioFile(uint16_t scenario, std::string_view name) {
  std::string path = ScenarioDir(scenario);
  path += '\\';
  path.append(name);
  return path;
}

FILE* OpenFile(const std::string& path, const char* mode) {
  if (path.empty()) return nullptr;
  return AOpenFile(path, mode);
}

bool FileExists(const std::string& path) { return AFileExists(path) || ADirExists(path); }

bool GetFileSize(int64_t* size, const std::string& path) {
  FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return false;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long end = ok ? std::ftell(file) : -1;
  std::fclose(file);
  if (end < 0) return false;
  if (size) *size = end;
  return true;
}

std::string JoinPath(std::string_view name, std::string_view dir) {
  if (name.find('\\') != std::string_view::npos) return std::string(name);
  std::string path(dir);
  path += '\\';
  path.append(name);
  return path;
}

const char* GetExtension(const char* name) {
  if (name == nullptr) return nullptr;
  const char* dot = std::strrchr(name, '.');
  return dot != nullptr ? dot + 1 : nullptr;
}

std::string StripExtension(std::string_view name, size_t max) {
  const size_t dot = name.rfind('.');
  std::string_view base = dot == std::string_view::npos ? name : name.substr(0, dot);
  if (base.size() > max) base = base.substr(0, max);
  return std::string(base);
}
