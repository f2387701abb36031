// Runs `korva --headless` over the cases in cases/*.case and compares the text
// dump with cases/<name>.dump.
//
// A case file has lines "game: NAME" (a directory under games/, copied to a
// fresh directory for the run; "none" for an empty one), "args: ..." (extra
// arguments), "keys: ..." (the key script; several lines are joined)
// "rerun" (the keys after it drive a second run of korva in the same game
// directory, after the first has ended; the dump is of the last run, the log
// holds every run's lines), "log: yes" (also compare the line log with
// cases/<name>.log) and
// "file: PATH" + "expect-file: NAME" pairs (a file the run must leave, compared
// with cases/NAME). Set KORVA_UPDATE_GOLDEN=1 to rewrite the expected files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
const fs::path kRoot = fs::path(KORVA_TEST_DATA) / "blackbox";

struct Case {
  std::string name;
  std::string game = "none";
  std::string args;
  std::vector<std::string> runs{std::string()};  // the keys of each run
  bool log = false;
  std::vector<std::pair<std::string, std::string>> files;  // produced path, expected name
};

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

Case LoadCase(const fs::path& file) {
  Case c;
  c.name = file.stem().string();
  std::istringstream in(ReadAll(file));
  std::string line, pendingFile;
  while (std::getline(in, line)) {
    auto value = [&](const char* key) -> const char* {
      size_t n = std::strlen(key);
      return line.compare(0, n, key) == 0 ? line.c_str() + n : nullptr;
    };
    if (const char* v = value("game: ")) c.game = v;
    else if (const char* v = value("args: ")) c.args = v;
    else if (const char* v = value("keys: ")) c.runs.back() += std::string(v) + " ";
    else if (line == "rerun") c.runs.emplace_back();
    else if (const char* v = value("log: ")) c.log = std::string(v) == "yes";
    else if (const char* v = value("file: ")) pendingFile = v;
    else if (const char* v = value("expect-file: ")) c.files.emplace_back(pendingFile, v);
  }
  return c;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kRoot / "cases"))
    if (entry.path().extension() == ".case") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

void CompareOrUpdate(const fs::path& expectedPath, const std::string& actual) {
  if (std::getenv("KORVA_UPDATE_GOLDEN")) {
    std::ofstream(expectedPath, std::ios::binary) << actual;
    return;
  }
  ASSERT_TRUE(fs::exists(expectedPath)) << expectedPath << " is missing; actual:\n" << actual;
  EXPECT_EQ(ReadAll(expectedPath), actual) << "for " << expectedPath;
}
}  // namespace

class BlackBox : public testing::TestWithParam<std::string> {};

TEST_P(BlackBox, DumpMatches) {
  Case c = LoadCase(kRoot / "cases" / (GetParam() + ".case"));
  fs::path work = fs::temp_directory_path() / ("korva_bb_" + std::to_string(::getpid()) + "_" + c.name);
  fs::remove_all(work);
  fs::create_directories(work);
  if (c.game != "none") fs::copy(kRoot / "games" / c.game, work, fs::copy_options::recursive);
  fs::path dump = work / "out.dump";
  fs::path log = work / "out.log";
  std::string logs;
  for (size_t run = 0; run < c.runs.size(); ++run) {
    std::ofstream(work / "keys.txt", std::ios::binary) << c.runs[run];
    std::string command = std::string(Quote(KORVA_BINARY)) + " --headless --game-dir " +
                          Quote(work.string()) + " --keys-file " + Quote((work / "keys.txt").string()) +
                          " --dump " + Quote(dump.string()) + " --log " + Quote(log.string()) + " " +
                          c.args + " > " + Quote((work / "stdout.txt").string()) + " 2>&1";
    int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << "run " << run + 1 << ": " << ReadAll(work / "stdout.txt");
    logs += ReadAll(log);
  }
  CompareOrUpdate(kRoot / "cases" / (c.name + ".dump"), ReadAll(dump));
  if (c.log) CompareOrUpdate(kRoot / "cases" / (c.name + ".log"), logs);
  for (const auto& [produced, expected] : c.files)
    CompareOrUpdate(kRoot / "cases" / expected, ReadAll(work / produced));
  if (!HasFailure()) fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Cases, BlackBox, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string n = info.param;
                           for (char& ch : n)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });
