// Averages as the games write them: single-precision values, exact halves away
// from zero, values just under a half down, ".00" without a units digit below 1.
#include <gtest/gtest.h>

#include <limits>

#include "darts/Decimals.h"

namespace {

TEST(Decimals, RoundedAsShown) {
  // clang-format off
  const struct {
    float value;
    int places;
    bool units;
    const char* text;  // with a point; a comma gives the same with a comma
    float shown;       // the two-decimal value it stands for
  } cases[] = {
      {float(501) / 14, 2, true, "35.79", 35.79f}, {float(1503) / 9, 2, true, "167.00", 167.0f},
      {float(501) / 20, 2, true, "25.05", 25.05f}, {0.125f, 2, true, "0.13", 0.13f}, {-0.125f, 2, true, "-0.13", -0.13f},
      {2.675f, 2, true, "2.67", 2.67f},             {1.005f, 2, true, "1.00", 1.0f}, {9.999f, 2, true, "10.00", 10.0f},
      {99.96f, 1, true, "100.0", 99.96f},           {0, 2, false, ".00", 0},         {0.5f, 2, false, ".50", 0.5f},
      {-0.001f, 2, true, "0.00", 0},                {std::numeric_limits<float>::quiet_NaN(), 2, true, "NAN", 0}};
  // clang-format on
  for (const auto& c : cases) {
    for (const QChar sep : {QChar('.'), QChar(',')}) {
      EXPECT_EQ(darts::Decimals(c.value, c.places, sep, c.units), QString(c.text).replace('.', sep)) << c.value;
    }
    if (c.places == 2 && c.value == c.value) {
      EXPECT_EQ(darts::ShownTwoDecimals(c.value), c.shown) << c.value;
    }
  }
}

}  // namespace
