// CBArray mirroring and colour adjustment.
#include <cmath>
#include <cstring>
#include <new>

#include "data/BArray.h"
#include "text/Output.h"

int CBArray::Mirror(int type) {
  if (type < 1 || type > 7) {
    PrintLine("ERROR (CBArray::Mirror): Invalid mirror type %d", type);
    return 0;
  }
  if (!data_) return 0;
  const int W = width_, H = height_;
  const bool exchanges = type == 1 || type == 3 || type == 5 || type == 7;
  if (exchanges && W != H) {
    PrintLine("ERROR (CBArray::Mirror): Type %d needs a square array, not %d x %d", type, W, H);
    return 0;
  }
  const size_t bytes = ByteSize();
  uint8_t* scratch = new (std::nothrow) uint8_t[bytes];
  if (!scratch) {
    PrintLine("ERROR (CBArray::Mirror): Could not allocate temp array");
    return 0;
  }
  std::memset(scratch, 0, bytes);
  const size_t es = size_t(elementSize_);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      int sx = x, sy = y;
      switch (type) {
        case 1: sx = y; sy = x; break;
        case 2: sx = W - 1 - x; break;
        case 3: sx = W - 1 - y; sy = x; break;
        case 4: sy = H - 1 - y; break;
        case 5: sx = y; sy = H - 1 - x; break;
        case 6: sx = W - 1 - x; sy = H - 1 - y; break;
        case 7: sx = W - 1 - y; sy = H - 1 - x; break;
      }
      std::memcpy(scratch + (size_t(y) * size_t(W) + size_t(x)) * es, ElementPtr(sx, sy), es);
    }
  }
  std::memcpy(data_, scratch, bytes);
  delete[] scratch;
  return 1;
}

namespace {

// The adjusted component, clamped before it is narrowed so that no result
// wraps around (a product of 65535 is 255, not 0).
uint8_t Adjust(uint8_t c, int multiply, float f, uint8_t lower) {
  float v = multiply == 1 ? float(c) * f : float(c) + f;
  v = std::trunc(v);
  if (!(v >= float(lower))) return lower;  // also NaN
  if (v > 255.0f) return 255;
  return uint8_t(v);
}

int AdjustColors(const char* name, CBArray* array, int multiply, const float* factors,
                 int factorCount, const uint8_t* key, const uint8_t* lower) {
  if (!array || !factors) {
    PrintLine("ERROR (%s): Missing param(s)", name);
    return 0;
  }
  if (!array->HasData()) {
    PrintLine("ERROR (%s): Could not get array", name);
    return 0;
  }
  const int es = array->ElementSize();
  const int count = factorCount < es ? factorCount : es;
  uint8_t* data = array->GetData();
  const size_t n = size_t(array->Width()) * size_t(array->Height());
  for (size_t i = 0; i < n; ++i) {
    uint8_t* el = data + i * size_t(es);
    if (key && std::memcmp(el, key, size_t(es)) == 0) continue;
    for (int k = 0; k < count; ++k) el[k] = Adjust(el[k], multiply, factors[k], lower ? lower[k] : 0);
  }
  return 1;
}

}  // namespace

int CBAAdjustAllColors(CBArray* array, int multiply, const float* factors, int factorCount,
                       const uint8_t* key) {
  return AdjustColors("CBAAdjustAllColors", array, multiply, factors, factorCount, key, nullptr);
}

int CBAAdjustAllColorsEx(CBArray* array, int multiply, const float* factors, int factorCount,
                         const uint8_t* key, const uint8_t* lower) {
  return AdjustColors("CBAAdjustAllColorsEx", array, multiply, factors, factorCount, key, lower);
}

int CBASetGreyscale(CBArray* array, const float* weights, int weightCount, uint8_t key) {
  if (!array || !weights) {
    PrintLine("ERROR (CBASetGreyscale): Missing param(s)");
    return 0;
  }
  if (!array->HasData()) {
    PrintLine("ERROR (CBASetGreyscale): Could not get array");
    return 0;
  }
  const int es = array->ElementSize();
  const int count = weightCount < es ? weightCount : es;
  uint8_t* data = array->GetData();
  const size_t n = size_t(array->Width()) * size_t(array->Height());
  for (size_t i = 0; i < n; ++i) {
    uint8_t* el = data + i * size_t(es);
    int used = 0;
    bool allKey = true;
    float sum = 0;
    for (int k = 0; k < count; ++k) {
      if (!(weights[k] >= 0)) continue;
      ++used;
      sum += weights[k] * float(el[k]);
      if (el[k] != key) allKey = false;
    }
    if (used == 0 || allKey) continue;
    float g = std::trunc(sum / float(used) + 0.5f);
    uint8_t grey = !(g >= 0) ? 0 : g > 255.0f ? 255 : uint8_t(g);
    if (grey == key) grey = uint8_t(grey + 1);
    for (int k = 0; k < count; ++k)
      if (weights[k] >= 0) el[k] = grey;
  }
  return 1;
}
