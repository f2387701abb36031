#include "data/TextDataFile.h"

#include "platform/Files.h"

namespace {
// Drops every CR that directly precedes a LF, in place.
void StripCrBeforeLf(std::string& text) {
  size_t out = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') continue;
    text[out++] = text[i];
  }
  text.resize(out);
}
}  // namespace

bool TextDataFile::Open(const std::string& enginePath) {
  Close();
  if (enginePath.empty()) return false;
  std::string text;
  if (!AReadFile(enginePath, text)) return false;
  OpenText(text);
  path_ = enginePath;
  return true;
}

void TextDataFile::OpenText(std::string_view text) {
  data_.assign(text.data(), text.size());
  StripCrBeforeLf(data_);
  path_.clear();
  pos_ = 0;
  eof_ = false;
  open_ = true;
  value_[0] = '\0';
}

void TextDataFile::Close() {
  data_.clear();
  data_.shrink_to_fit();
  path_.clear();
  pos_ = 0;
  eof_ = false;
  open_ = false;
}

bool TextDataFile::ReadLine(std::string& line) {
  line.clear();
  int c = Get();
  if (c == EOF) return false;
  while (c != EOF && c != '\n') {
    line.push_back(static_cast<char>(c));
    c = Get();
  }
  return true;
}
