// objdefs.dat reader: every section over arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "scenario/ObjDefs.h"
#include "text/Output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string printed;
  SetOutputCapture(&printed);
  ObjDefTables tables;
  for (char kind : {'C', 'N', 'L', 'V', 'I'}) LoadCreateDefsText(tables, kind, text, "DATA1\\objdefs.dat");
  SetOutputCapture(nullptr);
  return 0;
}
