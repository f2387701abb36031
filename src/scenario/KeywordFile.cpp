#include "scenario/KeywordFile.h"

#include "scenario/ScanText.h"

namespace {
std::string WithoutCRs(std::string text) {
  DropLineEndCRs(text);
  return text;
}
}  // namespace

KeywordFile::KeywordFile(const std::string& path, const std::string& text)
    : text(WithoutCRs(text)), site(path, this->text) {
  reader.OpenText(this->text);
}

void KeywordFile::MarkHere() {
  if (TextDataFile* f = reader.File()) site.Mark(text.data() + (f->Tell() < text.size() ? f->Tell() : text.size()));
}

bool KeywordFile::Next(std::string& keyword) {
  const char* k = reader.NextKeyword();
  if (!k) return false;
  MarkHere();
  keyword = k;
  return true;
}

bool KeywordFile::FindLine(const char* key) {
  if (!reader.FindLine(key)) return false;
  MarkHere();
  return true;
}

bool KeywordFile::Int(int32_t& out) {
  int v = 0;
  if (!reader.ReadInt(&v)) return false;
  out = v;
  return true;
}

bool KeywordFile::Word(std::string& out) {
  const char* w = reader.ReadWord();
  out = w ? w : "";
  return w != nullptr;
}

bool KeywordFile::RestOfLine(std::string& out) {
  const char* r = reader.ReadRestOfLine();
  out = r ? r : "";
  return r != nullptr;
}

bool ScenarioListCount(KeywordFile& file, const char* operation, int max, int& count) {
  int32_t n = 0;
  if (!file.FindLine("LIST:") || !file.Int(n)) {
    ScenarioMessage("ERROR (%s): Could not get list", operation);
    return false;
  }
  if (n < 0 || n > max) {
    ScenarioMessage("ERROR (%s): Invalid list count %d", operation, n);
    return false;
  }
  file.SkipLine();
  count = n;
  return true;
}
