#include <cmath>
#include <cstdlib>
#include <random>
#include <set>

#include "base/numeric.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/text_helpers.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

class Helpers : public testing::CoreTest {};

TEST_F(Helpers, TrigTablesCoverZeroToPi) {
  EXPECT_FLOAT_EQ(SinTable[0], 0.0f);
  EXPECT_FLOAT_EQ(CosTable[0], 1.0f);
  EXPECT_FLOAT_EQ(SinTable[500], 1.0f);
  EXPECT_NEAR(CosTable[1000], -1.0f, 1e-7);
}

TEST_F(Helpers, RandomVectorsHaveTheirLengthAndStayInTheirBall) {
  std::set<int> ySigns;
  for (int i = 0; i < 5000; ++i) {
    float x, y, z;
    RandomSphereVector(x, y, z, 2.0f);
    ASSERT_NEAR(std::sqrt(x * x + y * y + z * z), 2.0f, 1e-5);
    ySigns.insert(y > 0 ? 1 : (y < 0 ? -1 : 0));
    RandomInBall(x, y, z, 0.5f);
    ASSERT_LE(std::sqrt(x * x + y * y + z * z), 0.5f);
  }
  EXPECT_TRUE(ySigns.count(1) && ySigns.count(-1));  // the random sign covers the full turn
  float x, y, z;
  RandomInBall(x, y, z, 0.0f);
  EXPECT_EQ(x * x + y * y + z * z, 0.0f);
  RandomInBall(x, y, z, -1.0f);  // outside the contract, but it must end
  EXPECT_LE(std::sqrt(x * x + y * y + z * z), 1.0f);
}

TEST_F(Helpers, TheGeneratorIsRepeatableWithASeedAndNeverReachesOne) {
  SetFixedSeed(42u);
  ReseedRandom();
  const float first = Rnd();
  ReseedRandom();
  EXPECT_EQ(Rnd(), first);
  for (int i = 0; i < 1000000; ++i) ASSERT_LT(Rnd(), 1.0f);
}

// PYXORA_SEED: a whole number of 32 bits becomes the seed; anything else is ignored and
// the seed in force stays.
TEST_F(Helpers, ASeedFromTheEnvironmentIsAWholeNumberOf32BitsOrIgnored) {
  struct Case {
    const char* text;
    uint32_t seed;
  } const cases[] = {{"0", 0u},      {"9", 9u},   {"4294967295", 4294967295u}, {"4294967296", 5u},
                     {"-1", 5u},     {"1.5", 5u}, {"seven", 5u},               {"", 5u}};
  for (const Case& c : cases) {
    SetFixedSeed(5u);
    ::setenv("PYXORA_SEED", c.text, 1);
    FixSeedFromEnvironment();
    ReseedRandom();
    std::mt19937 expected(c.seed);
    EXPECT_EQ(Rnd(), static_cast<float>(expected() >> 8) / 16777216.0f) << c.text;
  }
  ::unsetenv("PYXORA_SEED");
  SetFixedSeed(7u);
}

TEST_F(Helpers, ListItemsAreTrimmed) {
  EXPECT_EQ(GetListItem("1, 2.5 ,x", 0), "1");
  EXPECT_EQ(GetListItem("1, 2.5 ,x", 1), "2.5");
  EXPECT_EQ(GetListItem("1, 2.5 ,x", 2), "x");
  EXPECT_EQ(GetListItem("1,,3", 1), "");
  EXPECT_EQ(GetListItem("1,2", 5), "");  // beyond the list: nothing rather than garbage
}

TEST_F(Helpers, ClampsTestTheLowerBoundFirst) {
  EXPECT_EQ(ClampInt(5, 10, 20), 10);
  EXPECT_EQ(ClampInt(25, 10, 20), 20);
  EXPECT_EQ(ClampInt(15, 20, 10), 20);
  EXPECT_EQ(ClampInt(5, 20, 10), 20);
  EXPECT_EQ(ClampLng(-70000, -5, 5), -5);
  EXPECT_FLOAT_EQ(ClampSng(0.9999f, 0.25f, 0.99f), 0.99f);
  EXPECT_EQ(MaxInt(3, 4), 4);
  EXPECT_EQ(MinLng(3, 4), 3);
  EXPECT_FLOAT_EQ(MaxSng(-1.5f, -2.5f), -1.5f);
}

TEST_F(Helpers, TextBoxesArePulledIntoRange) {
  EXPECT_EQ(ClampTextBox("", 0, 1, 999), "1");
  EXPECT_EQ(ClampTextBox("12abc", 0, 0, 100), "12");
  EXPECT_EQ(ClampTextBox("0.5.7", 1, 0, 1), "0.5");
  EXPECT_EQ(ClampTextBox("2.5", 0, 0, 100), "2");
  EXPECT_EQ(ClampTextBox("99999999999999", 0, 0, 9999), "9999");
  EXPECT_EQ(ClampTextBox("40000", 2, 1, 30000), "30000");
  EXPECT_EQ(ClampTextBox("0.9999", 1, 0.25f, 0.99f), "0.99");
  EXPECT_EQ(ClampTextBox("abc", 7, 0, 1), "abc");  // unknown kinds leave the text
}

TEST_F(Helpers, KeyFiltersAcceptDigitsAndOneDecimalPoint) {
  EXPECT_EQ(FilterDigitKey('7'), '7');
  EXPECT_EQ(FilterDigitKey(kBackspaceKey), kBackspaceKey);
  EXPECT_EQ(FilterDigitKey('.'), 0);
  EXPECT_EQ(FilterDigitKey('a'), 0);
  EXPECT_EQ(FilterDecimalKey("1.5", 3, 0, '.'), 0);
  EXPECT_EQ(FilterDecimalKey("1.5", 0, 3, '.'), '.');  // replaces the selected point
  EXPECT_EQ(FilterDecimalKey("15", 1, 0, '.'), '.');
  EXPECT_EQ(FilterDecimalKey("15", 1, 0, '-'), 0);
  EXPECT_EQ(FilterDecimalKey("1.5", 99, 99, '.'), 0);  // a stale selection is harmless
}

}  // namespace
}  // namespace pyxora
