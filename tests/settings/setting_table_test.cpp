#include "settings/setting_table.h"

#include <array>

#include "support/test_support.h"

namespace pyxora {
namespace {

struct Sample {
  int16_t count = 0;
  int16_t narrow = 0;
  int32_t frames = 0;
  float speed = 0;
  bool on = false;
};

constexpr std::array<SettingField<Sample>, 5> kSampleFields = {{
    {"Count", SettingGetter::Int, &Sample::count, 12},
    {"Narrow", SettingGetter::Lng, &Sample::narrow, 1},
    {"Frames", SettingGetter::Lng, &Sample::frames, 1000},
    {"Speed", SettingGetter::Dbl, &Sample::speed, 0.5f},
    {"On", SettingGetter::Int, &Sample::on, 0},
}};

class SettingTable : public testing::CoreTest {};

TEST_F(SettingTable, RowsLoadWithTheirGetterAndDefault) {
  Sample sample;
  LoadSettingFields<Sample>("Sample", kSampleFields, sample);
  EXPECT_EQ(sample.count, 12);
  EXPECT_EQ(sample.frames, 1000);
  EXPECT_FLOAT_EQ(sample.speed, 0.5f);
  EXPECT_FALSE(sample.on);

  Put("Sample", "Count", "99999");  // does not fit 16 bits: 0
  Put("Sample", "Frames", "99999");
  Put("Sample", "Speed", "2.5");
  Put("Sample", "On", "7");
  Put("Sample", "Narrow", "-70000");  // a 32-bit value read into a 16-bit field saturates
  LoadSettingFields<Sample>("Sample", kSampleFields, sample);
  EXPECT_EQ(sample.count, 0);
  EXPECT_EQ(sample.frames, 99999);
  EXPECT_FLOAT_EQ(sample.speed, 2.5f);
  EXPECT_TRUE(sample.on);
  EXPECT_EQ(sample.narrow, -32768);
}

}  // namespace
}  // namespace pyxora
