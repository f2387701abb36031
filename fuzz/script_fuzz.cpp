// Runs the script loader over arbitrary bytes: the input is a script file
// of scenario 1 and also its include file, so that includes with and
// without "-SCRIPT" are reached.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzTempDir.h"
#include "data/DataReaders.h"
#include "data/TextDataFile.h"
#include "scripting/ScriptLoader.h"
#include "text/Output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    const std::string& dir = FuzzTempDir();
    if (chdir(dir.c_str()) != 0) return false;
    return system("mkdir -p DATA1") == 0;
  }();
  if (!ready) return 0;
  static std::string sink;
  SetOutputCapture(&sink);
  FuzzWriteFile("DATA1/inc.dat", data, size);
  FuzzWriteFile("DATA1/script7.dat", data, size);
  std::unique_ptr<ScriptList> a(LoadScriptNumber(1, 7));
  // The same text read from memory, as a trigger list hands it over.
  TextDataFile f;
  f.OpenText(std::string(reinterpret_cast<const char*>(data), size));
  std::unique_ptr<ScriptList> b(ReadScriptBody(f, 1));
  if (a) {
    for (int i = 0; i < a->LineCount(); ++i) {
      const ScriptLine* line = a->At(i);
      if (!line || line->command == 0 || line->ArgCount() > MaxScriptArgs) __builtin_trap();
    }
    if (a->LineCount() > a->Capacity()) __builtin_trap();
  }
  sink.clear();
  SetOutputCapture(nullptr);
  return 0;
}
