#include "platform/LaunchOptions.h"

#include <cstdio>

#include "platform/Files.h"
#include "platform/KeyScript.h"

namespace {
LaunchOptions currentOptions;
}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (size_t i = 0; i < commandLine.size(); ++i) {
    char c = commandLine[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
          word += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = true;
      inWord = true;
    } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

bool ParseLaunchOptions(const std::vector<std::string>& args, LaunchOptions& out,
                        std::string& error) {
  LaunchOptions options;
  error.clear();
  bool haveKeys = false;
  auto fail = [&](const std::string& what) {
    error = "ERROR (ParseLaunchOptions): " + what;
    return false;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--headless") {
      options.headless = true;
      continue;
    }
    if (arg.size() < 2 || arg[0] != '-' || arg[1] != '-') {
      if (!arg.empty() && arg[0] == '-') return fail("Unknown option " + arg);
      if (!options.configPath.empty()) return fail("More than one configuration path: " + arg);
      options.configPath = arg;
      continue;
    }
    std::string* target = nullptr;
    if (arg == "--game-dir") target = &options.gameDir;
    else if (arg == "--dump") target = &options.dumpFile;
    else if (arg == "--log") target = &options.logFile;
    else if (arg == "--screenshot") target = &options.screenshotFile;
    else if (arg == "--record") target = &options.recordFile;
    else if (arg != "--seed" && arg != "--keys" && arg != "--keys-file") return fail("Unknown option " + arg);
    if (i + 1 >= args.size()) return fail("Missing value for " + arg);
    const std::string& value = args[++i];
    if (target) {
      if (value.empty()) return fail("Empty value for " + arg);
      *target = value;
    } else if (arg == "--seed") {
      uint32_t seed = 0;
      if (!ParseDecimal32(value, seed)) return fail("Bad seed \"" + value + "\" (expected 0 to 4294967295)");
      options.seed = seed;
    } else {
      if (haveKeys) return fail("Give only one of --keys and --keys-file");
      haveKeys = true;
      if (arg == "--keys") {
        options.keys = value;
      } else if (!AReadFile(value, options.keys)) {
        return fail("Could not read key file " + value);
      }
    }
  }
  if (!options.seed) {
    uint32_t seed = 0;
    if (KeyScriptSeed(options.keys, seed)) options.seed = seed;
  }
  out = options;
  return true;
}

const LaunchOptions& GetLaunchOptions() { return currentOptions; }
void SetLaunchOptions(const LaunchOptions& options) { currentOptions = options; }
