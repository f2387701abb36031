// Keyword scanning speed of the text data-file reader over a generated 1 MB
// file of the usual shape: header, comments, a LIST: count and keyword lines
// with numbers, words and quoted names.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "data/DataFile.h"

namespace {

struct GeneratedFile {
  std::string dir;
  std::string path;
  size_t bytes = 0;

  GeneratedFile() {
    char pattern[] = "/tmp/korva-bench-datafile-XXXXXX";
    const char* made = mkdtemp(pattern);
    dir = made ? made : "/tmp";
    path = dir + "\\objdefs.dat";
    std::string text = "QUORVELLIAN914 DATA V1\n\n# generated for the reader benchmark\nLIST: 5000\n";
    for (int i = 0; text.size() < (1u << 20); ++i) {
      text += "/* entry " + std::to_string(i) + " */\n";
      text += "ID: " + std::to_string(i % 65535 + 1) + "\n";
      text += "NAME: \"Creature number " + std::to_string(i) + "\"\n";
      text += "TILE: " + std::to_string(i % 400) + " " + std::to_string(i % 7) + "\n";
      text += "STATS:  12 14 9 11 " + std::to_string(i % 100) + "\n";
      text += "MOVES: 4 1 2 3 4\n";
      text += "# a note about this entry\n";
      text += "FLAGS: HOSTILE UNDEAD\n";
    }
    bytes = text.size();
    FILE* file = std::fopen((dir + "/objdefs.dat").c_str(), "wb");
    if (file) {
      std::fwrite(text.data(), 1, text.size(), file);
      std::fclose(file);
    }
  }
  ~GeneratedFile() {
    std::remove((dir + "/objdefs.dat").c_str());
    rmdir(dir.c_str());
  }
};

const GeneratedFile& File() {
  static GeneratedFile file;
  return file;
}

void BM_DataFileKeywordScan(benchmark::State& state) {
  const GeneratedFile& data = File();
  for (auto _ : state) {
    DataFileReader reader;
    if (!reader.Open(data.path)) {
      state.SkipWithError("cannot open the generated file");
      return;
    }
    long keywords = 0;
    uint16_t value = 0;
    for (const char* key = reader.NextKeyword(); key; key = reader.NextKeyword()) {
      ++keywords;
      if (key[0] == 'I' || key[0] == 'T') {
        reader.ReadU16(&value);
      } else if (key[0] == 'N') {
        char* name = ReadQuotedString(reader.File());
        FreeString(name);
      } else if (key[0] == 'M') {
        auto list = LoadCreateWListSWOpenFile(reader.File(), 0);
        benchmark::DoNotOptimize(list);
      } else {
        benchmark::DoNotOptimize(reader.ReadWord());
      }
      reader.SkipLine();
    }
    benchmark::DoNotOptimize(keywords);
    benchmark::DoNotOptimize(value);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(data.bytes));
}
BENCHMARK(BM_DataFileKeywordScan)->Unit(benchmark::kMillisecond);

}  // namespace
