#pragma once
// Shared helpers of the vector tests: pictures, pixels and temporary files.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <string>

#include "data/BArray.h"
#include "text/Output.h"

namespace vtest {

inline std::string MakeTempDir() {
  std::string pattern = testing::TempDir() + "vectorXXXXXX";
  EXPECT_NE(mkdtemp(pattern.data()), nullptr);
  return pattern;
}

// 0x00RRGGBB of a picture element (blue, green, red, 0 in memory).
inline uint32_t Px(const CBArray& a, int x, int y) {
  const uint8_t* p = a.ElementPtr(x, y);
  return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

inline void FillRgb(CBArray& a, uint32_t rgb) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      uint8_t* p = a.ElementPtr(x, y);
      p[0] = uint8_t(rgb);
      p[1] = uint8_t(rgb >> 8);
      p[2] = uint8_t(rgb >> 16);
      p[3] = 0;
    }
}

// Captures every printed line for the lifetime of the object.
struct Capture {
  std::string text;
  Capture() { SetOutputCapture(&text); }
  ~Capture() { SetOutputCapture(nullptr); }
};

}  // namespace vtest
