#include <gtest/gtest.h>

#include <limits>

#include "settings/settings.h"
#include "settings/user_message.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

class Getters : public testing::CoreTest {};

TEST_F(Getters, WholeNumberGettersConvertTextAsStored) {
  struct Row {
    const char* stored;
    int16_t asInt;
    int32_t asLng;
  };
  const Row rows[] = {
      {" 12 ", 12, 12},  {"12.5", 12, 12},     {"13.5", 14, 14}, {"1e2", 100, 100},   {"-3", -3, -3},
      {"99999", 0, 99999}, {"40000", 0, 40000}, {"abc", -1, -1}, {"", -1, -1},       {"12abc", -1, -1},
      {"1e400", 0, 0},   {"+7", 7, 7},         {".5", 0, 0},     {"1.", 1, 1},       {"3e9", 0, 0},
  };
  for (const Row& row : rows) {
    Put("General", "AnimationType", row.stored);
    EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), row.asInt) << '"' << row.stored << '"';
    EXPECT_EQ(GetSettingLng("General", "AnimationType", -1), row.asLng) << '"' << row.stored << '"';
  }
}

TEST_F(Getters, AbsentValuesGiveTheDefault) {
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), -1);
  EXPECT_EQ(GetSettingLng("Advanced", "Adv_TimeDelay", 40), 40);
  EXPECT_FLOAT_EQ(GetSettingDbl("Advanced", "FocalLength", 1.0f), 1.0f);
  EXPECT_EQ(GetSettingStr("Advanced", "Adv_FontName", "Arial"), "Arial");
  EXPECT_EQ(ReadSettingText("General", "Nothing", 12), "12");
}

TEST_F(Getters, SingleGetterKeepsSinglePrecisionAndRejectsOverflow) {
  Put("Galaxy", "Galaxy_CometCPersist", "0.9");
  EXPECT_EQ(GetSettingDbl("Galaxy", "Galaxy_CometCPersist", 0), 0.9f);
  Put("Galaxy", "Galaxy_CometCPersist", "3.4028234663852886e38");  // the largest single is no overflow
  EXPECT_EQ(GetSettingDbl("Galaxy", "Galaxy_CometCPersist", 0), std::numeric_limits<float>::max());
  Put("Galaxy", "Galaxy_CometCPersist", "1e39");
  EXPECT_EQ(GetSettingDbl("Galaxy", "Galaxy_CometCPersist", 5), 0.0f);
  Put("Galaxy", "Galaxy_CometCPersist", "x");
  EXPECT_EQ(GetSettingDbl("Galaxy", "Galaxy_CometCPersist", 5), 5.0f);
}

TEST_F(Getters, TextsLongerThan127CharactersReadAsTheDefault) {
  Put("Advanced", "LockMessage", std::string(127, 'a'));
  EXPECT_EQ(GetSettingStr("Advanced", "LockMessage", "d"), std::string(127, 'a'));
  Put("Advanced", "LockMessage", std::string(128, 'a'));
  EXPECT_EQ(GetSettingStr("Advanced", "LockMessage", "d"), "d");
}

TEST_F(Getters, SaveTrimsTextAndWritesNumbersInShortestForm) {
  EXPECT_TRUE(SaveSettingStr("General", "S", "  abc  "));
  EXPECT_EQ(*Store().Read(kUserRoot, SettingsKeyPath("General"), "S"), "abc");
  SaveSettingStr("General", "F", 0.5f);
  SaveSettingStr("General", "G", 100.0f);
  SaveSettingStr("General", "D", 0.1);
  SaveSettingStr("General", "I", int16_t{-1});
  EXPECT_EQ(GetSettingStr("General", "F", ""), "0.5");
  EXPECT_EQ(GetSettingStr("General", "G", ""), "100");
  EXPECT_EQ(GetSettingStr("General", "D", ""), "0.1");
  EXPECT_EQ(GetSettingStr("General", "I", ""), "-1");
  EXPECT_EQ(GetSettingDbl("General", "F", 0), 0.5f);
}

TEST_F(Getters, SectionsAndKeysMatchWithoutRegardToCaseAndKeepTheirFirstCase) {
  SaveSettingStr("Galaxy", "Galaxy_CometCPersist", "0.5");
  SaveSettingStr("galaxy", "GALAXY_COMETCPERSIST", "0.75");
  EXPECT_EQ(GetSettingStr("GALAXY", "Galaxy_CometcPersist", ""), "0.75");
  const SettingsDocument doc = Store().Snapshot(kUserRoot);
  ASSERT_EQ(doc.Sections().size(), 1u);
  EXPECT_EQ(doc.Sections()[0].path, "SOFTWARE\\Pyxora\\PXRA_SS\\Galaxy");
  EXPECT_EQ(doc.Sections()[0].values[0].first, "Galaxy_CometCPersist");
}

TEST_F(Getters, OtherRootsReadEmptyAndRefuseWrites) {
  EXPECT_FALSE(SaveSettingStr("General", "X", "1", 2));
  EXPECT_FALSE(SaveSettingStr("General", "X", "1", 3));
  EXPECT_EQ(GetSettingStr("General", "X", "none", 2), "none");
  EXPECT_TRUE(SaveSettingStr("General", "X", "1", kMachineRoot));
  EXPECT_EQ(GetSettingStr("General", "X", "none"), "none");  // the user's root is separate
}

TEST_F(Getters, WriteTestPassesOnAWritableStoreAndWarnsOnAReadOnlyOne) {
  std::string shown;
  SetUserMessageHandler([&](UserMessageKind, std::string_view title, std::string_view text) {
    shown = std::string(title) + "|" + std::string(text);
  });
  EXPECT_TRUE(TestRegistryWrite());
  EXPECT_EQ(GetSettingStr("General", "TestRegWrite", ""), "1");
  EXPECT_TRUE(shown.empty());

  SaveSettingStr("General", "TestRegWrite", "0");
  Store().SetReadOnly(true);
  EXPECT_FALSE(TestRegistryWrite());
  // Each platform names its own store.
#ifdef _WIN32
  EXPECT_EQ(shown.substr(0, shown.find('\r')), "Pyxora|The Registry is read-only.");
#else
  EXPECT_EQ(shown.substr(0, shown.find('\r')), "Pyxora|The settings file is read-only.");
#endif
  SetUserMessageHandler(nullptr);
}

TEST_F(Getters, SystemValuesReadEmptyWhenAbsent) {
  EXPECT_EQ(ReadSystemValue(kUserRoot, "Control Panel\\Desktop", "ScreenSaveUsePassword"), "");
}

}  // namespace
}  // namespace pyxora
