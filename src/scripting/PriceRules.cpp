#include "scripting/PriceRules.h"

#include <climits>
#include <cmath>

namespace {
int RoundToInt(double v) {
  if (!std::isfinite(v)) return 0;
  v = std::floor(v + 0.5);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}
}  // namespace

float PriceFactor(int intelligence, int charisma, int attribMod, bool hasModifier, int modifier) {
  const float x = static_cast<float>(intelligence + charisma) * 0.5f + static_cast<float>(attribMod);
  if (hasModifier) return 1.0f - x * static_cast<float>(modifier & 0xFF) * 0.01f * 0.005f;
  return 1.0f - x * 0.005f;
}

int BuyingPrice(int price, float factor) { return RoundToInt(static_cast<float>(price) * factor); }

int SellingPrice(int price, float factor) {
  if (!(factor > 0.0f)) return 0;
  return RoundToInt(static_cast<float>(price) / factor);
}

int PercentOfMax(int maximum, int percent) {
  const double v = static_cast<double>(maximum) * percent * static_cast<double>(0.01f);
  const int result = v >= INT_MAX ? INT_MAX : v <= INT_MIN ? INT_MIN : static_cast<int>(v);
  return result < 1 ? 1 : result;
}
