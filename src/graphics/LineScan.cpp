#include "graphics/LineScan.h"

#include "platform/Files.h"

int64_t WordValue(std::string_view word) {
  LineScan scan(word);
  int64_t v = 0;
  if (!scan.Integer(&v)) return 0;
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return v;
}

bool ReadTextLines(const std::string& enginePath, std::vector<std::string>* lines) {
  std::string text;
  if (!AReadFile(enginePath, text)) return false;
  lines->clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t len = end - start;
    if (len && text[start + len - 1] == '\r') --len;
    lines->emplace_back(text, start, len);
    start = end + 1;
  }
  return true;
}

bool FindKeyValue(const std::vector<std::string>& lines, const std::string& key,
                  std::string* value) {
  const std::string prefix = key + ":";
  for (const std::string& line : lines) {
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    size_t pos = prefix.size();
    size_t spaces = pos;
    while (spaces < line.size() && line[spaces] == ' ') ++spaces;
    if (spaces == pos || spaces >= line.size()) continue;
    *value = line.substr(spaces);
    return true;
  }
  return false;
}
