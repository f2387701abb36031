// Runs the text data-file reader over arbitrary bytes: keywords, comments,
// lists, sized arrays, strings, numbers and one level of include. The input
// is written to a file (and a copy to include) in a private temporary
// directory, then read the way the loaders read their files.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "data/DataFile.h"
#include "data/PointerLists.h"

namespace {

const std::string& WorkDir() {
  static const std::string dir = [] {
    char pattern[] = "/tmp/korva-fuzz-datafile-XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made ? made : "/tmp");
  }();
  return dir;
}

// A plain write: the atomic writer's fsync would slow every run down.
bool WriteWhole(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && ok;
}

void ReadValues(DataFileReader& reader, const std::string& key, const std::string& dir) {
  TextDataFile* file = reader.File();
  if (key == "INCLUDE:") {
    const char* name = reader.ReadWord();
    if (name) reader.Include(JoinPath(name, dir));
  } else if (key == "LIST:") {
    auto list = reader.ReadListAsPointerList(true);
    if (list) list->AddGrow(list.get(), 2);
  } else if (key == "INTS") {
    auto list = reader.ReadListAsIntList(true);
    IntList resized;
    reader.ResizeIntList(&resized, false);
  } else if (key == "W") {
    std::vector<uint16_t> words;
    int16_t count = 0;
    ReadSizedWordArray(file, &words, &count, 100);
  } else if (key == "B") {
    std::vector<uint8_t> bytes;
    int16_t count = 0;
    ReadSizedByteArray(file, &bytes, &count, 100);
  } else if (key == "SW") {
    auto list = LoadCreateWListSWOpenFile(file, 0);
  } else if (key == "SW3") {
    auto list = LoadCreateWListSWOpenFile(file, 3);
  } else if (key == "WL") {
    auto list = LoadCreateWORDListOpenFile(file, 64);
  } else if (key == "BL") {
    std::unique_ptr<ByteList> list;
    LoadCreateBListExOpenFile(file, &list);
  } else if (key == "Q") {
    char* text = ReadQuotedString(file);
    FreeString(text);
  } else if (key == "S") {
    char* text = ReadWordString(file);
    UpdateAllocString(&text, "x");
    FreeString(text);
  } else if (key == "N") {
    uint16_t u;
    int16_t s;
    int i;
    uint8_t b;
    reader.ReadU16(&u);
    reader.ReadS16(&s);
    reader.ReadInt(&i);
    reader.ReadByte(&b);
  } else if (key == "R") {
    reader.ReadRestOfLine();
  } else if (key == "T") {
    ReadToSemicolon(file);
  } else if (key == "F") {
    reader.FindLine("END");
  } else {
    if (!reader.ReadWord()) reader.ReadWordLoose();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = WorkDir();
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!WriteWhole(dir + "/main.dat", text) || !WriteWhole(dir + "/inc.dat", text)) return 0;

  DataFileReader reader;
  if (!reader.Open(dir + "\\main.dat")) return 0;
  int keywords = 0;
  for (const char* key = reader.NextKeyword(); key != nullptr; key = reader.NextKeyword()) {
    ReadValues(reader, key, dir);
    reader.SkipLine();
    if (++keywords > 1000000) __builtin_trap();  // the reader must always end
  }
  reader.Close();

  // Key searches on the whole file.
  TextDataFile file;
  if (file.Open(dir + "\\main.dat")) {
    std::string value;
    ReadKeyValue(&file, "FS", value);
    const std::string key = text.substr(0, text.find_first_of(" \n"));
    ReadKeyValue(&file, key.substr(0, 64).c_str(), value);
    while (FindKeywordLine(&file, "LIST:")) ReadInt(&file, nullptr);
  }
  return 0;
}
