#include "scripting/ScriptLoader.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

#include "data/DataReaders.h"
#include "data/DataScan.h"
#include "data/DataStrings.h"
#include "data/TextDataFile.h"
#include "platform/Files.h"
#include "scripting/ScriptCommands.h"
#include "text/Output.h"

namespace {
ScriptLoadListener loadListener = nullptr;
void* loadListenerUser = nullptr;

// Character reading on the open file that keeps count of the line.
struct BodyReader {
  TextDataFile& f;
  std::string path;
  int line;  // 1-based; 0 when unknown

  int Get() {
    const int c = f.Get();
    if (c == '\n' && line > 0) ++line;
    return c;
  }
  void Unget(int c) {
    if (c == EOF) return;
    if (c == '\n' && line > 0) --line;
    f.Unget(c);
  }
  int Peek() const { return f.Peek(); }
  void SkipLine() {
    int c;
    while ((c = Get()) != EOF && c != '\n') {
    }
  }
  // White space (newlines included), then a run of other characters.
  bool Word(std::string& out) {
    out.clear();
    int c;
    do c = Get();
    while (c != EOF && datascan::IsScanSpace(c));
    if (c == EOF) return false;
    while (c != EOF && !datascan::IsScanSpace(c)) {
      out.push_back(static_cast<char>(c));
      c = Get();
    }
    Unget(c);
    return true;
  }
  // Space characters only.
  size_t Blanks() {
    size_t n = 0;
    while (Peek() == ' ') {
      Get();
      ++n;
    }
    return n;
  }
  // Up to the next space or line end (a tab is part of the word).
  bool UntilSpace(std::string& out) {
    out.clear();
    int c;
    while ((c = Peek()) != EOF && c != ' ' && c != '\n') out.push_back(static_cast<char>(Get()));
    return !out.empty();
  }
  void Report(const char* format, ...) KORVA_PRINTF(2, 3) {
    char text[1024];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(text, sizeof text, format, ap);
    va_end(ap);
    ReportScriptLoad(path, line, text);
  }
};

enum class ArgRead { Arg, None, Unterminated };

// One argument: spaces and a quoted text of at least one character, else a bare word.
ArgRead ReadArgument(BodyReader& r, std::string& out) {
  const size_t blanks = r.Blanks();
  if (blanks > 0 && r.Peek() == '"') {
    r.Get();
    out.clear();
    int c;
    while ((c = r.Get()) != EOF && c != '"') out.push_back(static_cast<char>(c));
    if (!out.empty()) {
      if (c == EOF) return ArgRead::Unterminated;
      return ArgRead::Arg;
    }
    // Nothing between the quotes: the bare word starts at the second quote.
    r.Unget(c);
  }
  return r.UntilSpace(out) ? ArgRead::Arg : ArgRead::None;
}

struct LoadState {
  ScriptList* list;
  uint16_t scenario;
};

bool ReadCommandLine(BodyReader& r, LoadState& s, const std::string& first) {
  uint32_t id = 0;
  for (char ch : first) {
    if (ch < '0' || ch > '9') break;
    id = (id * 10 + static_cast<uint32_t>(ch - '0')) & 0xFFFF;
  }
  std::string word;
  // The command word must follow one or more spaces on the same line.
  if (r.Blanks() == 0 || !r.UntilSpace(word)) return false;
  const uint16_t command = FindScriptCommand(word.c_str());
  if (command == 0) {
    r.Report("ERROR (SCRIPT LOADER): Invalid command \"%s\"", word.c_str());
    return false;
  }
  if (s.list->LineCount() >= s.list->Capacity()) {
    r.Report("ERROR (SCRIPT LOADER): Too few lines (%d)", s.list->Capacity());
    return false;
  }
  auto line = std::make_unique<ScriptLine>();
  line->id = static_cast<uint16_t>(id);
  line->command = command;
  std::string text;
  while (line->ArgCount() < MaxScriptArgs) {
    const ArgRead got = ReadArgument(r, text);
    if (got == ArgRead::None) break;
    if (got == ArgRead::Unterminated) {
      r.Report("ERROR (SCRIPT LOADER): Unterminated quoted argument (line ID %u)", id);
      return false;
    }
    line->args.emplace_back(std::move(text));
    text = std::string();
  }
  r.SkipLine();
  if (!s.list->Append(std::move(line))) {
    r.Report("ERROR (SCRIPT LOADER): Could not add line ID %u", id);
    return false;
  }
  return true;
}

bool ReadBody(BodyReader& r, LoadState& s, bool included);

bool ReadInclude(BodyReader& r, LoadState& s) {
  std::string name, option;
  r.Blanks();
  r.UntilSpace(name);
  r.Blanks();
  r.UntilSpace(option);
  r.SkipLine();
  if (name.empty()) {
    r.Report("ERROR (SCRIPT LOADER): Include filename missing");
    return false;
  }
  const std::string path = ScenarioFile(s.scenario, name);
  if (!IsScenarioRelativeName(name)) {
    r.Report("ERROR (SCRIPT LOADER): Include file %s outside the scenario directory", path.c_str());
    return false;
  }
  TextDataFile inc;
  if (!inc.Open(path)) {
    r.Report("ERROR (SCRIPT LOADER): Could not open include file %s", path.c_str());
    return false;
  }
  std::string raw;
  const bool listening = ScriptLoadListening() && AReadFile(path, raw);
  if (option == "-SCRIPT") {
    if (!FindKeywordLine(&inc, "SCRIPT:")) {
      r.Report("ERROR (SCRIPT LOADER): SCRIPT command missing in include file %s", path.c_str());
      return false;
    }
    int32_t size = 0;
    if (!datascan::ScanInteger(inc, datascan::IntKind::Int, &size) || size < 1) {
      r.Report("ERROR (SCRIPT LOADER): Missing or invalid buffer size in include file %s", path.c_str());
      return false;
    }
    if (!s.list->Grow(size)) {
      r.Report("ERROR (SCRIPT LOADER): Could not increase buffers by %d for include file %s", size, path.c_str());
      return false;
    }
  }
  BodyReader ir{inc, path, listening ? LineOfPosition(raw, inc.Tell()) : 0};
  return ReadBody(ir, s, true);
}

bool ReadBody(BodyReader& r, LoadState& s, bool included) {
  std::string word;
  bool block = false;
  while (r.Word(word)) {
    if (block) {
      if (word == "*/") block = false;
      r.SkipLine();
    } else if (word == "#") {
      r.SkipLine();
    } else if (word == "/*") {
      block = true;
      r.SkipLine();
    } else if (word == "END") {
      return true;
    } else if (word == "INCLUDE:") {
      if (included) {
        r.Report("ERROR (SCRIPT LOADER): Cannot include from an include");
        return false;
      }
      if (!ReadInclude(r, s)) return false;
    } else if (word[0] >= '0' && word[0] <= '9') {
      if (!ReadCommandLine(r, s, word)) return false;
    } else {
      r.SkipLine();
    }
  }
  return true;
}
}  // namespace

void SetScriptLoadListener(ScriptLoadListener listener, void* user) {
  loadListener = listener;
  loadListenerUser = user;
}

bool ScriptLoadListening() { return loadListener != nullptr; }

void ReportScriptLoad(const std::string& file, int line, const std::string& text) {
  PrintLine("%s", text.c_str());
  if (loadListener) loadListener(loadListenerUser, file, line, text);
}

bool IsScenarioRelativeName(const std::string& name) {
  if (name.empty() || name[0] == '\\' || name[0] == '/') return false;
  if (name.find(':') != std::string::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("\\/", start);
    if (end == std::string::npos) end = name.size();
    if (name.compare(start, end - start, "..") == 0 && end - start == 2) return false;
    start = end + 1;
  }
  return true;
}

int LineOfPosition(const std::string& rawText, size_t normalizedPos) {
  int line = 1;
  size_t seen = 0;  // normalized characters passed
  for (size_t i = 0; i < rawText.size() && seen < normalizedPos; ++i) {
    if (rawText[i] == '\r' && i + 1 < rawText.size() && rawText[i + 1] == '\n') continue;
    if (rawText[i] == '\n') ++line;
    ++seen;
  }
  return line;
}

ScriptList* ReadScriptBody(TextDataFile& file, uint16_t scenario, int firstLine, const std::string& path) {
  int32_t capacity = 0;
  if (!datascan::ScanInteger(file, datascan::IntKind::Int, &capacity) || capacity < 1) return nullptr;
  BodyReader r{file, path.empty() ? file.Path() : path, firstLine};
  if (capacity > ScriptList::MaxCapacity) {
    r.Report("ERROR (SCRIPT LOADER): Buffer size %d too large", capacity);
    return nullptr;
  }
  std::unique_ptr<ScriptList> list(new ScriptList(capacity));
  LoadState s{list.get(), scenario};
  if (!ReadBody(r, s, false)) return nullptr;
  return list.release();
}

ScriptList* LoadScriptFile(const std::string& path, uint16_t scenario) {
  TextDataFile file;
  if (!file.Open(path)) return nullptr;
  if (!FindKeywordLine(&file, "SCRIPT:")) return nullptr;
  int firstLine = 0;
  if (ScriptLoadListening()) {
    std::string raw;
    if (AReadFile(path, raw)) firstLine = LineOfPosition(raw, file.Tell());
  }
  return ReadScriptBody(file, scenario, firstLine);
}

ScriptList* LoadScriptNumber(uint16_t scenario, uint16_t number) {
  return LoadScriptFile(ScenarioFile(scenario, "script" + std::to_string(number) + ".dat"), scenario);
}
