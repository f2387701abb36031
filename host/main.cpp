// The host executable: hands its command line to the engine library and exits
// 0 when the engine started and ran.
#include <string>

extern "C" int ExeMain(void* instance, void* ignored, const char* commandLine);

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    std::string arg = argv[i];
    bool quote = arg.empty() || arg.find_first_of(" \t\"") != std::string::npos;
    if (!quote) {
      commandLine += arg;
      continue;
    }
    commandLine += '"';
    for (char c : arg) {
      if (c == '"') commandLine += "\"\"";  // a doubled quote is a literal quote
      else commandLine += c;
    }
    commandLine += '"';
  }
  return ExeMain(nullptr, nullptr, commandLine.c_str()) == 1 ? 0 : 1;
}
