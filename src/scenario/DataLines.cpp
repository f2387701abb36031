#include "scenario/DataLines.h"

DataLines::DataLines(const std::string& file, const std::string& text) : cursor(text), site(file, text) {}

bool DataLines::NextKeyword(std::string& keyword) {
  bool inBlock = false;
  while (true) {
    cursor.SkipWhite();
    if (cursor.AtEnd()) return false;
    site.Mark(cursor.pos);
    cursor.LineWord(keyword, kMaxKeywordText);
    if (inBlock) {
      if (keyword == "*/") inBlock = false;
    } else if (keyword[0] == '#' || keyword == "QUORVELLIAN914") {
      // comment or header line
    } else if (keyword == "/*") {
      inBlock = true;
    } else {
      return true;
    }
    cursor.SkipLine();
  }
}

bool DataLines::FindLine(const char* key) {
  std::string word;
  while (NextKeyword(word)) {
    if (word == key) return true;
    cursor.SkipLine();
  }
  return false;
}

ScanCursor DataLines::Line() const {
  const char* e = cursor.pos;
  while (e < cursor.end && *e != '\n') ++e;
  return ScanCursor(cursor.pos, e);
}

bool DataLines::U16(uint16_t& out) {
  ScanCursor c = Line();
  bool ok = c.U16(out);
  Consume(c);
  return ok;
}

bool DataLines::Int(int32_t& out) {
  ScanCursor c = Line();
  bool ok = c.Int(out);
  Consume(c);
  return ok;
}

bool DataLines::SpacedWord(std::string& out) { return cursor.SpacedWord(out); }

bool DataLines::RestOfLine(std::string& out) { return cursor.RestOfLine(out); }

bool ScenarioListCount(DataLines& file, const char* operation, int max, int& count) {
  int32_t n = 0;
  if (!file.FindLine("LIST:") || !file.Int(n)) {
    ScenarioMessage("ERROR (%s): Could not get list", operation);
    return false;
  }
  file.SkipLine();
  if (n < 0 || n > max) {
    ScenarioMessage("ERROR (%s): Invalid list count %d", operation, n);
    return false;
  }
  count = n;
  return true;
}

namespace {
template <class T>
bool SizedList(DataLines& file, std::vector<T>& out, int limit, const char* op) {
  out.clear();
  int16_t n = 0;
  ScanCursor line = file.Line();
  line.S16(n);
  file.Consume(line);
  if (n < 1 || n >= limit) {
    ScenarioMessage("ERROR (%s): Invalid list size %d", op, n);
    return false;
  }
  out.assign(size_t(n), T(0));
  std::string word;
  size_t i = 0;
  while (file.SpacedWord(word)) {
    if (i == out.size()) {
      ScenarioMessage("ERROR (%s): Allocation size %d too small", op, n);
      break;
    }
    out[i++] = T(DecimalToInt(word));
  }
  return true;
}
}  // namespace

bool ScenarioSizedBytes(DataLines& file, std::vector<uint8_t>& out, int limit) {
  return SizedList(file, out, limit, "ReadSizedByteArray");
}

bool ScenarioSizedWords(DataLines& file, std::vector<uint16_t>& out, int limit) {
  return SizedList(file, out, limit, "ReadSizedWordArray");
}
