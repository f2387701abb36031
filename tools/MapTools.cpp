// korva-tool map2txt / txt2map: map files to and from text grids of tile IDs.
#include <cstdio>
#include <string>

#include "data/BArray.h"
#include "graphics/MapText.h"
#include "platform/Files.h"
#include "platform/Frame.h"
#include "tools/ToolCommands.h"

namespace {

const char* const kFormat =
    "text format: a line \"MAP width height\", then one line per row from north to south with\n"
    "width tile IDs (0-65535) from west to east; blank lines and lines starting with # are ignored\n";

int Map2Txt(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korva-tool map2txt MAP OUT.txt\n%s", kFormat);
    return 2;
  }
  CBArray map;
  if (!map.Load(argv[0])) {
    std::fprintf(stderr, "ERROR (map2txt): %s\n", LastErrorText());
    return 1;
  }
  std::string text;
  if (!MapToText(map, &text)) {
    std::fprintf(stderr, "ERROR (map2txt): %s has %d-byte elements; map cells have 2\n", argv[0],
                 map.ElementSize());
    return 1;
  }
  if (!AWriteFileAtomic(argv[1], text)) {
    std::fprintf(stderr, "ERROR (map2txt): Could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}

int Txt2Map(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korva-tool txt2map IN.txt MAP\n%s", kFormat);
    return 2;
  }
  std::string text, error;
  if (!AReadFile(argv[0], text)) {
    std::fprintf(stderr, "ERROR (txt2map): Could not read %s\n", argv[0]);
    return 1;
  }
  CBArray map;
  if (!MapFromText(text, &map, &error)) {
    std::fprintf(stderr, "ERROR (txt2map): %s, %s\n", argv[0], error.c_str());
    return 1;
  }
  if (!map.Save(argv[1])) {
    std::fprintf(stderr, "ERROR (txt2map): %s\n", LastErrorText());
    return 1;
  }
  return 0;
}

ToolRegistration map2txt("map2txt",
                         "map2txt MAP OUT.txt   map file to a text grid (\"MAP width height\", then "
                         "one line of tile IDs per row, north first)",
                         Map2Txt);
ToolRegistration txt2map("txt2map",
                         "txt2map IN.txt MAP    text grid (\"MAP width height\", then one line of "
                         "width tile IDs 0-65535 per row, north first; # comments) to a map file",
                         Txt2Map);

}  // namespace
