#pragma once
// Options from the command line of the host executable.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct LaunchOptions {
  bool headless = false;
  std::string gameDir;                 // empty: current directory
  std::optional<uint32_t> seed;        // --seed, or <seed:N> at the start of a key script
  std::string keys;                    // --keys SCRIPT, or the text of --keys-file
  std::string dumpFile;                // --dump FILE: text displays at exit
  std::string logFile;                 // --log FILE: every line as it is left
  std::string screenshotFile;          // --screenshot FILE.png: the picture at exit
  std::string recordFile;              // --record FILE: a key script of this session
  std::string configPath;              // positional CONFIG_PATH, empty when none
};

// Splits a command line into words; double quotes group, a doubled quote
// inside quotes is a literal quote, backslashes are literal.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// Returns false and sets `error` for an unknown option or a missing value.
bool ParseLaunchOptions(const std::vector<std::string>& args, LaunchOptions& out,
                        std::string& error);

const LaunchOptions& GetLaunchOptions();
void SetLaunchOptions(const LaunchOptions& options);
