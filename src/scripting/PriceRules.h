#pragma once
// The price factor of the active character and the percent-of-maximum rule,
// shared by the script commands, the stores and healing.

// F = 1 - x * p * 0.01 * 0.005 with a price modifier p (a byte), or
// 1 - x * 0.005 without one (hasModifier false); x = (intelligence +
// charisma) * 0.5 + attribMod. The constants are single-precision values.
float PriceFactor(int intelligence, int charisma, int attribMod, bool hasModifier, int modifier);
// A buying price round(price * F) / a selling price round(price / F), to
// nearest. A factor of 0 or below sells at 0 instead of dividing by it.
int BuyingPrice(int price, float factor);
int SellingPrice(int price, float factor);
// p per cent of m: the truncation of m * p * 0.01 with 0.01 in single
// precision, and at least 1; so 50 per cent of 100 is 49.
int PercentOfMax(int maximum, int percent);
